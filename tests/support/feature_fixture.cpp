#include "tests/support/feature_fixture.h"

#include "gui/choice/suggestion_choice.h"
#include "gui/choice/suggestion_tabs.h"
#include "gui/editor/suggestion_editor.h"
#include "gui/settings/settings_panel.h"
#include "gui/settings/settings_store.h"
#include "text/cp1251.h"
#include "text/suggestion_tables.h"

#include <QDir>
#include <QFile>

namespace mirelta::test {

namespace {
constexpr int kTabSide = 425;
} // namespace

FeatureTest::FeatureTest()
    : letters(makeLettersTable()), scenario(makeScenarioTable()), programFolder_(folder_.path()),
      page_(new QWidget(&host_)) {
    for (const char* sub : {"Text", "Image", "Sound"}) {
        QDir(folder_.path()).mkpath(QString::fromLatin1(sub));
    }
}

FeatureTest::~FeatureTest() = default;

SettingsPanel& FeatureTest::settings() {
    if (settings_ == nullptr) {
        settings_ = new SettingsPanel(dialogs, folder_.path(), photo, bindings, page_);
    }
    return *settings_;
}

SuggestionChoice& FeatureTest::choice() {
    if (choice_ == nullptr) {
        SettingsPanel& panel = settings();
        tabs_ = new SuggestionTabs(page_, kTabSide, &host_);
        choice_ = new SuggestionChoice(page_, {letters, scenario}, panel, bindings, programFolder_,
                                       dialogs);
        QObject::connect(choice_, &SuggestionChoice::personalLoaded, tabs_,
                         &SuggestionTabs::showPersonal);
        if (editor_ != nullptr) {
            QObject::connect(editor_, &SuggestionEditor::saved, choice_,
                             &SuggestionChoice::useSaved);
        }
    }
    return *choice_;
}

SuggestionEditor& FeatureTest::editor() {
    if (editor_ == nullptr) {
        SettingsPanel& panel = settings();
        editor_ = new SuggestionEditor(page_, {programFolder_, dialogs, shell}, panel);
        QObject::connect(&panel, &SettingsPanel::editorRequested, editor_,
                         &SuggestionEditor::begin);
        if (choice_ != nullptr) {
            QObject::connect(editor_, &SuggestionEditor::saved, choice_,
                             &SuggestionChoice::useSaved);
        }
    }
    return *editor_;
}

void FeatureTest::showAsTheWindowDoes() {
    SuggestionChoice& chosen = choice();
    host_.show();
    if (!store_) {
        store_ = std::make_unique<SettingsStore>(programFolder_.settingsFile(), dialogs);
        bindings.declareStored(*store_);
    }
    store_->restore();
    chosen.listPersonal();
    settings().reloadPhoto(false);
    chosen.loadChosenPersonal();
    chosen.parse();
}

void FeatureTest::saveSettings() {
    ASSERT_NE(store_, nullptr) << "the settings were never restored";
    store_->saveOnce();
}

void FeatureTest::writeSettings(const QByteArray& bytes) {
    QFile file(path(QStringLiteral("polufabu.ini")));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

QByteArray FeatureTest::settingsBytes() const {
    QFile file(path(QStringLiteral("polufabu.ini")));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void FeatureTest::writePersonal(const QString& title, const std::string& utf8) {
    QFile file(path(QStringLiteral("Text/") + title + QStringLiteral(".txt")));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    const std::string bytes = cp1251::normaliseLineBreaks(cp1251::fromUtf8(utf8));
    file.write(bytes.data(), static_cast<qint64>(bytes.size()));
}

std::string FeatureTest::parsedLetters() const {
    std::string bytes;
    for (int row = 0; row < letters.rowCount(); ++row) {
        bytes += letters.textAt(row, letters_field::Letter);
    }
    return cp1251::toUtf8(bytes);
}

} // namespace mirelta::test
