#pragma once
// What /proc says about a process, for the benchmarks' figures.
#include <sys/types.h>

#include <optional>
#include <string>
#include <vector>

namespace procstats {

// User plus system CPU time so far, in milliseconds (clock-tick resolution).
std::optional<double> CpuMs(pid_t pid);
// Proportional set size in kB (smaps_rollup): shared pages are split
// between the processes that map them, so the sum over processes is the
// memory they cost together.
std::optional<long> PssKb(pid_t pid);
// The same split into anonymous memory (heaps, JavaScript, pictures),
// file pages (code, fonts) and shared memory (buffers between processes).
struct TPss {
    long Total = 0;
    long Anon = 0;
    long File = 0;
    long Shmem = 0;
};
std::optional<TPss> PssSplitKb(pid_t pid);
std::optional<pid_t> ParentOf(pid_t pid);
// The short command name (comm), e.g. "WebKitWebProces".
std::string Name(pid_t pid);
// Every process whose chain of parents reaches root, root first.
std::vector<pid_t> Descendants(pid_t root);

} // namespace procstats
