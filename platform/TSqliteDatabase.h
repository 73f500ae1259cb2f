#pragma once
// One open SQLite database file. Every failure is a DatabaseError carrying
// the engine's own message, so the caller's error report can show it as is.
#include <sqlite3.h>

#include <atomic>
#include <chrono>
#include <stdexcept>
#include <string>

namespace platform {

class DatabaseError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

class TSqliteDatabase {
public:
    // Opens an existing file for reading and writing; a missing file is an
    // error, never a new empty database, so a lost file is noticed. The file
    // is checked to be a database at once rather than at the first statement.
    explicit TSqliteDatabase(const std::string& fileName, int busyTimeoutMs = 2000);
    // Creates the file when it is missing (the build-time generator).
    static TSqliteDatabase Create(const std::string& fileName);
    TSqliteDatabase(TSqliteDatabase&& other) noexcept;
    TSqliteDatabase& operator=(TSqliteDatabase&&) = delete;
    TSqliteDatabase(const TSqliteDatabase&) = delete;
    ~TSqliteDatabase();

    // Runs one or more statements without parameters or results.
    void Execute(const std::string& sql);
    sqlite3* Handle() const { return FDb; }
    const std::string& FileName() const { return FFileName; }
    // Lets another thread end this connection's work: once `cancel` is set, a
    // running statement stops with an "interrupted" error and a wait for
    // another process's lock gives up at once. Without a cancel the wait for
    // a lock lasts up to `lockWait`. The flag must outlive the connection.
    void SetCancel(const std::atomic<bool>* cancel, std::chrono::milliseconds lockWait);
    // The engine's message for the last failure, prefixed with the file name.
    [[noreturn]] void Fail(const std::string& what) const;

private:
    TSqliteDatabase(const std::string& fileName, int flags, int busyTimeoutMs);
    static int OnBusy(void* self, int attempt);
    static int OnProgress(void* self);

    std::string FFileName;
    sqlite3* FDb = nullptr;
    const std::atomic<bool>* FCancel = nullptr;
    std::chrono::milliseconds FLockWait{0};
    std::chrono::steady_clock::time_point FBusySince;
};

} // namespace platform
