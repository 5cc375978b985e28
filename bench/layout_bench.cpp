// SPDX-License-Identifier: GPL-3.0-or-later
// Cost of reading a layout file and of one query, to keep start-up cheap.
#include "layout/LayoutKeys.hpp"
#include "layout/LayoutNumbers.hpp"
#include "layout/StringsFileParser.hpp"

#include <benchmark/benchmark.h>

#include <string>

namespace {

// A file shaped like the tuner screen's, scaled by `items`.
std::string layoutText(int items) {
    std::string text = "/* generated */\n";
    for (int i = 0; i < items; ++i) {
        const std::string item = "\"ovra.item" + std::to_string(i);
        text += item + ".0.x\" = \"" + std::to_string(i % 320) + ".5\";\n";
        text += item + ".0.y\" = \"" + std::to_string(i % 460) + "\";\n";
        text += item + ".0.pressed.filename\" = \"image" + std::to_string(i) + ".png\";\n";
        text += item + ".1.pressed.filename\" = \"$ovra.item" + std::to_string(i) +
                ".0.pressed.filename\";\n";
    }
    return text;
}

void BM_ParseLayout(benchmark::State& state) {
    const std::string text = layoutText(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        auto table = ovra::parseStringsFile(text);
        benchmark::DoNotOptimize(table);
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) *
                            static_cast<int64_t>(text.size()));
}
BENCHMARK(BM_ParseLayout)->Arg(40)->Arg(4000);

void BM_QueryWithReference(benchmark::State& state) {
    const ovra::StringTable table = *ovra::parseStringsFile(layoutText(40));
    for (auto _ : state) {
        const std::string key = ovra::buildLayoutKey("ovra", "item17", 1, "pressed", "filename");
        benchmark::DoNotOptimize(ovra::resolveLayoutValue(key, &table));
    }
}
BENCHMARK(BM_QueryWithReference);

void BM_PositionQuery(benchmark::State& state) {
    const ovra::StringTable table = *ovra::parseStringsFile(layoutText(40));
    for (auto _ : state) {
        const auto x = table.find(ovra::buildLayoutKey("ovra", "item17", 0, nullptr, "x"));
        benchmark::DoNotOptimize(ovra::parseLayoutFloat(x->second));
    }
}
BENCHMARK(BM_PositionQuery);

} // namespace
