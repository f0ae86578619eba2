#include "gui/editor/editor_panel.h"

#include "gui/widgets/clickable_label.h"
#include "gui/widgets/controls.h"

#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>

namespace mirelta {
namespace {

void label(QWidget* parent, const QString& text, QRect geometry) {
    auto* caption = new QLabel(text, parent);
    caption->setGeometry(geometry);
}

QPushButton* button(QWidget* parent, const char* name, const QString& text, QRect geometry) {
    return place(new QPushButton(text, parent), name, geometry);
}

} // namespace

EditorPanel::EditorPanel(QWidget* parent) : QFrame(parent) {
    setObjectName(QStringLiteral("Ptext"));
    // Below the menu strip, which covers the top of the page: the whole panel stays visible.
    setGeometry(0, 10, 417, 385);
    setFrameShape(QFrame::StyledPanel);
    setAutoFillBackground(true);
    QPalette tooltip = palette();
    tooltip.setColor(QPalette::Window, QColor(255, 255, 225));
    setPalette(tooltip);

    label(this, QStringLiteral("Заголовок"), {6, 6, 64, 20});
    title = place(new QLineEdit(this), "Ezag", {70, 4, 230, 22});
    label(this, QStringLiteral("№ "), {312, 6, 20, 20});
    thesisNumber = place(new QLineEdit(QStringLiteral("1"), this), "Enabz", {334, 4, 40, 22});
    buildHeaderChoices();
    buildWordFields();

    nextSentence = button(this, "Bnewslov", QStringLiteral("Нов предлож"), {6, 218, 98, 24});
    nextThesis = button(this, "Bnabz", QStringLiteral("Нов тезис"), {108, 218, 98, 24});
    saveButton = button(this, "Btextsox", QStringLiteral("Сохранить "), {210, 218, 98, 24});
    closeButton = button(this, "Btexzac", QStringLiteral("Закрыть"), {312, 218, 98, 24});
    text = place(new QPlainTextEdit(this), "Mtext", {6, 248, 405, 131});
    text->setLineWrapMode(QPlainTextEdit::NoWrap);

    title->installEventFilter(this);
    hide();
}

void EditorPanel::buildHeaderChoices() {
    colour = place(new RadioGroup(QStringLiteral("Цвет"),
                                  {QStringLiteral("Красный"), QStringLiteral("Зеленый"),
                                   QStringLiteral("Серый"), QStringLiteral("Любой")},
                                  this),
                   "Rsvet", {6, 30, 110, 92});
    colour->setItemIndex(3);
    label(this, QStringLiteral("Изображение"), {124, 32, 90, 20});
    pictureButton = button(this, "Bizsh", QStringLiteral("Определить"), {124, 52, 90, 22});
    frequency = place(new RadioGroup(QStringLiteral("Частота вывода"),
                                     {QStringLiteral("Тезис"), QStringLiteral("Предложение"),
                                      QStringLiteral("Всегда")},
                                     this),
                      "Rchast", {220, 30, 116, 76});
    frequency->setItemIndex(0);
    label(this, QStringLiteral("Задержка"), {124, 80, 60, 20});
    delay = place(new QLineEdit(QStringLiteral("10"), this), "Ezadsh", {184, 78, 30, 22});
    label(this, QStringLiteral("Музыка"), {340, 32, 70, 20});
    musicButton = button(this, "Bmisk", QStringLiteral("Выбрать"), {340, 52, 70, 22});
    acceptHeader = button(this, "Bop", QStringLiteral("Принять"), {340, 84, 70, 22});
}

void EditorPanel::buildWordFields() {
    wordPanel = place(new QFrame(this), "Pslov", {6, 126, 405, 88});
    wordPanel->setFrameShape(QFrame::StyledPanel);
    label(wordPanel, QStringLiteral("Номер слова в предложении"), {6, 2, 200, 18});
    for (int i = 0; i < kWordFields; ++i) {
        const int column = i % 5;
        const int row = i / 5;
        const int left = 6 + 80 * column;
        const int top = 22 + 32 * row;
        label(wordPanel, QString::number(i + 1), {left, top + 3, 14, 18});
        const QByteArray name = "Msl" + QByteArray::number(i + 1);
        words[i] = place(new QLineEdit(wordPanel), name.constData(), {left + 14, top, 62, 24});
        words[i]->setInputMask(QStringLiteral("nnnnnnnnnn")); // up to 10 letters or digits
        words[i]->installEventFilter(this);
    }
    howToLink = place(new ClickableLabel(QStringLiteral("Как составлять внушения ?"), wordPanel),
                      "R6", {220, 2, 180, 18});
    howToLink->setToolTip(
        QStringLiteral("Кликните сдесь чтобы узнать как составлять собственные внушения"));
}

QString EditorPanel::word(int index) const {
    return words[static_cast<std::size_t>(index)]->text().trimmed();
}

void EditorPanel::clearWords() {
    for (QLineEdit* field : words) {
        field->clear();
    }
}

// Right arrow leaves the title for the first word; right arrow or space leaves a word for the
// next one, and the last for "Нов предлож".
bool EditorPanel::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::KeyPress) {
        return QFrame::eventFilter(watched, event);
    }
    const int key = static_cast<QKeyEvent*>(event)->key();
    if (watched == title && key == Qt::Key_Right) {
        words[0]->setFocus();
        return true;
    }
    for (int i = 0; i < kWordFields; ++i) {
        if (watched == words[static_cast<std::size_t>(i)] &&
            (key == Qt::Key_Right || key == Qt::Key_Space)) {
            if (i + 1 < kWordFields) {
                words[static_cast<std::size_t>(i) + 1]->setFocus();
            } else {
                nextSentence->setFocus();
            }
            return true;
        }
    }
    return QFrame::eventFilter(watched, event);
}

} // namespace mirelta
