// Start-up time of the program against a bare WebKitGTK window: from the
// fork that execs it until it reports both the first tab and the left pane
// complete (the program), or its one view on about:blank complete (the bare
// window). Both write the moment into XINGFAN_READY_FILE; the runs alternate,
// each in a fresh home and data folders, and each process group is killed
// afterwards. Counters: both medians in milliseconds and their ratio.
// Needs a display: scripts/with-xvfb.sh build/bin/bench_startup
#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <signal.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <optional>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace {

long long MonotonicNow() {
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return static_cast<long long>(now.tv_sec) * 1000000000LL + now.tv_nsec;
}

fs::path BinDir() {
    return fs::read_symlink("/proc/self/exe").parent_path();
}

// The child: its own process group (so WebKit's helpers die with it), its
// own home, its output out of the benchmark's way.
[[noreturn]] void ExecChild(const fs::path& program, const fs::path& home) {
    setpgid(0, 0);
    const std::string h = home.string();
    setenv("HOME", h.c_str(), 1);
    setenv("XDG_CONFIG_HOME", (h + "/config").c_str(), 1);
    setenv("XDG_DATA_HOME", (h + "/data").c_str(), 1);
    setenv("XDG_CACHE_HOME", (h + "/cache").c_str(), 1);
    setenv("XINGFAN_REGISTRY", (h + "/registry.reg").c_str(), 1);
    setenv("XINGFAN_READY_FILE", (h + "/ready").c_str(), 1);
    unsetenv("XINGFAN_STATE_DUMP");
    int log = open((h + "/output.log").c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    if (log >= 0) {
        dup2(log, 1);
        dup2(log, 2);
    }
    const std::string path = program.string();
    execl(path.c_str(), path.c_str(), static_cast<char*>(nullptr));
    _exit(127);
}

std::optional<long long> ReadStamp(const fs::path& file) {
    std::ifstream in(file);
    long long stamp = 0;
    if (in >> stamp) return stamp;
    return std::nullopt;
}

void KillGroup(pid_t pid) {
    kill(-pid, SIGKILL);
    kill(pid, SIGKILL);
    waitpid(pid, nullptr, 0);
    // Let the group's last processes go before the next start competes with them.
    for (int i = 0; i < 100 && kill(-pid, 0) == 0; ++i)
        usleep(10000);
}

// Nanoseconds from the fork to the ready stamp; nothing on failure.
std::optional<long long> TimeStart(const fs::path& program) {
    char pattern[] = "/tmp/xf-startup.XXXXXX";
    if (!mkdtemp(pattern)) return std::nullopt;
    fs::path home = pattern;
    const fs::path ready = home / "ready";
    long long started = MonotonicNow();
    pid_t pid = fork();
    if (pid < 0) return std::nullopt;
    if (pid == 0) ExecChild(program, home);
    setpgid(pid, pid); // also here, so the kill reaches the group even if the child is slow
    std::optional<long long> stamp;
    const long long deadline = started + 60LL * 1000000000LL;
    while (MonotonicNow() < deadline) {
        if (fs::exists(ready) && (stamp = ReadStamp(ready))) break;
        if (waitpid(pid, nullptr, WNOHANG) == pid) {
            pid = 0;
            break;
        }
        usleep(1000);
    }
    if (pid) KillGroup(pid);
    std::error_code ignored;
    fs::remove_all(home, ignored);
    if (!stamp) return std::nullopt;
    return *stamp - started;
}

double MedianMs(std::vector<long long> values) {
    std::sort(values.begin(), values.end());
    size_t n = values.size();
    long long mid = n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
    return static_cast<double>(mid) / 1e6;
}

void BM_StartUpAgainstBareWebView(benchmark::State& state) {
    const fs::path program = BinDir() / "xingfan";
    const fs::path bare = BinDir() / "bare_webview";
    if (!fs::exists(program) || !fs::exists(bare)) {
        state.SkipWithError("xingfan or bare_webview missing beside the benchmark");
        return;
    }
    // One start of each beforehand fills the file cache for both.
    if (!TimeStart(bare) || !TimeStart(program)) {
        state.SkipWithError("a warm-up start never reported ready (is there a display?)");
        return;
    }
    std::vector<long long> bareTimes, programTimes;
    bool bareFirst = true;
    for (auto _ : state) {
        std::optional<long long> b, p;
        if (bareFirst) {
            b = TimeStart(bare);
            p = TimeStart(program);
        } else {
            p = TimeStart(program);
            b = TimeStart(bare);
        }
        bareFirst = !bareFirst;
        if (!b || !p) {
            state.SkipWithError("a start never reported ready");
            return;
        }
        bareTimes.push_back(*b);
        programTimes.push_back(*p);
        state.SetIterationTime(static_cast<double>(*p) / 1e9);
    }
    double bareMs = MedianMs(bareTimes);
    double programMs = MedianMs(programTimes);
    state.counters["bare_ms"] = bareMs;
    state.counters["xingfan_ms"] = programMs;
    state.counters["ratio"] = programMs / bareMs;
}

} // namespace

BENCHMARK(BM_StartUpAgainstBareWebView)
    ->Iterations(11)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);
