// Parsing the standard suggestions, as the program does at start and on every change of choice:
// each of the six in both versions, and with a name inserted after every "Я".

#include "text/cp1251.h"
#include "text/standard_texts.h"
#include "text/suggestion_parser.h"
#include "text/suggestion_tables.h"

#include <benchmark/benchmark.h>

namespace {

using namespace mirelta;

void ParseStandard(benchmark::State& state) {
    const int item = static_cast<int>(state.range(0));
    const int sexItem = static_cast<int>(state.range(1));
    const std::string name = state.range(2) ? cp1251::fromUtf8("Александра") : std::string();
    RecordTable letters = makeLettersTable();
    RecordTable scenario = makeScenarioTable();
    const std::string_view text = standardText(item);
    for (auto _ : state) {
        const ParseOutcome outcome =
            parseSuggestion({.text = text, .sexItem = sexItem, .name = name}, letters, scenario);
        if (!outcome.completed) {
            state.SkipWithError("the standard suggestion did not parse");
            break;
        }
        benchmark::DoNotOptimize(letters.rowCount());
    }
    state.SetLabel(std::string(standardTextName(item)) + (sexItem ? " women" : " men") +
                   (name.empty() ? "" : " named") + ", " + std::to_string(letters.rowCount()) +
                   " letters, " + std::to_string(text.size()) + " bytes");
}

BENCHMARK(ParseStandard)
    ->ArgsProduct({{0, 1, 2, 3, 4, 5}, {0, 1}, {0, 1}})
    ->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
