// mirelta-check: parses a suggestion the way the program does and says whether it would play,
// for people who write personal suggestions.
//
//   mirelta-check [--sex m|f] [--name NAME] [--dump] (FILE | --standard N)
//
// Exit status: 0 the parse completed, 1 it stopped (the reason on stderr as "line L: MESSAGE"),
// 2 a usage error or an unreadable file.

#include "text/cp1251.h"
#include "text/standard_texts.h"
#include "text/suggestion_parser.h"
#include "text/suggestion_tables.h"

#include <algorithm>
#include <charconv>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <iterator>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

namespace {

using namespace mirelta;

constexpr const char* kUsage =
    "usage: mirelta-check [--sex m|f] [--name NAME] [--dump] (FILE | --standard N)\n"
    "  FILE          a personal suggestion in Windows-1251\n"
    "  --standard N  the standard suggestion N (0-5)\n"
    "  --sex m|f     the version to parse (default m)\n"
    "  --name NAME   the name inserted after \"Я\" (UTF-8)\n"
    "  --dump        write the tables, the thesis count or the error in UTF-8\n";

struct Options {
    int sexItem = 0;
    std::string name;
    bool dump = false;
    std::optional<std::string> file;
    std::optional<int> standard;
};

std::optional<Options> parseArguments(const std::vector<std::string>& args) {
    Options options;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        const bool hasValue = i + 1 < args.size();
        if (arg == "--dump") {
            options.dump = true;
        } else if (arg == "--sex" && hasValue) {
            const std::string& sex = args[++i];
            if (sex != "m" && sex != "f") {
                return std::nullopt;
            }
            options.sexItem = sex == "m" ? 0 : 1;
        } else if (arg == "--name" && hasValue) {
            options.name = cp1251::fromUtf8(args[++i]);
        } else if (arg == "--standard" && hasValue) {
            const std::string& value = args[++i];
            int item = -1;
            const auto [end, error] =
                std::from_chars(value.data(), value.data() + value.size(), item);
            if (error != std::errc() || end != value.data() + value.size() || item < 0 ||
                item >= kStandardTextCount) {
                return std::nullopt;
            }
            options.standard = item;
        } else if (!arg.empty() && arg[0] != '-' && !options.file) {
            options.file = arg;
        } else {
            return std::nullopt;
        }
    }
    if (options.file.has_value() == options.standard.has_value()) {
        return std::nullopt;
    }
    return options;
}

// Tabs and line breaks inside a value would break the tab-separated dump, and any other control
// byte of a text, copied to a terminal, could move its cursor or change its colours.
std::string escaped(std::string_view utf8) {
    std::string out;
    for (const char c : utf8) {
        const auto byte = static_cast<unsigned char>(c);
        switch (c) {
        case '\r':
            out += "\\r";
            break;
        case '\n':
            out += "\\n";
            break;
        case '\t':
            out += "\\t";
            break;
        default:
            if (byte < 0x20 || byte == 0x7F) {
                static constexpr char kHex[] = "0123456789ABCDEF";
                out += "\\x";
                out += kHex[byte >> 4];
                out += kHex[byte & 0xF];
            } else {
                out += c;
            }
        }
    }
    return out;
}

void dumpTable(std::ostream& out, const char* title, const RecordTable& table) {
    out << "# " << title << '\n';
    const auto& fields = table.fields();
    for (std::size_t f = 0; f < fields.size(); ++f) {
        out << (f ? "\t" : "") << fields[f].name;
    }
    out << '\n';
    for (int row = 0; row < table.rowCount(); ++row) {
        for (std::size_t f = 0; f < fields.size(); ++f) {
            const int field = static_cast<int>(f);
            out << (f ? "\t" : "");
            if (!table.isAssignedAt(row, field)) {
                continue;
            }
            if (fields[f].type == FieldType::Text) {
                out << escaped(cp1251::toUtf8(table.textAt(row, field)));
            } else {
                out << table.numberAt(row, field);
            }
        }
        out << '\n';
    }
}

int lineOf(std::string_view text, std::size_t offset) {
    if (!text.empty()) {
        offset = std::min(offset, text.size() - 1);
    }
    return 1 + static_cast<int>(std::count(text.begin(), text.begin() + offset, '\n'));
}

} // namespace

int main(int argc, char** argv) {
    const std::optional<Options> options =
        parseArguments(std::vector<std::string>(argv + 1, argv + argc));
    if (!options) {
        std::cerr << kUsage;
        return 2;
    }
    std::string text;
    if (options->file) {
        std::error_code error;
        std::ifstream in(*options->file, std::ios::binary);
        std::ostringstream bytes;
        if (std::filesystem::is_regular_file(*options->file, error) && in) {
            bytes << in.rdbuf();
        }
        if (!in || !std::filesystem::is_regular_file(*options->file, error)) {
            std::cerr << "mirelta-check: cannot read " << *options->file << '\n';
            return 2;
        }
        text = cp1251::normaliseLineBreaks(bytes.str());
    } else {
        text = std::string(standardText(*options->standard));
    }

    RecordTable letters = makeLettersTable();
    RecordTable scenario = makeScenarioTable();
    const ParseOutcome outcome = parseSuggestion({.text = text,
                                                  .personal = options->file.has_value(),
                                                  .sexItem = options->sexItem,
                                                  .name = options->name},
                                                 letters, scenario);
    if (options->dump) {
        dumpTable(std::cout, "Tslovo", letters);
        dumpTable(std::cout, "Tschenar", scenario);
        if (outcome.completed) {
            std::cout << "# thesisCount\t" << *outcome.thesisCount << '\n';
        } else {
            std::cout << "# error\t" << escaped(cp1251::toUtf8(outcome.message)) << '\n';
        }
    }
    if (!outcome.completed) {
        std::cerr << "line " << lineOf(text, outcome.stopOffset) << ": "
                  << escaped(cp1251::toUtf8(outcome.message)) << '\n';
        return 1;
    }
    return 0;
}
