#include "gui/settings/settings_panel.h"

#include "gui/settings/setting_bindings.h"
#include "gui/widgets/clickable_label.h"
#include "gui/widgets/controls.h"
#include "platform/desktop/dialogs.h"
#include "settings/settings_table.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSlider>

namespace mirelta {
namespace {

const QColor kCaptionColour(192, 220, 192);
const QColor kTooltipColour(255, 255, 225);

void caption(QWidget* parent, const QString& text, QRect geometry) {
    auto* label = new QLabel(text, parent);
    label->setGeometry(geometry);
    label->setAutoFillBackground(true);
    QPalette palette = label->palette();
    palette.setColor(QPalette::Window, kCaptionColour);
    label->setPalette(palette);
}

// A control of a declared setting, bound to it and put in place.
template <typename Control>
Control* bound(SettingBindings& bindings, const SettingDeclaration& declared, Control* control,
               QRect geometry) {
    bindings.bind(declared, control)->setGeometry(geometry);
    return control;
}

} // namespace

SettingsPanel::SettingsPanel(Dialogs& dialogs, const QString& programFolder, PictureBox& photo,
                             SettingBindings& bindings, QWidget* parent)
    : QFrame(parent), dialogs_(dialogs), bindings_(bindings),
      photo_(dialogs, programFolder, photo) {
    setObjectName(QStringLiteral("Pnast"));
    setGeometry(8, 56, 409, 153);
    setFrameShape(QFrame::StyledPanel);
    buildCounts();
    buildChoices();
    buildRightColumn();
    // The panel has no room left: the choice of session lies on the page under it, below the
    // personal suggestion's row.
    checkBox(setting::gentle, QStringLiteral("Щадящий режим"), {0, 378, 130, 17}, parent);
    // The photo's file is held by its dialog, not by a control.
    bindings_.bind(
        setting::photoFile, [this] { return photo_.fileName(); },
        [this](const QString& value) { photo_.setFileName(value); });
    // Connected after the initial values are set: the form starts in its designed state.
    onChange(passes_, [this] { checkPasses(); });
    onChange(phraseRepeats_, [this] { checkPhraseRepeats(); });
    onChange(name_, [this] { checkName(); });
    onClick(matrix_, [this] { matrixClicked(); });
    onClick(letter_, [this] { letterClicked(); });
}

QLineEdit* SettingsPanel::digitField(const SettingDeclaration& declared, QRect geometry) {
    auto* field = new QLineEdit(this);
    field->setInputMask(QStringLiteral("0")); // one optional digit
    return bound(bindings_, declared, field, geometry);
}

QLineEdit* SettingsPanel::textField(const SettingDeclaration& declared, QRect geometry) {
    return bound(bindings_, declared, new QLineEdit(this), geometry);
}

QCheckBox* SettingsPanel::checkBox(const SettingDeclaration& declared, const QString& text,
                                   QRect geometry, QWidget* parent) {
    return bound(bindings_, declared, new QCheckBox(text, parent ? parent : this), geometry);
}

void SettingsPanel::radioGroup(const SettingDeclaration& declared, const QString& text,
                               const QStringList& items, QRect geometry) {
    bound(bindings_, declared, new RadioGroup(text, items, this), geometry);
}

void SettingsPanel::buildCounts() {
    caption(this, QStringLiteral("Фраза"), {0, 5, 81, 20});
    passes_ = digitField(setting::passes, {80, 0, 24, 24});
    caption(this, QStringLiteral("раз"), {104, 5, 33, 20});
    caption(this, QStringLiteral("Повторить"), {0, 29, 81, 20});
    phraseRepeats_ = digitField(setting::phraseRepeats, {80, 24, 23, 24});
    caption(this, QStringLiteral("раз"), {104, 29, 33, 20});
    wordRows_ = checkBox(setting::wordRows, QStringLiteral("Слово"), {0, 50, 81, 17});
    caption(this, QStringLiteral("Имя"), {0, 77, 161, 20});
    name_ = textField(setting::name, {0, 96, 161, 24});
    caption(this, QStringLiteral("Пауза"), {0, 125, 49, 20});
    caption(this, QStringLiteral("слово"), {48, 125, 49, 20});
    textField(setting::wordPause, {96, 124, 25, 21});
    caption(this, QStringLiteral("предложение"), {120, 125, 97, 20});
    textField(setting::phrasePause, {216, 124, 25, 21});
}

void SettingsPanel::buildChoices() {
    radioGroup(setting::speed, QStringLiteral("Скорость"),
               {QStringLiteral("Высокая"), QStringLiteral("Средняя"), QStringLiteral("Низкая")},
               {136, 0, 89, 73});
    radioGroup(setting::version, QStringLiteral("Пол"),
               {QStringLiteral("Мужчина"), QStringLiteral("Женщина")}, {168, 72, 105, 52});
    radioGroup(setting::view, QStringLiteral("Вид"),
               {QStringLiteral("Видимая"), QStringLiteral("Инверсия"), QStringLiteral("Скрытый")},
               {224, 0, 97, 73});
}

void SettingsPanel::buildRightColumn() {
    checkBox(setting::lowerPauses, QStringLiteral("Убавлять"), {240, 128, 81, 17});
    photoShown_ = checkBox(setting::photoShown, QStringLiteral("Фото"), {272, 98, 57, 17});
    auto* photoButton =
        place(new QPushButton(QStringLiteral("Фотография"), this), "Bfoto", {288, 80, 97, 17});
    connect(photoButton, &QPushButton::clicked, this, &SettingsPanel::choosePhoto);
    checkBox(setting::brightness, QStringLiteral("Яркость"), {328, 8, 81, 17});
    bound(bindings_, setting::brightnessLevel, new QSlider(Qt::Horizontal, this), {328, 24, 73, 9});
    checkBox(setting::sound, QStringLiteral("Звук"), {328, 40, 73, 17});
    ownText_ =
        place(new ClickableLabel(QStringLiteral("Cвой текст"), this), "R5", {328, 60, 74, 16});
    ownText_->setToolTip(QStringLiteral("Клинкните сдесь чтобы составить свой текст внушения"));
    ownText_->setBackground(kTooltipColour);
    connect(ownText_, &ClickableLabel::clicked, this, &SettingsPanel::editorRequested);
    caption(this, QStringLiteral("задерж"), {328, 98, 49, 20});
    textField(setting::photoPause, {376, 96, 25, 21});
    matrix_ = checkBox(setting::matrix, QStringLiteral("Матрица"), {320, 118, 81, 17});
    letter_ = checkBox(setting::letter, QStringLiteral("Буква"), {320, 136, 81, 17});
}

std::optional<SessionSettings> SettingsPanel::sessionSettings() {
    SessionSettings settings;
    const auto message = readSessionSettings(
        [this](const SettingDeclaration& declared) { return bindings_.value(declared); }, settings);
    if (message) {
        dialogs_.message(*message);
        return std::nullopt;
    }
    return settings;
}

void SettingsPanel::setPauses(int wordPause, int phrasePause) {
    bindings_.apply(setting::wordPause, QString::number(wordPause));
    bindings_.apply(setting::phrasePause, QString::number(phrasePause));
}

std::optional<bool> SettingsPanel::gentleChoice() const {
    const QString value = bindings_.value(setting::gentle);
    if (value.isEmpty()) {
        return std::nullopt;
    }
    return value == QStringLiteral("True");
}

void SettingsPanel::chooseSession(bool gentle) {
    bindings_.apply(setting::gentle, gentle ? QStringLiteral("True") : QStringLiteral("False"));
}

int SettingsPanel::versionItem() const {
    return bindings_.value(setting::version).toInt();
}

QString SettingsPanel::userName() const {
    return name_->text();
}

// The name, the photo and the choice of suggestion stay as they are.
void SettingsPanel::offerRecommended() {
    if (dialogs_.ask(QStringLiteral("Востановить настройки по умолчанию"),
                     QStringLiteral("Востановление настроек"))) {
        bindings_.putBackRecommended();
    }
}

void SettingsPanel::choosePhoto() {
    if (!photo_.choose()) {
        return;
    }
    photoShown_->setChecked(true);
    if (!photo_.checkSize()) {
        photoShown_->setChecked(false);
    }
}

void SettingsPanel::reloadPhoto(bool reportMissing) {
    if (!photo_.reload(photoShown_->isChecked(), reportMissing)) {
        photoShown_->setChecked(false);
    }
}

// An emptied field is left alone while the user is typing; the session checks its numbers.
void SettingsPanel::checkPasses() {
    bool isNumber = false;
    const int value = passes_->text().toInt(&isNumber);
    if (isNumber && value < setting::passes.limits.minimum) {
        dialogs_.message(QStringLiteral("Не менее одного повторения"));
        passes_->setText(QStringLiteral("1"));
    }
}

void SettingsPanel::checkPhraseRepeats() {
    bool isNumber = false;
    const int value = phraseRepeats_->text().toInt(&isNumber);
    if (!isNumber) {
        return;
    }
    const SettingLimits limits = setting::phraseRepeats.limits;
    if (value > limits.maximum) {
        dialogs_.message(QStringLiteral("Максимально четыре повторения"));
        phraseRepeats_->setText(QString::number(limits.maximum));
    } else if (value < limits.minimum) {
        dialogs_.message(QStringLiteral("Не менее одного повторения"));
        phraseRepeats_->setText(QStringLiteral("1"));
    }
}

void SettingsPanel::checkName() {
    if (name_->text().size() > setting::name.limits.maximum) {
        dialogs_.message(QStringLiteral("В имени не должно быть более 10 символов"));
        name_->clear();
    }
}

// The matrix block and the word rows do not go together with the single letter.
void SettingsPanel::matrixClicked() {
    if (letter_->isChecked()) {
        wordRows_->setChecked(false);
    }
}

void SettingsPanel::letterClicked() {
    if (matrix_->isChecked()) {
        matrix_->setChecked(false);
    }
}

} // namespace mirelta
