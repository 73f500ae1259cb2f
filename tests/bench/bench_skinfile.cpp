// How long a whole skin takes to parse and how long the lookups that every
// repaint makes take. A skin the size of the shipped ones: 42 theme items,
// about twenty of them pictures of a few kilobytes.
#include <benchmark/benchmark.h>

#include "skin/TskThemeFileReader.h"
#include "skin/TskThemeFileWriter.h"

#include <string>
#include <vector>

namespace {

std::vector<uint8_t> TypicalSkin() {
    TskThemeFileWriter writer;
    for (int i = 0; i < 20; ++i)
        writer.AddStream("Picture" + std::to_string(i), std::vector<uint8_t>(6000, uint8_t(i)));
    for (int i = 0; i < 16; ++i)
        writer.AddInteger("Color" + std::to_string(i), i * 1000);
    for (int i = 0; i < 6; ++i)
        writer.AddBool("Bool" + std::to_string(i), i % 2 == 1);
    return writer.Build();
}

void BM_ParseTypicalSkin(benchmark::State& state) {
    std::vector<uint8_t> file = TypicalSkin();
    for (auto _ : state) {
        TskThemeFileReader reader(file);
        benchmark::DoNotOptimize(reader.StreamTable().data());
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(file.size()));
}
BENCHMARK(BM_ParseTypicalSkin);

// The last key of each table: the worst case of the linear first-match scan.
void BM_LookupLastKeys(benchmark::State& state) {
    std::vector<uint8_t> file = TypicalSkin();
    TskThemeFileReader reader(file);
    for (auto _ : state) {
        benchmark::DoNotOptimize(reader.GetStream("picture19"));
        benchmark::DoNotOptimize(reader.GetInteger("COLOR15"));
        benchmark::DoNotOptimize(reader.GetBool("bool5"));
    }
}
BENCHMARK(BM_LookupLastKeys);

} // namespace
