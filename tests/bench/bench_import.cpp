// What the start-up import costs: 100 game lists of 1,000 entries each
// fetched from a local server and imported (end to end), and the database
// part alone (the parsed lists into the table, one transaction per file).
#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "gui/TApplication.h"
#include "gui/host/headless/THeadlessHost.h"
#include "platform/TProfile.h"
#include "platform/TSqliteDatabase.h"
#include "services/TDbConnection.h"
#include "services/TDbQuery.h"
#include "services/THttpClient.h"
#include "services/TListImport.h"
#include "services/TStartRecord.h"

namespace fs = std::filesystem;

namespace {

constexpr int Files = 100;
constexpr int Entries = 1000;

std::string GameList(int file) {
    std::string text;
    for (int k = 0; k < Entries; ++k) {
        std::string id = std::to_string(file) + "-" + std::to_string(k);
        text += "[" + std::to_string(k) + "]\r\nmc=游戏" + id +
                "\r\nlx=休闲\r\nurl=http://www.xingfan.example/g/" + id + ".htm\r\n";
    }
    return text;
}

// The folders, the served lists and the server, made once for all runs.
struct TWorld {
    fs::path Dir = fs::temp_directory_path() / ("xf-bench-import-" + std::to_string(::getpid()));
    fs::path Program = Dir / "bin";
    pid_t Server = -1;
    std::string BaseURL;

    TWorld() {
        fs::create_directories(Program);
        fs::create_directories(Dir / "server/Lib");
        for (int n = 0; n < Files; ++n)
            std::ofstream(Dir / "server/Lib" / (std::to_string(n) + ".txt"), std::ios::binary)
                << GameList(n);
        std::ofstream(Dir / "server/Lib/tj.txt", std::ios::binary) << "[1]\r\nmc=t\r\n";
        fs::path portFile = Dir / "port";
        Server = ::fork();
        if (Server == 0) {
            int null = ::open("/dev/null", O_WRONLY);
            ::dup2(null, 1);
            std::string script = std::string(XF_BENCH_SOURCE_DIR) + "/scripts/update-server.py";
            ::execlp("python3", "python3", script.c_str(), "--root", (Dir / "server").c_str(),
                     "--port", "0", "--port-file", portFile.c_str(), static_cast<char*>(nullptr));
            ::_exit(127);
        }
        for (int i = 0; i < 400 && !fs::exists(portFile); ++i)
            std::this_thread::sleep_for(std::chrono::milliseconds(25));
        std::ifstream port(portFile);
        std::string number;
        port >> number;
        BaseURL = "http://127.0.0.1:" + number;
    }
    ~TWorld() {
        ::kill(Server, SIGTERM);
        ::waitpid(Server, nullptr, 0);
        fs::remove_all(Dir);
    }
    std::string ProgramDir() const { return Program.string() + "/"; }
    void FreshDatabase() {
        fs::copy_file(fs::path(XF_BENCH_BIN_DIR) / "ocn.js", Program / "ocn.js",
                      fs::copy_options::overwrite_existing);
        platform::TSqliteDatabase db((Program / "ocn.js").string());
        db.Execute("insert into Stwh(C_disk,S_Datetime) values('PC','t')");
    }
};

TWorld& World() {
    static TWorld world;
    return world;
}

void BM_ImportFromServer(benchmark::State& state) {
    THeadlessHost host;
    TApplication app(&host);
    for (auto _ : state) {
        state.PauseTiming();
        World().FreshDatabase();
        TDbConnection connection(nullptr);
        connection.SetConnectionString("Data Source=ocn.js");
        connection.SetBaseDir(World().ProgramDir());
        TDbQuery query(nullptr);
        query.SetConnection(&connection);
        THttpClient http(nullptr);
        state.ResumeTiming();
        TStartRecord(query, http, World().ProgramDir(), World().BaseURL).Run("PC");
    }
    state.counters["rows/s"] = benchmark::Counter(
        double(Files) * Entries * double(state.iterations()), benchmark::Counter::kIsRate);
}
BENCHMARK(BM_ImportFromServer)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(3)
    ->Repetitions(3)
    ->ReportAggregatesOnly();

void BM_ImportIntoDatabase(benchmark::State& state) {
    std::vector<platform::TProfile> lists;
    for (int n = 0; n < Files; ++n)
        lists.emplace_back(GameList(n));
    for (auto _ : state) {
        state.PauseTiming();
        World().FreshDatabase();
        TDbConnection connection(nullptr);
        connection.SetConnectionString("Data Source=ocn.js");
        connection.SetBaseDir(World().ProgramDir());
        TDbQuery query(nullptr);
        query.SetConnection(&connection);
        state.ResumeTiming();
        for (const platform::TProfile& list : lists) {
            connection.BeginTrans();
            query.ClearSQL();
            query.AddSQL("insert into RT(R_Name,R_Class,R_URL) values (:P0,:P1,:P2)");
            TListImport::Run(list, 0, 100000, [&](const TListEntry& entry) {
                query.SetParam(0, entry.Name);
                query.SetParam(1, entry.Class);
                query.SetParam(2, entry.URL);
                query.ExecSQL();
            });
            connection.CommitTrans();
        }
    }
    state.counters["rows/s"] = benchmark::Counter(
        double(Files) * Entries * double(state.iterations()), benchmark::Counter::kIsRate);
}
BENCHMARK(BM_ImportIntoDatabase)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(3)
    ->Repetitions(3)
    ->ReportAggregatesOnly();

} // namespace
