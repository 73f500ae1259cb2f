// Generating the favourites page for a large tree: 10,000 shortcuts spread
// over 500 folders (20 each, nested five levels deep in places).
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "gui/TStringList.h"
#include "services/TFavoritesPage.h"

namespace fs = std::filesystem;

namespace {

class TFavoritesTree {
public:
    TFavoritesTree()
        : FRoot(fs::temp_directory_path() / ("xf-bench-fav-" + std::to_string(::getpid()))) {
        for (int folder = 0; folder < 500; ++folder) {
            // Every fifth folder sits under the previous one, so depth varies.
            fs::path dir = FRoot / ("Group " + std::to_string(folder / 5));
            for (int level = 0; level < folder % 5; ++level)
                dir /= "Sub " + std::to_string(level);
            fs::create_directories(dir);
            for (int i = 0; i < 20; ++i) {
                std::ofstream(
                    dir / ("游戏站点 " + std::to_string(folder) + "-" + std::to_string(i) + ".url"),
                    std::ios::binary)
                    << "[DEFAULT]\r\nBASEURL=http://x.example/\r\n[InternetShortcut]\r\nURL=http://"
                       "games"
                    << folder << ".example/play?id=" << i << "&lang=zh\r\nIconIndex=0\r\n";
            }
        }
    }
    ~TFavoritesTree() { fs::remove_all(FRoot); }
    std::string Path() const { return FRoot.string(); }

private:
    fs::path FRoot;
};

void BM_GetIEFavourites10000(benchmark::State& state) {
    TFavoritesTree tree;
    size_t lines = 0;
    for (auto _ : state)
        lines = TFavoritesPage::GetIEFavourites(tree.Path())->Items().size();
    state.counters["lines"] = static_cast<double>(lines);
}
BENCHMARK(BM_GetIEFavourites10000)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly();

void BM_WriteFavoritesPage10000(benchmark::State& state) {
    TFavoritesTree tree;
    std::string app = tree.Path() + "-app/";
    fs::create_directories(app);
    for (auto _ : state)
        TFavoritesPage::Write(app, tree.Path());
    fs::remove_all(app);
}
BENCHMARK(BM_WriteFavoritesPage10000)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly();

} // namespace
