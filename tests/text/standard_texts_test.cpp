#include "tests/text/parse_support.h"
#include "text/cp1251.h"
#include "text/standard_texts.h"
#include "text/suggestion_tables.h"

#include <gtest/gtest.h>
#include <map>
#include <regex>
#include <set>
#include <string>
#include <vector>

using namespace mirelta;

namespace {

struct ExpectedVersion {
    int item;
    int sexItem;
    std::vector<std::string> headers;
    std::vector<int> sentenceCounts;
};

// The header lines and sentence counts that every standard suggestion must have.
const std::vector<ExpectedVersion> kExpected = {
    {0,
     0,
     {R"(@1#1%zdorov\zdorov.jpeg$0&10^mysound\zelen.wav@)",
      R"(@2#3%tabak\tab2.jpeg$1&10^mysound\luboi.wav@)",
      R"(@3#2%tabak\tab3.JPG$0&50^mysound\ser.wav@)",
      R"(@4#1%zdorov\zdorov.jpeg$1&10^mysound\zelen.wav@)",
      R"(@5#0%tabak\tab2.jpeg$0&10^mysound\krasn.wav@)",
      R"(@6#3%tabak\tab6.JPG$0&10^mysound\luboi.wav@)",
      R"(@7#2%tabak\tab7.JPG$0&10^mysound\ser.wav@)",
      R"(@8#0%tabak\tab8.JPG$0&10^mysound\krasn.wav@)",
      R"(@9#1%zdorov\zdorov.jpeg$2&10^mysound\zelen.wav@)"},
     {3, 4, 4, 4, 4, 3, 2, 4, 4}},
    {0,
     1,
     {R"(@1#1%zdorov\zdorov.jpeg$0&10^mysound\zelen.wav@)",
      R"(@2#3%tabak\tab2.jpeg$1&10^mysound\luboi.wav@)",
      R"(@3#2%tabak\tab3ch.JPG$0&50^mysound\ser.wav@)",
      R"(@4#1%zdorov\zdorov.jpeg$1&10^mysound\zelen.wav@)",
      R"(@5#0%tabak\tab2.jpeg$0&10^mysound\krasn.wav@)",
      R"(@6#3%tabak\tab6.JPG$0&10^mysound\luboi.wav@)",
      R"(@7#2%tabak\tab7.JPG$0&10^mysound\ser.wav@)",
      R"(@8#0%tabak\tab8.JPG$0&10^mysound\krasn.wav@)",
      R"(@9#1%zdorov\zdorov.jpeg$2&10^mysound\zelen.wav@)"},
     {3, 4, 4, 4, 4, 3, 2, 4, 4}},
    {1,
     0,
     {R"(@1#1%zdorov\zdorov.jpeg$0&10^mysound\zelen.wav@)",
      R"(@2#3%pivo\piv1.jpeg$1&5^mysound\luboi.wav@)",
      R"(@3#2%alkagol\alk1.gif$0&50^mysound\ser.wav@)",
      R"(@4#1%zdorov\zdorov.jpeg$1&10^mysound\zelen.wav@)",
      R"(@5#0%alkagol\alk2.gif$0&10^mysound\krasn.wav@)",
      R"(@6#3%alkagol\alk4.gif$0&10^mysound\luboi.wav@)",
      R"(@7#2%alkagol\alk1.gif$0&10^mysound\ser.wav@)",
      R"(@8#0%osiren\os1.jpeg$0&10^mysound\krasn.wav@)",
      R"(@9#1%zdorov\zdorov.jpeg$2&10^mysound\zelen.wav@)"},
     {3, 4, 4, 4, 4, 3, 2, 4, 4}},
    {1,
     1,
     {R"(@1#1%zdorov\zdorov.jpeg$0&10^mysound\zelen.wav@)",
      R"(@2#3%pivo\piv1ch.gif$1&5^mysound\luboi.wav@)",
      R"(@3#2%alkagol\alk1.gif$0&50^mysound\ser.wav@)",
      R"(@4#1%zdorov\zdorov.jpeg$1&10^mysound\zelen.wav@)",
      R"(@5#0%alkagol\alk2.gif$0&10^mysound\krasn.wav@)",
      R"(@6#3%alkagol\alk4.gif$0&10^mysound\luboi.wav@)",
      R"(@7#2%alkagol\alk1.gif$0&30^mysound\ser.wav@)",
      R"(@8#0%osiren\os1.jpeg$0&10^mysound\krasn.wav@)",
      R"(@9#1%zdorov\zdorov.jpeg$2&10^mysound\zelen.wav@)"},
     {3, 4, 4, 4, 4, 3, 2, 4, 4}},
    {2,
     0,
     {R"(@1#1%zdorov\zdorov.jpeg$0&10^mysound\zelen.wav@)",
      R"(@2#3%pivo\piv1.jpeg$0&10^mysound\luboi.wav@)",
      R"(@3#2%alkagol\alk1.gif$0&50^mysound\ser.wav@)",
      R"(@4#1%zdorov\zdorov.jpeg$1&10^mysound\zelen.wav@)",
      R"(@5#0%alkagol\alk2.gif$0&10^mysound\krasn.wav@)",
      R"(@6#3%alkagol\alk4.gif$0&10^mysound\luboi.wav@)",
      R"(@7#2%alkagol\alk1.gif$0&10^mysound\ser.wav@)",
      R"(@8#0%alkagol\alk6.jpeg$0&30^mysound\krasn.wav@)",
      R"(@9#1%zdorov\zdorov.jpeg$2&10^mysound\zelen.wav@)"},
     {3, 4, 4, 4, 4, 3, 2, 4, 4}},
    {2,
     1,
     {R"(@1#1%zdorov\zdorov.jpeg$0&10^mysound\zelen.wav@)",
      R"(@2#3%pivo\piv1ch.gif$0&10^mysound\luboi.wav@)",
      R"(@3#2%alkagol\alk1.gif$0&50^mysound\ser.wav@)",
      R"(@4#1%zdorov\zdorov.jpeg$1&10^mysound\zelen.wav@)",
      R"(@5#0%alkagol\alk2.gif$0&10^mysound\krasn.wav@)",
      R"(@6#3%alkagol\alk4.gif$0&10^mysound\luboi.wav@)",
      R"(@7#2%alkagol\alk1.gif$0&10^mysound\ser.wav@)",
      R"(@8#0%alkagol\alk6.jpeg$0&30^mysound\krasn.wav@)",
      R"(@9#1%zdorov\zdorov.jpeg$2&10^mysound\zelen.wav@)"},
     {3, 4, 4, 4, 4, 3, 2, 4, 4}},
    {3,
     0,
     {R"(@1#1%zdorov\zdorov.jpeg$0&10^mysound\zelen.wav@)", R"(@2#3%$0&10^mysound\luboi.wav@)",
      R"(@3#2%$0&50^mysound\ser.wav@)", R"(@4#1%zdorov\zdorov.jpeg$1&10^mysound\zelen.wav@)",
      R"(@5#0%$0&10^mysound\krasn.wav@)", R"(@6#3%$0&10^mysound\luboi.wav@)",
      R"(@7#2%$0&10^mysound\ser.wav@)", R"(@8#0%$0&30^mysound\krasn.wav@)",
      R"(@9#1%zdorov\zdorov.jpeg$2&10^mysound\zelen.wav@)"},
     {3, 4, 4, 4, 4, 3, 2, 4, 4}},
    {3,
     1,
     {R"(@1#1%zdorov\zdorov.jpeg$0&10^mysound\zelen.wav@)", R"(@2#3%$0&10^mysound\ser.wav@)",
      R"(@3#2%$0&50^mysound\ser.wav@)", R"(@4#1%zdorov\zdorov.jpeg$1&10^mysound\zelen.wav@)",
      R"(@5#0%$0&10^mysound\krasn.wav@)", R"(@6#3%$0&10^mysound\luboi.wav@)",
      R"(@7#2%$0&10^mysound\ser.wav@)", R"(@8#0%$0&30^mysound\krasn.wav@)",
      R"(@9#1%zdorov\zdorov.jpeg$2&10^mysound\zelen.wav@)"},
     {3, 4, 4, 4, 4, 3, 2, 4, 4}},
    {4,
     0,
     {R"(@1#1%zdorov\zdorov.jpeg$0&10^mysound\zelen.wav@)",
      R"(@2#1%zdorov\zdorov.jpeg$0&10^mysound\zelen.wav@)",
      R"(@3#1%zdorov\zdorov.jpeg$0&10^mysound\zelen.wav@)",
      R"(@4#1%zdorov\zdorov.jpeg$0&10^mysound\zelen.wav@)"},
     {4, 4, 4, 4}},
    {4,
     1,
     {R"(@1#1%zdorov\zdorov.jpeg$0&10^mysound\zelen.wav@)",
      R"(@2#1%zdorov\zdorov.jpeg$0&10^mysound\zelen.wav@)",
      R"(@3#1%zdorov\zdorov.jpeg$0&10^mysound\zelen.wav@)",
      R"(@4#1%zdorov\zdorov.jpeg$0&10^mysound\zelen.wav@)"},
     {4, 4, 4, 4}},
    {5,
     0,
     {R"(@1#1%zdorov\zdorov.jpeg$0&10^mysound\zelen.wav@)", R"(@2#3%$1&5^mysound\luboi.wav@)",
      R"(@3#2%$0&50^mysound\ser.wav@)", R"(@4#1%zdorov\zdorov.jpeg$1&10^mysound\zelen.wav@)",
      R"(@5#0%osiren\os1.jpeg$1&10^mysound\krasn.wav@)", R"(@6#3%$0&10^mysound\luboi.wav@)",
      R"(@7#2%$0&10^mysound\ser.wav@)", R"(@8#0%osiren\os1.jpeg$0&10^mysound\krasn.wav@)",
      R"(@9#1%zdorov\zdorov.jpeg$2&10^mysound\zelen.wav@)"},
     {3, 4, 4, 4, 5, 3, 3, 4, 4}},
    {5,
     1,
     {R"(@1#1%zdorov\zdorov.jpeg$0&10^mysound\zelen.wav@)", R"(@2#3%$1&5^mysound\luboi.wav@)",
      R"(@3#2%$0&50^mysound\ser.wav@)", R"(@4#1%zdorov\zdorov.jpeg$1&10^mysound\zelen.wav@)",
      R"(@5#0%osiren\os1.jpeg$1&10^mysound\krasn.wav@)", R"(@6#3%$0&10^mysound\luboi.wav@)",
      R"(@7#2%$0&10^mysound\ser.wav@)", R"(@8#0%osiren\os1.jpeg$0&10^mysound\krasn.wav@)",
      R"(@9#1%osiren\os2.jpeg$2&10^mysound\zelen.wav@)"},
     {3, 4, 4, 4, 5, 3, 3, 4, 4}},
};

// The scenario row a header line stands for, read with a pattern rather than the parser.
struct Header {
    int thesis, colour, frequency, delay;
    std::string picture, sound;
};

Header readHeader(const std::string& line) {
    static const std::regex pattern(R"(@(\d+)#(\d+)%([^$]*)\$(\d+)&(\d+)\^([^@]*)@)");
    std::smatch match;
    EXPECT_TRUE(std::regex_match(line, match, pattern)) << line;
    return {std::stoi(match[1]),
            std::stoi(match[2]),
            std::stoi(match[4]),
            std::stoi(match[5]),
            match[3],
            match[6]};
}

class StandardText : public ::testing::TestWithParam<ExpectedVersion> {};

std::string versionName(const ::testing::TestParamInfo<ExpectedVersion>& info) {
    return std::string(standardTextName(info.param.item)) + (info.param.sexItem ? "_f" : "_m");
}

} // namespace

