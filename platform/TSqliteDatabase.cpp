#include "platform/TSqliteDatabase.h"

#include <thread>

namespace platform {

TSqliteDatabase::TSqliteDatabase(const std::string& fileName, int busyTimeoutMs)
    : TSqliteDatabase(fileName, SQLITE_OPEN_READWRITE, busyTimeoutMs) {}

TSqliteDatabase TSqliteDatabase::Create(const std::string& fileName) {
    return TSqliteDatabase(fileName, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, 2000);
}

TSqliteDatabase::TSqliteDatabase(const std::string& fileName, int flags, int busyTimeoutMs)
    : FFileName(fileName) {
    int rc = sqlite3_open_v2(fileName.c_str(), &FDb, flags, nullptr);
    if (rc != SQLITE_OK) {
        std::string message = FDb ? sqlite3_errmsg(FDb) : sqlite3_errstr(rc);
        sqlite3_close(FDb);
        FDb = nullptr;
        throw DatabaseError("无法打开数据库 " + fileName + ": " + message);
    }
    sqlite3_busy_timeout(FDb, busyTimeoutMs);
    sqlite3_extended_result_codes(FDb, 1);
    // Reading the schema proves the file is a database before anyone relies on it.
    try {
        Execute("select count(*) from sqlite_master");
    } catch (...) {
        sqlite3_close(FDb);
        FDb = nullptr;
        throw;
    }
}

TSqliteDatabase::TSqliteDatabase(TSqliteDatabase&& other) noexcept
    : FFileName(std::move(other.FFileName)), FDb(other.FDb) {
    other.FDb = nullptr;
    // The handlers point at the object they were set on.
    if (other.FCancel) SetCancel(other.FCancel, other.FLockWait);
}

void TSqliteDatabase::SetCancel(const std::atomic<bool>* cancel,
                                std::chrono::milliseconds lockWait) {
    FCancel = cancel;
    FLockWait = lockWait;
    sqlite3_busy_handler(FDb, &TSqliteDatabase::OnBusy, this);
    // Checked every few thousand engine steps: often enough to stop a long
    // statement within milliseconds, rarely enough to cost nothing.
    sqlite3_progress_handler(FDb, cancel ? 4000 : 0,
                             cancel ? &TSqliteDatabase::OnProgress : nullptr, this);
}

int TSqliteDatabase::OnBusy(void* self, int attempt) {
    auto* db = static_cast<TSqliteDatabase*>(self);
    auto now = std::chrono::steady_clock::now();
    if (attempt == 0) db->FBusySince = now;
    if (db->FCancel && db->FCancel->load()) return 0;
    if (now - db->FBusySince >= db->FLockWait) return 0;
    std::this_thread::sleep_for(std::chrono::milliseconds(attempt < 10 ? 1 : 10));
    return 1;
}

int TSqliteDatabase::OnProgress(void* self) {
    auto* db = static_cast<TSqliteDatabase*>(self);
    return db->FCancel && db->FCancel->load() ? 1 : 0;
}

TSqliteDatabase::~TSqliteDatabase() {
    // An open transaction is rolled back by the engine here.
    if (FDb) sqlite3_close_v2(FDb);
}

void TSqliteDatabase::Execute(const std::string& sql) {
    char* error = nullptr;
    if (sqlite3_exec(FDb, sql.c_str(), nullptr, nullptr, &error) == SQLITE_OK) return;
    std::string message = error ? error : sqlite3_errmsg(FDb);
    sqlite3_free(error);
    throw DatabaseError(FFileName + ": " + message);
}

void TSqliteDatabase::Fail(const std::string& what) const {
    throw DatabaseError(FFileName + ": " + what + ": " + sqlite3_errmsg(FDb));
}

} // namespace platform
