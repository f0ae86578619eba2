// Program start: the application with its title, the main window, and the message loop until the
// main window closes.

#include "dialogs.h"
#include "foreign_language_window.h"
#include "mirelta_window.h"
#include "paced_session_driver.h"
#include "program_folder.h"
#include "qt_sound_player.h"

#include <QApplication>
#include <QFile>
#include <QIcon>
#include <QTextStream>

namespace {

// With MIRELTA_SESSION_REPORT naming a file, the figures of the session just played are written
// there when the program ends: how the frames kept pace with the screen.
void reportSession(const TMirelta& window) {
    const QString path = qEnvironmentVariable("MIRELTA_SESSION_REPORT");
    const auto* driver = window.pacedDriver();
    if (path.isEmpty() || driver == nullptr) {
        return;
    }
    QFile report(path);
    if (report.open(QIODevice::WriteOnly | QIODevice::Text)) {
        QTextStream(&report) << "frames " << driver->framesPresented() << "\nrefresh_ms "
                             << driver->refreshMs() << "\nlongest_late_ms "
                             << driver->longestLatenessMs() << "\n";
    }
}

} // namespace

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Мирельта"));
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/icons/mirelta.png")));
    mirelta::WidgetDialogs dialogs(nullptr);
    mirelta::QtSoundPlayer sound;
    TMirelta window(mirelta::ProgramFolder(QApplication::applicationDirPath()), {dialogs, sound});
    // Hidden: no control of the main window shows it; it opens only when asked for.
    TFiniaz languageWindow(QApplication::applicationDirPath());
    // The program ends with its main window, whether or not the trainer is still open.
    languageWindow.setAttribute(Qt::WA_QuitOnClose, false);
    window.showAtStart();
    if (QApplication::arguments().contains(QStringLiteral("--language-trainer"))) {
        languageWindow.show();
    }
    const int result = QApplication::exec();
    reportSession(window);
    return result;
}
