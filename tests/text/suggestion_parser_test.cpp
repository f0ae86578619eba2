#include "tests/text/parse_support.h"
#include "text/cp1251.h"
#include "text/glyph_alphabet.h"
#include "text/suggestion_tables.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <map>

using namespace mirelta;
using test::column;
using test::oneThesis;
using test::parse;

TEST(Parser, TheNameGoesAfterEveryOneLetterYaThatIsNotLastOnItsLine) {
    const auto named = parse(oneThesis("Я бросил курить"), {.name = "Иван"});
    ASSERT_TRUE(named.outcome.completed) << named.messageUtf8();
    EXPECT_EQ(test::letters(named.letters).substr(0, 12), "ЯИВАНБ");
    const auto words = column(named.letters, letters_field::Word);
    const auto positions = column(named.letters, letters_field::Position);
    EXPECT_EQ(std::vector<int>(words.begin(), words.begin() + 6),
              (std::vector<int>{1, 2, 2, 2, 2, 3}));
    EXPECT_EQ(std::vector<int>(positions.begin(), positions.begin() + 6),
              (std::vector<int>{1, 3, 4, 5, 6, 8}));
    EXPECT_EQ(column(named.letters, letters_field::Serial).back(), named.letters.rowCount());

    const auto unnamed = parse(oneThesis("Я бросил курить"));
    EXPECT_EQ(unnamed.letters.numberAt(1, letters_field::Position), 3);

    // Lower case "я" too; not at the end of a line, not other one-letter words.
    const auto lower = parse(oneThesis("и я смогу\nэто я"), {.name = "Ян"});
    ASSERT_TRUE(lower.outcome.completed) << lower.messageUtf8();
    EXPECT_EQ(test::letters(lower.letters), "ИЯЯНСМОГУЭТОЯ");
}

TEST(Parser, AnInsertedNameFindsGlyphsAmongRussianLettersAndSignsOnly) {
    const auto parsed = parse(oneThesis("Я Max"), {.name = "Max!ё"});
    ASSERT_TRUE(parsed.outcome.completed) << parsed.messageUtf8();
    // Я, then the name M a x ! ё, then the word M a x of the text.
    const RecordTable& t = parsed.letters;
    ASSERT_EQ(t.rowCount(), 9);
    for (int row = 1; row <= 3; ++row) {
        EXPECT_FALSE(t.isAssignedAt(row, letters_field::Glyph)) << row;
    }
    EXPECT_EQ(t.numberAt(4, letters_field::Glyph), 33); // !
    EXPECT_EQ(t.numberAt(5, letters_field::Glyph), 6);  // ё finds Ё
    EXPECT_EQ(t.numberAt(6, letters_field::Glyph), 50); // M of the text
    EXPECT_EQ(t.numberAt(7, letters_field::Glyph), 38); // a finds A
}

TEST(Parser, CharactersWithoutAGlyphKeepTheirRowButNoGlyphIndex) {
    const auto parsed = parse(oneThesis("a1-\t;б"));
    ASSERT_TRUE(parsed.outcome.completed) << parsed.messageUtf8();
    const RecordTable& t = parsed.letters;
    ASSERT_EQ(t.rowCount(), 6);
    EXPECT_EQ(t.numberAt(0, letters_field::Glyph), 38);
    for (int row = 1; row <= 4; ++row) {
        EXPECT_FALSE(t.isAssignedAt(row, letters_field::Glyph));
        EXPECT_EQ(t.numberAt(row, letters_field::Glyph), 0);
    }
    EXPECT_EQ(t.textAt(1, letters_field::Letter), "1");
    EXPECT_EQ(t.textAt(3, letters_field::Letter), "\t");
    EXPECT_EQ(t.numberAt(5, letters_field::Glyph), 1);
    for (int index = 0; index < kGlyphCount; ++index) {
        EXPECT_EQ(glyphIndex(glyphCharacter(index)), index);
    }
}

TEST(Parser, RunsOfSpacesAreOneGapAndTrailingSpacesAreIgnored) {
    const auto spaced = parse(oneThesis("Я   бросил курить   \nдва"));
    const auto plain = parse(oneThesis("Я бросил курить\nдва"));
    ASSERT_TRUE(spaced.outcome.completed) << spaced.messageUtf8();
    for (int field : {letters_field::Position, letters_field::Word, letters_field::GridCell,
                      letters_field::Sentence}) {
        EXPECT_EQ(column(spaced.letters, field), column(plain.letters, field));
    }
}

