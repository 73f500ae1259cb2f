#include "services/TStartRecord.h"

#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <ctime>
#include <fstream>

#include "gui/TApplication.h"
#include "platform/Kernel.h"
#include "services/TBackgroundJob.h"
#include "services/TDbConnection.h"
#include "services/TDbQuery.h"
#include "services/THttpClient.h"
#include "services/TListFileImport.h"

namespace {

// The computer name is always bound, never pasted into the statement text.
// A second instance starting at the same moment may have made the row just
// now: its row stands, and this start is its first all the same.
const char* const S1 = "select * from Stwh where C_disk=:P0";
const char* const S2 = "insert or ignore into Stwh(C_disk,S_Datetime) values(:P0,:P1)";

TDbConnection* RequireConnection(TDbQuery& query) {
    TDbConnection* connection = query.Connection();
    if (!connection) throw EDatabaseError("查询没有连接");
    return connection;
}

// The local copy goes however its import ends: imported, refused, failed
// or cut short by the program quitting.
class TLocalCopy {
public:
    explicit TLocalCopy(std::string path) : FPath(std::move(path)) {}
    ~TLocalCopy() { platform::DeleteFile(FPath); }
    TLocalCopy(const TLocalCopy&) = delete;
    TLocalCopy& operator=(const TLocalCopy&) = delete;
    const std::string& Path() const { return FPath; }

private:
    std::string FPath;
};

} // namespace

TStartRecord::TStartRecord(TDbQuery& query, THttpClient& http, std::string dataDir,
                           std::string baseURL)
    : FQuery(&query), FHttp(&http), FDataDir(std::move(dataDir)),
      FBaseURL(std::move(baseURL)) {
    while (!FBaseURL.empty() && FBaseURL.back() == '/')
        FBaseURL.pop_back();
}

std::string TStartRecord::GameListURL(const std::string& baseURL, int number) {
    return baseURL + "/Lib/" + std::to_string(number) + ".txt";
}

std::string TStartRecord::NowText() {
    std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    char text[64];
    std::snprintf(text, sizeof text, "%d-%d-%d %d:%02d:%02d", local.tm_year + 1900,
                  local.tm_mon + 1, local.tm_mday, local.tm_hour, local.tm_min, local.tm_sec);
    return text;
}

TDbQuery& TStartRecord::Query() {
    TDbQuery* query = FQuery.Get();
    if (!query) throw EStartRecordAborted("数据库查询已释放");
    return *query;
}

bool TStartRecord::StillWanted() const {
    return FQuery && FHttp && !(Application && Application->Terminated());
}

void TStartRecord::OffThread(const std::function<void(TListFileImport& db)>& work) {
    TDbConnection* connection = RequireConnection(Query());
    TListFileImport::TTarget target{connection->ConnectionString(), connection->BaseDir()};
    std::string name = FName;
    bool finished = TBackgroundJob::Run(
        [&](const std::atomic<bool>& cancel) {
            TListFileImport db(target, name, cancel);
            work(db);
        },
        [this] { return StillWanted(); });
    if (!finished) throw EStartRecordAborted("程序正在退出");
}

TStartRecord::TOutcome TStartRecord::Run(const std::optional<std::string>& computerName) {
    if (!computerName) return TOutcome::NoComputerName;
    FName = *computerName;
    TDbQuery& query = Query();
    if (query.Active()) query.Close();
    query.ClearSQL();
    query.AddSQL(S1);
    query.SetParam(0, FName);
    query.Open();
    if (query.Eof()) {
        query.ClearSQL();
        query.AddSQL(S2);
        query.SetParam(0, FName);
        query.SetParam(1, NowText());
        query.ExecSQL();
        return TOutcome::FirstStart;
    }
    int64_t from = query.FieldAsInteger("R_count");
    ImportGameLists(from > LastGameList ? LastGameList + 1
                                        : static_cast<int>(std::max<int64_t>(from, 0)));
    if (!RefreshSecondList()) return TOutcome::SecondListFailed;
    OffThread([](TListFileImport& db) { db.CountStart(); });
    return TOutcome::Counted;
}

bool TStartRecord::Download(const std::string& url, std::string& body) {
    THttpClient* http = FHttp.Get();
    if (!http) throw EStartRecordAborted("HTTP 客户端已释放");
    try {
        body = http->Get(url);
    } catch (const EHttpError& e) {
        if (e.Aborted()) throw EStartRecordAborted(e.Message());
        return false;
    }
    if (!StillWanted()) throw EStartRecordAborted("程序正在退出");
    return true;
}

// Written under a name of this process's own and renamed into place, so a
// second instance saving the same list never hands this one half a file.
std::string TStartRecord::SaveLocalCopy(const std::string& name, const std::string& body) {
    std::string path = FDataDir + name;
    std::string part = path + ".part-" + std::to_string(::getpid());
    std::ofstream out(part, std::ios::binary | std::ios::trunc);
    out.write(body.data(), static_cast<std::streamsize>(body.size()));
    out.close();
    if (!out || std::rename(part.c_str(), path.c_str()) != 0) {
        std::remove(part.c_str());
        throw EFOpenError("无法写入文件 " + path);
    }
    return path;
}

int TStartRecord::ImportGameLists(int from) {
    int imported = 0;
    for (int n = from; n <= LastGameList;) {
        std::string body;
        if (!Download(GameListURL(FBaseURL, n), body)) break;
        TLocalCopy file(SaveLocalCopy(std::to_string(n) + ".txt", body));
        TListFileImport::TResult result = TListFileImport::TResult::Missing;
        int64_t count = n;
        OffThread([&](TListFileImport& db) {
            result = db.ImportGameList(file.Path(), n);
            if (result == TListFileImport::TResult::AlreadyDone) count = db.RCount();
        });
        if (result == TListFileImport::TResult::Imported) ++imported;
        // Another instance went past this file: go on from where it stands.
        n = result == TListFileImport::TResult::AlreadyDone
                ? static_cast<int>(std::min<int64_t>(count, LastGameList + 1))
                : n + 1;
    }
    return imported;
}

bool TStartRecord::RefreshSecondList() {
    std::string body;
    if (!Download(FBaseURL + "/Lib/tj.txt", body)) return false;
    TLocalCopy file(SaveLocalCopy("tj.txt", body));
    OffThread([&](TListFileImport& db) { db.RefreshSecondList(file.Path()); });
    return true;
}
