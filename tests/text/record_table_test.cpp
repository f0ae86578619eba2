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
        table.setNumber(tslovo::N, n);
        table.setNumber(tslovo::Nnast, n == 3 ? 2 : 1);
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
    EXPECT_EQ(table.number(tslovo::N), 3);
    EXPECT_FALSE(table.eof());
    table.next(); // past the last row: still reads the last row
    EXPECT_TRUE(table.eof());
    EXPECT_EQ(table.number(tslovo::N), 3);
    table.next(); // and stays there
    EXPECT_EQ(table.number(tslovo::N), 3);
    table.prior(); // a move back goes to the row before the last
    EXPECT_FALSE(table.eof());
    EXPECT_EQ(table.number(tslovo::N), 2);
    table.prior();
    table.prior();
    EXPECT_TRUE(table.bof());
    EXPECT_EQ(table.number(tslovo::N), 1);
    table.last();
    EXPECT_TRUE(table.eof());
    EXPECT_EQ(table.number(tslovo::N), 3);
    table.first();
    EXPECT_FALSE(table.eof());
}

TEST(RecordTable, LocateFindsTheFirstMatchAndLeavesTheCursorOnFailure) {
    RecordTable table = threeRows();
    table.last();
    table.next(); // past the end
    ASSERT_TRUE(table.eof());
    EXPECT_FALSE(table.locate({{"nNAST", 7}}));
    EXPECT_EQ(table.number(tslovo::N), 3);
    EXPECT_TRUE(table.eof());
    EXPECT_TRUE(table.locate({{"Nnast", 1}}));
    EXPECT_EQ(table.number(tslovo::N), 1);
    EXPECT_FALSE(table.eof());
    EXPECT_TRUE(table.locate({{tslovo::Nnast, 2}, {tslovo::N, 3}}));
    EXPECT_EQ(table.rowIndex(), 2);
    EXPECT_FALSE(table.locate({{tslovo::Nnast, 2}, {tslovo::N, 1}}));
    EXPECT_EQ(table.rowIndex(), 2);
    // An unassigned field matches 0, as it reads.
    EXPECT_TRUE(table.locate({{tslovo::Nstrok, 0}}));
    EXPECT_EQ(table.rowIndex(), 0);
    EXPECT_THROW(table.locate({{"NoSuchField", 1}}), std::invalid_argument);
}

TEST(RecordTable, UnassignedFieldsReadZeroOrEmptyAndAreKnownAsUnassigned) {
    RecordTable table = makeLettersTable();
    table.append();
    EXPECT_EQ(table.number(tslovo::Nalf), 0);
    EXPECT_FALSE(table.isAssigned(tslovo::Nalf));
    EXPECT_EQ(table.text(tslovo::Bukv), "");
    table.setNumber(tslovo::Nalf, 0);
    EXPECT_TRUE(table.isAssigned(tslovo::Nalf));
    EXPECT_EQ(table.numberAt(5, tslovo::N), 0); // no such row
    EXPECT_FALSE(table.isAssignedAt(-1, tslovo::N));
}

TEST(RecordTable, NumbersOutsideTheFieldAreRangeErrorsNeverWrapped) {
    RecordTable table = makeLettersTable();
    table.append();
    table.setNumber(tslovo::Nzn, 32767);
    table.setNumber(tslovo::Nzn, -32768);
    EXPECT_THROW(table.setNumber(tslovo::Nzn, 32768), FieldRangeError);
    EXPECT_EQ(table.number(tslovo::Nzn), -32768); // the old value stays
    EXPECT_THROW(table.setNumber(tslovo::Nspr, -32769), FieldRangeError);
    table.setNumber(tslovo::N, 2147483647);
    try {
        table.setNumber(tslovo::N, 2147483648LL);
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
    scenario.setText(tschenar::Faileiz, longPath);
    EXPECT_EQ(scenario.text(tschenar::Faileiz), std::string(80, 'x'));
    EXPECT_THROW(scenario.setText(tschenar::Svet, "1"), std::logic_error);
    EXPECT_THROW(scenario.setNumber(tschenar::Failezv, 1), std::logic_error);
}

TEST(RecordTable, AClosedTableShowsNoRowsUntilOpenedAgain) {
    RecordTable table = threeRows();
    table.close();
    EXPECT_EQ(table.rowCount(), 0);
    EXPECT_TRUE(table.eof());
    EXPECT_FALSE(table.locate({{tslovo::N, 1}}));
    EXPECT_THROW(table.append(), std::logic_error);
    table.open();
    EXPECT_EQ(table.rowCount(), 3);
    EXPECT_EQ(table.number(tslovo::N), 1);
    table.clear();
    EXPECT_TRUE(table.isEmpty());
    EXPECT_TRUE(table.eof() && table.bof());
    EXPECT_EQ(table.rowIndex(), -1);
}
