#include "display/compositor.h"
#include "display/glyph_display.h"
#include "display/glyph_strips.h"
#include "tests/display/display_support.h"
#include "text/cp1251.h"
#include "text/standard_texts.h"
#include "text/suggestion_parser.h"
#include "text/suggestion_tables.h"

#include <gtest/gtest.h>

using namespace mirelta;
using test::lettersTable;

namespace {

class Display : public ::testing::Test {
protected:
    Display() { cursor.thesis = cursor.sentence = 1; }

    GlyphDisplay display(RecordTable& letters, Speed speed = Speed::Medium) {
        return GlyphDisplay(scene, strips, letters, cursor, screen, speed);
    }
    std::vector<int> visibleGridCells() const {
        std::vector<int> cells;
        for (int n = 1; n <= kGridCells; ++n) {
            if (scene.gridCell(n).isVisible()) {
                cells.push_back(n);
            }
        }
        return cells;
    }
    std::vector<int> loadedGridCells() const {
        std::vector<int> cells;
        for (int n = 1; n <= kGridCells; ++n) {
            if (scene.gridCell(n).strip() != nullptr) {
                cells.push_back(n);
            }
        }
        return cells;
    }

    const GlyphStrips strips = GlyphStrips::builtIn();
    PanelScene scene;
    LetterCursor cursor;
    test::RecordingScreen screen;
};

// The 42 x 42 cell at `cell` shows frame `frameIndex` of the strip exactly, over `under`.
void expectCellShows(const QImage& frame, const QImage& under, QRect cell, const GlyphStrip& strip,
                     int frameIndex) {
    for (int y = 0; y < 42; ++y) {
        for (int x = 0; x < 42; ++x) {
            const QRgb source = strip.pixels().pixel(42 * frameIndex + x, y);
            const QRgb expected =
                source == 0xFFFFFFFF ? under.pixel(cell.x() + x, cell.y() + y) : source;
            ASSERT_EQ(frame.pixel(cell.x() + x, cell.y() + y), expected)
                << "cell at " << cell.x() << "," << cell.y();
        }
    }
}

} // namespace

TEST_F(Display, TheBuiltInStripsAreFiveFramesOnWhite) {
    for (int index = 0; index < kStripCount; ++index) {
        const GlyphStrip* strip = strips.strip(index);
        ASSERT_NE(strip, nullptr) << index;
        EXPECT_EQ(strip->width(), 210);
        EXPECT_EQ(strip->height(), 42);
        EXPECT_EQ(strip->transparentColour(), 0xFFFFFFFFu);
    }
    EXPECT_EQ(strips.strip(64), nullptr);
    EXPECT_EQ(strips.strip(-1), nullptr);
}

TEST_F(Display, GridCellsLieInReadingOrder) {
    EXPECT_EQ(gridCellGeometry(1).topLeft(), QPoint(3, 24));
    EXPECT_EQ(gridCellGeometry(10).topLeft(), QPoint(381, 24));
    EXPECT_EQ(gridCellGeometry(11).topLeft(), QPoint(3, 72));
    EXPECT_EQ(gridCellGeometry(80).topLeft(), QPoint(381, 360));
    EXPECT_EQ(scene.rowCell(10).geometry().topLeft(), QPoint(381, 192));
}

TEST_F(Display, LoadingASentenceShowsNothingAndSkipsRowsWithoutACell) {
    RecordTable letters = lettersTable({{1, 1, 0, 0, 1, 1},
                                        {1, 1, 1, 11, 1, 2},
                                        {1, 1, 2, 81, 2, 2},
                                        {1, 1, 3, 80, 3, 8},
                                        {1, 2, 4, 5, 1, 1}});
    scene.gridCell(11).setStrip(strips.strip(9));
    scene.gridCell(11).setFrame(3);
    display(letters).loadSentence();
    EXPECT_EQ(loadedGridCells(), (std::vector<int>{11, 80}));
    EXPECT_EQ(scene.gridCell(11).strip(), strips.strip(1));
    EXPECT_EQ(scene.gridCell(11).currentFrame(), 0); // reset by the load
    EXPECT_TRUE(visibleGridCells().empty());
    // The cursor rests on the first row after the sentence.
    EXPECT_EQ(letters.rowIndex(), 4);
}

