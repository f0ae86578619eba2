// Program start: the application, its title and the main window.

#include "mirelta_window.h"

#include <QApplication>

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    QApplication::setApplicationDisplayName(QString());
    QApplication::setApplicationName(QStringLiteral("Мирельта"));
    TMirelta window;
    window.showMaximized();
    return QApplication::exec();
}
