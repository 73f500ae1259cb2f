#include "support/BenchFlags.h"

#include <algorithm>
#include <cstdlib>
#include <string>

void TakeBenchFlags(int& argc, char** argv, const std::vector<TBenchFlag>& flags) {
    int kept = 1;
    for (int i = 1; i < argc; ++i) {
        std::string_view arg = argv[i];
        auto flag = std::find_if(flags.begin(), flags.end(), [&](const TBenchFlag& f) {
            return arg.substr(0, f.Prefix.size()) == f.Prefix;
        });
        if (flag == flags.end())
            argv[kept++] = argv[i];
        else
            *flag->Value = std::max(1, std::atoi(argv[i] + flag->Prefix.size()));
    }
    argc = kept;
}