TEST(Parser, EveryKindOfLineBreakParsesAlike) {
    const std::string crlf = ">\r\n@1#1%a.jpg$0&10^s.wav@\r\nЯ могу\r\nи\r\n<\r\n";
    std::string lf = crlf, cr = crlf;
    for (std::string* text : {&lf, &cr}) {
        std::size_t at = 0;
        while ((at = text->find("\r\n", at)) != std::string::npos) {
            text->replace(at, 2, text == &lf ? "\n" : "\r");
        }
    }
    const auto reference = parse(crlf);
    ASSERT_TRUE(reference.outcome.completed);
    for (const std::string& text : {lf, cr}) {
        const auto parsed = parse(text);
        ASSERT_TRUE(parsed.outcome.completed);
        for (int field = letters_field::Serial; field <= letters_field::GridRow; ++field) {
            EXPECT_EQ(column(parsed.letters, field), column(reference.letters, field));
        }
        EXPECT_EQ(parsed.scenario.rowCount(), 1);
    }
}

TEST(Parser, HeaderFieldsFillTheScenarioTable) {
    const std::string longPath(90, 'p');
    const auto parsed = parse(">\n@1#1%zdorov\\zdorov.jpeg$0&10^mysound\\zelen.wav@\nа\n"
                              "@2#3%$1&5@\nб\n@3#2%" +
                              longPath + "$2&-7^@\nв\n<\n");
    ASSERT_TRUE(parsed.outcome.completed) << parsed.messageUtf8();
    EXPECT_EQ(parsed.outcome.thesisCount, 3);
    const RecordTable& s = parsed.scenario;
    ASSERT_EQ(s.rowCount(), 3);
    EXPECT_EQ(s.textAt(0, scenario_field::Picture), "zdorov\\zdorov.jpeg");
    EXPECT_EQ(s.textAt(0, scenario_field::Sound), "mysound\\zelen.wav");
    EXPECT_EQ(s.numberAt(1, scenario_field::Colour), 3);
    EXPECT_EQ(s.textAt(1, scenario_field::Picture), ""); // empty picture
    EXPECT_EQ(s.textAt(1, scenario_field::Sound), "");   // short form
    EXPECT_FALSE(s.isAssignedAt(1, scenario_field::Sound));
    EXPECT_EQ(s.numberAt(1, scenario_field::PicturePause), 5);
    EXPECT_EQ(s.textAt(2, scenario_field::Picture), std::string(80, 'p'));
    EXPECT_EQ(s.textAt(2, scenario_field::Sound), ""); // empty sound part
    EXPECT_EQ(s.numberAt(2, scenario_field::PicturePause), -7);
    EXPECT_EQ(column(parsed.letters, letters_field::Thesis), (std::vector<int>{1, 2, 3}));
    EXPECT_EQ(column(parsed.letters, letters_field::Sentence), (std::vector<int>{1, 1, 1}));
}

TEST(Parser, TheVersionIsChosenBySex) {
    const std::string both = ">\n@1#1%$0&10@\nЯ бросил\n<\n@1#1%$0&10@\nЯ бросила\nи всё\n";
    const auto men = parse(both, {.sexItem = 0});
    const auto women = parse(both, {.sexItem = 1});
    ASSERT_TRUE(men.outcome.completed && women.outcome.completed);
    EXPECT_EQ(test::letters(men.letters), "ЯБРОСИЛ");
    EXPECT_EQ(test::letters(women.letters), "ЯБРОСИЛАИВСЁ");
    EXPECT_EQ(column(women.letters, letters_field::Sentence).back(), 2);

    // A man's personal text read for a woman: its women's version is empty.
    const auto mansText =
        parse("*Мой настрой*\n>\n@1#1%$0&10@\nЯ бросил\n<\n", {.sexItem = 1, .personal = true});
    ASSERT_TRUE(mansText.outcome.completed) << mansText.messageUtf8();
    EXPECT_EQ(mansText.letters.rowCount(), 0);
    EXPECT_EQ(mansText.scenario.rowCount(), 0);
    EXPECT_EQ(mansText.outcome.thesisCount, 0);
    EXPECT_EQ(cp1251::toUtf8(mansText.outcome.description), "Мой настрой");

    // A woman's text has no men's version.
    const auto womansText = parse("<\n@1#1%$0&10@\nЯ бросила\n", {.sexItem = 0});
    EXPECT_FALSE(womansText.outcome.completed);
    EXPECT_NE(womansText.messageUtf8().find("мужского"), std::string::npos);
    EXPECT_NE(parse(">\n@1#1%$0&10@\nа\n", {.sexItem = 1}).messageUtf8().find("женского"),
              std::string::npos);
}

