#pragma once
// A program started for a benchmark: its own process group, a fresh home
// and data folders (removed afterwards), its output in a log file there,
// no session bus (so a later start never hands over to another program).
// The destructor kills the group and every process it left behind.
#include <sys/types.h>

#include <filesystem>
#include <string>
#include <vector>

class TChildProcess {
public:
    TChildProcess(const std::filesystem::path& program, const std::vector<std::string>& args,
                  const std::vector<std::pair<std::string, std::string>>& env = {});
    ~TChildProcess();
    TChildProcess(const TChildProcess&) = delete;
    TChildProcess& operator=(const TChildProcess&) = delete;

    pid_t Pid() const { return FPid; }
    const std::filesystem::path& Home() const { return FHome; }
    bool Running();
    // The process and all its descendants (WebKit's helpers), by their
    // parents in /proc.
    std::vector<pid_t> Tree() const;
    void Kill();

private:
    pid_t FPid = 0;
    std::filesystem::path FHome;
};