TEST_P(StandardText, ParsesWithAndWithoutANameAndHasItsHeadersAndSentences) {
    const ExpectedVersion& expected = GetParam();
    for (const char* name : {"", "Александра"}) {
        const auto parsed = test::parseBytes(standardText(expected.item),
                                             {.sexItem = expected.sexItem, .name = name});
        ASSERT_TRUE(parsed.outcome.completed) << name << ": " << parsed.messageUtf8();
        EXPECT_EQ(parsed.outcome.thesisCount, static_cast<int>(expected.headers.size()));

        const RecordTable& scenario = parsed.scenario;
        ASSERT_EQ(scenario.rowCount(), static_cast<int>(expected.headers.size()));
        for (int row = 0; row < scenario.rowCount(); ++row) {
            const Header header = readHeader(expected.headers[row]);
            EXPECT_EQ(scenario.numberAt(row, scenario_field::Thesis), header.thesis);
            EXPECT_EQ(scenario.numberAt(row, scenario_field::Colour), header.colour);
            EXPECT_EQ(scenario.textAt(row, scenario_field::Picture), header.picture);
            EXPECT_EQ(scenario.numberAt(row, scenario_field::PictureFrequency), header.frequency);
            EXPECT_EQ(scenario.numberAt(row, scenario_field::PicturePause), header.delay);
            EXPECT_EQ(scenario.textAt(row, scenario_field::Sound), header.sound);
        }

        // Sentences per thesis, each one on the visible grid with a glyph for every letter.
        std::map<int, int> sentences;
        std::map<std::pair<int, int>, std::string> sentenceText;
        const RecordTable& letters = parsed.letters;
        for (int row = 0; row < letters.rowCount(); ++row) {
            const int thesis = letters.numberAt(row, letters_field::Thesis);
            const int sentence = letters.numberAt(row, letters_field::Sentence);
            sentences[thesis] = std::max(sentences[thesis], sentence);
            sentenceText[{thesis, sentence}] += letters.textAt(row, letters_field::Letter);
            EXPECT_TRUE(letters.isAssignedAt(row, letters_field::Glyph) || *name)
                << "no glyph in thesis " << thesis << " sentence " << sentence;
            EXPECT_GE(letters.numberAt(row, letters_field::GridRow), 1);
            EXPECT_LE(letters.numberAt(row, letters_field::GridRow), 8)
                << "off the grid in thesis " << thesis << " sentence " << sentence;
        }
        for (std::size_t thesis = 1; thesis <= expected.sentenceCounts.size(); ++thesis) {
            EXPECT_EQ(sentences[static_cast<int>(thesis)], expected.sentenceCounts[thesis - 1])
                << "thesis " << thesis;
        }
        std::set<std::string> distinct;
        for (const auto& [key, text] : sentenceText) {
            EXPECT_TRUE(distinct.insert(text).second) << "repeated: " << cp1251::toUtf8(text);
        }
    }
}

