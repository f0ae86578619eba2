// Program start: the application with its title, the main window, and the message loop until the
// main window closes.

#include "gui/language/foreign_language_window.h"
#include "gui/main_window.h"
#include "gui/session/paced_session_driver.h"
#include "platform/desktop/dialogs.h"
#include "platform/files/program_folder.h"
#include "platform/files/user_folders.h"
#include "platform/sound/qt_sound_player.h"

#include <QApplication>
#include <QFile>
#include <QIcon>
#include <QTextStream>

namespace {

const char* shownName(mirelta::Shown what) {
    using mirelta::Shown;
    switch (what) {
    case Shown::Preparation:
        return "prep";
    case Shown::Letter:
        return "letter";
    case Shown::Rest:
        return "rest";
    case Shown::Blank:
        return "blank";
    case Shown::Photo:
        return "photo";
    case Shown::WordRow:
        return "wordrow";
    case Shown::Phrase:
        return "phrase";
    case Shown::Picture:
        return "picture";
    case Shown::Cell:
        return "cell";
    }
    return "?";
}

// With MIRELTA_SESSION_REPORT naming a file, the figures of the session just played are written
// there when the program ends: how the frames kept pace with the screen. With MIRELTA_FRAME_LOG
// naming a file, every frame that reached the window is listed there, one a line: milliseconds
// from the first, what it showed and the CRC-32 of its pixels.
void reportSession(const mirelta::MainWindow& window) {
    const auto* driver = window.pacedDriver();
    if (driver == nullptr) {
        return;
    }
    const QString reportPath = qEnvironmentVariable("MIRELTA_SESSION_REPORT");
    QFile report(reportPath);
    if (!reportPath.isEmpty() && report.open(QIODevice::WriteOnly | QIODevice::Text)) {
        const mirelta::SessionFigures figures = driver->figures();
        QTextStream(&report) << "frames " << figures.framesPresented << "\nrefresh_ms "
                             << figures.refreshMs << "\nlongest_late_ms "
                             << figures.longestLatenessMs << "\nplanned_ms " << figures.plannedMs
                             << "\nsession_ms " << figures.sessionMs << "\n";
    }
    const QString logPath = qEnvironmentVariable("MIRELTA_FRAME_LOG");
    QFile log(logPath);
    if (!logPath.isEmpty() && log.open(QIODevice::WriteOnly | QIODevice::Text)) {
        QTextStream out(&log);
        for (const mirelta::PresentedFrame& frame : driver->frameLog()) {
            out << QString::number(frame.atMs, 'f', 3) << ' ' << shownName(frame.what) << ' '
                << QStringLiteral("%1").arg(frame.checksum, 8, 16, QLatin1Char('0')).toUpper()
                << '\n';
        }
    }
}

} // namespace

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Мирельта"));
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/icons/mirelta.png")));
    mirelta::WidgetDialogs dialogs(nullptr);
    mirelta::QtSoundPlayer sound;
    mirelta::WindowServices services{dialogs, sound};
    services.pacing.logFrames = qEnvironmentVariableIsSet("MIRELTA_FRAME_LOG");
    const mirelta::PreparedFolders folders =
        mirelta::prepareProgramFolders(QApplication::applicationDirPath());
    if (!folders.problem.isEmpty()) {
        dialogs.message(folders.problem);
    }
    mirelta::MainWindow window(folders.folder, services);
    // Hidden: no control of the main window shows it; it opens only when asked for.
    mirelta::ForeignLanguageWindow languageWindow(folders.folder.shippedPath());
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
