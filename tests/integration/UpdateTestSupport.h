#pragma once
// A real local update server on 127.0.0.1 (scripts/update-server.py over a
// temporary folder), a temporary program folder with a fresh database made
// from the shipped one, and the headless application the waits pump.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <functional>
#include <memory>
#include <sstream>
#include <string>
#include <thread>

#include "gui/TApplication.h"
#include "gui/host/headless/THeadlessHost.h"
#include "platform/TSqliteDatabase.h"
#include "platform/TSqliteStatement.h"
#include "services/TDbConnection.h"
#include "services/TDbQuery.h"
#include "services/THttpAntiFreeze.h"
#include "services/THttpClient.h"
#include "services/TStartRecord.h"

namespace fs = std::filesystem;

inline std::string ReadAll(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

inline void WriteAll(const fs::path& file, const std::string& bytes) {
    fs::create_directories(file.parent_path());
    std::ofstream(file, std::ios::binary) << bytes;
}

// The server process; stopped with the fixture.
class TLocalServer {
public:
    explicit TLocalServer(const fs::path& root, const fs::path& work) : FLog(work / "server.log") {
        fs::path portFile = work / "server.port";
        fs::remove(portFile);
        FPid = ::fork();
        if (FPid == 0) {
            int fd = ::open(FLog.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
            ::dup2(fd, 1);
            std::string script = std::string(XF_SOURCE_DIR) + "/scripts/update-server.py";
            ::execlp("python3", "python3", script.c_str(), "--root", root.c_str(), "--port", "0",
                     "--port-file", portFile.c_str(), static_cast<char*>(nullptr));
            ::_exit(127);
        }
        for (int i = 0; i < 200 && !fs::exists(portFile); ++i)
            std::this_thread::sleep_for(std::chrono::milliseconds(25));
        FPort = std::stoi(ReadAll(portFile));
    }
    ~TLocalServer() { Stop(); }
    void Stop() {
        if (FPid <= 0) return;
        ::kill(FPid, SIGTERM);
        ::waitpid(FPid, nullptr, 0);
        FPid = -1;
    }
    std::string BaseURL() const { return "http://127.0.0.1:" + std::to_string(FPort); }
    int Port() const { return FPort; }
    // The request lines the server logged so far.
    std::string Log() const { return ReadAll(FLog); }
    int Requests(const std::string& path) const {
        std::string log = Log(), needle = "GET " + path + " ";
        int count = 0;
        for (size_t at = log.find(needle); at != std::string::npos; at = log.find(needle, at + 1))
            ++count;
        return count;
    }

private:
    fs::path FLog;
    pid_t FPid = -1;
    int FPort = 0;
};

// The headless host with a look at every round of the message loop: what a
// test does there happens while the code under test waits.
class TProbeHost : public THeadlessHost {
public:
    bool PumpEvents(int timeoutMs) override {
        if (OnPump) OnPump();
        return THeadlessHost::PumpEvents(timeoutMs);
    }
    std::function<void()> OnPump;
};

class UpdateTest : public ::testing::Test {
protected:
    UpdateTest() {
        FDir = fs::temp_directory_path() /
               ("xf-upd-" + std::to_string(::getpid()) + "-" + std::to_string(++Counter()));
        FProgram = FDir / "bin";
        FRoot = FDir / "server";
        fs::create_directories(FProgram);
        fs::create_directories(FRoot / "Lib");
        // A fresh database from the shipped schema: the one in the build's
        // program folder is used by the window tests at the same time.
        {
            std::ifstream schemaFile(fs::path(XF_SOURCE_DIR) / "resources/db/schema.sql");
            std::string schema((std::istreambuf_iterator<char>(schemaFile)), std::istreambuf_iterator<char>());
            platform::TSqliteDatabase::Create((FProgram / "ocn.js").string()).Execute(schema);
        }
        FApp = std::make_unique<TApplication>(&FHost);
        FOwner = std::make_unique<TComponent>(nullptr);
        FFreeze = new THttpAntiFreeze(FOwner.get());
        FConnection = new TDbConnection(FOwner.get());
        FConnection->SetConnectionString(
            "Provider=Microsoft.Jet.OLEDB.4.0;Data Source=ocn.js;Persist Security Info=False");
        FConnection->SetBaseDir(ProgramDir());
        FQuery = new TDbQuery(FOwner.get());
        FQuery->SetConnection(FConnection);
        FHttp = new THttpClient(FOwner.get());
    }
    ~UpdateTest() override {
        FServer.reset();
        FOwner.reset();
        FApp.reset();
        fs::remove_all(FDir);
    }

    TLocalServer& Server() {
        if (!FServer) FServer = std::make_unique<TLocalServer>(FRoot, FDir);
        return *FServer;
    }
    std::string ProgramDir() const { return FProgram.string() + "/"; }
    void Serve(const std::string& name, const std::string& bytes) { WriteAll(FRoot / name, bytes); }
    // A game list of `count` entries named prefix0, prefix1, ...
    static std::string GameList(const std::string& prefix, int count, int first = 0) {
        std::string text;
        for (int k = 0; k < count; ++k) {
            std::string id = prefix + std::to_string(k);
            text += "[" + std::to_string(first + k) + "]\r\nmc=" + id + "\r\nlx=class" +
                    std::to_string(k % 3) + "\r\nurl=http://g/" + id + "\r\n";
        }
        return text;
    }

    // A child process that runs the start record on its own objects, as a
    // second program would: exit status 0 when the run was counted, 2 for
    // another outcome, 3 when it threw.
    pid_t ForkStartRecord(const std::string& base) {
        pid_t pid = ::fork();
        if (pid != 0) return pid;
        // The parent's window loop is not this process's to run.
        if (THttpAntiFreeze* freeze = THttpAntiFreeze::Current()) freeze->SetActive(false);
        TDbConnection connection(nullptr);
        connection.SetConnectionString("Data Source=ocn.js");
        connection.SetBaseDir(ProgramDir());
        TDbQuery query(nullptr);
        query.SetConnection(&connection);
        THttpClient http(nullptr);
        try {
            auto outcome = TStartRecord(query, http, ProgramDir(), base).Run("PC1");
            ::_exit(outcome == TStartRecord::TOutcome::Counted ? 0 : 2);
        } catch (...) {
            ::_exit(3);
        }
    }

    // Direct reads of the database file, apart from the objects under test.
    int64_t Scalar(const std::string& sql) {
        platform::TSqliteDatabase db((FProgram / "ocn.js").string());
        platform::TSqliteStatement statement(db, sql);
        return statement.Step() ? statement.ColumnInt(0) : -1;
    }
    void Sql(const std::string& sql) {
        platform::TSqliteDatabase db((FProgram / "ocn.js").string());
        db.Execute(sql);
    }
    void AddRow(const std::string& name, int rCount, int icount = 0) {
        Sql("insert into Stwh(C_disk,S_Datetime,R_count,icount) values('" + name + "','t'," +
            std::to_string(rCount) + "," + std::to_string(icount) + ")");
    }
    int64_t RCount(const std::string& name) {
        return Scalar("select R_count from Stwh where C_disk='" + name + "'");
    }
    int64_t ICount(const std::string& name) {
        return Scalar("select icount from Stwh where C_disk='" + name + "'");
    }
    int64_t Rows(const std::string& table) { return Scalar("select count(*) from " + table); }

    static int& Counter() {
        static int counter = 0;
        return counter;
    }

    fs::path FDir, FProgram, FRoot;
    TProbeHost FHost;
    std::unique_ptr<TApplication> FApp;
    std::unique_ptr<TComponent> FOwner;
    std::unique_ptr<TLocalServer> FServer;
    THttpAntiFreeze* FFreeze = nullptr;
    TDbConnection* FConnection = nullptr;
    TDbQuery* FQuery = nullptr;
    THttpClient* FHttp = nullptr;
};