INSTANTIATE_TEST_SUITE_P(AllVersions, StandardText, ::testing::ValuesIn(kExpected), versionName);

TEST(StandardTexts, AreWindows1251WithCrLfAfterEveryLine) {
    for (int item = 0; item < kStandardTextCount; ++item) {
        const std::string_view text = standardText(item);
        ASSERT_GT(text.size(), 100u) << item;
        EXPECT_EQ(text.substr(0, 3), ">\r\n");
        EXPECT_EQ(text.substr(text.size() - 2), "\r\n");
        EXPECT_EQ(cp1251::normaliseLineBreaks(text), text);
        EXPECT_EQ(std::count(text.begin(), text.end(), '<'), 1);
        EXPECT_NE(text.find("\r\n<\r\n"), std::string_view::npos);
    }
    EXPECT_TRUE(standardText(6).empty());
    EXPECT_TRUE(standardText(-1).empty());
    EXPECT_EQ(standardTextName(3), "Mnark");
}

TEST(StandardTexts, TheSmokingSuggestionOpensWithItsFirstTwoSentences) {
    const auto men = test::parseBytes(standardText(0));
    const auto women = test::parseBytes(standardText(0), {.sexItem = 1});
    EXPECT_EQ(
        test::letters(men.letters).substr(0, std::string("ЯБРОСИЛКУРИТЬЗДОРОВЬЕЭТОСЧАСТЬЕ").size()),
        "ЯБРОСИЛКУРИТЬЗДОРОВЬЕЭТОСЧАСТЬЕ");
    EXPECT_EQ(test::letters(women.letters).substr(0, std::string("ЯБРОСИЛАКУРИТЬ").size()),
              "ЯБРОСИЛАКУРИТЬ");
}
