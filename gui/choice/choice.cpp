// Choosing the suggestion: the standard items, the personal list, deletion, and the parse that
// follows every change so that the tables always hold the suggestion on show.

#include "gui/general_page.h"
#include "gui/main_window.h"
#include "gui/settings/settings_panel.h"
#include "gui/widgets/controls.h"
#include "platform/desktop/dialogs.h"
#include "text/cp1251.h"
#include "text/parse_messages.h"
#include "text/standard_texts.h"
#include "text/suggestion_parser.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QTabWidget>

using namespace mirelta;

namespace {

QString fromBytes(std::string_view bytes) {
    return QString::fromStdString(cp1251::toUtf8(bytes));
}

// A personal suggestion is a few kilobytes; anything far larger is not one.
constexpr qint64 kMaxPersonalTextBytes = qint64{16} * 1024 * 1024;

} // namespace

void TMirelta::Abasa() {
    if (state.borderSwitching == 1) {
        return;
    }
    Titul->Pb->show();
    for (RecordTable* table : {&Tslovo, &Tschenar}) {
        if (!table->isOpen()) {
            table->open();
        }
        table->clear();
    }
    const bool personal = Titul->Chperson->isChecked();
    std::string text;
    if (personal) {
        if (Titul->Cperson->currentText().isEmpty()) {
            suggestionParsed = false;
            Titul->Pb->hide();
            dialogs.message(fromBytes(parse_messages::choosePersonal()));
            return;
        }
        text = personalText;
    } else {
        Titul->Popis->hide();
        text = std::string(standardText(Titul->Rgnast->itemIndex()));
    }
    const std::string name = cp1251::fromUtf8(Pnast->Ename->text().toStdString());
    const ParseOutcome outcome = parseSuggestion(
        {.text = text, .personal = personal, .sexItem = Pnast->Rpol->itemIndex(), .name = name},
        Tslovo, Tschenar, [this](int percent) { Titul->Pb->setValue(percent); });
    if (personal) {
        Titul->Ropis->setText(fromBytes(outcome.description));
        Titul->Popis->setVisible(!outcome.description.empty());
    }
    Titul->Pb->hide();
    suggestionParsed = outcome.completed;
    if (outcome.completed) {
        state.thesisCount = *outcome.thesisCount;
    } else {
        dialogs.message(fromBytes(outcome.message));
    }
}

void TMirelta::RgnastClick() {
    if (Titul->Chperson->isChecked()) {
        Titul->Chperson->setChecked(false);
    }
    Abasa();
}

void TMirelta::ChpersonClick() {
    const bool checked = Titul->Chperson->isChecked();
    if (checked) {
        Titul->Rgnast->setItemIndex(-1);
    } else {
        dialogs.message(QStringLiteral("Выбирите стандартный настрой"));
        if (Titul->Rgnast->itemIndex() == -1) {
            Titul->Rgnast->setItemIndex(0);
        }
    }
    const QString title = Titul->Cperson->currentText();
    if (checked && !title.isEmpty()) {
        const QString path = folder.personalText(title);
        if (!path.isEmpty() && QFileInfo(path).isFile()) {
            showPersonalTitle(title);
            loadPersonalText(path);
            Abasa();
        } else {
            Titul->Cperson->setEditText(QString());
        }
    }
}

// Runs on every keystroke in the list's text: a text that names no file yet loads nothing and
// leaves the suggestion in use as it is.
void TMirelta::CpersonChange() {
    Titul->Ropis->clear();
    const QString title = Titul->Cperson->currentText();
    const QString path = folder.personalText(title);
    if (path.isEmpty() || !QFileInfo(path).isFile()) {
        return;
    }
    showPersonalTitle(title);
    loadPersonalText(path);
    if (!Titul->Chperson->isChecked()) {
        Titul->Chperson->setChecked(true);
    }
    Abasa();
}

void TMirelta::RudClick() {
    QComboBox* list = Titul->Cperson;
    const int entry = list->currentIndex();
    if (entry < 0 || list->itemText(entry) != list->currentText()) {
        dialogs.message(QStringLiteral("Выберите в списке персональный настрой, который нужно "
                                       "удалить"));
        return;
    }
    const QString path = folder.personalText(list->currentText());
    if (!dialogs.ask(QStringLiteral("Удалить настрой ?"),
                     QStringLiteral("Удаление выбранного настроя"))) {
        return;
    }
    list->removeItem(entry);
    list->setCurrentIndex(-1);
    list->setEditText(QString());
    if (Titul->Chperson->isChecked()) {
        Titul->Chperson->setChecked(false);
    }
    Titul->Rgnast->setItemIndex(0);
    if (!path.isEmpty()) {
        QFile::remove(path);
    }
}

void TMirelta::loadPersonalText(const QString& path) {
    QFile file(path);
    QByteArray bytes;
    if (file.open(QIODevice::ReadOnly) && file.size() <= kMaxPersonalTextBytes) {
        bytes = file.readAll();
    }
    personalText = cp1251::normaliseLineBreaks(std::string_view(bytes.constData(), bytes.size()));
    Mperson0->setPlainText(fromBytes(personalText));
}

void TMirelta::showPersonalTitle(const QString& title) {
    Pagenast->setTabText(Pagenast->indexOf(Tperson0), title);
}
