#include "tests/display/display_support.h"

#include "text/suggestion_tables.h"

namespace mirelta::test {

RecordTable lettersTable(std::initializer_list<LetterRow> rows) {
    RecordTable table = makeLettersTable();
    int n = 1;
    for (const LetterRow& row : rows) {
        table.append();
        table.setNumber(letters_field::Serial, n++);
        table.setNumber(letters_field::Thesis, row.thesis);
        table.setNumber(letters_field::Sentence, row.sentence);
        if (row.glyph >= 0) {
            table.setNumber(letters_field::Glyph, row.glyph);
        }
        table.setNumber(letters_field::GridCell, row.cell);
        table.setNumber(letters_field::RowCell, row.column);
        table.setNumber(letters_field::GridRow, row.gridRow);
    }
    table.first();
    return table;
}

} // namespace mirelta::test
