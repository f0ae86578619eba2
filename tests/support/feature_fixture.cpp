#include "tests/support/feature_fixture.h"

#include "gui/choice/suggestion_choice.h"
#include "gui/choice/suggestion_tabs.h"
#include "gui/editor/suggestion_editor.h"
#include "gui/settings/settings_panel.h"
#include "gui/settings/settings_store.h"
#include "text/cp1251.h"
#include "text/suggestion_tables.h"

namespace mirelta::test {

namespace {
constexpr int kTabSide = 425;
} // namespace

FeatureTest::FeatureTest()
    : letters(makeLettersTable()), scenario(makeScenarioTable()), programFolder_(folderPath()),
      page_(new QWidget(&host_)) {}

FeatureTest::~FeatureTest() = default;

SettingsPanel& FeatureTest::settings() {
    if (settings_ == nullptr) {
        settings_ = new SettingsPanel(dialogs, folderPath(), photo, bindings, page_);
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

std::string FeatureTest::parsedLetters() const {
    std::string bytes;
    for (int row = 0; row < letters.rowCount(); ++row) {
        bytes += letters.textAt(row, letters_field::Letter);
    }
    return cp1251::toUtf8(bytes);
}

} // namespace mirelta::test
