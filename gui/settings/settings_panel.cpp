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
constexpr int kMaxNameLength = 10;

void caption(QWidget* parent, const QString& text, QRect geometry) {
    auto* label = new QLabel(text, parent);
    label->setGeometry(geometry);
    label->setAutoFillBackground(true);
    QPalette palette = label->palette();
    palette.setColor(QPalette::Window, kCaptionColour);
    label->setPalette(palette);
}

QLineEdit* digitField(QWidget* parent, const char* name, QRect geometry) {
    auto* field = place(new QLineEdit(parent), name, geometry);
    field->setInputMask(QStringLiteral("0")); // one optional digit
    field->setText(initialValue(name));
    return field;
}

QLineEdit* textField(QWidget* parent, const char* name, QRect geometry) {
    return place(new QLineEdit(initialValue(name), parent), name, geometry);
}

// A box whose choice is not made yet shows neither state; the user's first click makes it.
QCheckBox* checkBox(QWidget* parent, const char* name, const QString& text, QRect geometry) {
    auto* box = place(new QCheckBox(text, parent), name, geometry);
    if (startsUnchosen(declaredSetting(name))) {
        box->setCheckState(Qt::PartiallyChecked);
        QObject::connect(box, &QCheckBox::clicked, box, [box] { box->setTristate(false); });
    } else {
        box->setChecked(initialValue(name) == QStringLiteral("True"));
    }
    return box;
}

RadioGroup* radioGroup(QWidget* parent, const char* name, const QString& text,
                       const QStringList& items, QRect geometry) {
    auto* group = place(new RadioGroup(text, items, parent), name, geometry);
    group->setItemIndex(initialValue(name).toInt());
    return group;
}

} // namespace

SettingsPanel::SettingsPanel(Dialogs& dialogs, const QString& programFolder, PictureBox& photo,
                             QWidget* parent)
    : QFrame(parent), dialogs_(dialogs), photo_(dialogs, programFolder, photo) {
    setObjectName(QStringLiteral("Pnast"));
    setGeometry(8, 56, 409, 153);
    setFrameShape(QFrame::StyledPanel);
    buildCounts();
    buildChoices();
    buildRightColumn();
    // The panel has no room left: the choice of session lies on the page under it, below the
    // personal suggestion's row.
    gentle_ = checkBox(parent, "Cgentle", QStringLiteral("Щадящий режим"), {0, 378, 130, 17});
    // Connected after the initial values are set: the form starts in its designed state.
    onChange(passes_, [this] { checkPasses(); });
    onChange(phraseRepeats_, [this] { checkPhraseRepeats(); });
    onChange(name_, [this] { checkName(); });
    onClick(matrix_, [this] { matrixClicked(); });
    onClick(letter_, [this] { letterClicked(); });
}

void SettingsPanel::buildCounts() {
    caption(this, QStringLiteral("Фраза"), {0, 5, 81, 20});
    passes_ = digitField(this, "Epov", {80, 0, 24, 24});
    caption(this, QStringLiteral("раз"), {104, 5, 33, 20});
    caption(this, QStringLiteral("Повторить"), {0, 29, 81, 20});
    phraseRepeats_ = digitField(this, "Mpov", {80, 24, 23, 24});
    caption(this, QStringLiteral("раз"), {104, 29, 33, 20});
    wordRows_ = checkBox(this, "Cslov", QStringLiteral("Слово"), {0, 50, 81, 17});
    caption(this, QStringLiteral("Имя"), {0, 77, 161, 20});
    name_ = textField(this, "Ename", {0, 96, 161, 24});
    caption(this, QStringLiteral("Пауза"), {0, 125, 49, 20});
    caption(this, QStringLiteral("слово"), {48, 125, 49, 20});
    wordPause_ = textField(this, "Eslov", {96, 124, 25, 21});
    caption(this, QStringLiteral("предложение"), {120, 125, 97, 20});
    phrasePause_ = textField(this, "Epred", {216, 124, 25, 21});
}

void SettingsPanel::buildChoices() {
    speed_ =
        radioGroup(this, "Rskor", QStringLiteral("Скорость"),
                   {QStringLiteral("Высокая"), QStringLiteral("Средняя"), QStringLiteral("Низкая")},
                   {136, 0, 89, 73});
    version_ =
        radioGroup(this, "Rpol", QStringLiteral("Пол"),
                   {QStringLiteral("Мужчина"), QStringLiteral("Женщина")}, {168, 72, 105, 49});
    view_ = radioGroup(
        this, "Rvid", QStringLiteral("Вид"),
        {QStringLiteral("Видимая"), QStringLiteral("Инверсия"), QStringLiteral("Скрытый")},
        {224, 0, 97, 73});
}