TEST(Parser, AVersionWithoutHeadersGivesThesisZero) {
    const auto parsed = parse(">\nЯ могу\nи\n<\n");
    ASSERT_TRUE(parsed.outcome.completed) << parsed.messageUtf8();
    EXPECT_EQ(parsed.outcome.thesisCount, 0);
    EXPECT_EQ(parsed.scenario.rowCount(), 0);
    EXPECT_EQ(column(parsed.letters, letters_field::Thesis), (std::vector<int>{0, 0, 0, 0, 0, 0}));
    EXPECT_EQ(column(parsed.letters, letters_field::Sentence),
              (std::vector<int>{1, 1, 1, 1, 1, 2}));
    EXPECT_EQ(parsed.letters.rowIndex(), 0); // left on its first row
}

TEST(Parser, TheDescriptionIsTheLastPairOfStars) {
    EXPECT_EQ(findDescription("*один*x*два*\r\n"), "два");
    EXPECT_EQ(findDescription("*один*x*"), "один"); // the last character is never scanned
    EXPECT_EQ(findDescription("без звёзд\r\n"), "");
    EXPECT_EQ(findDescription("*открыта\r\n"), "открыта\r");
    const auto standard = parse(std::string("*не описание*\n") + oneThesis("а"));
    EXPECT_EQ(standard.outcome.description, ""); // standard texts are not scanned
}

TEST(Parser, MessagesAreExactAndTheParseStopsWhereItFails) {
    const auto empty = test::parseBytes("");
    EXPECT_EQ(empty.messageUtf8(), "Выбирите стандартный или персональный настрой");

    const auto noHash = parse(">\n@1#1%$0&10@\nа\n@2\nб\n<\n");
    EXPECT_EQ(noHash.messageUtf8(), "Ошибка");
    // The rows made so far stay, with a scenario row whose fields are unassigned.
    EXPECT_EQ(noHash.letters.rowCount(), 1);
    ASSERT_EQ(noHash.scenario.rowCount(), 2);
    EXPECT_FALSE(noHash.scenario.isAssignedAt(1, scenario_field::Thesis));
    EXPECT_FALSE(noHash.outcome.thesisCount.has_value());

    std::string seventyOne;
    for (int word = 0; word < 7; ++word) {
        seventyOne += "абвгдежзи ";
    }
    const auto longSentence = parse(oneThesis("а\n" + seventyOne + "яя"));
    EXPECT_EQ(longSentence.messageUtf8(), "В настрое 1 Предложение 2 длиннее 70 знаков");

    const auto longWord = parse(oneThesis("а\nи\nЯ смогу абвгдежзикл и"));
    EXPECT_EQ(longWord.messageUtf8(), "В настрое 1 В предложении 3 слово 3\r длиннее 10 букв");
    const auto longLastWord = parse(oneThesis("Я абвгдежзикл"));
    EXPECT_EQ(longLastWord.messageUtf8(), "В настрое 1 В предложении 1 слово 2\r длиннее 10 букв");
    // With a name the word numbers count the name as a word.
    const auto namedLongWord = parse(oneThesis("Я абвгдежзикл"), {.name = "Иван"});
    EXPECT_EQ(namedLongWord.messageUtf8(), "В настрое 1 В предложении 1 слово 3\r длиннее 10 букв");
}

