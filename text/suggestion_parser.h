#pragma once
// Parsing a suggestion text into the letters and scenario tables. The text is Windows-1251 with
// CR LF line breaks (as a multi-line text box holds it); it carries a men's version after a ">"
// line and a women's version after a "<" line, each made of thesis blocks: a header line
// "@n#c%picture$v&z^sound@" and one sentence per line.

#include "text/record_table.h"

#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace mirelta {

struct ParseRequest {
    std::string_view text;
    // A personal text may carry a description between two "*"; standard texts are not scanned.
    bool personal = false;
    // Item of the sex choice: 0 parses the men's version, anything else the women's.
    int sexItem = 0;
    // Inserted after every one-letter word "Я" that is not the last word of its line.
    std::string_view name;
};

struct ParseOutcome {
    bool completed = false;
    // Thesis number of the last header read; set only when the parse completed.
    std::optional<int> thesisCount;
    // The personal text's description; empty when there is none (the panel is then hidden).
    std::string description;
    // Windows-1251 message of a stopped parse, as shown to the user.
    std::string message;
    // Byte offset in the request's text where the parse stopped.
    std::size_t stopOffset = 0;
};

// Progress of the parse in percent, 0-100.
using ParseProgress = std::function<void(int percent)>;

// Empties both tables and fills them from the text. A stopped parse leaves the rows made up to
// that point. On completion the letters table's cursor is on its first row.
ParseOutcome parseSuggestion(const ParseRequest& request, RecordTable& letters,
                             RecordTable& scenario, const ParseProgress& progress = {});

// The description of a personal text: the characters between the last pair of "*" (scanning
// all but the last character), or empty.
std::string findDescription(std::string_view text);

} // namespace mirelta
