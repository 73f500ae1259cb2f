#include "ProcStats.h"

#include <dirent.h>
#include <unistd.h>

#include <cstdlib>
#include <fstream>
#include <map>
#include <sstream>

namespace procstats {

namespace {

std::string ProcFile(pid_t pid, const char* name) {
    return "/proc/" + std::to_string(pid) + "/" + name;
}

// The fields of /proc/<pid>/stat after the command name, which may itself
// hold spaces and parentheses: field 3 (state) is the first one here.
std::optional<std::vector<std::string>> StatFields(pid_t pid) {
    std::ifstream in(ProcFile(pid, "stat"));
    std::string line;
    if (!std::getline(in, line)) return std::nullopt;
    size_t close = line.rfind(')');
    if (close == std::string::npos) return std::nullopt;
    std::istringstream rest(line.substr(close + 1));
    std::vector<std::string> fields;
    for (std::string f; rest >> f;)
        fields.push_back(f);
    return fields;
}

} // namespace

std::optional<double> CpuMs(pid_t pid) {
    auto fields = StatFields(pid);
    // utime and stime are fields 14 and 15; the list starts at field 3.
    if (!fields || fields->size() < 13) return std::nullopt;
    double ticks =
        std::strtod((*fields)[11].c_str(), nullptr) + std::strtod((*fields)[12].c_str(), nullptr);
    return ticks * 1000.0 / static_cast<double>(sysconf(_SC_CLK_TCK));
}

std::optional<long> PssKb(pid_t pid) {
    std::ifstream in(ProcFile(pid, "smaps_rollup"));
    for (std::string line; std::getline(in, line);)
        if (line.rfind("Pss:", 0) == 0) return std::strtol(line.c_str() + 4, nullptr, 10);
    return std::nullopt;
}

std::optional<TPss> PssSplitKb(pid_t pid) {
    std::ifstream in(ProcFile(pid, "smaps_rollup"));
    TPss pss;
    bool any = false;
    auto field = [](const std::string& line, const char* name, long& to) {
        size_t n = std::char_traits<char>::length(name);
        if (line.compare(0, n, name) != 0) return false;
        to = std::strtol(line.c_str() + n, nullptr, 10);
        return true;
    };
    for (std::string line; std::getline(in, line);) {
        any |= field(line, "Pss:", pss.Total);
        field(line, "Pss_Anon:", pss.Anon);
        field(line, "Pss_File:", pss.File);
        field(line, "Pss_Shmem:", pss.Shmem);
    }
    if (!any) return std::nullopt;
    return pss;
}

std::optional<pid_t> ParentOf(pid_t pid) {
    auto fields = StatFields(pid);
    if (!fields || fields->size() < 2) return std::nullopt;
    return static_cast<pid_t>(std::strtol((*fields)[1].c_str(), nullptr, 10));
}

std::string Name(pid_t pid) {
    std::ifstream in(ProcFile(pid, "comm"));
    std::string name;
    std::getline(in, name);
    return name;
}

std::vector<pid_t> Descendants(pid_t root) {
    std::multimap<pid_t, pid_t> children;
    if (DIR* dir = opendir("/proc")) {
        while (dirent* entry = readdir(dir)) {
            char* end = nullptr;
            long pid = std::strtol(entry->d_name, &end, 10);
            if (*end || pid <= 0) continue;
            if (auto parent = ParentOf(static_cast<pid_t>(pid)))
                children.emplace(*parent, static_cast<pid_t>(pid));
        }
        closedir(dir);
    }
    std::vector<pid_t> tree{root};
    for (size_t i = 0; i < tree.size(); ++i) {
        auto [from, to] = children.equal_range(tree[i]);
        for (auto it = from; it != to; ++it)
            tree.push_back(it->second);
    }
    return tree;
}

} // namespace procstats