TEST_F(Display, TheWalkOfAOneSentenceThesisGoesOnIntoTheNextThesis) {
    RecordTable letters =
        lettersTable({{1, 1, 0, 5, 1, 1}, {2, 1, 1, 6, 2, 1}, {2, 2, 2, 7, 3, 1}});
    display(letters).loadSentence();
    EXPECT_EQ(loadedGridCells(), (std::vector<int>{5, 6}));
}

TEST_F(Display, AnEmptyTableOrAMissingSentenceChangesNothing) {
    RecordTable empty = makeLettersTable();
    display(empty).loadSentence();
    display(empty).showSentence();
    EXPECT_TRUE(loadedGridCells().empty());
    RecordTable letters = lettersTable({{1, 1, 0, 5, 1, 1}});
    cursor.sentence = 3;
    display(letters).loadSentence();
    EXPECT_TRUE(loadedGridCells().empty());
}

TEST_F(Display, ACharacterWithoutAGlyphShowsNothing) {
    RecordTable letters = lettersTable({{1, 1, -1, 5, 1, 1}});
    scene.gridCell(5).setStrip(strips.strip(3));
    display(letters).loadSentence();
    EXPECT_EQ(scene.gridCell(5).strip(), nullptr); // never the strip of А
}

TEST_F(Display, APhraseRunsThroughItsStatesAndLeavesOtherCellsAlone) {
    RecordTable letters = lettersTable({{1, 1, 0, 31, 1, 4}, {1, 1, 1, 32, 2, 4}});
    scene.gridCell(50).setStrip(strips.strip(7));
    scene.gridCell(50).setVisible(true);
    GlyphDisplay actions = display(letters);
    actions.loadSentence();
    cursor.glyphFrame = 2;
    actions.styleSentence();
    EXPECT_EQ(screen.presented, 0); // hidden cells draw nothing
    actions.showSentence();
    EXPECT_EQ(screen.presented, 2); // each cell drawn at once
    EXPECT_EQ(visibleGridCells(), (std::vector<int>{31, 32, 50}));
    EXPECT_EQ(scene.gridCell(31).currentFrame(), 2);
    actions.hideSentence();
    actions.emptySentence();
    EXPECT_EQ(visibleGridCells(), (std::vector<int>{50}));
    EXPECT_EQ(loadedGridCells(), (std::vector<int>{50}));
    EXPECT_EQ(screen.presented, 2);
    // styleSentence on emptied cells changes nothing.
    actions.styleSentence();
    EXPECT_EQ(scene.gridCell(31).currentFrame(), 0);
}

// A whole sentence in frame 2 (red), rendered: each of its cells shows exactly its letter's red
// frame over the background, and no other cell shows anything.
TEST_F(Display, APhraseInRedRendersEveryLetterInItsCell) {
    RecordTable letters = makeLettersTable();
    RecordTable scenario = makeScenarioTable();
    const std::string text =
        cp1251::normaliseLineBreaks(cp1251::fromUtf8(">\n@1#1%$0&10@\nЯ бросил курить!\n<\n"));
    ASSERT_TRUE(parseSuggestion({.text = text}, letters, scenario).completed);
    QImage background(425, 425, QImage::Format_BGR888);
    background.fill(QColor(0x20, 0x40, 0x60));
    scene.background().picture =
        background; // its bottom-left colour is everywhere: left out entirely
    QImage backgroundOnly;
    composePanel(scene, backgroundOnly);

    GlyphDisplay actions = display(letters);
    cursor.glyphFrame = 2;
    actions.loadSentence();
    actions.styleSentence();
    actions.showSentence();
    QImage frame;
    composePanel(scene, frame);

    std::vector<bool> used(kGridCells + 1, false);
    for (int row = 0; row < letters.rowCount(); ++row) {
        const int cellNumber = letters.numberAt(row, letters_field::GridCell);
        const GlyphStrip* strip = strips.strip(letters.numberAt(row, letters_field::Glyph));
        used[cellNumber] = true;
        const QRect cell = gridCellGeometry(cellNumber);
        int red = 0;
        for (int y = 0; y < 42; ++y) {
            for (int x = 0; x < 42; ++x) {
                const QRgb source = strip->pixels().pixel(84 + x, y);
                const QRgb expected = source == 0xFFFFFFFF
                                          ? backgroundOnly.pixel(cell.x() + x, cell.y() + y)
                                          : source;
                ASSERT_EQ(frame.pixel(cell.x() + x, cell.y() + y), expected) << cellNumber;
                red += source == 0xFFFF0000;
            }
        }
        EXPECT_GT(red, 100) << "cell " << cellNumber << " shows little red";
    }
    for (int n = 1; n <= kGridCells; ++n) {
        if (used[n]) {
            continue;
        }
        const QRect cell = gridCellGeometry(n);
        for (int y = cell.top(); y <= cell.bottom(); y += 3) {
            for (int x = cell.left(); x <= cell.right(); x += 3) {
                ASSERT_EQ(frame.pixel(x, y), backgroundOnly.pixel(x, y)) << "cell " << n;
            }
        }
    }
}

