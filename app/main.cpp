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

const char* refreshSourceName(mirelta::RefreshSource source) {
    switch (source) {
    case mirelta::RefreshSource::FrameCallbacks:
        return "frame_callbacks";
    case mirelta::RefreshSource::ServerBlanks:
        return "server_blanks";
    case mirelta::RefreshSource::Timer:
        break;
    }
    return "timer";
}

const char* figuresSourceName(mirelta::FiguresSource source) {
    switch (source) {
    case mirelta::FiguresSource::Compositor:
        return "compositor";
    case mirelta::FiguresSource::DisplayServer:
        return "x_present";
    case mirelta::FiguresSource::ProgramClock:
        break;
    }
    return "clock";
}

QString kindLines(const mirelta::PresentationFigures& shown) {
    QString lines;
    for (const auto& [what, kind] : shown.kinds) {
        lines += QStringLiteral("kind %1 states %2 planned_refreshes %3 presented_refreshes %4\n")
                     .arg(QLatin1String(mirelta::shownName(what)))
                     .arg(kind.states)
                     .arg(kind.plannedRefreshes)
                     .arg(kind.presentedRefreshes);
    }
    return lines;
}

// With MIRELTA_SESSION_REPORT naming a file, the figures of the session just played are written
// there when the program ends: how the states kept pace with the display, and what the display
// said it presented. With MIRELTA_FRAME_LOG naming a file, every state that reached the window is
// listed there, one a line: milliseconds from the first, what it showed, the CRC-32 of its
// pixels, and when the compositor put it on the screen (milliseconds from the first state's
// presentation; "discarded" when it never was; "-" where the display does not say).
void reportSession(const mirelta::MainWindow& window) {
    const auto* driver = window.pacedDriver();
    if (driver == nullptr) {
        return;
    }
    const QString reportPath = qEnvironmentVariable("MIRELTA_SESSION_REPORT");
    QFile report(reportPath);
    if (!reportPath.isEmpty() && report.open(QIODevice::WriteOnly | QIODevice::Text)) {
        const mirelta::SessionFigures figures = driver->figures();
        const mirelta::PresentationFigures& shown = figures.presentation;
        QTextStream(&report) << "frames " << figures.framesPresented << "\nrefresh_ms "
                             << figures.refreshMs << "\nrefresh_source "
                             << refreshSourceName(figures.refreshSource) << "\nlongest_late_ms "
                             << figures.longestLatenessMs << "\nplanned_ms " << figures.plannedMs
                             << "\nsession_ms " << figures.sessionMs << "\nfirst_state_clock_ms "
                             << QString::number(figures.firstStateClockMs, 'f', 3)
                             << "\nfigures_source " << figuresSourceName(shown.source)
                             << "\nstates_planned " << shown.statesPlanned << "\nstates_presented "
                             << shown.statesPresented << "\nstates_discarded "
                             << shown.statesDiscarded << "\nstates_unanswered "
                             << shown.statesUnanswered << "\nrefreshes_planned "
                             << shown.refreshesPlanned << "\nrefreshes_presented "
                             << shown.refreshesPresented << "\nrefreshes_missed "
                             << shown.refreshesMissed << "\nworst_late_ms " << shown.worstLatenessMs
                             << "\n"
                             << kindLines(shown);
    }
    const QString logPath = qEnvironmentVariable("MIRELTA_FRAME_LOG");
    QFile log(logPath);
    if (!logPath.isEmpty() && log.open(QIODevice::WriteOnly | QIODevice::Text)) {
        QTextStream out(&log);
        for (const mirelta::PresentedFrame& frame : driver->frameLog()) {
            out << QString::number(frame.atMs, 'f', 3) << ' ' << mirelta::shownName(frame.what)
                << ' '
                << QStringLiteral("%1").arg(frame.checksum, 8, 16, QLatin1Char('0')).toUpper()
                << ' '
                << (frame.presentedMs ? QString::number(*frame.presentedMs, 'f', 3)
                    : frame.discarded ? QStringLiteral("discarded")
                                      : QStringLiteral("-"))
                << ' ' << frame.plannedRefreshes << '\n';
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
    // For the tests of the session's figures: one state's paint held back, as a busy machine would.
    services.pacing.holdBackState = qEnvironmentVariableIntValue("MIRELTA_TEST_HOLD_BACK_STATE");
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
