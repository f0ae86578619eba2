#pragma once
// The display actions that the session runs on the panel's glyph cells:
//  - the sentence grid and the phrase: loadSentence loads the current sentence into the grid's
//    cells, styleSentence sets its style, showSentence shows it, hideSentence hides it,
//    emptySentence empties its cells;
//  - the matrix block: showLetterInMatrix loads the current letter into the block of the speed
//    and shows it, hideMatrix hides it, showMatrix shows it again;
//  - the word row: loadWordRow loads the current grid row into the word row's cells,
//    styleWordRow sets its style, showWordRow shows it, clearWordRow hides and empties it.
// Each reads the session's current thesis, sentence, grid row and style, walks the letters table
// as the session expects (the cursor ends where the session goes on from), and tells the screen
// each time a cell is repainted at once.

#include "display/letter_cursor.h"
#include "display/panel_scene.h"
#include "display/speed.h"
#include "text/record_table.h"

#include <functional>
#include <vector>

namespace mirelta {

class GlyphStrips;
class Screen;

class GlyphDisplay {
public:
    GlyphDisplay(PanelScene& scene, const GlyphStrips& strips, RecordTable& letters,
                 const LetterCursor& cursor, Screen& screen, Speed speed);

    void loadSentence();  // Asprait
    void styleSentence(); // Aanisp
    void showSentence();
    void hideSentence();
    void emptySentence();

    void showLetterInMatrix(); // Aspaitm
    void hideMatrix();
    void showMatrix();

    void loadWordRow();  // Aspraitb
    void styleWordRow(); // Aanispb
    void showWordRow();
    void clearWordRow();

    // Loads the glyph of the letters-table row under the cursor into a cell: frame 0, white
    // transparent. A character without a glyph loads an empty strip, which shows nothing.
    void loadCurrentGlyph(GlyphCell& cell);
    // Draws the cell at once if it shows anything.
    void repaint(const GlyphCell& cell);

    // The grid cells of the matrix block of a speed, in reading order.
    static std::vector<int> matrixBlock(Speed speed);

private:
    // Visits the rows of the current sentence (from its first row while the sentence number
    // holds, into the next thesis when that starts with the same number) and their grid cells.
    void walkSentence(const std::function<void(GlyphCell&)>& work);
    // Visits the rows of the current grid row and their word-row cells.
    void walkRow(const std::function<void(GlyphCell&)>& work);

    PanelScene& scene_;
    const GlyphStrips& strips_;
    RecordTable& letters_;
    const LetterCursor& cursor_;
    Screen& screen_;
    Speed speed_;
};

} // namespace mirelta
