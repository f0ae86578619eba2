#include "text/record_table.h"
#include "text/suggestion_tables.h"

#include <gtest/gtest.h>

using namespace mirelta;

namespace {

// Three rows with N 1..3 and Nnast 1, 1, 2.
RecordTable threeRows() {
    RecordTable table = makeLettersTable();
    for (int n = 1; n <= 3; ++n) {
        table.append();
        table.setNumber(letters_field::Serial, n);
        table.setNumber(letters_field::Thesis, n == 3 ? 2 : 1);
    }
    return table;
}

} // namespace

TEST(RecordTable, MovingPastTheEndsRaisesFlagsButKeepsTheEndRow) {
    RecordTable table = threeRows();
    table.first();
    EXPECT_TRUE(table.bof());
    EXPECT_FALSE(table.eof());
    table.next();
    table.next();
    EXPECT_EQ(table.number(letters_field::Serial), 3);
    EXPECT_FALSE(table.eof());
    table.next(); // past the last row: still reads the last row
    EXPECT_TRUE(table.eof());
    EXPECT_EQ(table.number(letters_field::Serial), 3);
    table.next(); // and stays there
    EXPECT_EQ(table.number(letters_field::Serial), 3);
    table.prior(); // a move back goes to the row before the last
    EXPECT_FALSE(table.eof());
    EXPECT_EQ(table.number(letters_field::Serial), 2);
    table.prior();
    table.prior();
    EXPECT_TRUE(table.bof());
    EXPECT_EQ(table.number(letters_field::Serial), 1);
    table.last();
    EXPECT_TRUE(table.eof());
    EXPECT_EQ(table.number(letters_field::Serial), 3);
    table.first();
    EXPECT_FALSE(table.eof());
}

TEST(RecordTable, LocateFindsTheFirstMatchAndLeavesTheCursorOnFailure) {
    RecordTable table = threeRows();
    table.last();
    table.next(); // past the end
    ASSERT_TRUE(table.eof());
    EXPECT_FALSE(table.locate({{"nNAST", 7}}));
    EXPECT_EQ(table.number(letters_field::Serial), 3);
    EXPECT_TRUE(table.eof());
    EXPECT_TRUE(table.locate({{"Nnast", 1}}));
    EXPECT_EQ(table.number(letters_field::Serial), 1);
    EXPECT_FALSE(table.eof());
    EXPECT_TRUE(table.locate({{letters_field::Thesis, 2}, {letters_field::Serial, 3}}));
    EXPECT_EQ(table.rowIndex(), 2);
    EXPECT_FALSE(table.locate({{letters_field::Thesis, 2}, {letters_field::Serial, 1}}));
    EXPECT_EQ(table.rowIndex(), 2);
    // An unassigned field matches 0, as it reads.
    EXPECT_TRUE(table.locate({{letters_field::GridRow, 0}}));
    EXPECT_EQ(table.rowIndex(), 0);
    EXPECT_THROW(table.locate({{"NoSuchField", 1}}), std::invalid_argument);
}

TEST(RecordTable, UnassignedFieldsReadZeroOrEmptyAndAreKnownAsUnassigned) {
    RecordTable table = makeLettersTable();
    table.append();
    EXPECT_EQ(table.number(letters_field::Glyph), 0);
    EXPECT_FALSE(table.isAssigned(letters_field::Glyph));
    EXPECT_EQ(table.text(letters_field::Letter), "");
    table.setNumber(letters_field::Glyph, 0);
    EXPECT_TRUE(table.isAssigned(letters_field::Glyph));
    EXPECT_EQ(table.numberAt(5, letters_field::Serial), 0); // no such row
    EXPECT_FALSE(table.isAssignedAt(-1, letters_field::Serial));
}

TEST(RecordTable, NumbersOutsideTheFieldAreRangeErrorsNeverWrapped) {
    RecordTable table = makeLettersTable();
    table.append();
    table.setNumber(letters_field::Position, 32767);
    table.setNumber(letters_field::Position, -32768);
    EXPECT_THROW(table.setNumber(letters_field::Position, 32768), FieldRangeError);
    EXPECT_EQ(table.number(letters_field::Position), -32768); // the old value stays
    EXPECT_THROW(table.setNumber(letters_field::GridCell, -32769), FieldRangeError);
    table.setNumber(letters_field::Serial, 2147483647);
    try {
        table.setNumber(letters_field::Serial, 2147483648LL);
        FAIL() << "no range error";
    } catch (const FieldRangeError& error) {
        EXPECT_EQ(error.field(), "N");
        EXPECT_EQ(error.value(), 2147483648LL);
    }
}

TEST(RecordTable, TextFieldsKeepTheirSizeAndTypesAreEnforced) {
    RecordTable scenario = makeScenarioTable();
    scenario.append();
    const std::string longPath(100, 'x');
    scenario.setText(scenario_field::Picture, longPath);
    EXPECT_EQ(scenario.text(scenario_field::Picture), std::string(80, 'x'));
    EXPECT_THROW(scenario.setText(scenario_field::Colour, "1"), std::logic_error);
    EXPECT_THROW(scenario.setNumber(scenario_field::Sound, 1), std::logic_error);
}

TEST(RecordTable, AClosedTableShowsNoRowsUntilOpenedAgain) {
    RecordTable table = threeRows();
    table.close();
    EXPECT_EQ(table.rowCount(), 0);
    EXPECT_TRUE(table.eof());
    EXPECT_FALSE(table.locate({{letters_field::Serial, 1}}));
    EXPECT_THROW(table.append(), std::logic_error);
    table.open();
    EXPECT_EQ(table.rowCount(), 3);
    EXPECT_EQ(table.number(letters_field::Serial), 1);
    table.clear();
    EXPECT_TRUE(table.isEmpty());
    EXPECT_TRUE(table.eof() && table.bof());
    EXPECT_EQ(table.rowIndex(), -1);
}
