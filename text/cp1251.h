#pragma once
// Windows-1251, the code page in which suggestions, settings and messages are stored. The
// suggestion format is defined on single bytes (positions, lengths, upper-casing), so the core
// keeps text as Windows-1251 bytes and converts only where text meets the file system or the
// screen.

#include <string>
#include <string_view>

namespace mirelta::cp1251 {

// Bytes to UTF-8. Every byte has a character, so the conversion never fails and round-trips.
std::string toUtf8(std::string_view bytes);

// UTF-8 to bytes. Characters the code page lacks, and malformed UTF-8, become '?'.
std::string fromUtf8(std::string_view utf8);

// Upper case of one byte in this code page: Latin, Russian and the other Cyrillic letters the
// code page holds (Ё, Ђ, Ѓ, Є, Ѕ, І, Ї, Ј, Љ, Њ, Ћ, Ќ, Ў, Џ, Ґ).
char toUpper(char byte);
std::string toUpper(std::string_view bytes);

// Line breaks as a multi-line text box keeps them: CR LF, a bare LF and a bare CR all become
// CR LF.
std::string normaliseLineBreaks(std::string_view bytes);

} // namespace mirelta::cp1251
