#pragma once
// An in-memory table of typed records with one cursor, the way the session code expects a
// data set to behave: rows stay in the order they were appended, a lookup finds the first row
// whose fields equal the given values, and moving past either end raises a flag but leaves the
// cursor on the end row, so that code which reads a field after running off the end still reads
// that row.

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <deque>
#include <initializer_list>
#include <memory>
#include <span>
#include <stdexcept>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace mirelta {

enum class FieldType { SmallInt, Integer, Text };

struct FieldDef {
    std::string_view name;
    FieldType type;
    int size = 0; // characters kept by a Text field
};

// Storing a number that does not fit its field. Never wrapped silently.
class FieldRangeError : public std::range_error {
public:
    FieldRangeError(std::string_view field, std::int64_t value);
    const std::string& field() const { return field_; }
    std::int64_t value() const { return value_; }

private:
    std::string field_;
    std::int64_t value_;
};

class RecordTable {
public:
    explicit RecordTable(std::vector<FieldDef> fields);

    const std::vector<FieldDef>& fields() const { return fields_; }
    // Field names match without regard to case; an unknown name is a programming error.
    int fieldIndex(std::string_view name) const;

    // A closed table shows no rows and refuses changes; its rows come back when it is opened.
    bool isOpen() const { return open_; }
    void open();
    void close();

    void clear();
    int rowCount() const { return open_ ? rows_ : 0; }
    bool isEmpty() const { return rowCount() == 0; }

    void first();
    void last();
    void next();
    void prior();
    void goTo(int row);
    bool eof() const { return isEmpty() || eof_; }
    bool bof() const { return isEmpty() || bof_; }
    int rowIndex() const { return isEmpty() ? -1 : cursor_; }

    // Adds a row whose fields are all unassigned and puts the cursor on it.
    void append();

    std::int32_t number(int field) const { return numberAt(cursor_, field); }
    // (The parser stores millions of small numbers: their path is short and inline.)
    std::string_view text(int field) const { return textAt(cursor_, field); }
    bool isAssigned(int field) const { return isAssignedAt(cursor_, field); }
    void setNumber(int field, std::int64_t value) {
        if (cursorRow_ != nullptr && static_cast<std::size_t>(field) < columns_.size() &&
            columns_[field].type == FieldType::SmallInt && value >= INT16_MIN &&
            value <= INT16_MAX) {
            const auto small = static_cast<std::int16_t>(value);
            std::memcpy(cursorRow_ + columns_[field].offset, &small, sizeof small);
            markAssigned(cursorRow_, field);
            return;
        }
        setAnyNumber(field, value);
    }
    void setText(int field, std::string_view value);

    // Reads by row index, for walks that must not disturb the cursor. An unassigned field or a
    // row out of range reads 0 or empty.
    std::int32_t numberAt(int row, int field) const {
        if (row >= 0 && row < rowCount() && static_cast<std::size_t>(field) < columns_.size() &&
            columns_[field].type == FieldType::SmallInt) {
            std::int16_t small = 0;
            std::memcpy(&small, rowAt(row) + columns_[field].offset, sizeof small);
            return small;
        }
        return anyNumberAt(row, field);
    }
    std::string_view textAt(int row, int field) const;
    bool isAssignedAt(int row, int field) const;

    // Moves to the first row whose fields equal the values; on failure the cursor stays.
    bool locate(std::initializer_list<std::pair<int, std::int32_t>> keys);
    bool locate(std::initializer_list<std::pair<std::string_view, std::int32_t>> keys);

private:
    // Rows are packed: a word of assigned-flags, then each field in its own width (two bytes for
    // a small integer, four for an integer, eight for text). A text of up to seven characters
    // lives in its row; a longer one in a list of its own. Rows sit in blocks that never move, so
    // a table of millions of letters costs a few tens of bytes a letter and never needs twice its
    // size while it grows.
    struct Column {
        FieldType type;
        std::size_t offset;
    };
    static constexpr std::size_t kBlockRows = 4096;
    static constexpr std::size_t kInlineText = 7;
    static constexpr unsigned char kLongText = 0xFF;

    const std::byte* rowAt(int row) const {
        const auto index = static_cast<std::size_t>(row);
        return blocks_[index / kBlockRows].get() + (index % kBlockRows) * rowBytes_;
    }
    std::byte* currentRow(int field);
    static void markAssigned(std::byte* row, int field) {
        std::uint32_t flags = 0;
        std::memcpy(&flags, row, sizeof flags);
        flags |= std::uint32_t(1) << field;
        std::memcpy(row, &flags, sizeof flags);
    }
    void setAnyNumber(int field, std::int64_t value);
    std::int32_t anyNumberAt(int row, int field) const;
    bool locateResolved(std::span<const std::pair<int, std::int32_t>> keys);
    void settle(int row);

    std::vector<FieldDef> fields_;
    std::vector<Column> columns_;
    std::size_t rowBytes_ = 0;
    std::vector<std::unique_ptr<std::byte[]>> blocks_;
    std::deque<std::string> longTexts_; // a deque: texts handed out as views never move
    int rows_ = 0;
    int cursor_ = -1;
    std::byte* cursorRow_ = nullptr;
    bool eof_ = true;
    bool bof_ = true;
    bool open_ = true;
};

} // namespace mirelta
