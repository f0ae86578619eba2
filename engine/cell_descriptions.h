#pragma once
// What the trace says about the glyph cells a display action walks: " CELL:GLYPH" entries in
// walk order, the glyph "-" for a character without one.

#include <string>

namespace mirelta {

class RecordTable;
struct LetterCursor;

// The glyph index of a row of the letters table, or "-".
std::string glyphName(const RecordTable& letters, int row);

// The word-row cells of the cursor's grid row.
std::string describeRowCells(const RecordTable& letters, const LetterCursor& cursor);

// The grid cells of the cursor's sentence.
std::string describeSentenceCells(const RecordTable& letters, const LetterCursor& cursor);

} // namespace mirelta
