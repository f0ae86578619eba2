#include "engine/cell_descriptions.h"

#include "display/letter_cursor.h"
#include "display/panel_scene.h"
#include "text/record_table.h"
#include "text/suggestion_tables.h"

namespace mirelta {
namespace {

// The cells of the rows from `row` on while `same` holds, those within 1 ... `cells`.
template <typename Same>
std::string describeCells(const RecordTable& t, int row, int cellField, int cells, Same same) {
    std::string described;
    for (; row < t.rowCount() && same(row); ++row) {
        const int cell = t.numberAt(row, cellField);
        if (cell >= 1 && cell <= cells) {
            described += " " + std::to_string(cell) + ":" + glyphName(t, row);
        }
    }
    return described;
}

} // namespace

std::string glyphName(const RecordTable& letters, int row) {
    return letters.isAssignedAt(row, letters_field::Glyph)
               ? std::to_string(letters.numberAt(row, letters_field::Glyph))
               : std::string("-");
}

// The walk starts on the grid row's first letter, or on the table's first row when no letter
// of the sentence is on it.
std::string describeRowCells(const RecordTable& letters, const LetterCursor& cursor) {
    const RecordTable& t = letters;
    int first = 0;
    for (int i = 0; i < t.rowCount(); ++i) {
        if (t.numberAt(i, letters_field::Thesis) == cursor.thesis &&
            t.numberAt(i, letters_field::Sentence) == cursor.sentence &&
            t.numberAt(i, letters_field::GridRow) == cursor.line) {
            first = i;
            break;
        }
    }
    return describeCells(t, first, letters_field::RowCell, kRowCells, [&](int row) {
        return t.numberAt(row, letters_field::GridRow) == cursor.line;
    });
}

std::string describeSentenceCells(const RecordTable& letters, const LetterCursor& cursor) {
    const RecordTable& t = letters;
    int first = 0;
    while (first < t.rowCount() &&
           !(t.numberAt(first, letters_field::Thesis) == cursor.thesis &&
             t.numberAt(first, letters_field::Sentence) == cursor.sentence)) {
        ++first;
    }
    return describeCells(t, first, letters_field::GridCell, kGridCells, [&](int row) {
        return t.numberAt(row, letters_field::Sentence) == cursor.sentence;
    });
}

} // namespace mirelta
