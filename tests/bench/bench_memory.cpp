// Memory with the first page and per extra tab: the program started with
// a portal-like page from a local server (beside its own first tab and
// left pane) against a bare WebKitGTK window showing the same page in a
// view of the same size; then both with four copies of the page (four
// tabs). Each start gets a fresh home; the figure is the proportional set
// size (smaps_rollup) summed over the process and all its helpers, taken
// 12 s after the start (after the program's spare view for new tabs has
// come), alternating which contender goes first. Prints the per-process
// table of the last one-page round; counters are medians in MB.
//
//   scripts/with-xvfb.sh build-rel/bin/bench_memory [--rounds=3]
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <mutex>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "support/BenchFlags.h"
#include "support/ProcStats.h"
#include "support/TChildProcess.h"
#include "support/TLocalHttpServer.h"

namespace fs = std::filesystem;
using namespace std::chrono_literals;

namespace {

int gRounds = 3;
constexpr int extraTabs = 3;
constexpr auto settleTime = 12s;

struct TProcessRow {
    std::string Name;
    procstats::TPss Pss;
};

// Counts the pages that reported themselves loaded, per contender.
class TLoadCounter {
public:
    TLoadCounter() : FServer([this](const TLocalHttpServer::TRequest& r) { return Handle(r); }) {}

    std::string PageUrl(const std::string& who) const {
        return FServer.Url("/scenes/portal.html?who=" + who);
    }
    void Reset(const std::string& who) {
        std::lock_guard<std::mutex> hold(FLock);
        FLoads[who] = 0;
    }
    bool WaitFor(const std::string& who, int loads, std::chrono::seconds timeout) {
        std::unique_lock<std::mutex> hold(FLock);
        return FChanged.wait_for(hold, timeout, [&] { return FLoads[who] >= loads; });
    }
    std::string Viewport(const std::string& who) {
        std::lock_guard<std::mutex> hold(FLock);
        return FViewports[who];
    }

private:
    TLocalHttpServer::TResponse Handle(const TLocalHttpServer::TRequest& request) {
        if (request.Path.rfind("/scenes/", 0) == 0 && request.Path.find("..") == std::string::npos)
            return TLocalHttpServer::File(std::string(XF_SCENES_DIR) + request.Path.substr(7));
        if (request.Path != "/loaded") return {404, "text/plain", "no\n"};
        std::lock_guard<std::mutex> hold(FLock);
        std::string who = request.Query.count("who") ? request.Query.at("who") : "";
        ++FLoads[who];
        int w = 0, h = 0;
        std::istringstream in(request.Body);
        if (in >> w >> h) FViewports[who] = std::to_string(w) + "x" + std::to_string(h);
        FChanged.notify_all();
        return {200, "text/plain", "ok\n"};
    }

    std::mutex FLock;
    std::condition_variable FChanged;
    std::map<std::string, int> FLoads;
    std::map<std::string, std::string> FViewports;
    TLocalHttpServer FServer;
};

double Median(std::vector<double> values) {
    if (values.empty()) return 0;
    std::sort(values.begin(), values.end());
    size_t n = values.size();
    return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

// Starts one contender with `tabs` copies of the page and sums its
// processes' PSS once they have loaded and settled; 0 on failure.
double MeasureMb(TLoadCounter& pages, const std::string& who, int tabs, const std::string& size,
                 std::vector<TProcessRow>* rows) {
    const fs::path bin = fs::read_symlink("/proc/self/exe").parent_path();
    std::vector<std::string> args;
    if (who == "bare") args = {"--size", size};
    for (int i = 0; i < tabs; ++i)
        args.push_back(pages.PageUrl(who));
    pages.Reset(who);
    auto started = std::chrono::steady_clock::now();
    TChildProcess child(bin / (who == "bare" ? "bare_webview" : "xingfan"), args);
    if (!pages.WaitFor(who, tabs, 90s)) return 0;
    std::this_thread::sleep_until(started + settleTime);
    double total = 0;
    for (pid_t pid : child.Tree()) {
        auto pss = procstats::PssSplitKb(pid);
        if (!pss) continue;
        total += static_cast<double>(pss->Total);
        if (rows) rows->push_back({procstats::Name(pid), *pss});
    }
    return total / 1024.0;
}

void PrintTable(const std::string& title, const std::vector<TProcessRow>& rows) {
    std::printf("%s\n  %-18s %9s %9s %9s %9s\n", title.c_str(), "process", "PSS MB", "anon", "file",
                "shmem");
    double sum = 0;
    for (const TProcessRow& r : rows) {
        std::printf("  %-18s %9.1f %9.1f %9.1f %9.1f\n", r.Name.c_str(), r.Pss.Total / 1024.0,
                    r.Pss.Anon / 1024.0, r.Pss.File / 1024.0, r.Pss.Shmem / 1024.0);
        sum += r.Pss.Total / 1024.0;
    }
    std::printf("  %-18s %9.1f\n", "total", sum);
}

void BM_MemoryAgainstBareWebView(benchmark::State& state) {
    const fs::path bin = fs::read_symlink("/proc/self/exe").parent_path();
    if (!fs::exists(bin / "xingfan") || !fs::exists(bin / "bare_webview")) {
        state.SkipWithError("xingfan or bare_webview missing beside the benchmark");
        return;
    }
    TLoadCounter pages;
    std::map<std::string, std::vector<double>> first, perTab;
    std::map<std::string, std::vector<TProcessRow>> tables;
    std::string size;
    bool programFirst = true;
    for (auto _ : state) {
        std::vector<std::string> order = {"xingfan", "bare"};
        // The bare view takes the program's viewport, learnt in the first round.
        if (!programFirst && !size.empty()) std::swap(order[0], order[1]);
        programFirst = !programFirst;
        for (const std::string& who : order) {
            std::vector<TProcessRow> rows;
            double one = MeasureMb(pages, who, 1, size, &rows);
            if (who == "xingfan" && size.empty()) size = pages.Viewport("xingfan");
            double more = MeasureMb(pages, who, 1 + extraTabs, size, nullptr);
            if (one <= 0 || more <= 0 || size.empty()) {
                state.SkipWithError((who + " never loaded its pages").c_str());
                return;
            }
            first[who].push_back(one);
            perTab[who].push_back((more - one) / extraTabs);
            tables[who] = std::move(rows);
        }
        state.SetIterationTime(1);
    }
    PrintTable("program, one page (" + size + " view):", tables["xingfan"]);
    PrintTable("bare window, one page:", tables["bare"]);
    state.counters["xf_first_mb"] = Median(first["xingfan"]);
    state.counters["bare_first_mb"] = Median(first["bare"]);
    state.counters["first_ratio"] = Median(first["xingfan"]) / Median(first["bare"]);
    state.counters["xf_per_tab_mb"] = Median(perTab["xingfan"]);
    state.counters["bare_per_tab_mb"] = Median(perTab["bare"]);
}

} // namespace

int main(int argc, char** argv) {
    TakeBenchFlags(argc, argv, {{"--rounds=", &gRounds}});
    benchmark::RegisterBenchmark("BM_MemoryAgainstBareWebView", BM_MemoryAgainstBareWebView)
        ->Iterations(gRounds)
        ->UseManualTime()
        ->Unit(benchmark::kSecond);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
