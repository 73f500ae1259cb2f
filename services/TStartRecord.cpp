#include "services/TStartRecord.h"

#include <ctime>
#include <fstream>

#include "platform/FileError.h"
#include "platform/Kernel.h"
#include "platform/TProfile.h"
#include "services/TDbConnection.h"
#include "services/TDbQuery.h"
#include "services/THttpClient.h"
#include "services/TListImport.h"

namespace {

// The computer name is always bound, never pasted into the statement text.
const char* const S1 = "select * from Stwh where C_disk=:P0";
const char* const S2 = "insert into Stwh(C_disk,S_Datetime) values(:P0,:P1)";
const char* const S3 = "insert into RT(R_Name,R_Class,R_URL) values (:P0,:P1,:P2)";
const char* const S4 = "Update Stwh set R_count=R_count+1 where C_disk=:P0";
const char* const S5 = "Delete from ListTR";
const char* const S6 = "insert into ListTR(R_Name,R_Class,R_URL) values (:P0,:P1,:P2)";
const char* const S7 = "Update Stwh set icount=icount+1 where C_disk=:P0";

// A list file read with the profile rules; a file that cannot be read is
// the framework's file-open error.
platform::TProfile LoadList(const std::string& file) {
    try {
        return platform::TProfile::LoadFromFile(file);
    } catch (const platform::FileError& e) {
        throw EFOpenError(e.what());
    }
}

TDbConnection* RequireConnection(TDbQuery& query) {
    TDbConnection* connection = query.Connection();
    if (!connection) throw EDatabaseError("查询没有连接");
    return connection;
}

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

void TStartRecord::Execute(const std::string& sql, const std::string& p0) {
    TDbQuery& query = Query();
    query.ClearSQL();
    query.AddSQL(sql);
    query.SetParam(0, p0);
    query.ExecSQL();
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
    Execute(S7, FName);
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
    if (!FQuery) throw EStartRecordAborted("数据库查询已释放");
    return true;
}

std::string TStartRecord::SaveLocalCopy(const std::string& name, const std::string& body) {
    std::string path = FDataDir + name;
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(body.data(), static_cast<std::streamsize>(body.size()));
    out.close();
    if (!out) throw EFOpenError("无法写入文件 " + path);
    return path;
}

int TStartRecord::ImportGameLists(int from) {
    int imported = 0;
    for (int n = from; n <= LastGameList; ++n) {
        std::string body;
        if (!Download(GameListURL(FBaseURL, n), body)) break;
        std::string file = SaveLocalCopy(std::to_string(n) + ".txt", body);
        if (!platform::FileExists(file)) continue;
        ImportGameList(file);
        platform::DeleteFile(file);
        ++imported;
    }
    return imported;
}

void TStartRecord::ImportGameList(const std::string& file) {
    platform::TProfile list = LoadList(file);
    TDbQuery& query = Query();
    TDbConnection* connection = RequireConnection(query);
    connection->BeginTrans();
    try {
        query.ClearSQL();
        query.AddSQL(S3);
        TListImport::Run(list, TListImport::GameListFirst, TListImport::GameListLast,
                         [&](const TListEntry& entry) {
                             query.SetParam(0, entry.Name);
                             query.SetParam(1, entry.Class);
                             query.SetParam(2, entry.URL);
                             query.ExecSQL();
                         });
        Execute(S4, FName);
        connection->CommitTrans();
    } catch (...) {
        connection->RollbackTrans();
        throw;
    }
}

bool TStartRecord::RefreshSecondList() {
    std::string body;
    if (!Download(FBaseURL + "/Lib/tj.txt", body)) return false;
    std::string file = SaveLocalCopy("tj.txt", body);
    if (!platform::FileExists(file)) return true;
    platform::TProfile list = LoadList(file);
    TDbQuery& query = Query();
    TDbConnection* connection = RequireConnection(query);
    // Emptying and refilling is one step, so the list is never seen half made.
    connection->BeginTrans();
    try {
        query.ClearSQL();
        query.AddSQL(S5);
        query.ExecSQL();
        query.ClearSQL();
        query.AddSQL(S6);
        TListImport::Run(list, TListImport::SecondListFirst, TListImport::SecondListLast,
                         [&](const TListEntry& entry) {
                             query.SetParam(0, entry.Name);
                             query.SetParam(1, entry.Class);
                             query.SetParam(2, entry.URL);
                             query.ExecSQL();
                         });
        connection->CommitTrans();
    } catch (...) {
        connection->RollbackTrans();
        throw;
    }
    platform::DeleteFile(file);
    return true;
}
