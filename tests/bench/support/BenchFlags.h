#pragma once
// Whole-number flags of a benchmark's own ("--rounds=5"), taken out of the
// command line before Google Benchmark reads the rest.
#include <string_view>
#include <utility>
#include <vector>

struct TBenchFlag {
    std::string_view Prefix; // with the '=': "--rounds="
    int* Value;
};

// Values below 1 become 1; unknown arguments stay for the library.
void TakeBenchFlags(int& argc, char** argv, const std::vector<TBenchFlag>& flags);