TEST(Parser, NumbersInHeadersMustBeWholeSixteenBitNumbers) {
    for (const char* header : {"@x#1%$0&10@", "@1#один%$0&10@", "@1#1%$0&1.5@", "@1#1%$&10@"}) {
        const auto parsed = parse(">\n" + std::string(header) + "\nа\n<\n");
        EXPECT_FALSE(parsed.outcome.completed) << header;
        EXPECT_NE(parsed.messageUtf8().find("целым числом"), std::string::npos) << header;
    }
    const auto tooBig = parse(">\n@1#1%$0&40000@\nа\n<\n");
    EXPECT_NE(tooBig.messageUtf8().find("настроя 1 поле «задержка» вне допустимых пределов"),
              std::string::npos)
        << tooBig.messageUtf8();
    EXPECT_TRUE(parse(">\n@1#1%$0&32767@\nа\n<\n").outcome.completed);
    EXPECT_FALSE(parse(">\n@1#1%$0&99999999999999999999@\nа\n<\n").outcome.completed);
}

TEST(Parser, TextsOutsideTheFormatStopWithAClearMessage) {
    const std::map<std::string, std::string> cases = {
        {">\n@1#1%a.jpg\nа\n<\n", "неполон"},
        {">\n@1#1%$0&10^s.wav\nа\n<\n", "неполон"},
        {">\n@1#1%$0&10@ x\nа\n<\n", "лишние знаки"},
        {">\n@1#1%$0&10@\n@2#1%$0&10@\nа\n<\n", "нет ни одного предложения"},
        {">\n@1#1%$0&10@\n<\n", "нет ни одного предложения"},
        {">\n@1#1%$0&10@\nа\n\nб\n<\n", "пустая строка"},
        {">\n@1#1%$0&10@\n\nб\n<\n", "пустая строка"},
        {">\n@1#1%$0&10@\nа\n   \nб\n<\n", "пустая строка"},
    };
    for (const auto& [text, expected] : cases) {
        const auto parsed = parse(text);
        EXPECT_FALSE(parsed.outcome.completed) << text;
        EXPECT_NE(parsed.messageUtf8().find(expected), std::string::npos)
            << text << " gave " << parsed.messageUtf8();
    }
}

TEST(Parser, AHugeLineIsReportedAsTooLongInsteadOfOverflowing) {
    const auto parsed = parse(oneThesis(std::string(40000, 'a')));
    EXPECT_EQ(parsed.messageUtf8(), "В настрое 1 Предложение 1 длиннее 70 знаков");
}

TEST(Parser, ProgressRisesToTheEnd) {
    const std::string text = cp1251::normaliseLineBreaks(
        cp1251::fromUtf8(oneThesis("Я бросил курить\nЗдоровье это счастье")));
    RecordTable letters = makeLettersTable();
    RecordTable scenario = makeScenarioTable();
    std::vector<int> seen;
    parseSuggestion({.text = text}, letters, scenario,
                    [&](int percent) { seen.push_back(percent); });
    ASSERT_FALSE(seen.empty());
    EXPECT_TRUE(std::is_sorted(seen.begin(), seen.end()));
    EXPECT_GE(seen.front(), 0);
    EXPECT_LE(seen.back(), 100);
    EXPECT_GE(seen.back(), 80);
}

TEST(Parser, AReparseEmptiesTheTablesFirst) {
    RecordTable letters = makeLettersTable();
    RecordTable scenario = makeScenarioTable();
    const std::string first = cp1251::normaliseLineBreaks(cp1251::fromUtf8(oneThesis("Я бросил")));
    const std::string second = cp1251::normaliseLineBreaks(cp1251::fromUtf8(oneThesis("и")));
    parseSuggestion({.text = first}, letters, scenario);
    letters.close(); // as the end of a session leaves it
    const auto outcome = parseSuggestion({.text = second}, letters, scenario);
    ASSERT_TRUE(outcome.completed);
    EXPECT_TRUE(letters.isOpen());
    EXPECT_EQ(letters.rowCount(), 1);
    EXPECT_EQ(letters.textAt(0, letters_field::Letter), "\xC8"); // И
    EXPECT_EQ(scenario.rowCount(), 1);
}

TEST(Parser, BareLineFeedsThatWereNotNormalisedNeverReadPastTheEnd) {
    RecordTable letters = makeLettersTable();
    RecordTable scenario = makeScenarioTable();
    const std::string raw = cp1251::fromUtf8(oneThesis("Я бросил"));
    const auto outcome = parseSuggestion({.text = raw}, letters, scenario);
    EXPECT_FALSE(outcome.completed);
    EXPECT_LE(outcome.stopOffset, raw.size());
}