TEST_F(Display, TheMatrixBlockFollowsTheSpeed) {
    EXPECT_EQ(GlyphDisplay::matrixBlock(Speed::Fast), (std::vector<int>{35, 36, 45, 46}));
    EXPECT_EQ(GlyphDisplay::matrixBlock(Speed::Medium),
              (std::vector<int>{24, 25, 26, 27, 34, 35, 36, 37, 44, 45, 46, 47, 54, 55, 56, 57}));
    const std::vector<int> slow = GlyphDisplay::matrixBlock(Speed::Slow);
    EXPECT_EQ(slow.size(), 36u);
    EXPECT_EQ(slow.front(), 13);
    EXPECT_EQ(slow.back(), 68);
    for (const Speed speed : {Speed::Fast, Speed::Medium, Speed::Slow}) {
        const std::vector<int> block = GlyphDisplay::matrixBlock(speed);
        const QRect first = gridCellGeometry(block.front());
        const QRect last = gridCellGeometry(block.back());
        EXPECT_EQ((first.left() + last.right() + 1) / 2, 213)
            << static_cast<int>(speed); // centred across
    }
}

TEST_F(Display, AMatrixFlashLoadsOnlyItsBlockAndKeepsOtherCells) {
    RecordTable letters = lettersTable({{1, 1, 12, 5, 1, 1}});
    GlyphDisplay slow = display(letters, Speed::Slow);
    cursor.glyphFrame = 3;
    slow.showLetterInMatrix();
    EXPECT_EQ(visibleGridCells(), GlyphDisplay::matrixBlock(Speed::Slow));
    EXPECT_EQ(screen.presented, 36);
    EXPECT_EQ(scene.gridCell(13).currentFrame(), 3);
    slow.hideMatrix();
    EXPECT_TRUE(visibleGridCells().empty());

    // The same scene and letters at another speed.
    GlyphDisplay fast = display(letters, Speed::Fast);
    cursor.glyphFrame = 5; // out of range: the load's frame 0 stays
    fast.showLetterInMatrix();
    EXPECT_EQ(visibleGridCells(), (std::vector<int>{35, 36, 45, 46}));
    EXPECT_EQ(scene.gridCell(35).currentFrame(), 0);
    EXPECT_EQ(scene.gridCell(13).strip(), strips.strip(12)); // the old block keeps its letter
    EXPECT_EQ(scene.gridCell(13).currentFrame(), 3);
    EXPECT_FALSE(scene.gridCell(13).isVisible());
}

TEST_F(Display, ShowingTheBlockBeforeAnyFlashDrawsNothing) {
    RecordTable letters = lettersTable({});
    display(letters).showMatrix();
    EXPECT_EQ(visibleGridCells(), GlyphDisplay::matrixBlock(Speed::Medium));
    EXPECT_EQ(screen.presented, 0);
}

TEST_F(Display, AWordRowShowsItsLettersInTheirColumns) {
    RecordTable letters = lettersTable(
        {{1, 1, 0, 31, 1, 4}, {1, 1, 1, 32, 2, 4}, {1, 1, 2, 33, 3, 4}, {1, 1, 3, 41, 1, 5}});
    GlyphDisplay actions = display(letters);
    cursor.line = 4;
    cursor.glyphFrame = 1;
    actions.loadWordRow();
    actions.styleWordRow();
    actions.showWordRow();
    for (int k = 1; k <= 10; ++k) {
        EXPECT_EQ(scene.rowCell(k).isVisible(), k <= 3) << k;
    }
    EXPECT_EQ(scene.rowCell(3).strip(), strips.strip(2));
    EXPECT_EQ(scene.rowCell(3).currentFrame(), 1);
    EXPECT_EQ(screen.presented, 3);   // the hidden cells drew nothing in styleWordRow
    EXPECT_EQ(letters.rowIndex(), 3); // on the first letter of the next row
    actions.clearWordRow();
    for (int k = 1; k <= 10; ++k) {
        EXPECT_FALSE(scene.rowCell(k).isVisible());
        EXPECT_EQ(scene.rowCell(k).strip(), nullptr);
    }
}

