#include "TChildProcess.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <stdexcept>

#include "ProcStats.h"

namespace fs = std::filesystem;

namespace {

[[noreturn]] void ExecChild(const fs::path& program, const std::vector<std::string>& args,
                            const fs::path& home,
                            const std::vector<std::pair<std::string, std::string>>& env) {
    setpgid(0, 0);
    const std::string h = home.string();
    setenv("HOME", h.c_str(), 1);
    setenv("XDG_CONFIG_HOME", (h + "/config").c_str(), 1);
    setenv("XDG_DATA_HOME", (h + "/data").c_str(), 1);
    setenv("XDG_CACHE_HOME", (h + "/cache").c_str(), 1);
    setenv("XINGFAN_REGISTRY", (h + "/registry.reg").c_str(), 1);
    unsetenv("XINGFAN_STATE_DUMP");
    unsetenv("XINGFAN_READY_FILE");
    unsetenv("DBUS_SESSION_BUS_ADDRESS");
    for (const auto& [name, value] : env)
        setenv(name.c_str(), value.c_str(), 1);
    int log = open((h + "/output.log").c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    if (log >= 0) {
        dup2(log, 1);
        dup2(log, 2);
    }
    std::vector<char*> argv;
    const std::string path = program.string();
    argv.push_back(const_cast<char*>(path.c_str()));
    for (const std::string& a : args)
        argv.push_back(const_cast<char*>(a.c_str()));
    argv.push_back(nullptr);
    execv(path.c_str(), argv.data());
    _exit(127);
}

} // namespace

TChildProcess::TChildProcess(const fs::path& program, const std::vector<std::string>& args,
                             const std::vector<std::pair<std::string, std::string>>& env) {
    char pattern[] = "/tmp/xf-bench.XXXXXX";
    if (!mkdtemp(pattern)) throw std::runtime_error("cannot make a home folder");
    FHome = pattern;
    FPid = fork();
    if (FPid < 0) throw std::runtime_error("cannot fork");
    if (FPid == 0) ExecChild(program, args, FHome, env);
    setpgid(FPid, FPid); // also here, so a kill reaches the group even if the child is slow
}

TChildProcess::~TChildProcess() {
    Kill();
    std::error_code ignored;
    fs::remove_all(FHome, ignored);
}

bool TChildProcess::Running() {
    if (!FPid) return false;
    if (waitpid(FPid, nullptr, WNOHANG) != FPid) return true;
    FPid = 0;
    return false;
}

std::vector<pid_t> TChildProcess::Tree() const {
    return FPid ? procstats::Descendants(FPid) : std::vector<pid_t>{};
}

void TChildProcess::Kill() {
    if (!FPid) return;
    // Helpers that left the group (a sandbox may start its own session)
    // are found by their parents.
    std::vector<pid_t> tree = Tree();
    kill(-FPid, SIGKILL);
    for (pid_t pid : tree)
        kill(pid, SIGKILL);
    waitpid(FPid, nullptr, 0);
    // Let the last processes go before the next start competes with them.
    for (int i = 0; i < 100 && kill(-FPid, 0) == 0; ++i)
        usleep(10000);
    FPid = 0;
}
