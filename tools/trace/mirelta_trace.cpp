// mirelta-trace: plays the whole session of a program folder without pacing and without a sound
// device, and writes every event of it, one per line, to standard output.
//
//   mirelta-trace --folder DIR [--window WxH] [--brightness off|P] [--gentle]
//
// It runs the program's own window, settings and session code on Qt's offscreen platform: the
// settings of DIR/polufabu.ini are restored, the window is shown and its border switched off as at
// start-up, the session chosen (the full one as designed, or with --gentle the gentle one), then
// "Старт" is pressed. Two runs with the same folder write the same bytes. Messages
// the program shows go to standard error.

#include "gui/main_window.h"
#include "gui/session/direct_session_driver.h"
#include "gui/settings/settings_panel.h"
#include "gui/widgets/controls.h"
#include "platform/desktop/console_dialogs.h"
#include "platform/files/program_folder.h"
#include "platform/sound/silent_sound_player.h"
#include "tools/options/tool_options.h"

#include <QApplication>
#include <QCheckBox>
#include <QFileInfo>
#include <QPushButton>
#include <QSlider>
#include <cstdio>
#include <iostream>
#include <optional>

namespace {

using namespace mirelta;

struct Options {
    QString folder;
    QSize window{1024, 768};
    std::optional<int> brightness = 250; // none: off
    bool gentle = false;
};

// The options, or nothing with `refused` saying what was wrong when it was one value.
std::optional<Options> parseOptions(const QStringList& args, std::string& refused) {
    Options options;
    for (const ToolOption& option : toolOptions(args, {QStringLiteral("--gentle")})) {
        if (option.name == QStringLiteral("--gentle")) {
            options.gentle = true;
            continue;
        }
        if (!option.value) {
            return std::nullopt;
        }
        const QString& value = *option.value;
        if (option.name == QStringLiteral("--folder")) {
            options.folder = value;
        } else if (option.name == QStringLiteral("--window")) {
            const std::optional<QSize> size = windowSize(value);
            if (!size) {
                refused = "--window " + value.toStdString() +
                          ": the width and the height must be whole numbers above 0, as in 640x480";
                return std::nullopt;
            }
            options.window = *size;
        } else if (option.name == QStringLiteral("--brightness")) {
            if (!readBrightness(value, options.brightness)) {
                refused = "--brightness " + value.toStdString() +
                          ": the level must be off or a whole number from 100 to 500";
                return std::nullopt;
            }
        } else {
            return std::nullopt;
        }
    }
    if (options.folder.isEmpty()) {
        return std::nullopt;
    }
    return options;
}

class PrintedTrace : public SessionTrace {
public:
    void event(const std::string& line) override { std::cout << line << '\n'; }
};

} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    std::string refused;
    const std::optional<Options> options = parseOptions(QApplication::arguments(), refused);
    if (!options) {
        if (!refused.empty()) {
            std::cerr << "mirelta-trace: " << refused << '\n';
        }
        std::cerr << "usage: mirelta-trace --folder DIR [--window WxH] [--brightness off|P] "
                     "[--gentle]\n"
                     "  WxH is the window's size in pixels, any width and height above 0 "
                     "(default 1024x768)\n"
                     "  P is the brightness level, 100-500 (default 250)\n"
                     "  --gentle plays the gentle session instead of the full one\n";
        return 2;
    }
    if (!QFileInfo(options->folder).isDir()) {
        std::cerr << "mirelta-trace: no folder " << options->folder.toStdString() << '\n';
        return 2;
    }
    PrintedTrace trace;
    ConsoleDialogs dialogs;
    SilentSoundPlayer sound;
    DirectSessionDriver driver(&trace);
    // The offscreen platform draws no frame but reports one: the session gets the size asked for.
    driver.windowSize = options->window;
    mirelta::MainWindow window(ProgramFolder(QFileInfo(options->folder).absoluteFilePath()),
                               {dialogs, sound, &driver, false});
    window.showAtStart();
    window.switchBorderOff();
    window.setGeometry(QRect(QPoint(0, 0), options->window));
    auto* brightness = window.findChild<QCheckBox*>(QStringLiteral("Ciar"));
    auto* level = window.findChild<QSlider*>(QStringLiteral("Tiar"));
    brightness->setChecked(options->brightness.has_value());
    level->setValue(options->brightness.value_or(250));
    // Chosen as the warning before a first session would have it chosen, so it is never asked.
    window.findChild<SettingsPanel*>()->chooseSession(options->gentle);
    window.findChild<QPushButton*>(QStringLiteral("start"))->click();
    std::cout.flush();
    return window.isVisible() ? 1 : 0;
}
