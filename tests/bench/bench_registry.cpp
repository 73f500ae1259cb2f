// What the settings operations cost on the file-backed registry: a read of
// one value, one durable write (lock, rewrite, fsync, rename, fsync of the
// folder), and the history shift of the go command (twenty reads, twenty
// writes) on a key that holds twenty-four values.
#include <benchmark/benchmark.h>

#include "platform/Registry.h"

#include <filesystem>
#include <string>
#include <unistd.h>

namespace {

const char kKey[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Orbisurf";

class TScratchRegistry {
public:
    TScratchRegistry()
        : FDir(std::filesystem::temp_directory_path() /
               ("xf-bench-reg-" + std::to_string(::getpid()))),
          FReg((FDir / "registry.reg").string()) {
        FReg.SetRootKey(platform::HKEY_LOCAL_MACHINE);
        FReg.OpenKey(kKey, true);
        for (const char* name : {"sky", "mnuame", "int", "j"})
            FReg.WriteString(name, "0");
        for (int i = 0; i < 20; ++i)
            FReg.WriteString(std::to_string(i), "http://www.example.com/page" + std::to_string(i));
    }
    ~TScratchRegistry() { std::filesystem::remove_all(FDir); }
    platform::Registry& Reg() { return FReg; }

private:
    std::filesystem::path FDir;
    platform::Registry FReg;
};

void BM_ReadString(benchmark::State& state) {
    TScratchRegistry scratch;
    for (auto _ : state)
        benchmark::DoNotOptimize(scratch.Reg().ReadString("19"));
}
BENCHMARK(BM_ReadString);

void BM_WriteString(benchmark::State& state) {
    TScratchRegistry scratch;
    for (auto _ : state)
        scratch.Reg().WriteString("sky", "msn.skn");
}
BENCHMARK(BM_WriteString)->Unit(benchmark::kMicrosecond);

void BM_HistoryShift(benchmark::State& state) {
    TScratchRegistry scratch;
    platform::Registry& reg = scratch.Reg();
    for (auto _ : state) {
        std::string slots[20];
        for (int i = 0; i < 20; ++i)
            slots[i] = reg.ReadString(std::to_string(i));
        reg.WriteString("0", "http://www.example.com/new");
        for (int k = 1; k < 20; ++k)
            reg.WriteString(std::to_string(k), slots[k - 1]);
    }
}
BENCHMARK(BM_HistoryShift)->Unit(benchmark::kMillisecond);

} // namespace
