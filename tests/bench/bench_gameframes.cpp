// Game frames: canvas, SVG and CSS scenes of fixed complexity (scenes/)
// run in the program's active tab and in a bare WebKitGTK window whose
// view is made exactly as large as the program's, one after the other,
// alternating which goes first. Each page times its own frames with
// requestAnimationFrame and posts them to the local server that serves it;
// the server reads the window process's CPU time when the page starts and
// ends its timed run. Both programs stay up for the whole run (each page
// waits for its next order), so start-up work never lands in a scene, and
// the window about to run is raised above the other.
//
// Counters per scene (medians over the rounds): frames per second, the
// 95th-percentile frame time (ms), window-process CPU per frame (ms), the
// CPU of all the program's processes per frame (ms), and the program's
// fps over the bare window's.
//
//   scripts/with-xvfb.sh build-rel/bin/bench_gameframes [--scene_seconds=8] [--rounds=3]
//   (a quick look: --scene_seconds=2 --rounds=1; one scene: --benchmark_filter=arcs)
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <memory>
#include <mutex>
#include <optional>
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

const char* const sceneNames[] = {"multiply", "arcs", "lines", "design", "paths", "sprites"};
int gSceneSeconds = 8;
int gRounds = 3;

struct TFrames {
    double Fps = 0;
    double P95Ms = 0;
    double WindowCpuMsPerFrame = 0;
    double AllCpuMsPerFrame = 0;
};

