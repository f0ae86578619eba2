#pragma once
// Every setting the user can change on the settings page, declared once: the control that holds
// it (its object name), what kind of value it is, the value it has when the program starts, the
// value "Оптим. настройки программы" puts back, and its place in polufabu.ini. The page builds
// its controls from it, the recommended values are put back from it and the settings file is
// read and written by it. The rows are in the order the recommended values are put back: each
// goes through its control, whose reaction may change another control.

#include <array>
#include <optional>
#include <string>
#include <string_view>

namespace mirelta {

// The property of the control that holds the value; it also names the key in the file.
enum class SettingKind {
    Text,      // a field's text: "Text"
    ItemIndex, // the chosen item of a radio group, -1 for none: "ItemIndex"
    Checked,   // a check box, "True" or "False": "Checked"
    Position,  // a slider's position: "Position"
    FileName,  // a file chosen in a dialog: "FileName"
};

struct SettingDeclaration {
    std::string_view control; // the object name of the control (or the dialog)
    SettingKind kind;
    std::string_view initial;                    // as the program starts, as the file writes it
    std::optional<std::string_view> recommended; // what "Оптим. настройки" puts back
    int storedAt = -1; // the setting's place among the file's keys; -1 when it is not kept
};

// The section of polufabu.ini that holds the settings.
inline constexpr std::string_view kSettingsSection = "TMirelta";

inline constexpr int kStoredSettingCount = 20;

inline constexpr std::array<SettingDeclaration, 22> kSettings = {{
    {"Epov", SettingKind::Text, "2", "2", 0},                 // passes over a sentence
    {"Mpov", SettingKind::Text, "4", "4", 1},                 // phrase repeats
    {"Cslov", SettingKind::Checked, "True", "True", 8},       // word rows
    {"Rskor", SettingKind::ItemIndex, "1", "1", 3},           // speed
    {"Rvid", SettingKind::ItemIndex, "0", "0", 4},            // view
    {"Ciar", SettingKind::Checked, "True", "True"},           // brightness on
    {"Tiar", SettingKind::Position, "250", "250"},            // brightness level
    {"Rpol", SettingKind::ItemIndex, "0", "0", 7},            // the version: man or woman
    {"Ezad", SettingKind::Text, "5", "5", 12},                // photo pause
    {"Eslov", SettingKind::Text, "20", "20", 14},             // word pause
    {"Epred", SettingKind::Text, "30", "30", 15},             // phrase pause
    {"Cmatr", SettingKind::Checked, "False", "False", 2},     // the matrix block
    {"Cbuk", SettingKind::Checked, "False", "False", 16},     // the single letter
    {"Czv", SettingKind::Checked, "True", "True", 17},        // sound
    {"Cubav", SettingKind::Checked, "True", "True", 18},      // lower the pauses after a session
    {"Rgnast", SettingKind::ItemIndex, "5", std::nullopt, 5}, // the standard suggestion
    {"Ename", SettingKind::Text, "", std::nullopt, 6},        // the user's name
    {"Chperson", SettingKind::Checked, "False", std::nullopt, 9}, // a personal suggestion
    {"Cfoto", SettingKind::Checked, "False", std::nullopt, 10},   // the photo shown
    {"Openf", SettingKind::FileName, "", std::nullopt, 11},       // the photo's file
    {"Cperson", SettingKind::Text, "", std::nullopt, 13},         // the personal suggestion
    // The gentle session or the full one, chosen at the first "Старт". Kept last, so that a file
    // written before it existed gains one line and loses none.
    {"Cgentle", SettingKind::Checked, "", std::nullopt, 19},
}};

// A check box declared without an initial value holds a choice the user has not made yet: until
// it is made the box shows neither state and nothing is written for it.
inline bool startsUnchosen(const SettingDeclaration& setting) {
    return setting.kind == SettingKind::Checked && setting.initial.empty();
}

// The key of a setting in the file: the control's name, "_", the property.
std::string settingKey(const SettingDeclaration& setting);

// The declaration of `control`; every name the program asks for is declared.
const SettingDeclaration& declaredSetting(std::string_view control);

// The kept settings in the file's order.
std::array<const SettingDeclaration*, kStoredSettingCount> storedSettings();

} // namespace mirelta
