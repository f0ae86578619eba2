// Program start: the application with its title, the main window, and the message loop until the
// main window closes.

#include "dialogs.h"
#include "foreign_language_window.h"
#include "mirelta_window.h"
#include "program_folder.h"
#include "qt_sound_player.h"

#include <QApplication>
#include <QIcon>

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Мирельта"));
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/icons/mirelta.png")));
    mirelta::WidgetDialogs dialogs(nullptr);
    mirelta::QtSoundPlayer sound;
    TMirelta window(mirelta::ProgramFolder(QApplication::applicationDirPath()), {dialogs, sound});
    // Hidden: no control of the main window shows it; it opens only when asked for.
    TFiniaz languageWindow(QApplication::applicationDirPath());
    window.showAtStart();
    if (QApplication::arguments().contains(QStringLiteral("--language-trainer"))) {
        languageWindow.show();
    }
    return QApplication::exec();
}
