// mirelta-session-flashes: plays the session of a program folder on its own timeline, the full
// one as designed or the gentle one, and judges every refresh of the window by the flash rules.
//
//   mirelta-session-flashes --folder DIR [--gentle] [--refresh HZ] [--seconds S]
//                           [--window WxH] [--brightness off|P]
//
// DIR's polufabu.ini says what is played (it is read, never written). One line is printed:
//   seconds N failing F extended E warnings W most-flashes M red-flashes R pass|fail
// Exit status: 0 the session passes, 1 it fails, 2 bad input or no session played.

#include "gui/settings/settings_panel.h"
#include "platform/desktop/console_dialogs.h"
#include "safety/flash_monitor.h"
#include "safety/flash_report.h"
#include "tools/flash_check/session_film.h"
#include "tools/options/tool_options.h"

#include <QApplication>
#include <QCheckBox>
#include <QFileInfo>
#include <QSlider>
#include <cmath>
#include <iostream>
#include <optional>

namespace {

using namespace mirelta;

struct Options {
    QString folder;
    bool gentle = false;
    double refresh = 60;
    std::optional<double> seconds;
    QSize window{1024, 768};
    std::optional<int> brightness = 250;
};

std::optional<Options> parseOptions(const QStringList& args) {
    Options options;
    for (const ToolOption& option : toolOptions(args, {QStringLiteral("--gentle")})) {
        const QString& arg = option.name;
        if (arg == QStringLiteral("--gentle")) {
            options.gentle = true;
            continue;
        }
        if (!option.value) {
            return std::nullopt;
        }
        const QString& value = *option.value;
        bool number = false;
        if (arg == QStringLiteral("--folder")) {
            options.folder = value;
        } else if (arg == QStringLiteral("--refresh")) {
            options.refresh = value.toDouble(&number);
            if (!number || options.refresh < 1 || options.refresh > 1000) {
                return std::nullopt;
            }
        } else if (arg == QStringLiteral("--seconds")) {
            options.seconds = value.toDouble(&number);
            if (!number || !(*options.seconds > 0)) {
                return std::nullopt;
            }
        } else if (arg == QStringLiteral("--window")) {
            const std::optional<QSize> size = windowSize(value);
            if (!size) {
                return std::nullopt;
            }
            options.window = *size;
        } else if (arg == QStringLiteral("--brightness")) {
            if (!readBrightness(value, options.brightness)) {
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

} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    const std::optional<Options> options = parseOptions(QApplication::arguments());
    if (!options || !QFileInfo(options->folder).isDir()) {
        std::cerr << "usage: mirelta-session-flashes --folder DIR [--gentle] [--refresh HZ] "
                     "[--seconds S] [--window WxH] [--brightness off|P]\n"
                     "  DIR is a program folder; HZ the screen's refreshes a second (60); S the "
                     "seconds to judge (the whole session)\n";
        return 2;
    }
    FlashMonitor monitor(options->window, {.framesPerSecond = options->refresh});
    FlashReport report(options->refresh);
    const long lastFrame =
        options->seconds ? std::lround(*options->seconds * options->refresh) : -1;
    const FilmSetup setup{
        .folder = QFileInfo(options->folder).absoluteFilePath(),
        .window = options->window,
        .refreshHz = options->refresh,
        .beforeStart =
            [&](QWidget& window) {
                window.findChild<QCheckBox*>(QStringLiteral("Ciar"))
                    ->setChecked(options->brightness.has_value());
                window.findChild<QSlider*>(QStringLiteral("Tiar"))
                    ->setValue(options->brightness.value_or(250));
                window.findChild<SettingsPanel*>()->chooseSession(options->gentle);
            },
    };
    ConsoleDialogs dialogs;
    const FilmEnd end = playSessionFilm(setup, dialogs, [&](const QImage& window, long refreshes) {
        report.add(monitor.add(window));
        for (long i = 1; i < refreshes; ++i) {
            report.add(monitor.hold());
        }
        return lastFrame < 0 || monitor.framesKept() < lastFrame;
    });
    if (end == FilmEnd::NotStarted) {
        std::cerr << "mirelta-session-flashes: no session was played\n";
        return 2;
    }
    const FlashSummary summary = report.summary();
    std::cout << "seconds " << summary.seconds << " failing " << summary.failingSeconds
              << " extended " << summary.extendedSeconds << " warnings " << summary.warningSeconds
              << " most-flashes " << summary.mostFlashes << " red-flashes " << summary.redFlashes
              << ' ' << (summary.passes() ? "pass" : "fail") << '\n';
    return summary.passes() ? 0 : 1;
}
