#pragma once
// Parsing texts written in the tests as UTF-8 with "\n" line breaks.

#include "text/record_table.h"
#include "text/suggestion_parser.h"

#include <string>
#include <string_view>
#include <vector>

namespace mirelta::test {

struct Parsed {
    RecordTable letters;
    RecordTable scenario;
    ParseOutcome outcome;
    std::string messageUtf8() const;
};

struct Options {
    int sexItem = 0;
    std::string_view name;
    bool personal = false;
};

// Converts to Windows-1251 with CR LF breaks, as a text box holds the text, and parses it.
Parsed parse(std::string_view utf8, Options options = {});
Parsed parseBytes(std::string_view bytes, Options options = {});

// One men's thesis with the given sentences: ">", a header, the sentences, "<".
std::string oneThesis(std::string_view sentencesUtf8);

// The letters of the table as UTF-8, and one numeric field of every row.
std::string letters(const RecordTable& table);
std::vector<int> column(const RecordTable& table, int field);
// The rows of one sentence, as indices into the table.
std::vector<int> sentenceRows(const RecordTable& table, int thesis, int sentence);

} // namespace mirelta::test
