#include "text/sentence_grid.h"

#include "text/suggestion_tables.h"

namespace mirelta {

int startGridRow(int positions) {
    const int r = positions + 1;
    const int row = r <= 50 ? 5 - (r + 19) / 20 : 4 - r / 20;
    return row == 0 ? 1 : row;
}

namespace {

class GridPlacer {
public:
    GridPlacer(RecordTable& letters, int firstRow, int startRow)
        : table_(letters), last_(letters.rowCount() - 1), rowFirst_(firstRow), gridRow_(startRow) {}

    void run() {
        while (rowFirst_ <= last_) {
            const int lastFitting = lastLetterOfRow();
            if (lastFitting < rowFirst_) {
                // Nothing fits the sentence's first row: it stays empty and the words start on
                // the next row, which holds a whole 10 positions.
                rowStart_ = position(rowFirst_);
                ++gridRow_;
                continue;
            }
            placeRow(lastFitting);
        }
    }

private:
    int position(int row) const { return table_.numberAt(row, letters_field::Position); }
    int word(int row) const { return table_.numberAt(row, letters_field::Word); }
    bool isFirstRowOfSentence() const { return rowStart_ < position(rowFirst_); }

    // The last letter that the current grid row holds without breaking a word; below rowFirst_
    // when not even the row's first word fits.
    int lastLetterOfRow() const {
        int c = rowFirst_;
        while (position(c) - rowStart_ < kGridColumns && c < last_) {
            ++c;
        }
        if (position(c) - rowStart_ >= kGridColumns) {
            --c;
        }
        if (c < rowFirst_ || c == last_ || word(c + 1) != word(c)) {
            return c;
        }
        const int brokenWordEnd = c;
        const int cutWord = word(c);
        while (c >= rowFirst_ && word(c) == cutWord) {
            --c;
        }
        if (c < rowFirst_ && !isFirstRowOfSentence()) {
            return brokenWordEnd; // a word longer than a row: break it, there is no better row
        }
        return c;
    }

    void placeRow(int lastFitting) {
        const int length = position(lastFitting) - rowStart_ + 1;
        const int offset = 6 - length / 2;
        const int lastPosition = position(lastFitting);
        const int firstPosition = position(rowFirst_);
        int row = rowFirst_;
        for (; row <= last_ && position(row) <= lastPosition; ++row) {
            const int column = position(row) + offset - firstPosition;
            table_.goTo(row);
            table_.setNumber(letters_field::GridCell, column + (gridRow_ - 1) * kGridColumns);
            table_.setNumber(letters_field::RowCell, column);
            table_.setNumber(letters_field::GridRow, gridRow_);
        }
        rowFirst_ = row;
        if (row <= last_) {
            rowStart_ = position(row);
        }
        ++gridRow_;
    }

    RecordTable& table_;
    const int last_;
    int rowFirst_;
    int gridRow_;
    int rowStart_ = 0;
};

} // namespace

void placeSentenceOnGrid(RecordTable& letters, int thesis, int sentence, int startRow) {
    // A sentence's positions rise from its first letter; where a header repeats a thesis
    // number, the rows before can carry the same thesis and sentence numbers, and they belong to
    // a sentence that is already placed.
    int first = letters.rowCount();
    while (first > 0 && letters.numberAt(first - 1, letters_field::Thesis) == thesis &&
           letters.numberAt(first - 1, letters_field::Sentence) == sentence &&
           (first == letters.rowCount() || letters.numberAt(first - 1, letters_field::Position) <
                                               letters.numberAt(first, letters_field::Position))) {
        --first;
    }
    GridPlacer(letters, first, startRow).run();
}

} // namespace mirelta
