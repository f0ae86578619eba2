#pragma once
// A Windows profile (INI) file kept as its lines, read and written by the rules of the Windows
// profile functions: sections and keys match without regard to case, a key that exists is
// replaced where it stands, a new key goes at the end of its section, and everything else in the
// file (other sections, other keys, comments, blank lines) stays as it was. Bytes are Windows-1251.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace mirelta {

class ProfileFile {
public:
    // The profile reader's buffer holds this many characters of a value.
    static constexpr std::size_t kMaxValueLength = 2047;

    ProfileFile() = default;
    // Any bytes are accepted; lines may end in CR LF, LF or CR.
    static ProfileFile fromBytes(std::string_view bytes);
    // The lines joined with CR LF, the last one included.
    std::string toBytes() const;

    // The value of the first matching key of the first matching section: blanks around it
    // removed, one enclosing pair of double or single quotes taken off, cut to kMaxValueLength.
    std::optional<std::string> read(std::string_view section, std::string_view key) const;
    std::string read(std::string_view section, std::string_view key,
                     std::string_view fallback) const;

    void write(std::string_view section, std::string_view key, std::string_view value);

    const std::vector<std::string>& lines() const { return lines_; }

private:
    struct Span {
        std::size_t header;
        std::size_t end; // one past the section's last line
    };
    std::optional<Span> findSection(std::string_view section) const;
    std::optional<std::size_t> findKey(const Span& span, std::string_view key) const;

    std::vector<std::string> lines_;
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
