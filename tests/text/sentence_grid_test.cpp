#include "tests/text/parse_support.h"
#include "text/sentence_grid.h"
#include "text/suggestion_tables.h"

#include <gtest/gtest.h>
#include <map>
#include <random>

using namespace mirelta;
using test::column;
using test::oneThesis;
using test::parse;

TEST(SentenceGrid, StartRowFollowsTheSentenceLength) {
    const std::map<int, int> expected = {{0, 4},  {1, 4},  {19, 4}, {20, 3}, {39, 3}, {40, 2},
                                         {49, 2}, {50, 2}, {58, 2}, {59, 1}, {70, 1}};
    for (const auto& [positions, row] : expected) {
        EXPECT_EQ(startGridRow(positions), row) << positions << " positions";
    }
}

TEST(SentenceGrid, WorkedExamplePlacesEveryLetter) {
    const auto parsed = parse(oneThesis("Я бросил курить"));
    ASSERT_TRUE(parsed.outcome.completed) << parsed.messageUtf8();
    EXPECT_EQ(test::letters(parsed.letters), "ЯБРОСИЛКУРИТЬ");
    EXPECT_EQ(column(parsed.letters, letters_field::GridCell),
              (std::vector<int>{32, 34, 35, 36, 37, 38, 39, 43, 44, 45, 46, 47, 48}));
    EXPECT_EQ(column(parsed.letters, letters_field::RowCell),
              (std::vector<int>{2, 4, 5, 6, 7, 8, 9, 3, 4, 5, 6, 7, 8}));
    EXPECT_EQ(column(parsed.letters, letters_field::GridRow),
              (std::vector<int>{4, 4, 4, 4, 4, 4, 4, 5, 5, 5, 5, 5, 5}));
}

TEST(SentenceGrid, ATenLetterWordAfterTheFirstFillsARowOfItsOwn) {
    const auto parsed = parse(oneThesis("Я абвгдежзик"));
    ASSERT_TRUE(parsed.outcome.completed) << parsed.messageUtf8();
    EXPECT_EQ(parsed.letters.numberAt(0, letters_field::GridRow), 4);
    EXPECT_EQ(parsed.letters.numberAt(0, letters_field::RowCell), 5);
    for (int row = 1; row <= 10; ++row) {
        EXPECT_EQ(parsed.letters.numberAt(row, letters_field::GridRow), 5);
        EXPECT_EQ(parsed.letters.numberAt(row, letters_field::RowCell), row);
        EXPECT_EQ(parsed.letters.numberAt(row, letters_field::GridCell), 40 + row);
    }
}

TEST(SentenceGrid, AFirstWordOfTenLettersLeavesTheStartRowEmpty) {
    // The first row holds 9 positions only; the word moves whole to the next row, columns 1-10.
    const auto parsed = parse(oneThesis("абвгдежзик и"));
    ASSERT_TRUE(parsed.outcome.completed) << parsed.messageUtf8();
    for (int row = 0; row < 10; ++row) {
        EXPECT_EQ(parsed.letters.numberAt(row, letters_field::GridRow), 5);
        EXPECT_EQ(parsed.letters.numberAt(row, letters_field::RowCell), row + 1);
    }
    EXPECT_EQ(parsed.letters.numberAt(10, letters_field::GridRow), 6);
    EXPECT_EQ(parsed.letters.numberAt(10, letters_field::RowCell), 6);
}

TEST(SentenceGrid, ASeventyPositionSentenceStartsOnRowOne) {
    // Six words of nine letters and one of ten, six gaps: 64 + 6 = 70 positions.
    std::string sentence;
    for (int word = 0; word < 6; ++word) {
        sentence += "абвгдежзи ";
    }
    sentence += "абвгдежзик";
    const auto parsed = parse(oneThesis(sentence));
    ASSERT_TRUE(parsed.outcome.completed) << parsed.messageUtf8();
    EXPECT_EQ(parsed.letters.numberAt(parsed.letters.rowCount() - 1, letters_field::Position), 70);
    EXPECT_EQ(parsed.letters.numberAt(0, letters_field::GridRow), 1);
    // Each word takes a row of its own.
    EXPECT_EQ(parsed.letters.numberAt(parsed.letters.rowCount() - 1, letters_field::GridRow), 7);
}

TEST(SentenceGrid, RowsPastTheEighthGetCellNumbersBeyondTheGrid) {
    // Eight seven-letter words, 63 positions: each alone on its row, rows 1-8.
    const auto fits = parse(oneThesis("абвгдеж абвгдеж абвгдеж абвгдеж абвгдеж абвгдеж абвгдеж "
                                      "абвгдеж"));
    ASSERT_TRUE(fits.outcome.completed) << fits.messageUtf8();
    const auto rows = column(fits.letters, letters_field::GridRow);
    EXPECT_EQ(rows.front(), 1);
    EXPECT_EQ(rows.back(), 8);
    const auto many = parse(oneThesis("абвгдеж абвгдеж абвгдеж абвгдеж абвгдеж абвгдеж абвгдеж "
                                      "абвгдеж и и"));
    ASSERT_TRUE(many.outcome.completed) << many.messageUtf8();
    EXPECT_EQ(many.letters.numberAt(many.letters.rowCount() - 1, letters_field::GridRow), 9);
    EXPECT_GT(many.letters.numberAt(many.letters.rowCount() - 1, letters_field::GridCell), 80);
}

