// How long a window message can wait while a game list of 100,000 sections
// is parsed and imported: the longest gap between two rounds of the message
// loop, with the work on a worker thread as the start-up runs it, and for
// comparison the same work on the window's own thread.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <string>
#include <thread>

#include "gui/TApplication.h"
#include "gui/host/headless/THeadlessHost.h"
#include "platform/TSqliteDatabase.h"
#include "services/TBackgroundJob.h"
#include "services/THttpAntiFreeze.h"
#include "services/TListFileImport.h"

namespace fs = std::filesystem;

namespace {

constexpr int Sections = 100000;
using TClock = std::chrono::steady_clock;

// The headless host noting the longest wait between two rounds of messages.
class TGapHost : public THeadlessHost {
public:
    bool PumpEvents(int timeoutMs) override {
        TClock::time_point now = TClock::now();
        FWorst = std::max(FWorst, now - FLast);
        FLast = now;
        return THeadlessHost::PumpEvents(timeoutMs);
    }
    void Restart() {
        FWorst = {};
        FLast = TClock::now();
    }
    double WorstMs() const { return std::chrono::duration<double, std::milli>(FWorst).count(); }

private:
    TClock::time_point FLast = TClock::now();
    TClock::duration FWorst{};
};

struct TWorld {
    fs::path Dir = fs::temp_directory_path() / ("xf-bench-messages-" + std::to_string(::getpid()));
    fs::path List = Dir / "0.txt";
    TListFileImport::TTarget Target{"Data Source=ocn.js", Dir.string() + "/"};

    TWorld() {
        fs::create_directories(Dir);
        std::ofstream out(List, std::ios::binary);
        for (int k = 0; k < Sections; ++k)
            out << "[" << k << "]\r\nmc=游戏" << k
                << "\r\nlx=休闲\r\nurl=http://www.xingfan.example/g/" << k << ".htm\r\n";
        std::ifstream schemaFile(fs::path(XF_BENCH_SOURCE_DIR) / "resources/db/schema.sql");
        std::string schema((std::istreambuf_iterator<char>(schemaFile)), {});
        platform::TSqliteDatabase::Create((Dir / "ocn.js").string()).Execute(schema);
    }
    ~TWorld() { fs::remove_all(Dir); }
    void Reset() const {
        platform::TSqliteDatabase db((Dir / "ocn.js").string());
        db.Execute("delete from RT; delete from Stwh; "
                   "insert into Stwh(C_disk,S_Datetime) values('PC','t')");
    }
};

const TWorld& World() {
    static TWorld world;
    return world;
}

void Import(const std::atomic<bool>& cancel) {
    TListFileImport db(World().Target, "PC", cancel);
    db.ImportGameList(World().List.string(), 0);
}

template <class F> void MeasureWorstDelay(benchmark::State& state, F&& run) {
    TGapHost host;
    TApplication app(&host);
    THttpAntiFreeze freeze(nullptr);
    freeze.SetOnlyWhenIdle(false);
    double worst = 0;
    for (auto _ : state) {
        state.PauseTiming();
        World().Reset();
        host.Restart();
        state.ResumeTiming();
        run();
        app.ProcessMessages();
        worst = std::max(worst, host.WorstMs());
    }
    state.counters["worst_message_delay_ms"] = worst;
}

void BM_ListImportOffTheWindowThread(benchmark::State& state) {
    MeasureWorstDelay(state, [] { TBackgroundJob::Run(&Import, [] { return true; }); });
}
BENCHMARK(BM_ListImportOffTheWindowThread)->Unit(benchmark::kMillisecond)->Iterations(3);

void BM_ListImportOnTheWindowThread(benchmark::State& state) {
    MeasureWorstDelay(state, [] {
        std::atomic<bool> never{false};
        Import(never);
    });
}
BENCHMARK(BM_ListImportOnTheWindowThread)->Unit(benchmark::kMillisecond)->Iterations(3);

// The same wait with a worker that only sleeps: what the machine's own
// scheduling adds to the figures above.
void BM_WaitOnlyBaseline(benchmark::State& state) {
    MeasureWorstDelay(state, [] {
        TBackgroundJob::Run(
            [](const std::atomic<bool>&) { std::this_thread::sleep_for(std::chrono::seconds(3)); },
            [] { return true; });
    });
}
BENCHMARK(BM_WaitOnlyBaseline)->Unit(benchmark::kMillisecond)->Iterations(3);

} // namespace