TEST_F(Display, TheWordRowWalkHasTheSpecifiedQuirks) {
    // Duplicate columns: the later glyph wins. Columns 0 and 11 have no cell. The following row of
    // another sentence with the same grid row number is walked too.
    RecordTable letters = lettersTable({{1, 1, 0, 31, 2, 4},
                                        {1, 1, 1, 32, 2, 4},
                                        {1, 1, 2, 30, 0, 4},
                                        {1, 1, 3, 39, 11, 4},
                                        {1, 2, 4, 37, 7, 4},
                                        {1, 2, 5, 47, 7, 5}});
    cursor.line = 4;
    GlyphDisplay actions = display(letters);
    actions.loadWordRow();
    EXPECT_EQ(scene.rowCell(2).strip(), strips.strip(1));
    EXPECT_EQ(scene.rowCell(7).strip(), strips.strip(4));
    EXPECT_EQ(letters.rowIndex(), 5);
    // No row matches: the walk starts on the table's first row if it has the same grid row.
    cursor.sentence = 9;
    scene.rowCell(2).clearStrip();
    actions.loadWordRow();
    EXPECT_EQ(scene.rowCell(2).strip(), strips.strip(1));
    cursor.line = 6;
    scene.rowCell(2).clearStrip();
    actions.loadWordRow();
    EXPECT_EQ(scene.rowCell(2).strip(), nullptr);
}

// The first sentence of the smoking suggestion as a phrase, its first letter as a matrix block and
// its first grid row as a word row, each rendered and checked cell by cell.
TEST_F(Display, AStandardSuggestionRendersAsPhraseMatrixAndWordRow) {
    RecordTable letters = makeLettersTable();
    RecordTable scenario = makeScenarioTable();
    ASSERT_TRUE(parseSuggestion({.text = standardText(0)}, letters, scenario).completed);
    QImage background(425, 425, QImage::Format_BGR888);
    background.fill(QColor(0x30, 0x50, 0x70));
    background.setPixel(0, 424, qRgb(1, 1, 1)); // the key: the rest of the picture is drawn
    scene.background().picture = background;
    QImage under;
    composePanel(scene, under);
    GlyphDisplay actions = display(letters);

    cursor.glyphFrame = 1;
    actions.loadSentence();
    actions.styleSentence();
    actions.showSentence();
    QImage phrase;
    composePanel(scene, phrase);
    for (int row = 0; letters.numberAt(row, letters_field::Sentence) == 1; ++row) {
        expectCellShows(phrase, under,
                        gridCellGeometry(letters.numberAt(row, letters_field::GridCell)),
                        *strips.strip(letters.numberAt(row, letters_field::Glyph)), 1);
    }
    actions.hideSentence();
    actions.emptySentence();
    QImage cleared;
    composePanel(scene, cleared);
    EXPECT_EQ(cleared, under);

    letters.first(); // "Я"
    cursor.glyphFrame = 3;
    actions.showLetterInMatrix(); // at the middle speed
    QImage matrix;
    composePanel(scene, matrix);
    for (const int cell : GlyphDisplay::matrixBlock(Speed::Medium)) {
        expectCellShows(matrix, under, gridCellGeometry(cell), *strips.strip(32), 3);
    }
    actions.hideMatrix();

    cursor.line = letters.numberAt(0, letters_field::GridRow);
    cursor.glyphFrame = 4;
    actions.loadWordRow();
    actions.styleWordRow();
    actions.showWordRow();
    QImage wordRow;
    composePanel(scene, wordRow);
    int shown = 0;
    for (int row = 0; letters.numberAt(row, letters_field::GridRow) == cursor.line;
         ++row, ++shown) {
        expectCellShows(wordRow, under,
                        scene.rowCell(letters.numberAt(row, letters_field::RowCell)).geometry(),
                        *strips.strip(letters.numberAt(row, letters_field::Glyph)), 4);
    }
    EXPECT_EQ(shown, 7); // "Я" and "БРОСИЛ"
}
