// The game search over 100,000 games: a query as the player types it (the
// median over a mix of characters, pinyin, initials and mixes), writing the
// keys of a whole list as an import does (into a real database file, one
// transaction), and reading the list into memory for the first search.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <random>
#include <string>
#include <vector>

#include "platform/TSqliteDatabase.h"
#include "platform/TSqliteStatement.h"
#include "services/CodePoints.h"
#include "services/TGameSearchIndex.h"
#include "services/TGameSearchTable.h"
#include "services/TPinyin.h"

namespace fs = std::filesystem;

namespace {

constexpr int Games = 100000;

// Names of two to six characters from the characters game names use most.
std::vector<std::string> GameNames() {
    const std::u32string pool =
        U"中国象棋围对弈欢乐斗地主四军五子连看俄罗斯方块泡龙宝石迷阵找茬大师极速赛车足球小将篮高手"
        U"台"
        U"诺克坦战雷霆机合金弹头仙剑奇缘江湖侠客行开心农场三争霸拼图麻将跑得快升级保皇梭哈德州扑"
        U"传奇西游记神话魔兽世界英雄联盟水浒天下长城重装机甲大话少年功夫熊猫快乐消除";
    std::mt19937 random(20);
    std::vector<std::string> names;
    for (int i = 0; i < Games; ++i) {
        std::u32string name;
        for (int k = 0; k < 2 + static_cast<int>(random() % 5); ++k)
            name += pool[random() % pool.size()];
        names.push_back(codepoints::Encode({name.begin(), name.end()}));
    }
    return names;
}

const std::vector<std::string>& Names() {
    static const std::vector<std::string> names = GameNames();
    return names;
}

const char* const Queries[] = {"象棋",     "xiangqi",     "xq",   "zgxq",    "doudizhu", "ddz",
                               "中国xq",   "lianliankan", "sgzb", "monshou", "wushi",    "英雄",
                               "kaixinnc", "tankedazhan", "qp",   "shijie"};

class TDatabaseFile {
public:
    TDatabaseFile()
        : FPath(fs::temp_directory_path() /
                ("xf-bench-search-" + std::to_string(::getpid()) + ".db")) {
        fs::remove(FPath);
        platform::TSqliteDatabase::Create(FPath.string())
            .Execute("create table RT (R_Name text, R_Class text, R_URL text)");
    }
    ~TDatabaseFile() { fs::remove(FPath); }
    std::string Path() const { return FPath.string(); }

private:
    fs::path FPath;
};

// As the import writes them: each game row, then its keys, in one transaction.
void ImportAll(platform::TSqliteDatabase& db) {
    TGameSearchTable::Create(db);
    db.Execute("begin immediate");
    platform::TSqliteStatement insert(db,
                                      "insert into RT(R_Name,R_Class,R_URL) values (:P0,:P1,:P2)");
    TGameKeyWriter keys(db);
    for (const std::string& name : Names()) {
        insert.Reset();
        insert.BindText(":P0", name);
        insert.BindText(":P1", "棋牌");
        insert.BindText(":P2", "http://game.example/" + name);
        while (insert.Step()) {
        }
        keys.AddForLastInsert(name);
    }
    db.Execute("commit");
}

void BM_GameSearchQuery(benchmark::State& state) {
    TGameSearchIndex index;
    int64_t id = 0;
    for (const std::string& name : Names())
        index.Add({++id, name, "棋牌", ""}, TPinyin::Keys(name));
    std::vector<double> times;
    size_t next = 0, found = 0;
    for (auto _ : state) {
        auto start = std::chrono::steady_clock::now();
        TGameSearchResult result = index.Search(Queries[next++ % std::size(Queries)], 10);
        times.push_back(
            std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start)
                .count());
        found += result.Total;
        benchmark::DoNotOptimize(result);
    }
    std::nth_element(times.begin(), times.begin() + static_cast<std::ptrdiff_t>(times.size() / 2),
                     times.end());
    state.counters["median_ms"] = times[times.size() / 2];
    state.counters["found_per_query"] =
        static_cast<double>(found) / static_cast<double>(times.size());
}
BENCHMARK(BM_GameSearchQuery)->Unit(benchmark::kMillisecond)->Iterations(320);

// The readings of each character are looked up once per run and kept; the
// first iteration pays for them, as the first import of a run does.
void BM_GameSearchIndexBuild(benchmark::State& state) {
    for (auto _ : state) {
        state.PauseTiming();
        TDatabaseFile file;
        platform::TSqliteDatabase db(file.Path());
        state.ResumeTiming();
        ImportAll(db);
    }
    state.SetItemsProcessed(state.iterations() * Games);
}
BENCHMARK(BM_GameSearchIndexBuild)->Unit(benchmark::kMillisecond)->Iterations(3);

void BM_GameSearchLoad(benchmark::State& state) {
    TDatabaseFile file;
    platform::TSqliteDatabase db(file.Path());
    ImportAll(db);
    for (auto _ : state) {
        TGameSearchIndex index;
        TGameSearchTable::Load(db, index);
        benchmark::DoNotOptimize(index.Size());
    }
}
BENCHMARK(BM_GameSearchLoad)->Unit(benchmark::kMillisecond)->Iterations(3);

} // namespace
