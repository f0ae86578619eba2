#pragma once
// What the display tests share: a screen that counts what it is asked to present, and letters
// tables made row by row.

#include "display/screen.h"
#include "text/record_table.h"

#include <initializer_list>

namespace mirelta::test {

class RecordingScreen : public Screen {
public:
    void present(Shown, int milliseconds) override {
        ++presented;
        held += milliseconds;
    }
    int presented = 0;
    int held = 0;
};

struct LetterRow {
    int thesis, sentence, glyph, cell, column, gridRow;
};

// A letters table with just the fields the display reads; glyph -1 leaves the glyph unassigned.
RecordTable lettersTable(std::initializer_list<LetterRow> rows);

} // namespace mirelta::test
