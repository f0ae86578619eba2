#include "record_table.h"

#include <algorithm>
#include <cctype>
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

RecordTable::RecordTable(std::vector<FieldDef> fields) : fields_(std::move(fields)) {}

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
    cells_.clear();
    rows_ = 0;
    cursor_ = -1;
    eof_ = bof_ = true;
}

void RecordTable::settle(int row) {
    cursor_ = row;
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
    cells_.resize(cells_.size() + fields_.size());
    ++rows_;
    settle(rows_ - 1);
}

const RecordTable::Cell* RecordTable::cellAt(int row, int field) const {
    if (row < 0 || row >= rowCount() || field < 0 || field >= static_cast<int>(fields_.size())) {
        return nullptr;
    }
    return &cells_[static_cast<std::size_t>(row) * fields_.size() + field];
}

RecordTable::Cell& RecordTable::currentCell(int field) {
    if (isEmpty()) {
        throw std::logic_error("no current row");
    }
    if (field < 0 || field >= static_cast<int>(fields_.size())) {
        throw std::out_of_range("no field " + std::to_string(field));
    }
    return cells_[static_cast<std::size_t>(cursor_) * fields_.size() + field];
}

void RecordTable::setNumber(int field, std::int64_t value) {
    Cell& cell = currentCell(field);
    const FieldDef& def = fields_[field];
    if (def.type == FieldType::Text) {
        throw std::logic_error(std::string(def.name) + " holds text");
    }
    const auto [low, high] = rangeOf(def.type);
    if (value < low || value > high) {
        throw FieldRangeError(def.name, value);
    }
    cell.number = static_cast<std::int32_t>(value);
    cell.assigned = true;
}

void RecordTable::setText(int field, std::string_view value) {
    Cell& cell = currentCell(field);
    const FieldDef& def = fields_[field];
    if (def.type != FieldType::Text) {
        throw std::logic_error(std::string(def.name) + " holds a number");
    }
    cell.text = value.substr(0, static_cast<std::size_t>(def.size));
    cell.assigned = true;
}

std::int32_t RecordTable::numberAt(int row, int field) const {
    const Cell* cell = cellAt(row, field);
    return cell ? cell->number : 0;
}

std::string_view RecordTable::textAt(int row, int field) const {
    const Cell* cell = cellAt(row, field);
    return cell ? std::string_view(cell->text) : std::string_view();
}

bool RecordTable::isAssignedAt(int row, int field) const {
    const Cell* cell = cellAt(row, field);
    return cell && cell->assigned;
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
