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
    return letters.isAssignedAt(row, tslovo::Nalf)
               ? std::to_string(letters.numberAt(row, tslovo::Nalf))
               : std::string("-");
}

// The walk starts on the grid row's first letter, or on the table's first row when no letter
// of the sentence is on it.
std::string describeRowCells(const RecordTable& letters, const LetterCursor& cursor) {
    const RecordTable& t = letters;
    int first = 0;
    for (int i = 0; i < t.rowCount(); ++i) {
        if (t.numberAt(i, tslovo::Nnast) == cursor.thesis &&
            t.numberAt(i, tslovo::Npred) == cursor.sentence &&
            t.numberAt(i, tslovo::Nstrok) == cursor.line) {
            first = i;
            break;
        }
    }
    return describeCells(t, first, tslovo::Nsprslov, kRowCells,
                         [&](int row) { return t.numberAt(row, tslovo::Nstrok) == cursor.line; });
}

std::string describeSentenceCells(const RecordTable& letters, const LetterCursor& cursor) {
    const RecordTable& t = letters;
    int first = 0;
    while (first < t.rowCount() && !(t.numberAt(first, tslovo::Nnast) == cursor.thesis &&
                                     t.numberAt(first, tslovo::Npred) == cursor.sentence)) {
        ++first;
    }
    return describeCells(t, first, tslovo::Nspr, kGridCells, [&](int row) {
        return t.numberAt(row, tslovo::Npred) == cursor.sentence;
    });
}

} // namespace mirelta
