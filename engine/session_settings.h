#pragma once
// The settings a session reads, taken from the controls when "Старт" is pressed: the settings page
// is hidden for the whole session, so they cannot change meanwhile.

#include "display/speed.h"
#include "settings/settings_table.h"

#include <QString>
#include <array>
#include <cstddef>
#include <functional>
#include <optional>

namespace mirelta {

// How the letters are shown ("Вид"), and what each way decides of the phrases and word rows.
enum class View {
    None, // no item chosen (a hand-edited settings file): no view's rule applies
    Visible,
    Inverse,
    Hidden,
};

struct ViewRule {
    bool lettersHidden;       // the letters and word rows are not shown
    bool phraseInStream;      // the phrase within the stream is styled
    bool closingPhraseStyled; // the phrase after the stream is styled
    bool greyWordRows;        // grey ticks draw their word rows in the grey style
};

inline constexpr std::array<ViewRule, 4> kViewRules = {{
    {false, false, false, false}, // None
    {false, true, false, false},  // Visible
    {false, false, true, true},   // Inverse
    {true, false, false, false},  // Hidden
}};

constexpr const ViewRule& ruleOf(View view) {
    return kViewRules[static_cast<std::size_t>(view)];
}

// The view of the chosen item of "Вид" (0 visible, 1 inverse, 2 hidden; -1 none).
constexpr View viewOfItem(int item) {
    return item == 0   ? View::Visible
           : item == 1 ? View::Inverse
           : item == 2 ? View::Hidden
                       : View::None;
}

// The defaults are the controls' initial values.
struct SessionSettings {
    int passes = setting::passes.initialNumber();
    int phraseRepeats = setting::phraseRepeats.initialNumber();
    bool matrix = setting::matrix.initiallyChecked();
    bool letter = setting::letter.initiallyChecked();
    bool wordRow = setting::wordRows.initiallyChecked();
    View view = viewOfItem(setting::view.initialNumber());
    Speed speed = speedOfItem(setting::speed.initialNumber());
    bool photo = setting::photoShown.initiallyChecked();
    int photoPause = setting::photoPause.initialNumber();   // ms
    int wordPause = setting::wordPause.initialNumber();     // ms
    int phrasePause = setting::phrasePause.initialNumber(); // ms
    bool lowerPauses = setting::lowerPauses.initiallyChecked();
    bool brightness = setting::brightness.initiallyChecked();
    int brightnessLevel = setting::brightnessLevel.initialNumber();
    bool sound = setting::sound.initiallyChecked();
    bool gentle = setting::gentle.initiallyChecked(); // keeps under the flash limits
};

// The settings as the controls hold them, each read by its declaration as the file writes it
// ("True", "2", ...). A field that does not hold a whole number, or a count below 1, gives a
// message for the user instead.
std::optional<QString>
readSessionSettings(const std::function<QString(const SettingDeclaration&)>& valueOf,
                    SessionSettings& settings);

} // namespace mirelta
