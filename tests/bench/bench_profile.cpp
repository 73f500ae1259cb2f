// What the readers of list files and shortcuts cost: parsing a game list of
// the largest size the import walks (sections 0 to 100000, three keys each)
// and running the import's lookups over it, and one shortcut read from disk.
#include <benchmark/benchmark.h>

#include "platform/ProfileReader.h"
#include "platform/TProfile.h"

#include <cstdio>
#include <fstream>
#include <string>
#include <unistd.h>

namespace {

std::string GameList(int sections) {
    std::string text;
    for (int i = 0; i < sections; ++i) {
        std::string n = std::to_string(i);
        text += "[" + n + "]\r\nmc=游戏" + n + "\r\nlx=休闲\r\nurl=http://www.xingfan.example/g/" +
                n + ".htm\r\n";
    }
    return text;
}

void BM_ParseGameList(benchmark::State& state) {
    std::string text = GameList(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        platform::TProfile profile(text);
        benchmark::DoNotOptimize(profile.SectionExists("0"));
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(text.size()));
}
BENCHMARK(BM_ParseGameList)->Arg(1000)->Arg(100000)->Unit(benchmark::kMillisecond);

// Three lookups per section, as the list import makes them.
void BM_ImportLookups(benchmark::State& state) {
    auto sections = static_cast<int>(state.range(0));
    platform::TProfile profile(GameList(sections));
    for (auto _ : state) {
        for (int i = 0; i < sections; ++i) {
            std::string n = std::to_string(i);
            for (const char* key : {"mc", "lx", "url"})
                benchmark::DoNotOptimize(profile.ReadString(n, key, std::nullopt, 2048));
        }
    }
    state.SetItemsProcessed(int64_t(state.iterations()) * sections * 3);
}
BENCHMARK(BM_ImportLookups)->Arg(100000)->Unit(benchmark::kMillisecond);

void BM_ReadShortcutFile(benchmark::State& state) {
    std::string path = "/tmp/xf-bench-" + std::to_string(::getpid()) + ".url";
    std::ofstream(path, std::ios::binary)
        << "[DEFAULT]\r\nBASEURL=http://www.example.com/\r\n[InternetShortcut]\r\n"
           "URL=http://www.example.com/\r\nIconIndex=0\r\n";
    for (auto _ : state)
        benchmark::DoNotOptimize(
            platform::GetPrivateProfileString("InternetShortcut", "URL", "", 2048, path));
    std::remove(path.c_str());
}
BENCHMARK(BM_ReadShortcutFile);

} // namespace
