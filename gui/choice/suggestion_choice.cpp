#include "gui/choice/suggestion_choice.h"

#include "gui/settings/setting_bindings.h"
#include "gui/settings/settings_panel.h"
#include "gui/widgets/clickable_label.h"
#include "gui/widgets/controls.h"
#include "platform/desktop/dialogs.h"
#include "platform/files/folder_listing.h"
#include "platform/files/program_folder.h"
#include "text/cp1251.h"
#include "text/parse_messages.h"
#include "text/record_table.h"
#include "text/standard_texts.h"
#include "text/suggestion_parser.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>

namespace mirelta {
namespace {

QString fromBytes(std::string_view bytes) {
    return QString::fromStdString(cp1251::toUtf8(bytes));
}

// A personal suggestion is a few kilobytes; anything far larger is not one.
constexpr qint64 kMaxPersonalTextBytes = qint64{16} * 1024 * 1024;

const QColor kLime(0, 255, 0);
const QColor kTooltipColour(255, 255, 225);

} // namespace

SuggestionChoice::SuggestionChoice(QWidget* page, Tables tables, const SettingsPanel& settings,
                                   SettingBindings& bindings, const ProgramFolder& folder,
                                   Dialogs& dialogs)
    : QObject(page), letters_(tables.letters), scenario_(tables.scenario), settings_(settings),
      folder_(folder), dialogs_(dialogs) {
    buildControls(page, bindings);
    onClick(standard_, [this] { standardClicked(); });
    onClick(personal_, [this] { personalClicked(); });
    onUserChange(personalList_, [this] { personalTitleChanged(); });
    connect(deletion_, &ClickableLabel::clicked, this, &SuggestionChoice::deleteChosen);
}

void SuggestionChoice::buildControls(QWidget* page, SettingBindings& bindings) {
    standard_ = new RadioGroup(QStringLiteral("Тип внушения"),
                               {QStringLiteral("Против Табачной зависимости"),
                                QStringLiteral("Против Пивной зависимости"),
                                QStringLiteral("Против Алкогольной зависимости"),
                                QStringLiteral("Против Наркотической зависимости"),
                                QStringLiteral("Против Неврозов"), QStringLiteral("Для Похудения")},
                               page);
    bindings.bind(setting::standardSuggestion, standard_)->setGeometry(16, 208, 369, 145);
    progress_ = place(new QProgressBar(page), "Pb", {16, 353, 369, 9});
    progress_->setRange(0, 100);
    progress_->setTextVisible(false);
    progress_->hide();
    personal_ =
        bindings.bind(setting::personal, new QCheckBox(QStringLiteral("Персональный"), page));
    personal_->move(0, 354);
    personalList_ = new QComboBox(page);
    personalList_->setGeometry(120, 352, 201, 22);
    personalList_->setEditable(true);
    personalList_->setInsertPolicy(QComboBox::NoInsert);
    bindings.bind(setting::personalTitle, personalList_);
    deletion_ = new ClickableLabel(QStringLiteral("Удалить"), page);
    deletion_->setObjectName(QStringLiteral("Rud"));
    deletion_->setToolTip(QStringLiteral("Удаление выбранного персонального настроя"));
    deletion_->setBackground(kTooltipColour);
    deletion_->adjustSize();
    deletion_->move(328, 355);

    description_ = framedPanel(page, "Popis", {16, 208, 369, 145});
    descriptionText_ = place(new QLabel(description_), "Ropis", {8, 8, 353, 105});
    descriptionText_->setAlignment(Qt::AlignCenter);
    descriptionText_->setWordWrap(true);
    descriptionText_->setAutoFillBackground(true);
    QPalette palette = descriptionText_->palette();
    palette.setColor(QPalette::Window, kLime);
    descriptionText_->setPalette(palette);
    auto* close = place(new QPushButton(QStringLiteral("Закрыть"), description_), "Bpopis",
                        {288, 120, 75, 20});
    connect(close, &QPushButton::clicked, description_, &QWidget::hide);
    description_->hide();
}

void SuggestionChoice::parse() {
    if (held_) {
        return;
    }
    progress_->show();
    for (RecordTable* table : {&letters_, &scenario_}) {
        if (!table->isOpen()) {
            table->open();
        }
        table->clear();
    }
    const bool personal = personal_->isChecked();
    std::string text;
    if (personal) {
        if (personalList_->currentText().isEmpty()) {
            parsed_ = false;
            progress_->hide();
            dialogs_.message(fromBytes(parse_messages::choosePersonal()));
            return;
        }
        text = personalText_;
    } else {
        description_->hide();
        text = std::string(standardText(standard_->itemIndex()));
    }
    const std::string name = cp1251::fromUtf8(settings_.userName().toStdString());
    const ParseOutcome outcome = parseSuggestion(
        {.text = text, .personal = personal, .sexItem = settings_.versionItem(), .name = name},
        letters_, scenario_, [this](int percent) { progress_->setValue(percent); });
    if (personal) {
        descriptionText_->setText(fromBytes(outcome.description));
        description_->setVisible(!outcome.description.empty());
    }
    progress_->hide();
    parsed_ = outcome.completed;
    if (!outcome.completed) {
        dialogs_.message(fromBytes(outcome.message));
    }
}

// A suggestion whose parse stopped holds only the rows read up to the fault.
bool SuggestionChoice::readyToPlay() {
    if (parsed_ && letters_.isOpen() && !letters_.isEmpty()) {
        return true;
    }
    dialogs_.message(QStringLiteral("Настрой не выбран или содержит ошибку: выберите стандартный "
                                    "или персональный настрой"));
    return false;
}

void SuggestionChoice::listPersonal() {
    const QString chosen = personalList_->currentText();
    personalList_->clear();
    std::vector<std::string> names;
    listFolderFiles(folder_.text().toStdString(), true, &names, 0, {}, ".txt");
    for (const std::string& name : names) {
        personalList_->addItem(QString::fromStdString(name));
    }
    personalList_->setCurrentIndex(-1);
    personalList_->setEditText(chosen);
}

void SuggestionChoice::loadChosenPersonal() {
    const QString title = personalList_->currentText();
    if (personal_->isChecked() && !title.isEmpty() && !loadPersonal(title)) {
        personalList_->setEditText(QString());
    }
}

// The new entry is chosen before personal is switched on: switching it on parses the entry
// chosen, and the text must be parsed once, as itself (an empty list has already chosen its
// first entry by itself, another list still names whatever it named before).
void SuggestionChoice::useSaved(const QString& title) {
    personalList_->addItem(title);
    dialogs_.message(QStringLiteral("Настрой ") + title + QStringLiteral(" сохранен"));
    personalList_->setCurrentIndex(personalList_->count() - 1);
    if (personal_->isChecked()) {
        personalTitleChanged();
    } else {
        personal_->setChecked(true);
    }
}

void SuggestionChoice::standardClicked() {
    if (personal_->isChecked()) {
        personal_->setChecked(false);
    }
    parse();
}

void SuggestionChoice::personalClicked() {
    const bool checked = personal_->isChecked();
    if (checked) {
        standard_->setItemIndex(-1);
    } else {
        dialogs_.message(QStringLiteral("Выбирите стандартный настрой"));
        if (standard_->itemIndex() == -1) {
            standard_->setItemIndex(0);
        }
    }
    const QString title = personalList_->currentText();
    if (checked && !title.isEmpty()) {
        if (loadPersonal(title)) {
            parse();
        } else {
            personalList_->setEditText(QString());
        }
    }
}

// Runs on every keystroke in the list's text: a text that names no file yet loads nothing and
// leaves the suggestion in use as it is.
void SuggestionChoice::personalTitleChanged() {
    descriptionText_->clear();
    if (!loadPersonal(personalList_->currentText())) {
        return;
    }
    if (!personal_->isChecked()) {
        personal_->setChecked(true);
    }
    parse();
}

void SuggestionChoice::deleteChosen() {
    const int entry = personalList_->currentIndex();
    if (entry < 0 || personalList_->itemText(entry) != personalList_->currentText()) {
        dialogs_.message(QStringLiteral("Выберите в списке персональный настрой, который нужно "
                                        "удалить"));
        return;
    }
    const QString path = folder_.personalText(personalList_->currentText());
    if (!dialogs_.ask(QStringLiteral("Удалить настрой ?"),
                      QStringLiteral("Удаление выбранного настроя"))) {
        return;
    }
    personalList_->removeItem(entry);
    personalList_->setCurrentIndex(-1);
    personalList_->setEditText(QString());
    if (personal_->isChecked()) {
        personal_->setChecked(false);
    }
    standard_->setItemIndex(0);
    if (!path.isEmpty()) {
        QFile::remove(path);
    }
}

// Reads the suggestion `title` names, if its file is there.
bool SuggestionChoice::loadPersonal(const QString& title) {
    const QString path = folder_.personalText(title);
    if (path.isEmpty() || !QFileInfo(path).isFile()) {
        return false;
    }
    QFile file(path);
    QByteArray bytes;
    if (file.open(QIODevice::ReadOnly) && file.size() <= kMaxPersonalTextBytes) {
        bytes = file.readAll();
    }
    personalText_ = cp1251::normaliseLineBreaks(std::string_view(bytes.constData(), bytes.size()));
    Q_EMIT personalLoaded(title, fromBytes(personalText_));
    return true;
}

} // namespace mirelta