double Median(std::vector<double> values) {
    if (values.empty()) return 0;
    std::sort(values.begin(), values.end());
    size_t n = values.size();
    return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

double TreeCpuMs(pid_t root) {
    double sum = 0;
    for (pid_t pid : procstats::Descendants(root))
        sum += procstats::CpuMs(pid).value_or(0);
    return sum;
}

// One side of the comparison: the program or the bare window, its page's
// reports, and the order it waits for.
struct TContender {
    std::unique_ptr<TChildProcess> Process;
    pid_t Pid = 0;
    int Width = 0;
    int Height = 0;
    std::chrono::steady_clock::time_point LastHello;
    std::optional<std::string> Order;
    double WindowCpuAtMark = 0;
    double AllCpuAtMark = 0;
    std::optional<std::string> Result;
    double WindowCpuAtResult = 0;
    double AllCpuAtResult = 0;
};

class TArena {
public:
    TArena() : FServer([this](const TLocalHttpServer::TRequest& r) { return Handle(r); }) {}
    ~TArena() {
        {
            std::lock_guard<std::mutex> hold(FLock);
            FStopping = true;
        }
        FChanged.notify_all();
        for (auto& [name, c] : FContenders)
            if (c.Process) c.Process->Kill();
    }

    // Starts both programs once; the error text when that fails.
    std::string Start() {
        if (FStarted) return FError;
        FStarted = true;
        const fs::path bin = fs::read_symlink("/proc/self/exe").parent_path();
        if (!fs::exists(bin / "xingfan") || !fs::exists(bin / "bare_webview"))
            return FError = "xingfan or bare_webview missing beside the benchmark";
        auto started = std::chrono::steady_clock::now();
        Launch("xingfan", bin / "xingfan", {PageUrl("xingfan")});
        if (!WaitForSteadySize("xingfan"))
            return FError = "the program's page never reported its size";
        int width = 0, height = 0;
        {
            std::lock_guard<std::mutex> hold(FLock);
            width = FContenders["xingfan"].Width;
            height = FContenders["xingfan"].Height;
        }
        Launch("bare", bin / "bare_webview",
               {"--size", std::to_string(width) + "x" + std::to_string(height), PageUrl("bare")});
        if (!WaitForSteadySize("bare"))
            return FError = "the bare window's page never reported its size";
        std::lock_guard<std::mutex> hold(FLock);
        const TContender& bare = FContenders["bare"];
        if (bare.Width != width || bare.Height != height)
            return FError = "viewports differ: program " + std::to_string(width) + "x" +
                            std::to_string(height) + ", bare " + std::to_string(bare.Width) + "x" +
                            std::to_string(bare.Height);
        FViewWidth = width;
        FViewHeight = height;
        // The program's spare view for new tabs comes a few seconds after
        // start; let it settle before anything is timed.
        std::this_thread::sleep_until(started + 10s);
        return {};
    }

    int ViewWidth() const { return FViewWidth; }
    int ViewHeight() const { return FViewHeight; }

    std::optional<TFrames> Run(const std::string& who, const std::string& scene,
                               std::string& error) {
        Raise(who);
        std::unique_lock<std::mutex> hold(FLock);
        TContender& c = FContenders[who];
        c.Result.reset();
        c.Order = scene + " " + std::to_string(gSceneSeconds);
        FChanged.notify_all();
        auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(gSceneSeconds + 60);
        if (!FChanged.wait_until(hold, deadline,
                                 [&] { return c.Result.has_value() || FStopping; })) {
            error = who + " never reported " + scene;
            return std::nullopt;
        }
        if (!c.Result) return std::nullopt;
        std::istringstream in(*c.Result);
        double frames = 0;
        TFrames f;
        int width = 0, height = 0;
        if (!(in >> frames >> f.Fps >> f.P95Ms >> width >> height) || frames <= 0) {
            error = who + " reported " + *c.Result;
            return std::nullopt;
        }
        if (width != FViewWidth || height != FViewHeight) {
            error = who + "'s viewport changed during " + scene;
            return std::nullopt;
        }
        f.WindowCpuMsPerFrame = (c.WindowCpuAtResult - c.WindowCpuAtMark) / frames;
        f.AllCpuMsPerFrame = (c.AllCpuAtResult - c.AllCpuAtMark) / frames;
        return f;
    }

private:
    std::string PageUrl(const std::string& who) const {
        return FServer.Url("/scenes/scene.html?who=" + who);
    }

    void Launch(const std::string& who, const fs::path& program,
                const std::vector<std::string>& args) {
        auto process = std::make_unique<TChildProcess>(program, args);
        std::lock_guard<std::mutex> hold(FLock);
        TContender& c = FContenders[who];
        c.Pid = process->Pid();
        c.Process = std::move(process);
    }

    // The page reports its viewport on load and on every resize; the size
    // counts once no report came for two seconds.
    bool WaitForSteadySize(const std::string& who) {
        auto deadline = std::chrono::steady_clock::now() + 90s;
        std::unique_lock<std::mutex> hold(FLock);
        TContender& c = FContenders[who];
        while (std::chrono::steady_clock::now() < deadline) {
            if (c.Width > 0 && std::chrono::steady_clock::now() - c.LastHello > 2s) return true;
            FChanged.wait_for(hold, 200ms);
        }
        return false;
    }

    // The window about to run is put on top, so neither is drawn half hidden.
    void Raise(const std::string& who) {
        pid_t pid = 0;
        {
            std::lock_guard<std::mutex> hold(FLock);
            pid = FContenders[who].Pid;
        }
        // Some of the process's windows are never mapped (GDK's leader
        // window): raising those fails, harmlessly.
        std::string command =
            "xdotool search --pid " + std::to_string(pid) + " windowraise %@ >/dev/null 2>&1";
        [[maybe_unused]] int ignored = std::system(command.c_str());
    }

    TLocalHttpServer::TResponse Handle(const TLocalHttpServer::TRequest& request) {
        if (request.Path.rfind("/scenes/", 0) == 0 && request.Path.find("..") == std::string::npos)
            return TLocalHttpServer::File(std::string(XF_SCENES_DIR) + request.Path.substr(7));
        auto who = request.Query.find("who");
        if (who == request.Query.end()) return {404, "text/plain", "who?\n"};
        std::unique_lock<std::mutex> hold(FLock);
        auto it = FContenders.find(who->second);
        if (it == FContenders.end()) return {404, "text/plain", "unknown\n"};
        TContender& c = it->second;
        if (request.Path == "/hello") {
            std::istringstream in(request.Body);
            in >> c.Width >> c.Height;
            c.LastHello = std::chrono::steady_clock::now();
        } else if (request.Path == "/next") {
            FChanged.wait(hold, [&] { return c.Order.has_value() || FStopping; });
            if (FStopping) return {200, "text/plain", "stop 0"};
            std::string order = *c.Order;
            c.Order.reset();
            return {200, "text/plain", order};
        } else if (request.Path == "/mark") {
            c.WindowCpuAtMark = procstats::CpuMs(c.Pid).value_or(0);
            c.AllCpuAtMark = TreeCpuMs(c.Pid);
        } else if (request.Path == "/result") {
            c.WindowCpuAtResult = procstats::CpuMs(c.Pid).value_or(0);
            c.AllCpuAtResult = TreeCpuMs(c.Pid);
            c.Result = request.Body;
        } else {
            return {404, "text/plain", "no such order\n"};
        }
        FChanged.notify_all();
        return {200, "text/plain", "ok\n"};
    }

    std::mutex FLock;
    std::condition_variable FChanged;
    std::map<std::string, TContender> FContenders;
    bool FStopping = false;
    bool FStarted = false;
    std::string FError;
    int FViewWidth = 0;
    int FViewHeight = 0;
    TLocalHttpServer FServer; // last: its threads go before the state they use
};

TArena& Arena() {
    static TArena arena;
    return arena;
}

void BM_GameFrames(benchmark::State& state, const std::string& scene) {
    TArena& arena = Arena();
    if (std::string error = arena.Start(); !error.empty()) {
        state.SkipWithError(error.c_str());
        return;
    }
    std::vector<double> xfFps, bareFps, xfP95, bareP95, xfCpu, bareCpu, xfAll, bareAll;
    bool programFirst = true;
    for (auto _ : state) {
        std::string error;
        std::optional<TFrames> program, bare;
        if (programFirst) {
            program = arena.Run("xingfan", scene, error);
            if (program) bare = arena.Run("bare", scene, error);
        } else {
            bare = arena.Run("bare", scene, error);
            if (bare) program = arena.Run("xingfan", scene, error);
        }
        programFirst = !programFirst;
        if (!program || !bare) {
            state.SkipWithError(error.c_str());
            return;
        }
        xfFps.push_back(program->Fps);
        bareFps.push_back(bare->Fps);
        xfP95.push_back(program->P95Ms);
        bareP95.push_back(bare->P95Ms);
        xfCpu.push_back(program->WindowCpuMsPerFrame);
        bareCpu.push_back(bare->WindowCpuMsPerFrame);
        xfAll.push_back(program->AllCpuMsPerFrame);
        bareAll.push_back(bare->AllCpuMsPerFrame);
        state.SetIterationTime(2.0 * gSceneSeconds);
    }
    state.counters["xf_fps"] = Median(xfFps);
    state.counters["bare_fps"] = Median(bareFps);
    state.counters["ratio"] = Median(xfFps) / Median(bareFps);
    state.counters["xf_p95_ms"] = Median(xfP95);
    state.counters["bare_p95_ms"] = Median(bareP95);
    state.counters["xf_win_cpu_ms"] = Median(xfCpu);
    state.counters["bare_win_cpu_ms"] = Median(bareCpu);
    state.counters["xf_all_cpu_ms"] = Median(xfAll);
    state.counters["bare_all_cpu_ms"] = Median(bareAll);
    state.counters["view_w"] = arena.ViewWidth();
    state.counters["view_h"] = arena.ViewHeight();
}

// Takes --scene_seconds=N and --rounds=N out of the arguments.

} // namespace

int main(int argc, char** argv) {
    TakeBenchFlags(argc, argv, {{"--scene_seconds=", &gSceneSeconds}, {"--rounds=", &gRounds}});
    for (const char* scene : sceneNames)
        benchmark::RegisterBenchmark((std::string("BM_GameFrames/") + scene).c_str(), BM_GameFrames,
                                     std::string(scene))
            ->Iterations(gRounds)
            ->UseManualTime()
            ->Unit(benchmark::kSecond);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
