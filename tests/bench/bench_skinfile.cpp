// How long a whole skin takes to parse and how long the lookups that every
// repaint makes take. A skin the size of the shipped ones: 42 theme items,
// about twenty of them pictures of a few kilobytes.
#include <benchmark/benchmark.h>

#include "skin/TskThemeFileReader.h"
#include "skin/TskThemeFileWriter.h"

#include <cstdio>
#include <filesystem>
#include <string>
#include <unistd.h>
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

// A 4 MB skin read from disk: the reader's throughput on file data.
void BM_ReadFourMegabyteSkinFile(benchmark::State& state) {
    TskThemeFileWriter writer;
    for (int i = 0; i < 40; ++i)
        writer.AddStream("Picture" + std::to_string(i), std::vector<uint8_t>(100 * 1024, uint8_t(i)));
    for (int i = 0; i < 16; ++i) writer.AddInteger("Color" + std::to_string(i), i);
    std::vector<uint8_t> bytes = writer.Build();
    std::string path = (std::filesystem::temp_directory_path() /
                        ("xf-bench-skin-" + std::to_string(::getpid()) + ".skn")).string();
    std::FILE* f = std::fopen(path.c_str(), "wb");
    std::fwrite(bytes.data(), 1, bytes.size(), f);
    std::fclose(f);
    for (auto _ : state) {
        TskThemeFileReader reader(path);
        benchmark::DoNotOptimize(reader.StreamTable().data());
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(bytes.size()));
    std::remove(path.c_str());
}
BENCHMARK(BM_ReadFourMegabyteSkinFile);

// One lookup, the last integer key of the table.
void BM_LookupOneItem(benchmark::State& state) {
    std::vector<uint8_t> file = TypicalSkin();
    TskThemeFileReader reader(file);
    for (auto _ : state) benchmark::DoNotOptimize(reader.GetInteger("COLOR15"));
}
BENCHMARK(BM_LookupOneItem);

} // namespace