TEST(SentenceGrid, LaterSentencesNeverDisturbEarlierOnes) {
    const auto alone = parse(oneThesis("Я бросил курить"));
    const auto followed = parse(oneThesis("Я бросил курить\nабвгдежзик\nи"));
    ASSERT_TRUE(followed.outcome.completed) << followed.messageUtf8();
    for (int row = 0; row < alone.letters.rowCount(); ++row) {
        for (int field :
             {letters_field::GridCell, letters_field::RowCell, letters_field::GridRow}) {
            EXPECT_EQ(followed.letters.numberAt(row, field), alone.letters.numberAt(row, field));
        }
    }
}

TEST(SentenceGrid, ARepeatedThesisNumberLeavesTheEarlierSentenceAlone) {
    // Both one-sentence blocks are thesis 2, sentence 1, one right after the other.
    const auto parsed = parse(">\n@2#1%$0&10@\nЯ дышу легко и свободно свой выбор\n"
                              "@2#1%$0&10@\nЯ дышу легко и свободно\n<\n");
    ASSERT_TRUE(parsed.outcome.completed) << parsed.messageUtf8();
    const auto alone = parse(oneThesis("Я дышу легко и свободно свой выбор"));
    const int earlier = alone.letters.rowCount();
    for (int row = 0; row < earlier; ++row) {
        EXPECT_EQ(parsed.letters.numberAt(row, letters_field::GridCell),
                  alone.letters.numberAt(row, letters_field::GridCell));
    }
    const auto second = parse(oneThesis("Я дышу легко и свободно"));
    for (int row = 0; row < second.letters.rowCount(); ++row) {
        EXPECT_EQ(parsed.letters.numberAt(earlier + row, letters_field::GridCell),
                  second.letters.numberAt(row, letters_field::GridCell));
    }
}

// Random sentences within the format's limits: every placement keeps words whole, centres each
// row, fills rows greedily and numbers cells consistently.
TEST(SentenceGrid, RandomSentencesKeepTheLayoutRules) {
    std::mt19937 random(20261208);
    for (int trial = 0; trial < 3000; ++trial) {
        std::vector<int> lengths;
        int positions = 0;
        while (true) {
            const int length = 1 + static_cast<int>(random() % 10);
            const int added = (lengths.empty() ? 0 : 1) + length;
            if (positions + added > 70 || (lengths.size() > 1 && random() % 6 == 0)) {
                break;
            }
            lengths.push_back(length);
            positions += added;
        }
        std::string sentence;
        for (std::size_t w = 0; w < lengths.size(); ++w) {
            sentence += (w ? " " : "") + std::string(static_cast<std::size_t>(lengths[w]), 'b');
        }
        const auto parsed = parse(oneThesis(sentence));
        ASSERT_TRUE(parsed.outcome.completed) << sentence << ": " << parsed.messageUtf8();
        const RecordTable& t = parsed.letters;
        const int count = t.rowCount();
        ASSERT_EQ(count, positions - static_cast<int>(lengths.size()) + 1);
        const bool longFirstWord = lengths[0] == 10;
        EXPECT_EQ(t.numberAt(0, letters_field::GridRow),
                  startGridRow(positions) + (longFirstWord ? 1 : 0))
            << sentence;
        int rowFirst = 0;
        while (rowFirst < count) {
            int rowLast = rowFirst;
            while (rowLast + 1 < count && t.numberAt(rowLast + 1, letters_field::GridRow) ==
                                              t.numberAt(rowFirst, letters_field::GridRow)) {
                ++rowLast;
            }
            const bool firstRow = rowFirst == 0 && !longFirstWord;
            const int rowStart = firstRow ? 0 : t.numberAt(rowFirst, letters_field::Position);
            const int length = t.numberAt(rowLast, letters_field::Position) - rowStart + 1;
            ASSERT_LE(length, 10) << sentence;
            EXPECT_EQ(t.numberAt(rowFirst, letters_field::RowCell), 6 - length / 2) << sentence;
            EXPECT_EQ(t.numberAt(rowFirst, letters_field::LetterInWord), 1)
                << "a word broken: " << sentence;
            if (rowLast + 1 < count) {
                EXPECT_EQ(t.numberAt(rowLast + 1, letters_field::LetterInWord), 1) << sentence;
                EXPECT_EQ(t.numberAt(rowLast + 1, letters_field::GridRow),
                          t.numberAt(rowLast, letters_field::GridRow) + 1);
                // Greedy: the next word would not have fitted.
                int nextWordEnd = rowLast + 1;
                while (nextWordEnd + 1 < count &&
                       t.numberAt(nextWordEnd + 1, letters_field::LetterInWord) > 1) {
                    ++nextWordEnd;
                }
                EXPECT_GE(t.numberAt(nextWordEnd, letters_field::Position) - rowStart, 10)
                    << sentence;
            }
            for (int row = rowFirst; row <= rowLast; ++row) {
                const int col = t.numberAt(row, letters_field::RowCell);
                EXPECT_EQ(col - t.numberAt(rowFirst, letters_field::RowCell),
                          t.numberAt(row, letters_field::Position) -
                              t.numberAt(rowFirst, letters_field::Position));
                EXPECT_GE(col, 1);
                EXPECT_LE(col, 10);
                EXPECT_EQ(t.numberAt(row, letters_field::GridCell),
                          (t.numberAt(row, letters_field::GridRow) - 1) * 10 + col);
            }
            rowFirst = rowLast + 1;
        }
    }
}
