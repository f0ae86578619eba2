#pragma once
// Every setting the user can change on the settings page, declared once: the control that shows
// it (its object name, which also names its key in polufabu.ini), what kind of value it is, the
// value it has when the program starts, the value "Оптим. настройки программы" puts back, its
// place in the file and the limits of its value. The page binds its controls to these
// declarations, the settings file is read and written through them, the session's settings take
// their defaults from them and the recommended values are put back from them.
//
// Adding a setting: declare it here (and list it in kSettings), then make its control with the
// declaration on the page.

#include <array>
#include <cstddef>
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

// The whole-number range of a setting's value (of a text, its length); none when both are 0.
struct SettingLimits {
    int minimum = 0;
    int maximum = 0;
};

struct SettingDeclaration {
    std::string_view control; // the object name of the control (or the dialog)
    SettingKind kind;
    std::string_view initial;                    // as the program starts, as the file writes it
    std::optional<std::string_view> recommended; // what "Оптим. настройки" puts back
    int storedAt = -1; // the setting's place among the file's keys; -1 when it is not kept
    SettingLimits limits = {};

    // The initial value of a number, an item or a position.
    constexpr int initialNumber() const {
        int number = 0;
        for (const char digit : initial) {
            number = 10 * number + (digit - '0');
        }
        return number;
    }
    constexpr bool initiallyChecked() const { return initial == "True"; }
};

// The section of polufabu.ini that holds the settings.
inline constexpr std::string_view kSettingsSection = "TMirelta";

namespace setting {

using enum SettingKind;

inline constexpr SettingDeclaration passes{"Epov", Text, "2", "2", 0, {1, 9}};
inline constexpr SettingDeclaration phraseRepeats{"Mpov", Text, "4", "4", 1, {1, 4}};
inline constexpr SettingDeclaration wordRows{"Cslov", Checked, "True", "True", 8};
inline constexpr SettingDeclaration speed{"Rskor", ItemIndex, "1", "1", 3};
inline constexpr SettingDeclaration view{"Rvid", ItemIndex, "0", "0", 4};
// not kept in the file
inline constexpr SettingDeclaration brightness{"Ciar", Checked, "True", "True"};
// not kept in the file
inline constexpr SettingDeclaration brightnessLevel{"Tiar", Position, "250", "250", -1, {100, 500}};
inline constexpr SettingDeclaration version{"Rpol", ItemIndex, "0", "0", 7}; // man or woman
inline constexpr SettingDeclaration photoPause{"Ezad", Text, "5", "5", 12};
inline constexpr SettingDeclaration wordPause{"Eslov", Text, "20", "20", 14};
inline constexpr SettingDeclaration phrasePause{"Epred", Text, "30", "30", 15};
inline constexpr SettingDeclaration matrix{"Cmatr", Checked, "False", "False", 2};
inline constexpr SettingDeclaration letter{"Cbuk", Checked, "False", "False", 16};
inline constexpr SettingDeclaration sound{"Czv", Checked, "True", "True", 17};
inline constexpr SettingDeclaration lowerPauses{"Cubav", Checked, "True", "True", 18};
inline constexpr SettingDeclaration standardSuggestion{"Rgnast", ItemIndex, "5", std::nullopt, 5};
inline constexpr SettingDeclaration name{"Ename", Text, "", std::nullopt, 6, {0, 10}};
inline constexpr SettingDeclaration personal{"Chperson", Checked, "False", std::nullopt, 9};
inline constexpr SettingDeclaration photoShown{"Cfoto", Checked, "False", std::nullopt, 10};
inline constexpr SettingDeclaration photoFile{"Openf", FileName, "", std::nullopt, 11};
inline constexpr SettingDeclaration personalTitle{"Cperson", Text, "", std::nullopt, 13};
// The gentle session or the full one, chosen at the first "Старт": no initial value, so that the
// box starts unchosen. Kept last, so that a file written before it existed gains one line and
// loses none.
inline constexpr SettingDeclaration gentle{"Cgentle", Checked, "", std::nullopt, 19};

} // namespace setting

// Every setting, in the order the recommended values are put back: each goes through its
// control, whose reaction may change another control.
inline constexpr std::array<const SettingDeclaration*, 22> kSettings = {
    &setting::passes,
    &setting::phraseRepeats,
    &setting::wordRows,
    &setting::speed,
    &setting::view,
    &setting::brightness,
    &setting::brightnessLevel,
    &setting::version,
    &setting::photoPause,
    &setting::wordPause,
    &setting::phrasePause,
    &setting::matrix,
    &setting::letter,
    &setting::sound,
    &setting::lowerPauses,
    &setting::standardSuggestion,
    &setting::name,
    &setting::personal,
    &setting::photoShown,
    &setting::photoFile,
    &setting::personalTitle,
    &setting::gentle,
};

// How many settings the file keeps.
constexpr int storedSettingCount() {
    int count = 0;
    for (const SettingDeclaration* declared : kSettings) {
        count += declared->storedAt >= 0 ? 1 : 0;
    }
    return count;
}
inline constexpr int kStoredSettingCount = storedSettingCount();

// A check box declared without an initial value holds a choice the user has not made yet: until
// it is made the box shows neither state and nothing is written for it.
constexpr bool startsUnchosen(const SettingDeclaration& setting) {
    return setting.kind == SettingKind::Checked && setting.initial.empty();
}

// The key of a setting in the file: the control's name, "_", the property.
std::string settingKey(const SettingDeclaration& setting);

// The kept settings in the file's order.
std::array<const SettingDeclaration*, kStoredSettingCount> storedSettings();

} // namespace mirelta
