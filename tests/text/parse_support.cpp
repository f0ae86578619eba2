#include "tests/text/parse_support.h"

#include "text/cp1251.h"
#include "text/suggestion_tables.h"

namespace mirelta::test {

std::string Parsed::messageUtf8() const {
    return cp1251::toUtf8(outcome.message);
}

Parsed parseBytes(std::string_view bytes, Options options) {
    Parsed parsed{makeLettersTable(), makeScenarioTable(), {}};
    const std::string text = cp1251::normaliseLineBreaks(bytes);
    const std::string name = cp1251::fromUtf8(options.name);
    parsed.outcome = parseSuggestion(
        {.text = text, .personal = options.personal, .sexItem = options.sexItem, .name = name},
        parsed.letters, parsed.scenario);
    return parsed;
}

Parsed parse(std::string_view utf8, Options options) {
    return parseBytes(cp1251::fromUtf8(utf8), options);
}

std::string oneThesis(std::string_view sentencesUtf8) {
    return ">\n@1#1%$0&10@\n" + std::string(sentencesUtf8) + "\n<\n";
}

std::string letters(const RecordTable& table) {
    std::string bytes;
    for (int row = 0; row < table.rowCount(); ++row) {
        bytes += table.textAt(row, letters_field::Letter);
    }
    return cp1251::toUtf8(bytes);
}

std::vector<int> column(const RecordTable& table, int field) {
    std::vector<int> values;
    values.reserve(static_cast<std::size_t>(table.rowCount()));
    for (int row = 0; row < table.rowCount(); ++row) {
        values.push_back(table.numberAt(row, field));
    }
    return values;
}

std::vector<int> sentenceRows(const RecordTable& table, int thesis, int sentence) {
    std::vector<int> rows;
    for (int row = 0; row < table.rowCount(); ++row) {
        if (table.numberAt(row, letters_field::Thesis) == thesis &&
            table.numberAt(row, letters_field::Sentence) == sentence) {
            rows.push_back(row);
        }
    }
    return rows;
}

} // namespace mirelta::test
