#include "platform/desktop/dialogs.h"

#include <QApplication>
#include <QFileDialog>
#include <QMessageBox>

namespace mirelta {

void WidgetDialogs::message(const QString& text) {
    // A CR alone is how the fixed texts break a line.
    QMessageBox box(QMessageBox::NoIcon, QApplication::applicationName(),
                    QString(text).replace(QLatin1Char('\r'), QLatin1Char('\n')), QMessageBox::Ok,
                    parent_);
    box.exec();
}

bool WidgetDialogs::ask(const QString& text, const QString& title) {
    QMessageBox box(QMessageBox::Question, title, text, QMessageBox::Yes | QMessageBox::No,
                    parent_);
    return box.exec() == QMessageBox::Yes;
}

QString WidgetDialogs::openFile(const QString& folder, const QString& filter) {
    return QFileDialog::getOpenFileName(parent_, QString(), folder, filter);
}

} // namespace mirelta
