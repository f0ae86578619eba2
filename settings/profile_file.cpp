#include "settings/profile_file.h"

#include "text/cp1251.h"

#include <algorithm>
#include <charconv>
#include <utility>

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

bool isBreak(char c) {
    return c == '\r' || c == '\n';
}

} // namespace

ProfileFile ProfileFile::fromBytes(std::string bytes) {
    ProfileFile file;
    file.bytes_ = std::move(bytes);
    return file;
}

ProfileFile::Line ProfileFile::lineAt(std::string_view bytes, std::size_t at) {
    std::size_t textEnd = at;
    while (textEnd < bytes.size() && !isBreak(bytes[textEnd])) {
        ++textEnd;
    }
    std::size_t end = textEnd;
    if (end < bytes.size()) {
        end += bytes[end] == '\r' && end + 1 < bytes.size() && bytes[end + 1] == '\n' ? 2 : 1;
    }
    return {at, textEnd, end};
}

void ProfileFile::remember(std::string_view section, std::optional<Span> span) const {
    cachedName_ = std::string(section);
    cachedSpan_ = span;
    cached_ = true;
}

std::optional<ProfileFile::Span> ProfileFile::findSection(std::string_view section) const {
    if (cached_ && sameName(cachedName_, section)) {
        return cachedSpan_;
    }
    const std::string_view bytes = bytes_;
    std::optional<Span> found;
    for (std::size_t at = 0; at < bytes.size() && !found;) {
        const Line line = lineAt(bytes, at);
        const auto name = sectionName(bytes.substr(line.begin, line.textEnd - line.begin));
        if (name && sameName(*name, section)) {
            std::size_t end = line.end;
            while (end < bytes.size()) {
                const Line next = lineAt(bytes, end);
                if (sectionName(bytes.substr(next.begin, next.textEnd - next.begin))) {
                    break;
                }
                end = next.end;
            }
            found = Span{line.begin, line.end, end};
        }
        at = line.end;
    }
    remember(section, found);
    return found;
}

std::optional<ProfileFile::Line> ProfileFile::findKey(const Span& span,
                                                      std::string_view key) const {
    const std::string_view bytes = bytes_;
    for (std::size_t at = span.body; at < span.end;) {
        const Line line = lineAt(bytes, at);
        const auto name = keyName(bytes.substr(line.begin, line.textEnd - line.begin));
        if (name && sameName(*name, key)) {
            return line;
        }
        at = line.end;
    }
    return std::nullopt;
}

std::optional<std::string> ProfileFile::read(std::string_view section, std::string_view key) const {
    const auto span = findSection(section);
    const auto line = span ? findKey(*span, key) : std::nullopt;
    if (!line) {
        return std::nullopt;
    }
    const std::string_view text =
        std::string_view(bytes_).substr(line->begin, line->textEnd - line->begin);
    std::string_view value = trimBlanks(text.substr(text.find('=') + 1));
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
    const std::string line = std::string(key) + "=" + std::string(value);
    // The line before a new one gets a break only if it is the last of a file that had none.
    const auto breakBefore = [this](std::size_t at) {
        return at == bytes_.size() && at > 0 && !isBreak(bytes_.back()) ? "\r\n" : "";
    };
    const auto span = findSection(section);
    if (!span) {
        bytes_ += breakBefore(bytes_.size());
        const std::size_t header = bytes_.size();
        bytes_ += "[" + std::string(section) + "]\r\n";
        const std::size_t body = bytes_.size();
        bytes_ += line + "\r\n";
        remember(section, Span{header, body, bytes_.size()});
        return;
    }
    Span changed = *span;
    if (const auto existing = findKey(*span, key)) {
        const std::size_t length = existing->textEnd - existing->begin;
        bytes_.replace(existing->begin, length, line);
        changed.end = changed.end - length + line.size();
        remember(section, changed);
        return;
    }
    // After the section's last line that is not blank, so that blank lines stay between sections.
    std::size_t at = span->body;
    for (std::size_t next = span->body; next < span->end;) {
        const Line candidate = lineAt(bytes_, next);
        const std::string_view text =
            std::string_view(bytes_).substr(candidate.begin, candidate.textEnd - candidate.begin);
        if (!trimBlanks(text).empty()) {
            at = candidate.end;
        }
        next = candidate.end;
    }
    const std::string inserted = breakBefore(at) + line + "\r\n";
    bytes_.insert(at, inserted);
    changed.end += inserted.size();
    remember(section, changed);
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
