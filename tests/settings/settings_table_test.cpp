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

TEST(SettingsTable, SessionDefaultsAreTheControlsInitialValues) {
    const SessionSettings defaults;
    EXPECT_EQ(defaults.passes, 2);
    EXPECT_EQ(defaults.phraseRepeats, 4);
    EXPECT_FALSE(defaults.matrix);
    EXPECT_FALSE(defaults.letter);
    EXPECT_TRUE(defaults.wordRow);
    EXPECT_EQ(defaults.view, View::Visible);
    EXPECT_EQ(defaults.speed, Speed::Medium);
    EXPECT_FALSE(defaults.photo);
    EXPECT_EQ(defaults.photoPause, 5);
    EXPECT_EQ(defaults.wordPause, 20);
    EXPECT_EQ(defaults.phrasePause, 30);
    EXPECT_TRUE(defaults.lowerPauses);
    EXPECT_TRUE(defaults.brightness);
    EXPECT_EQ(defaults.brightnessLevel, 250);
    EXPECT_TRUE(defaults.sound);
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
    for (const SettingDeclaration* setting : kSettings) {
        EXPECT_TRUE(keys.insert(settingKey(*setting)).second) << settingKey(*setting);
        if (setting->storedAt >= 0) {
            EXPECT_TRUE(places.insert(setting->storedAt).second) << setting->control;
        }
    }
    EXPECT_EQ(places.size(), static_cast<std::size_t>(kStoredSettingCount));
    EXPECT_EQ(*places.rbegin(), kStoredSettingCount - 1);
}

} // namespace
} // namespace mirelta
