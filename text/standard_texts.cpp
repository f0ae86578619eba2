#include "text/standard_texts.h"

#include <array>

namespace mirelta {

// Generated from data/texts at build time, in the order of the items.
std::string_view embeddedStandardText(int index);

namespace {
constexpr std::array<std::string_view, kStandardTextCount> kNames = {"Mkur",  "Mpiv",  "Malk",
                                                                     "Mnark", "Mspok", "Mpohud"};
}

std::string_view standardText(int item) {
    return item >= 0 && item < kStandardTextCount ? embeddedStandardText(item) : std::string_view();
}

std::string_view standardTextName(int item) {
    return item >= 0 && item < kStandardTextCount ? kNames[item] : std::string_view();
}

} // namespace mirelta
