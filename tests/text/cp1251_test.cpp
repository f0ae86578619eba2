#include "text/cp1251.h"

#include <cwctype>
#include <gtest/gtest.h>
#include <iconv.h>
#include <string>

using namespace mirelta;

namespace {

// The C library's own converter, as an independent check of the code table.
std::string systemToUtf8(unsigned char byte) {
    iconv_t converter = iconv_open("UTF-8", "CP1251");
    // iconv_open reports a failure as (iconv_t)-1.
    EXPECT_NE(converter, reinterpret_cast<iconv_t>(-1)); // NOLINT(performance-no-int-to-ptr)
    char in[1] = {static_cast<char>(byte)};
    char out[8] = {};
    char* inPtr = in;
    char* outPtr = out;
    std::size_t inLeft = 1;
    std::size_t outLeft = sizeof out;
    const std::size_t result = iconv(converter, &inPtr, &inLeft, &outPtr, &outLeft);
    iconv_close(converter);
    return result == static_cast<std::size_t>(-1) ? std::string() : std::string(out, outPtr);
}

} // namespace

TEST(Cp1251, EveryByteDecodesAsTheSystemConverterSaysAndRoundTrips) {
    for (int byte = 0; byte < 256; ++byte) {
        const std::string bytes(1, static_cast<char>(byte));
        const std::string utf8 = cp1251::toUtf8(bytes);
        const std::string expected = systemToUtf8(static_cast<unsigned char>(byte));
        if (!expected.empty()) {
            EXPECT_EQ(utf8, expected) << "byte " << byte;
        }
        EXPECT_EQ(cp1251::fromUtf8(utf8), bytes) << "byte " << byte;
    }
}

TEST(Cp1251, CharactersOutsideTheCodePageAndBrokenUtf8BecomeQuestionMarks) {
    EXPECT_EQ(cp1251::fromUtf8("a\xE4\xB8\xAD"
                               "b"),
              "a?b");                                     // a CJK character
    EXPECT_EQ(cp1251::fromUtf8("\xF0\x9F\x98\x80"), "?"); // an emoji
    EXPECT_EQ(cp1251::fromUtf8("x\xD0"), "x?");           // cut sequence
    EXPECT_EQ(cp1251::fromUtf8("\xFF"), "?");
    EXPECT_EQ(cp1251::fromUtf8("Яя"), "\xDF\xFF");
}

TEST(Cp1251, UpperCaseCoversEveryLetterOfTheCodePage) {
    std::setlocale(LC_CTYPE, "C.UTF-8");
    int changed = 0;
    for (int byte = 0; byte < 256; ++byte) {
        const char c = static_cast<char>(byte);
        // The upper case the C library knows for the character, where the code page has it.
        const std::string utf8 = cp1251::toUtf8(std::string(1, c));
        wchar_t wide = 0;
        std::mbtowc(&wide, utf8.data(), utf8.size());
        std::string upperUtf8(8, '\0');
        const int length = std::wctomb(upperUtf8.data(), static_cast<wchar_t>(std::towupper(wide)));
        upperUtf8.resize(length > 0 ? length : 0);
        std::string expected = cp1251::fromUtf8(upperUtf8);
        if (expected == "?" && c != '?') {
            expected = std::string(1, c); // µ: its capital is Greek, not in the code page
        }
        EXPECT_EQ(std::string(1, cp1251::toUpper(c)), expected) << "byte " << byte;
        changed += cp1251::toUpper(c) != c;
    }
    EXPECT_EQ(changed, 26 + 32 + 15); // Latin, Russian, and the other Cyrillic letters
    EXPECT_EQ(cp1251::toUpper(cp1251::fromUtf8("ёжик Hello ў")), cp1251::fromUtf8("ЁЖИК HELLO Ў"));
}

TEST(Cp1251, EveryKindOfLineBreakBecomesCrLf) {
    EXPECT_EQ(cp1251::normaliseLineBreaks("a\r\nb\nc\rd"), "a\r\nb\r\nc\r\nd");
    EXPECT_EQ(cp1251::normaliseLineBreaks("a\n\r"), "a\r\n\r\n"); // LF CR is two breaks
    EXPECT_EQ(cp1251::normaliseLineBreaks("\r\r\n\n"), "\r\n\r\n\r\n");
    EXPECT_EQ(cp1251::normaliseLineBreaks("end\r"), "end\r\n");
    EXPECT_EQ(cp1251::normaliseLineBreaks(""), "");
    const std::string already = "x\r\ny\r\n";
    EXPECT_EQ(cp1251::normaliseLineBreaks(already), already);
}
