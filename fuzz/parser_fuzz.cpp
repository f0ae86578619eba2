// Feeds arbitrary bytes to the suggestion parser, both as a text box would hold them (line
// breaks normalised) and raw, with every sex choice, a name and the description scan.

#include "text/cp1251.h"
#include "text/suggestion_parser.h"
#include "text/suggestion_tables.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) {
        return 0;
    }
    // The first byte picks the options; the next up to 12 bytes up to a NUL are the name.
    const std::uint8_t options = data[0];
    std::string_view rest(reinterpret_cast<const char*>(data + 1), size - 1);
    std::string_view name;
    if (options & 4) {
        const std::size_t end = rest.find('\0');
        const std::size_t length =
            end == std::string_view::npos ? 0 : std::min<std::size_t>(end, 12);
        name = rest.substr(0, length);
        rest.remove_prefix(end == std::string_view::npos ? 0 : end + 1);
    }
    const std::string text =
        (options & 8) ? std::string(rest) : mirelta::cp1251::normaliseLineBreaks(rest);

    mirelta::RecordTable letters = mirelta::makeLettersTable();
    mirelta::RecordTable scenario = mirelta::makeScenarioTable();
    const mirelta::ParseRequest request{.text = text,
                                        .personal = (options & 1) != 0,
                                        .sexItem = (options & 2) ? 1 : 0,
                                        .name = name};
    const mirelta::ParseOutcome outcome = mirelta::parseSuggestion(request, letters, scenario);
    // A parse ends either completed or with a message, and names where it stopped.
    if (outcome.completed == outcome.message.empty() && outcome.stopOffset <= text.size()) {
        return 0;
    }
    __builtin_trap();
}
