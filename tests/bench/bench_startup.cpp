// Start-up time of the program against a bare WebKitGTK window: from the
// fork that execs it until it reports both the first tab and the left pane
// complete (the program), or its one view on about:blank complete (the bare
// window). Both write the moment into XINGFAN_READY_FILE; the runs alternate,
// each in a fresh home and data folders, and each process group is killed
// afterwards. Counters: both medians in milliseconds and their ratio, and
// the CPU the started process itself had used by then (its threads, not
// WebKit's helper processes): less at the mercy of a loaded machine than
// the wall time.
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
#include <iterator>
#include <optional>
#include <sstream>
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

// User and system CPU of a live process, in milliseconds.
std::optional<double> ProcessCpuMs(pid_t pid) {
    std::ifstream in("/proc/" + std::to_string(pid) + "/stat");
    std::string stat((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    // The command name may hold spaces; the fields after it are counted
    // from its closing parenthesis: utime and stime are the 12th and 13th.
    size_t close = stat.rfind(')');
    if (close == std::string::npos) return std::nullopt;
    std::istringstream fields(stat.substr(close + 2));
    std::string skip;
    for (int i = 0; i < 11; ++i)
        fields >> skip;
    long long utime = 0, stime = 0;
    if (!(fields >> utime >> stime)) return std::nullopt;
    return static_cast<double>(utime + stime) * 1000.0 / static_cast<double>(sysconf(_SC_CLK_TCK));
}

struct TStart {
    long long Nanoseconds = 0;
    double CpuMs = 0;
};

// From the fork to the ready stamp, and the process's CPU when it was seen;
// nothing on failure.
std::optional<TStart> TimeStart(const fs::path& program) {
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
    std::optional<double> cpu;
    const long long deadline = started + 60LL * 1000000000LL;
    while (MonotonicNow() < deadline) {
        if (fs::exists(ready) && (stamp = ReadStamp(ready))) {
            cpu = ProcessCpuMs(pid);
            break;
        }
        if (waitpid(pid, nullptr, WNOHANG) == pid) {
            pid = 0;
            break;
        }
        usleep(1000);
    }
    if (pid) KillGroup(pid);
    std::error_code ignored;
    fs::remove_all(home, ignored);
    if (!stamp || !cpu) return std::nullopt;
    return TStart{*stamp - started, *cpu};
}

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    size_t n = values.size();
    return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
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
    std::vector<double> bareTimes, programTimes, bareCpu, programCpu;
    bool bareFirst = true;
    for (auto _ : state) {
        std::optional<TStart> b, p;
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
        bareTimes.push_back(static_cast<double>(b->Nanoseconds) / 1e6);
        programTimes.push_back(static_cast<double>(p->Nanoseconds) / 1e6);
        bareCpu.push_back(b->CpuMs);
        programCpu.push_back(p->CpuMs);
        state.SetIterationTime(static_cast<double>(p->Nanoseconds) / 1e9);
    }
    double bareMs = Median(bareTimes);
    double programMs = Median(programTimes);
    state.counters["bare_ms"] = bareMs;
    state.counters["xingfan_ms"] = programMs;
    state.counters["ratio"] = programMs / bareMs;
    state.counters["bare_cpu_ms"] = Median(bareCpu);
    state.counters["xingfan_cpu_ms"] = Median(programCpu);
}

} // namespace

BENCHMARK(BM_StartUpAgainstBareWebView)
    ->Iterations(11)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);
