#pragma once
// A Windows profile (INI) file, read and written by the rules of the Windows profile functions:
// sections and keys match without regard to case, a key that exists is replaced where it stands,
// a new key goes at the end of its section, and everything else in the file (other sections,
// other keys, comments, blank lines, the line breaks themselves) stays byte for byte as it was.
// Bytes are Windows-1251.
//
// The file is kept as its bytes, not split into lines: a file of millions of short lines would
// cost many times its size as separate strings, and only one section is ever looked at.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace mirelta {

class ProfileFile {
public:
    // The profile reader's buffer holds this many characters of a value.
    static constexpr std::size_t kMaxValueLength = 2047;

    ProfileFile() = default;
    // Any bytes are accepted; lines may end in CR LF, LF or CR.
    static ProfileFile fromBytes(std::string bytes);
    // The file as it is to be written: the bytes read, with the lines written since then.
    const std::string& toBytes() const { return bytes_; }

    // The value of the first matching key of the first matching section: blanks around it
    // removed, one enclosing pair of double or single quotes taken off, cut to kMaxValueLength.
    std::optional<std::string> read(std::string_view section, std::string_view key) const;
    std::string read(std::string_view section, std::string_view key,
                     std::string_view fallback) const;

    // A line written here ends in CR LF; the lines around it keep their own breaks.
    void write(std::string_view section, std::string_view key, std::string_view value);

private:
    // Byte offsets of a section: its header line, the line after it, and one past its last line.
    struct Span {
        std::size_t header;
        std::size_t body;
        std::size_t end;
    };
    struct Line {
        std::size_t begin;
        std::size_t textEnd; // where the line break starts
        std::size_t end;     // one past the line break
    };
    static Line lineAt(std::string_view bytes, std::size_t at);
    std::optional<Span> findSection(std::string_view section) const;
    std::optional<Line> findKey(const Span& span, std::string_view key) const;
    void remember(std::string_view section, std::optional<Span> span) const;

    std::string bytes_;
    // The settings store reads and writes one section key by key; finding it again in a large
    // file for every key would scan the whole file each time.
    mutable std::string cachedName_;
    mutable std::optional<Span> cachedSpan_;
    mutable bool cached_ = false;
};

// How the settings store writes and reads its values.
namespace stored_value {

// Blanks and control characters removed at both ends; a text that begins and ends with the same
// quote character is wrapped in one more pair of double quotes, as the reader takes one off.
std::string encodeText(std::string_view text);
std::string encodeChecked(bool checked);

// A whole decimal number, anything else 0.
int parseIndex(std::string_view text);
// "True" or "False" in any case; anything else leaves the box as it is.
std::optional<bool> parseChecked(std::string_view text);

} // namespace stored_value

} // namespace mirelta
