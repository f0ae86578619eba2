#include "text/record_table.h"

#include <algorithm>
#include <cctype>
#include <cstring>
#include <limits>

namespace mirelta {
namespace {

bool sameName(std::string_view a, std::string_view b) {
    return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
        return std::tolower(static_cast<unsigned char>(x)) ==
               std::tolower(static_cast<unsigned char>(y));
    });
}

std::pair<std::int64_t, std::int64_t> rangeOf(FieldType type) {
    if (type == FieldType::SmallInt) {
        return {std::numeric_limits<std::int16_t>::min(), std::numeric_limits<std::int16_t>::max()};
    }
    return {std::numeric_limits<std::int32_t>::min(), std::numeric_limits<std::int32_t>::max()};
}

} // namespace

FieldRangeError::FieldRangeError(std::string_view field, std::int64_t value)
    : std::range_error(std::to_string(value) + " is out of range for field " + std::string(field)),
      field_(field), value_(value) {}

RecordTable::RecordTable(std::vector<FieldDef> fields) : fields_(std::move(fields)) {
    if (fields_.size() > 32) {
        throw std::invalid_argument("a table holds at most 32 fields");
    }
    rowBytes_ = sizeof(std::uint32_t);
    for (const FieldDef& def : fields_) {
        columns_.push_back({def.type, rowBytes_});
        rowBytes_ += def.type == FieldType::SmallInt  ? sizeof(std::int16_t)
                     : def.type == FieldType::Integer ? sizeof(std::int32_t)
                                                      : 1 + kInlineText;
    }
}

int RecordTable::fieldIndex(std::string_view name) const {
    for (std::size_t i = 0; i < fields_.size(); ++i) {
        if (sameName(fields_[i].name, name)) {
            return static_cast<int>(i);
        }
    }
    throw std::invalid_argument("no field named " + std::string(name));
}

void RecordTable::open() {
    open_ = true;
    settle(rows_ > 0 ? 0 : -1);
    bof_ = true;
}

void RecordTable::close() {
    open_ = false;
}

void RecordTable::clear() {
    if (!open_) {
        throw std::logic_error("the table is closed");
    }
    blocks_.clear();
    longTexts_.clear();
    rows_ = 0;
    cursor_ = -1;
    cursorRow_ = nullptr;
    eof_ = bof_ = true;
}

void RecordTable::settle(int row) {
    cursor_ = row;
    cursorRow_ = row >= 0 && row < rows_ ? const_cast<std::byte*>(rowAt(row)) : nullptr;
    eof_ = bof_ = false;
}

void RecordTable::first() {
    settle(isEmpty() ? -1 : 0);
    bof_ = true;
}

void RecordTable::last() {
    settle(rowCount() - 1);
    eof_ = true;
}

void RecordTable::next() {
    if (cursor_ + 1 < rowCount()) {
        settle(cursor_ + 1);
    } else {
        eof_ = true;
    }
}

void RecordTable::prior() {
    if (cursor_ > 0 && !isEmpty()) {
        settle(cursor_ - 1);
    } else {
        bof_ = true;
    }
}

void RecordTable::goTo(int row) {
    if (row < 0 || row >= rowCount()) {
        throw std::out_of_range("no row " + std::to_string(row));
    }
    settle(row);
}

void RecordTable::append() {
    if (!open_) {
        throw std::logic_error("the table is closed");
    }
    if (rows_ == std::numeric_limits<int>::max()) {
        throw std::length_error("the table is full");
    }
    if (static_cast<std::size_t>(rows_) % kBlockRows == 0) {
        // Zeroed: every field unassigned, every number 0, every text empty.
        blocks_.push_back(std::make_unique<std::byte[]>(kBlockRows * rowBytes_));
    }
    ++rows_;
    settle(rows_ - 1);
}

std::byte* RecordTable::currentRow(int field) {
    if (isEmpty() || cursorRow_ == nullptr) {
        throw std::logic_error("no current row");
    }
    if (field < 0 || field >= static_cast<int>(fields_.size())) {
        throw std::out_of_range("no field " + std::to_string(field));
    }
    return cursorRow_;
}

