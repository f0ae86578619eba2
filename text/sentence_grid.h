#pragma once
// Placement of a sentence's letters on the sentence grid: 8 rows of 10 cells, each sentence
// centred row by row, words never broken across rows.

#include "text/record_table.h"

namespace mirelta {

inline constexpr int kGridColumns = 10;
inline constexpr int kGridRows = 8;

// The grid row a sentence of `positions` positions starts on, so that it sits about the middle.
int startGridRow(int positions);

// Fills the grid cell, row cell and grid row of each letter of the sentence (thesis, sentence)
// whose rows end the letters table, starting on grid row `startRow`. Rows of earlier sentences are
// never touched.
//
// A word that cannot fit the sentence's first grid row (which holds only 9 positions) leaves that
// row empty and starts the next one; a word longer than a whole row (only an over-long inserted
// name) is broken at the row's end rather than looping.
void placeSentenceOnGrid(RecordTable& letters, int thesis, int sentence, int startRow);

} // namespace mirelta
