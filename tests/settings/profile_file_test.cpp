#include "settings/profile_file.h"

#include <gtest/gtest.h>

using namespace mirelta;

namespace {
ProfileFile file(std::string_view bytes) {
    return ProfileFile::fromBytes(std::string(bytes));
}
} // namespace

TEST(ProfileFile, ReadsTheFirstMatchingKeyOfTheFirstMatchingSectionWithoutRegardToCase) {
    const auto profile = file("; comment\r\n[Other]\r\nKey=other\r\n[tmirelta]\r\n  KEY = one  \r\n"
                              "key=two\r\n[TMirelta]\r\nKey=three\r\nLate=late\r\n");
    EXPECT_EQ(profile.read("TMirelta", "key"), "one");
    EXPECT_EQ(profile.read("OTHER", "Key"), "other");
    // A key that only a later duplicate section has is not seen.
    EXPECT_EQ(profile.read("TMirelta", "Late"), std::nullopt);
    EXPECT_EQ(profile.read("Missing", "Key"), std::nullopt);
    EXPECT_EQ(profile.read("TMirelta", "Missing", "fallback"), "fallback");
}

TEST(ProfileFile, OneEnclosingPairOfQuotesIsTakenOff) {
    const auto profile =
        file("[S]\nA=\"quoted\"\nB='single'\nC=\"\"twice\"\"\nD=\"open\nE='mixed\"\n"
             "F=\"\nG=\"\"\n");
    EXPECT_EQ(profile.read("S", "A"), "quoted");
    EXPECT_EQ(profile.read("S", "B"), "single");
    EXPECT_EQ(profile.read("S", "C"), "\"twice\"");
    EXPECT_EQ(profile.read("S", "D"), "\"open");
    EXPECT_EQ(profile.read("S", "E"), "'mixed\"");
    EXPECT_EQ(profile.read("S", "F"), "\"");
    EXPECT_EQ(profile.read("S", "G"), "");
}

TEST(ProfileFile, BrokenFilesReadWithoutFailure) {
    std::string junk;
    for (int i = 0; i < 5000; ++i) {
        junk += static_cast<char>((i * 7919) % 256);
    }
    const auto binary = file(junk);
    EXPECT_EQ(binary.read("TMirelta", "Epov_Text"), std::nullopt);

    // Keys before any section, lines without "=", a key of the right name in another section.
    const auto noSection = file("Epov_Text=9\r\njust words\r\n[Other]\r\nEpov_Text=8\r\n");
    EXPECT_EQ(noSection.read("TMirelta", "Epov_Text"), std::nullopt);
    const auto noEquals = file("[TMirelta]\r\nEpov_Text\r\nMpov_Text=3\r\n");
    EXPECT_EQ(noEquals.read("TMirelta", "Epov_Text"), std::nullopt);
    EXPECT_EQ(noEquals.read("TMirelta", "Mpov_Text"), "3");

    const std::string longValue(100000, 'x');
    const auto longLine = file("[TMirelta]\r\nEname_Text=" + longValue + "\r\n");
    EXPECT_EQ(longLine.read("TMirelta", "Ename_Text")->size(), ProfileFile::kMaxValueLength);
}

TEST(ProfileFile, WritingReplacesInPlaceAppendsToTheSectionAndKeepsEverythingElse) {
    auto profile = file("; settings\r\n[TMirelta]\r\nFormVersion=0\r\nepov_text=5\r\n\r\n"
                        "[Other]\r\nEpov_Text=7\r\n");
    profile.write("TMIRELTA", "Epov_Text", "2");
    profile.write("TMirelta", "Mpov_Text", "4");
    profile.write("New", "Key", "value");
    EXPECT_EQ(profile.toBytes(),
              "; settings\r\n[TMirelta]\r\nFormVersion=0\r\nEpov_Text=2\r\n"
              "Mpov_Text=4\r\n\r\n[Other]\r\nEpov_Text=7\r\n[New]\r\nKey=value\r\n");
}

