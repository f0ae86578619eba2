#pragma once
// The features of the general page built on their own, without the main window: the settings
// panel, the choice of a suggestion with its tab row and its own tables, and the editor, over a
// temporary program folder, with dialogs the test answers. Each test builds the features it needs;
// the ones it builds are wired to each other as the window wires them.

#include "display/picture_box.h"
#include "gui/settings/setting_bindings.h"
#include "platform/files/program_folder.h"
#include "tests/support/folder_fixture.h"
#include "tests/support/recording_dialogs.h"
#include "tests/support/typing.h"
#include "text/record_table.h"

#include <QWidget>
#include <gtest/gtest.h>
#include <memory>
#include <string>

namespace mirelta {
class SettingsPanel;
class SettingsStore;
class SuggestionChoice;
class SuggestionEditor;
class SuggestionTabs;
} // namespace mirelta

namespace mirelta::test {

class FeatureTest : public ProgramFolderTest {
public:
    ~FeatureTest() override;

protected:
    FeatureTest();

    mirelta::SettingsPanel& settings();
    // With the settings panel and the tab row it names personal suggestions on.
    mirelta::SuggestionChoice& choice();
    // With the settings panel; a text it saves becomes the choice's when the choice is built.
    mirelta::SuggestionEditor& editor();

    // The top-level widget the features lie on, in place of the window.
    QWidget& host() { return host_; }

    // What the window does each time it shows (it shows the host): the kept settings restored into
    // the features (the settings panel and the choice, which hold every kept setting), the personal
    // list read, the photo and the chosen personal suggestion loaded, and the choice parsed.
    void showAsTheWindowDoes();
    // Writes the kept settings as the window does when it closes.
    void saveSettings();

    template <typename Control> Control* control(const char* name) {
        auto* found = host_.findChild<Control*>(QString::fromLatin1(name));
        EXPECT_NE(found, nullptr) << name;
        return found;
    }

    // The letters of the parsed suggestion, UTF-8.
    std::string parsedLetters() const;

    RecordingDialogs dialogs;
    RecordingShell shell;
    // The panel's photo box, which the settings panel puts the user's photo on.
    PictureBox photo;
    // The kept settings' controls, bound by the features that make them.
    SettingBindings bindings;
    RecordTable letters;
    RecordTable scenario;

private:
    ProgramFolder programFolder_;
    QWidget host_;
    QWidget* page_;
    mirelta::SettingsPanel* settings_ = nullptr;
    mirelta::SuggestionTabs* tabs_ = nullptr;
    mirelta::SuggestionChoice* choice_ = nullptr;
    mirelta::SuggestionEditor* editor_ = nullptr;
    std::unique_ptr<mirelta::SettingsStore> store_;
};

} // namespace mirelta::test
