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
    title_ = place(new QLineEdit(this), "Ezag", {70, 4, 230, 22});
    label(this, QStringLiteral("№ "), {312, 6, 20, 20});
    thesisNumber_ = place(new QLineEdit(QStringLiteral("1"), this), "Enabz", {334, 4, 40, 22});
    buildHeaderChoices();
    buildWordFields();

    nextSentence_ = button(this, "Bnewslov", QStringLiteral("Нов предлож"), {6, 218, 98, 24});
    connect(nextSentence_, &QPushButton::clicked, this, &EditorPanel::nextSentenceClicked);
    connect(button(this, "Bnabz", QStringLiteral("Нов тезис"), {108, 218, 98, 24}),
            &QPushButton::clicked, this, &EditorPanel::nextThesisClicked);
    connect(button(this, "Btextsox", QStringLiteral("Сохранить "), {210, 218, 98, 24}),
            &QPushButton::clicked, this, &EditorPanel::saveClicked);
    connect(button(this, "Btexzac", QStringLiteral("Закрыть"), {312, 218, 98, 24}),
            &QPushButton::clicked, this, &EditorPanel::closeClicked);
    text_ = place(new QPlainTextEdit(this), "Mtext", {6, 248, 405, 131});
    text_->setLineWrapMode(QPlainTextEdit::NoWrap);

    title_->installEventFilter(this);
    hide();
}

void EditorPanel::buildHeaderChoices() {
    colour_ = place(new RadioGroup(QStringLiteral("Цвет"),
                                   {QStringLiteral("Красный"), QStringLiteral("Зеленый"),
                                    QStringLiteral("Серый"), QStringLiteral("Любой")},
                                   this),
                    "Rsvet", {6, 30, 110, 92});
    colour_->setItemIndex(3);
    label(this, QStringLiteral("Изображение"), {124, 32, 90, 20});
    connect(button(this, "Bizsh", QStringLiteral("Определить"), {124, 52, 90, 22}),
            &QPushButton::clicked, this, &EditorPanel::pictureClicked);
    frequency_ = place(new RadioGroup(QStringLiteral("Частота вывода"),
                                      {QStringLiteral("Тезис"), QStringLiteral("Предложение"),
                                       QStringLiteral("Всегда")},
                                      this),
                       "Rchast", {220, 30, 116, 76});
    frequency_->setItemIndex(0);
    label(this, QStringLiteral("Задержка"), {124, 80, 60, 20});
    delay_ = place(new QLineEdit(QStringLiteral("10"), this), "Ezadsh", {184, 78, 30, 22});
    label(this, QStringLiteral("Музыка"), {340, 32, 70, 20});
    connect(button(this, "Bmisk", QStringLiteral("Выбрать"), {340, 52, 70, 22}),
            &QPushButton::clicked, this, &EditorPanel::musicClicked);
    connect(button(this, "Bop", QStringLiteral("Принять"), {340, 84, 70, 22}),
            &QPushButton::clicked, this, &EditorPanel::acceptClicked);
}

void EditorPanel::buildWordFields() {
    wordPanel_ = place(new QFrame(this), "Pslov", {6, 126, 405, 88});
    wordPanel_->setFrameShape(QFrame::StyledPanel);
    label(wordPanel_, QStringLiteral("Номер слова в предложении"), {6, 2, 200, 18});
    for (int i = 0; i < kWordFields; ++i) {
        const int column = i % 5;
        const int row = i / 5;
        const int left = 6 + 80 * column;
        const int top = 22 + 32 * row;
        label(wordPanel_, QString::number(i + 1), {left, top + 3, 14, 18});
        const QByteArray name = "Msl" + QByteArray::number(i + 1);
        words_[i] = place(new QLineEdit(wordPanel_), name.constData(), {left + 14, top, 62, 24});
        words_[i]->setInputMask(QStringLiteral("nnnnnnnnnn")); // up to 10 letters or digits
        words_[i]->installEventFilter(this);
    }
    howTo_ = place(new ClickableLabel(QStringLiteral("Как составлять внушения ?"), wordPanel_),
                   "R6", {220, 2, 180, 18});
    connect(howTo_, &ClickableLabel::clicked, this, &EditorPanel::howToClicked);
    howTo_->setToolTip(
        QStringLiteral("Кликните сдесь чтобы узнать как составлять собственные внушения"));
}

QString EditorPanel::title() const {
    return title_->text();
}

QString EditorPanel::thesisNumber() const {
    return thesisNumber_->text();
}

void EditorPanel::setThesisNumber(int number) {
    thesisNumber_->setText(QString::number(number));
}

int EditorPanel::colourItem() const {
    return colour_->itemIndex();
}

int EditorPanel::frequencyItem() const {
    return frequency_->itemIndex();
}

QString EditorPanel::delay() const {
    return delay_->text();
}

QString EditorPanel::word(int index) const {
    return words_[static_cast<std::size_t>(index)]->text().trimmed();
}

void EditorPanel::clearWords() {
    for (QLineEdit* field : words_) {
        field->clear();
    }
}

void EditorPanel::focusTitle() {
    title_->setFocus();
}

void EditorPanel::focusFirstWord() {
    words_[0]->setFocus();
}

QStringList EditorPanel::lines() const {
    QStringList lines = text_->toPlainText().split(QLatin1Char('\n'));
    if (lines.size() == 1 && lines[0].isEmpty()) {
        lines.clear();
    }
    return lines;
}

void EditorPanel::setLines(const QStringList& lines) {
    text_->setPlainText(lines.join(QLatin1Char('\n')));
}

void EditorPanel::appendLine(const QString& line) {
    text_->appendPlainText(line);
}

void EditorPanel::clearText() {
    text_->clear();
}

// Right arrow leaves the title for the first word; right arrow or space leaves a word for the
// next one, and the last for "Нов предлож".
bool EditorPanel::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::KeyPress) {
        return QFrame::eventFilter(watched, event);
    }
    const int key = static_cast<QKeyEvent*>(event)->key();
    if (watched == title_ && key == Qt::Key_Right) {
        words_[0]->setFocus();
        return true;
    }
    for (int i = 0; i < kWordFields; ++i) {
        if (watched == words_[static_cast<std::size_t>(i)] &&
            (key == Qt::Key_Right || key == Qt::Key_Space)) {
            if (i + 1 < kWordFields) {
                words_[static_cast<std::size_t>(i) + 1]->setFocus();
            } else {
                nextSentence_->setFocus();
            }
            return true;
        }
    }
    return QFrame::eventFilter(watched, event);
}

} // namespace mirelta