void RecordTable::setAnyNumber(int field, std::int64_t value) {
    std::byte* row = currentRow(field);
    const FieldDef& def = fields_[field];
    if (def.type == FieldType::Text) {
        throw std::logic_error(std::string(def.name) + " holds text");
    }
    const auto [low, high] = rangeOf(def.type);
    if (value < low || value > high) {
        throw FieldRangeError(def.name, value);
    }
    std::byte* place = row + columns_[field].offset;
    if (def.type == FieldType::SmallInt) {
        const auto small = static_cast<std::int16_t>(value);
        std::memcpy(place, &small, sizeof small);
    } else {
        const auto number = static_cast<std::int32_t>(value);
        std::memcpy(place, &number, sizeof number);
    }
    markAssigned(row, field);
}

void RecordTable::setText(int field, std::string_view value) {
    std::byte* row = currentRow(field);
    const FieldDef& def = fields_[field];
    if (def.type != FieldType::Text) {
        throw std::logic_error(std::string(def.name) + " holds a number");
    }
    value = value.substr(0, static_cast<std::size_t>(def.size));
    auto* place = reinterpret_cast<unsigned char*>(row + columns_[field].offset);
    if (value.size() <= kInlineText) {
        place[0] = static_cast<unsigned char>(value.size());
        std::memcpy(place + 1, value.data(), value.size());
    } else {
        // A text set again keeps its old copy: only headers hold long texts, set once each.
        const auto index = static_cast<std::uint32_t>(longTexts_.size());
        longTexts_.emplace_back(value);
        place[0] = kLongText;
        std::memcpy(place + 1, &index, sizeof index);
    }
    markAssigned(row, field);
}

std::int32_t RecordTable::anyNumberAt(int row, int field) const {
    if (row < 0 || row >= rowCount() || field < 0 || field >= static_cast<int>(fields_.size())) {
        return 0;
    }
    const Column& column = columns_[field];
    const std::byte* place = rowAt(row) + column.offset;
    if (column.type == FieldType::SmallInt) {
        std::int16_t small = 0;
        std::memcpy(&small, place, sizeof small);
        return small;
    }
    if (column.type == FieldType::Integer) {
        std::int32_t number = 0;
        std::memcpy(&number, place, sizeof number);
        return number;
    }
    return 0;
}

std::string_view RecordTable::textAt(int row, int field) const {
    if (row < 0 || row >= rowCount() || field < 0 || field >= static_cast<int>(fields_.size()) ||
        columns_[field].type != FieldType::Text) {
        return {};
    }
    const auto* place = reinterpret_cast<const unsigned char*>(rowAt(row) + columns_[field].offset);
    if (place[0] == kLongText) {
        std::uint32_t index = 0;
        std::memcpy(&index, place + 1, sizeof index);
        return longTexts_[index];
    }
    return {reinterpret_cast<const char*>(place + 1), place[0]};
}

bool RecordTable::isAssignedAt(int row, int field) const {
    if (row < 0 || row >= rowCount() || field < 0 || field >= static_cast<int>(fields_.size())) {
        return false;
    }
    std::uint32_t flags = 0;
    std::memcpy(&flags, rowAt(row), sizeof flags);
    return (flags >> field) & 1U;
}

bool RecordTable::locateResolved(std::span<const std::pair<int, std::int32_t>> keys) {
    for (int row = 0; row < rowCount(); ++row) {
        const bool match = std::all_of(keys.begin(), keys.end(), [&](const auto& key) {
            return numberAt(row, key.first) == key.second;
        });
        if (match) {
            settle(row);
            return true;
        }
    }
    return false;
}

bool RecordTable::locate(std::initializer_list<std::pair<int, std::int32_t>> keys) {
    return locateResolved({keys.begin(), keys.size()});
}

bool RecordTable::locate(std::initializer_list<std::pair<std::string_view, std::int32_t>> keys) {
    std::vector<std::pair<int, std::int32_t>> resolved;
    for (const auto& [name, value] : keys) {
        resolved.emplace_back(fieldIndex(name), value);
    }
    return locateResolved(resolved);
}

} // namespace mirelta
