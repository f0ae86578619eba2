// The table that declares every setting against what reads it elsewhere: the session's defaults
// and the settings file a first start writes.

#include "engine/session_settings.h"
#include "settings/settings_table.h"

#include <fstream>
#include <gtest/gtest.h>
#include <set>
#include <sstream>
#include <string>

namespace mirelta {
namespace {

std::string initial(std::string_view control) {
    return std::string(declaredSetting(control).initial);
}

int initialNumber(std::string_view control) {
    return std::stoi(initial(control));
}

bool initialChecked(std::string_view control) {
    return initial(control) == "True";
}

TEST(SettingsTable, SessionDefaultsAreTheControlsInitialValues) {
    const SessionSettings defaults;
    EXPECT_EQ(defaults.passes, initialNumber("Epov"));
    EXPECT_EQ(defaults.phraseRepeats, initialNumber("Mpov"));
    EXPECT_EQ(defaults.matrix, initialChecked("Cmatr"));
    EXPECT_EQ(defaults.letter, initialChecked("Cbuk"));
    EXPECT_EQ(defaults.wordRow, initialChecked("Cslov"));
    EXPECT_EQ(defaults.view, initialNumber("Rvid"));
    EXPECT_EQ(defaults.speed, initialNumber("Rskor"));
    EXPECT_EQ(defaults.photo, initialChecked("Cfoto"));
    EXPECT_EQ(defaults.photoPause, initialNumber("Ezad"));
    EXPECT_EQ(defaults.wordPause, initialNumber("Eslov"));
    EXPECT_EQ(defaults.phrasePause, initialNumber("Epred"));
    EXPECT_EQ(defaults.lowerPauses, initialChecked("Cubav"));
    EXPECT_EQ(defaults.brightness, initialChecked("Ciar"));
    EXPECT_EQ(defaults.brightnessLevel, initialNumber("Tiar"));
    EXPECT_EQ(defaults.sound, initialChecked("Czv"));
}

// The file a first start writes, key by key in its order, as the end-to-end tests know it.
TEST(SettingsTable, KeptSettingsAreTheDefaultFileInItsOrder) {
    std::ifstream file(MIRELTA_DEFAULT_SETTINGS, std::ios::binary);
    ASSERT_TRUE(file.good()) << MIRELTA_DEFAULT_SETTINGS;
    std::stringstream expected;
    expected << "[" << kSettingsSection << "]\r\nFormVersion=0\r\n";
    for (const SettingDeclaration* setting : storedSettings()) {
        ASSERT_NE(setting, nullptr);
        if (startsUnchosen(*setting)) {
            continue; // nothing is written for a choice not made yet
        }
        expected << settingKey(*setting) << "=" << setting->initial << "\r\n";
    }
    std::stringstream written;
    written << file.rdbuf();
    EXPECT_EQ(written.str(), expected.str());
}

TEST(SettingsTable, EveryPlaceInTheFileHasOneSettingAndEveryKeyIsOnce) {
    std::set<int> places;
    std::set<std::string> keys;
    for (const SettingDeclaration& setting : kSettings) {
        EXPECT_TRUE(keys.insert(settingKey(setting)).second) << settingKey(setting);
        if (setting.storedAt >= 0) {
            EXPECT_TRUE(places.insert(setting.storedAt).second) << setting.control;
        }
    }
    EXPECT_EQ(places.size(), static_cast<std::size_t>(kStoredSettingCount));
    EXPECT_EQ(*places.rbegin(), kStoredSettingCount - 1);
    EXPECT_THROW(declaredSetting("Nothing"), std::logic_error);
}

} // namespace
} // namespace mirelta
