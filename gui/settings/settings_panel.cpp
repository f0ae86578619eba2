#include "gui/settings/settings_panel.h"

#include "gui/widgets/clickable_label.h"
#include "gui/widgets/controls.h"
#include "platform/desktop/dialogs.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSlider>

namespace mirelta {
namespace {

const QColor kCaptionColour(192, 220, 192);
const QColor kTooltipColour(255, 255, 225);
constexpr int kMaxNameLength = 10;

void caption(QWidget* parent, const QString& text, QRect geometry) {
    auto* label = new QLabel(text, parent);
    label->setGeometry(geometry);
    label->setAutoFillBackground(true);
    QPalette palette = label->palette();
    palette.setColor(QPalette::Window, kCaptionColour);
    label->setPalette(palette);
}

QLineEdit* digitField(QWidget* parent, const char* name, QRect geometry, const QString& value) {
    auto* field = place(new QLineEdit(parent), name, geometry);
    field->setInputMask(QStringLiteral("0")); // one optional digit
    field->setText(value);
    return field;
}

QLineEdit* textField(QWidget* parent, const char* name, QRect geometry, const QString& value) {
    auto* field = place(new QLineEdit(value, parent), name, geometry);
    return field;
}

QCheckBox* checkBox(QWidget* parent, const char* name, const QString& text, QRect geometry,
                    bool checked) {
    auto* box = place(new QCheckBox(text, parent), name, geometry);
    box->setChecked(checked);
    return box;
}

RadioGroup* radioGroup(QWidget* parent, const char* name, const QString& text,
                       const QStringList& items, QRect geometry, int item) {
    auto* group = place(new RadioGroup(text, items, parent), name, geometry);
    group->setItemIndex(item);
    return group;
}

} // namespace

SettingsPanel::SettingsPanel(Dialogs& dialogs, QWidget* parent)
    : QFrame(parent), dialogs_(dialogs) {
    setObjectName(QStringLiteral("Pnast"));
    setGeometry(8, 56, 409, 153);
    setFrameShape(QFrame::StyledPanel);

    caption(this, QStringLiteral("Фраза"), {0, 5, 81, 20});
    Epov = digitField(this, "Epov", {80, 0, 24, 24}, QStringLiteral("2"));
    caption(this, QStringLiteral("раз"), {104, 5, 33, 20});
    caption(this, QStringLiteral("Повторить"), {0, 29, 81, 20});
    Mpov = digitField(this, "Mpov", {80, 24, 23, 24}, QStringLiteral("4"));
    caption(this, QStringLiteral("раз"), {104, 29, 33, 20});
    Cslov = checkBox(this, "Cslov", QStringLiteral("Слово"), {0, 50, 81, 17}, true);
    caption(this, QStringLiteral("Имя"), {0, 77, 161, 20});
    Ename = textField(this, "Ename", {0, 96, 161, 24}, QString());
    caption(this, QStringLiteral("Пауза"), {0, 125, 49, 20});
    caption(this, QStringLiteral("слово"), {48, 125, 49, 20});
    Eslov = textField(this, "Eslov", {96, 124, 25, 21}, QStringLiteral("20"));
    caption(this, QStringLiteral("предложение"), {120, 125, 97, 20});
    Epred = textField(this, "Epred", {216, 124, 25, 21}, QStringLiteral("30"));
    Rskor =
        radioGroup(this, "Rskor", QStringLiteral("Скорость"),
                   {QStringLiteral("Высокая"), QStringLiteral("Средняя"), QStringLiteral("Низкая")},
                   {136, 0, 89, 73}, 1);
    Rpol =
        radioGroup(this, "Rpol", QStringLiteral("Пол"),
                   {QStringLiteral("Мужчина"), QStringLiteral("Женщина")}, {168, 72, 105, 49}, 0);
    Rvid = radioGroup(
        this, "Rvid", QStringLiteral("Вид"),
        {QStringLiteral("Видимая"), QStringLiteral("Инверсия"), QStringLiteral("Скрытый")},
        {224, 0, 97, 73}, 0);
    Cubav = checkBox(this, "Cubav", QStringLiteral("Убавлять"), {240, 128, 81, 17}, true);
    Cfoto = checkBox(this, "Cfoto", QStringLiteral("Фото"), {272, 98, 57, 17}, false);
    Bfoto = place(new QPushButton(QStringLiteral("Фотография"), this), "Bfoto", {288, 80, 97, 17});
    Ciar = checkBox(this, "Ciar", QStringLiteral("Яркость"), {328, 8, 81, 17}, true);
    Tiar = place(new QSlider(Qt::Horizontal, this), "Tiar", {328, 24, 73, 9});
    Tiar->setRange(100, 500);
    Tiar->setValue(250);
    Czv = checkBox(this, "Czv", QStringLiteral("Звук"), {328, 40, 73, 17}, true);
    R5 = place(new ClickableLabel(QStringLiteral("Cвой текст"), this), "R5", {328, 60, 74, 16});
    R5->setToolTip(QStringLiteral("Клинкните сдесь чтобы составить свой текст внушения"));
    R5->setBackground(kTooltipColour);
    caption(this, QStringLiteral("задерж"), {328, 98, 49, 20});
    Ezad = textField(this, "Ezad", {376, 96, 25, 21}, QStringLiteral("5"));
    Cmatr = checkBox(this, "Cmatr", QStringLiteral("Матрица"), {320, 118, 81, 17}, false);
    Cbuk = checkBox(this, "Cbuk", QStringLiteral("Буква"), {320, 136, 81, 17}, false);

    // Connected after the defaults are set: the form starts in its designed state.
    onChange(Epov, [this] { EpovChange(); });
    onChange(Mpov, [this] { MpovChange(); });
    onChange(Ename, [this] { EnameChange(); });
    onClick(Cmatr, [this] { CmatrClick(); });
    onClick(Cbuk, [this] { CbukClick(); });
}

// An emptied field is left alone while the user is typing; the session checks its numbers.
void SettingsPanel::EpovChange() {
    bool isNumber = false;
    const int value = Epov->text().toInt(&isNumber);
    if (isNumber && value < 1) {
        dialogs_.message(QStringLiteral("Не менее одного повторения"));
        Epov->setText(QStringLiteral("1"));
    }
}

void SettingsPanel::MpovChange() {
    bool isNumber = false;
    const int value = Mpov->text().toInt(&isNumber);
    if (!isNumber) {
        return;
    }
    if (value > 4) {
        dialogs_.message(QStringLiteral("Максимально четыре повторения"));
        Mpov->setText(QStringLiteral("4"));
    } else if (value < 1) {
        dialogs_.message(QStringLiteral("Не менее одного повторения"));
        Mpov->setText(QStringLiteral("1"));
    }
}

void SettingsPanel::EnameChange() {
    if (Ename->text().size() > kMaxNameLength) {
        dialogs_.message(QStringLiteral("В имени не должно быть более 10 символов"));
        Ename->clear();
    }
}

void SettingsPanel::CmatrClick() {
    if (Cbuk->isChecked()) {
        Cslov->setChecked(false);
    }
}

void SettingsPanel::CbukClick() {
    if (Cmatr->isChecked()) {
        Cmatr->setChecked(false);
    }
}

} // namespace mirelta
