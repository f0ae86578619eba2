#pragma once
// The six standard suggestions that are part of the program, by their item in the choice of
// suggestion type: 0 smoking, 1 beer, 2 alcohol, 3 drugs, 4 neuroses, 5 weight loss.

#include <string_view>

namespace mirelta {

inline constexpr int kStandardTextCount = 6;

// Windows-1251 text with CR LF line breaks; empty for an item that names no text.
std::string_view standardText(int item);

// Name of the text box that shows the text: "Mkur", "Mpiv", "Malk", "Mnark", "Mspok", "Mpohud".
std::string_view standardTextName(int item);

} // namespace mirelta