void SettingsPanel::buildRightColumn() {
    lowerPauses_ = checkBox(this, "Cubav", QStringLiteral("Убавлять"), {240, 128, 81, 17});
    photoShown_ = checkBox(this, "Cfoto", QStringLiteral("Фото"), {272, 98, 57, 17});
    auto* photoButton =
        place(new QPushButton(QStringLiteral("Фотография"), this), "Bfoto", {288, 80, 97, 17});
    connect(photoButton, &QPushButton::clicked, this, &SettingsPanel::choosePhoto);
    brightness_ = checkBox(this, "Ciar", QStringLiteral("Яркость"), {328, 8, 81, 17});
    brightnessLevel_ = place(new QSlider(Qt::Horizontal, this), "Tiar", {328, 24, 73, 9});
    brightnessLevel_->setRange(100, 500);
    brightnessLevel_->setValue(initialValue("Tiar").toInt());
    sound_ = checkBox(this, "Czv", QStringLiteral("Звук"), {328, 40, 73, 17});
    auto* ownText =
        place(new ClickableLabel(QStringLiteral("Cвой текст"), this), "R5", {328, 60, 74, 16});
    ownText->setToolTip(QStringLiteral("Клинкните сдесь чтобы составить свой текст внушения"));
    ownText->setBackground(kTooltipColour);
    connect(ownText, &ClickableLabel::clicked, this, &SettingsPanel::editorRequested);
    caption(this, QStringLiteral("задерж"), {328, 98, 49, 20});
    photoPause_ = textField(this, "Ezad", {376, 96, 25, 21});
    matrix_ = checkBox(this, "Cmatr", QStringLiteral("Матрица"), {320, 118, 81, 17});
    letter_ = checkBox(this, "Cbuk", QStringLiteral("Буква"), {320, 136, 81, 17});
}

std::optional<SessionSettings> SettingsPanel::sessionSettings() {
    SessionSettings settings;
    const auto message =
        readSessionNumbers({passes_->text(), phraseRepeats_->text(), photoPause_->text(),
                            wordPause_->text(), phrasePause_->text()},
                           settings);
    if (message) {
        dialogs_.message(*message);
        return std::nullopt;
    }
    settings.matrix = matrix_->isChecked();
    settings.letter = letter_->isChecked();
    settings.wordRow = wordRows_->isChecked();
    settings.view = view_->itemIndex();
    settings.speed = speed_->itemIndex();
    settings.photo = photoShown_->isChecked();
    settings.lowerPauses = lowerPauses_->isChecked();
    settings.brightness = brightness_->isChecked();
    settings.brightnessLevel = brightnessLevel_->value();
    settings.sound = sound_->isChecked();
    settings.gentle = gentle_->checkState() == Qt::Checked;
    return settings;
}

std::optional<bool> SettingsPanel::gentleChoice() const {
    if (gentle_->checkState() == Qt::PartiallyChecked) {
        return std::nullopt;
    }
    return gentle_->isChecked();
}

void SettingsPanel::chooseSession(bool gentle) {
    gentle_->setTristate(false);
    gentle_->setCheckState(gentle ? Qt::Checked : Qt::Unchecked);
}

void SettingsPanel::setPauses(int wordPause, int phrasePause) {
    wordPause_->setText(QString::number(wordPause));
    phrasePause_->setText(QString::number(phrasePause));
}

int SettingsPanel::versionItem() const {
    return version_->itemIndex();
}

QString SettingsPanel::userName() const {
    return name_->text();
}

// The photo's file is held by its dialog, not by a control.
void SettingsPanel::declareStored(SettingsStore& store, QWidget& window) {
    declareStoredSettings(store, window,
                          {{},
                           SettingKind::FileName,
                           [this] { return photo_.fileName(); },
                           [this](const QString& value) { photo_.setFileName(value); }});
}

// The name, the photo and the choice of suggestion stay as they are.
void SettingsPanel::putBackRecommended() {
    if (dialogs_.ask(QStringLiteral("Востановить настройки по умолчанию"),
                     QStringLiteral("Востановление настроек"))) {
        mirelta::putBackRecommended(*this);
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
    if (isNumber && value < 1) {
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
    if (value > 4) {
        dialogs_.message(QStringLiteral("Максимально четыре повторения"));
        phraseRepeats_->setText(QStringLiteral("4"));
    } else if (value < 1) {
        dialogs_.message(QStringLiteral("Не менее одного повторения"));
        phraseRepeats_->setText(QStringLiteral("1"));
    }
}

void SettingsPanel::checkName() {
    if (name_->text().size() > kMaxNameLength) {
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
