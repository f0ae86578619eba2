#include "platform/desktop/dialogs.h"

#include <QApplication>
#include <QFileDialog>
#include <QMessageBox>
#include <QPushButton>

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

// "Отмена", Escape and the box's close button all leave without a choice.
std::optional<int> WidgetDialogs::choose(const QString& text, const QString& title,
                                         const QStringList& options) {
    QMessageBox box(QMessageBox::Warning, title, text, QMessageBox::NoButton, parent_);
    QList<QAbstractButton*> buttons;
    for (const QString& option : options) {
        buttons.append(box.addButton(option, QMessageBox::AcceptRole));
    }
    QAbstractButton* cancel = box.addButton(QStringLiteral("Отмена"), QMessageBox::RejectRole);
    box.setEscapeButton(cancel);
    if (!buttons.isEmpty()) {
        box.setDefaultButton(qobject_cast<QPushButton*>(buttons.front()));
    }
    box.exec();
    const qsizetype chosen = buttons.indexOf(box.clickedButton());
    if (chosen < 0) {
        return std::nullopt;
    }
    return static_cast<int>(chosen);
}

} // namespace mirelta
