#include "profile_file.h"

#include "cp1251.h"

#include <algorithm>
#include <charconv>

namespace mirelta {
namespace {

bool isBlank(char c) {
    return c == ' ' || c == '\t';
}

std::string_view trimBlanks(std::string_view text) {
    while (!text.empty() && isBlank(text.front())) {
        text.remove_prefix(1);
    }
    while (!text.empty() && isBlank(text.back())) {
        text.remove_suffix(1);
    }
    return text;
}

bool sameName(std::string_view a, std::string_view b) {
    return a.size() == b.size() && cp1251::toUpper(a) == cp1251::toUpper(b);
}

// The name of a section header line "[name]", if the line is one.
std::optional<std::string_view> sectionName(std::string_view line) {
    line = trimBlanks(line);
    if (line.empty() || line.front() != '[') {
        return std::nullopt;
    }
    const std::size_t close = line.find(']');
    if (close == std::string_view::npos) {
        return std::nullopt;
    }
    return trimBlanks(line.substr(1, close - 1));
}

// The key of a "key=value" line; comment lines and lines without "=" have none.
std::optional<std::string_view> keyName(std::string_view line) {
    const std::string_view trimmed = trimBlanks(line);
    const std::size_t equals = trimmed.find('=');
    if (trimmed.empty() || trimmed.front() == ';' || equals == std::string_view::npos) {
        return std::nullopt;
    }
    return trimBlanks(trimmed.substr(0, equals));
}

} // namespace

ProfileFile ProfileFile::fromBytes(std::string_view bytes) {
    ProfileFile file;
    std::size_t start = 0;
    while (start < bytes.size()) {
        const std::size_t end = bytes.find_first_of("\r\n", start);
        if (end == std::string_view::npos) {
            file.lines_.emplace_back(bytes.substr(start));
            break;
        }
        file.lines_.emplace_back(bytes.substr(start, end - start));
        start =
            end + (bytes[end] == '\r' && end + 1 < bytes.size() && bytes[end + 1] == '\n' ? 2 : 1);
    }
    return file;
}

std::string ProfileFile::toBytes() const {
    std::string bytes;
    for (const std::string& line : lines_) {
        bytes += line;
        bytes += "\r\n";
    }
    return bytes;
}

std::optional<ProfileFile::Span> ProfileFile::findSection(std::string_view section) const {
    for (std::size_t i = 0; i < lines_.size(); ++i) {
        const auto name = sectionName(lines_[i]);
        if (name && sameName(*name, section)) {
            std::size_t end = i + 1;
            while (end < lines_.size() && !sectionName(lines_[end])) {
                ++end;
            }
            return Span{i, end};
        }
    }
    return std::nullopt;
}

std::optional<std::size_t> ProfileFile::findKey(const Span& span, std::string_view key) const {
    for (std::size_t i = span.header + 1; i < span.end; ++i) {
        const auto name = keyName(lines_[i]);
        if (name && sameName(*name, key)) {
            return i;
        }
    }
    return std::nullopt;
}

std::optional<std::string> ProfileFile::read(std::string_view section, std::string_view key) const {
    const auto span = findSection(section);
    const auto line = span ? findKey(*span, key) : std::nullopt;
    if (!line) {
        return std::nullopt;
    }
    const std::string& text = lines_[*line];
    std::string_view value = trimBlanks(std::string_view(text).substr(text.find('=') + 1));
    if (value.size() >= 2 && value.front() == value.back() &&
        (value.front() == '"' || value.front() == '\'')) {
        value = value.substr(1, value.size() - 2);
    }
    return std::string(value.substr(0, kMaxValueLength));
}

std::string ProfileFile::read(std::string_view section, std::string_view key,
                              std::string_view fallback) const {
    return read(section, key).value_or(std::string(fallback));
}

void ProfileFile::write(std::string_view section, std::string_view key, std::string_view value) {
    std::string line = std::string(key) + "=" + std::string(value);
    auto span = findSection(section);
    if (!span) {
        lines_.push_back("[" + std::string(section) + "]");
        lines_.push_back(std::move(line));
        return;
    }
    if (const auto existing = findKey(*span, key)) {
        lines_[*existing] = std::move(line);
        return;
    }
    // After the section's last line that is not blank, so that blank lines stay between sections.
    std::size_t at = span->end;
    while (at > span->header + 1 && trimBlanks(lines_[at - 1]).empty()) {
        --at;
    }
    lines_.insert(lines_.begin() + static_cast<std::ptrdiff_t>(at), std::move(line));
}

namespace stored_value {

std::string encodeText(std::string_view text) {
    const auto isTrimmed = [](char c) { return static_cast<unsigned char>(c) <= ' '; };
    while (!text.empty() && isTrimmed(text.front())) {
        text.remove_prefix(1);
    }
    while (!text.empty() && isTrimmed(text.back())) {
        text.remove_suffix(1);
    }
    if (text.size() >= 2 && text.front() == text.back() &&
        (text.front() == '"' || text.front() == '\'')) {
        return "\"" + std::string(text) + "\"";
    }
    return std::string(text);
}

std::string encodeChecked(bool checked) {
    return checked ? "True" : "False";
}

int parseIndex(std::string_view text) {
    int value = 0;
    const char* begin = text.data();
    const char* end = text.data() + text.size();
    if (!text.empty() && text.front() == '+') {
        ++begin;
    }
    const auto [stop, error] = std::from_chars(begin, end, value);
    return error == std::errc() && stop == end && begin != end ? value : 0;
}

std::optional<bool> parseChecked(std::string_view text) {
    if (sameName(text, "True")) {
        return true;
    }
    if (sameName(text, "False")) {
        return false;
    }
    return std::nullopt;
}

} // namespace stored_value

} // namespace mirelta
