#pragma once
// The local database connection of the main window, configured by a
// connection string. It opens on first use and stays open until it is
// destroyed or Connected is set false.
#include <cstdint>
#include <map>
#include <memory>
#include <string>

#include "gui/Exception.h"
#include "gui/TComponent.h"

namespace platform {
class TSqliteDatabase;
}

enum class TDbConnectMode {
    cmUnknown,
    cmRead,
    cmWrite,
    cmReadWrite,
    cmShareDenyRead,
    cmShareDenyWrite,
    cmShareExclusive,
    cmShareDenyNone
};
const TEnumTable& ConnectModeNames();

// Any failure of the database: missing or locked file, not a database, a
// statement the engine rejects. The message is the engine's own.
class EDatabaseError : public Exception {
public:
    using Exception::Exception;
};

class TDbConnection : public TComponent {
    XF_CLASS(TDbConnection)
public:
    explicit TDbConnection(TComponent* owner);
    ~TDbConnection() override;

    const std::string& ConnectionString() const { return FConnectionString; }
    void SetConnectionString(const std::string& text);
    bool LoginPrompt() const { return FLoginPrompt; }
    void SetLoginPrompt(bool v) { FLoginPrompt = v; }
    TDbConnectMode Mode() const { return FMode; }
    void SetMode(TDbConnectMode mode) { FMode = mode; }

    // Folder that a relative Data Source is resolved against; the program
    // folder by default, so a start from another directory finds the same file.
    const std::string& BaseDir() const { return FBaseDir; }
    void SetBaseDir(const std::string& dir) { FBaseDir = dir; }
    // The connection-string items, keys as written; lookup ignores case.
    std::string Item(const std::string& key) const;
    // The file the connection opens.
    std::string DataSourcePath() const;

    bool Connected() const { return FDb != nullptr; }
    void SetConnected(bool v);
    void Open();
    void Close();
    // Changes at every open, so statements prepared on an earlier database
    // are never reused.
    uint64_t Generation() const { return FGeneration; }
    // The open database, opening it on first use.
    platform::TSqliteDatabase& Database();

    void BeginTrans();
    void CommitTrans();
    void RollbackTrans();
    bool InTransaction() const { return FInTransaction; }

    // Splits "a=b;c=d" into items; quoted values may hold ';'.
    static std::map<std::string, std::string> ParseConnectionString(const std::string& text);

private:
    void Execute(const std::string& sql);

    std::string FConnectionString;
    std::map<std::string, std::string> FItems; // keys folded to lower case
    std::string FBaseDir;
    bool FLoginPrompt = true;
    bool FInTransaction = false;
    uint64_t FGeneration = 0;
    TDbConnectMode FMode = TDbConnectMode::cmUnknown;
    std::unique_ptr<platform::TSqliteDatabase> FDb;
};
