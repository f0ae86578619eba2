#include "tests/display/display_support.h"

#include "text/suggestion_tables.h"

namespace mirelta::test {

RecordTable lettersTable(std::initializer_list<LetterRow> rows) {
    RecordTable table = makeLettersTable();
    int n = 1;
    for (const LetterRow& row : rows) {
        table.append();
        table.setNumber(tslovo::N, n++);
        table.setNumber(tslovo::Nnast, row.thesis);
        table.setNumber(tslovo::Npred, row.sentence);
        if (row.glyph >= 0) {
            table.setNumber(tslovo::Nalf, row.glyph);
        }
        table.setNumber(tslovo::Nspr, row.cell);
        table.setNumber(tslovo::Nsprslov, row.column);
        table.setNumber(tslovo::Nstrok, row.gridRow);
    }
    table.first();
    return table;
}

} // namespace mirelta::test