TEST(ProfileFile, AnyLineBreakIsReadAndEveryLineKeepsItsOwn) {
    auto profile = file("[S]\nA=1\rB=2\r\nC=3");
    EXPECT_EQ(profile.read("S", "B"), "2");
    EXPECT_EQ(profile.read("S", "C"), "3");
    EXPECT_EQ(profile.toBytes(), "[S]\nA=1\rB=2\r\nC=3");
    profile.write("S", "A", "one");
    EXPECT_EQ(profile.toBytes(), "[S]\nA=one\rB=2\r\nC=3");
    EXPECT_EQ(ProfileFile().toBytes(), "");
}

TEST(ProfileFile, ALastLineWithoutABreakGetsOneOnlyWhenALineFollowsIt) {
    auto replaced = file("; x\n[S]\nA=1");
    replaced.write("S", "A", "2");
    EXPECT_EQ(replaced.toBytes(), "; x\n[S]\nA=2");

    auto appended = file("; x\n[S]\nA=1");
    appended.write("S", "B", "2");
    EXPECT_EQ(appended.toBytes(), "; x\n[S]\nA=1\r\nB=2\r\n");

    auto headerOnly = file("[S]");
    headerOnly.write("s", "B", "2");
    EXPECT_EQ(headerOnly.toBytes(), "[S]\r\nB=2\r\n");

    auto newSection = file("[Other]\rK=v");
    newSection.write("S", "B", "2");
    EXPECT_EQ(newSection.toBytes(), "[Other]\rK=v\r\n[S]\r\nB=2\r\n");
}

TEST(ProfileFile, WritesInOneSectionLeaveEveryOtherByteAsItWas) {
    // Bytes no text editor would keep straight: NUL, bare CRs, trailing blanks, Windows-1251.
    const std::string before = std::string("\xEF\xBB\xBF; head  \n\n[Other]\rA=\0\xC8\r\n", 27);
    const std::string section = "[TMirelta]\nKeep=1 \r;note\r\nepov_text = 5\n\n\n";
    const std::string after = "[Tail]\r\nEpov_Text=7\n";
    auto profile = file(before + section + after);
    profile.write("TMirelta", "Epov_Text", "2");
    profile.write("TMirelta", "Mpov_Text", "4");
    profile.write("TMirelta", "Epov_Text", "3");
    EXPECT_EQ(profile.read("TMirelta", "Keep"), "1");
    EXPECT_EQ(profile.read("Tail", "Epov_Text"), "7");
    EXPECT_EQ(profile.toBytes(), before +
                                     "[TMirelta]\nKeep=1 \r;note\r\nEpov_Text=3\n"
                                     "Mpov_Text=4\r\n\n\n" +
                                     after);
}

TEST(StoredValue, TextsAreTrimmedAndQuotedSoThatTheyReadBackUnchanged) {
    EXPECT_EQ(stored_value::encodeText("  name\t\r\n"), "name");
    EXPECT_EQ(stored_value::encodeText(""), "");
    EXPECT_EQ(stored_value::encodeText("\"name\""), "\"\"name\"\"");
    EXPECT_EQ(stored_value::encodeText("'a'"), "\"'a'\"");
    EXPECT_EQ(stored_value::encodeText("\"a'"), "\"a'");
    for (const std::string value : {"\"name\"", "'a'", "\"", "plain", "\"a'"}) {
        ProfileFile profile;
        profile.write("S", "K", stored_value::encodeText(value));
        EXPECT_EQ(ProfileFile::fromBytes(profile.toBytes()).read("S", "K"), value) << value;
    }
}

TEST(StoredValue, IndicesAndCheckBoxesParseStrictly) {
    EXPECT_EQ(stored_value::parseIndex("3"), 3);
    EXPECT_EQ(stored_value::parseIndex("-1"), -1);
    EXPECT_EQ(stored_value::parseIndex("+2"), 2);
    for (const char* junk : {"abc", "", "1.5", "2x", "+", "99999999999"}) {
        EXPECT_EQ(stored_value::parseIndex(junk), 0) << junk;
    }
    EXPECT_EQ(stored_value::parseChecked("TRUE"), true);
    EXPECT_EQ(stored_value::parseChecked("false"), false);
    EXPECT_EQ(stored_value::parseChecked("yes"), std::nullopt);
    EXPECT_EQ(stored_value::parseChecked("1"), std::nullopt);
}
