#pragma once
// The database side of the list downloads: a downloaded list file parsed and
// imported, and the start counted. It works on a connection of its own to
// the same database file, made and used by one thread only, so it can run
// off the GUI thread while the window's own connection stays with the window.
//
// The import position is read inside the import's own write transaction:
// when another process imported the same file meanwhile, the count it left
// is seen and the file is not imported a second time.
#include <atomic>
#include <chrono>
#include <cstdint>
#include <memory>
#include <string>

class TDbConnection;
class TDbQuery;
namespace platform {
class TProfile;
}

class TListFileImport {
public:
    // How long a statement waits for another process's transaction; a
    // 100,000-entry list commits in a few seconds.
    static constexpr std::chrono::milliseconds LockWait{60000};

    struct TTarget {
        std::string ConnectionString;
        std::string BaseDir;
    };
    enum class TResult {
        Imported,    // the file and its step of R_count
        AlreadyDone, // R_count had passed it: another process imported it
        Missing,     // the local copy was gone
    };

    // `cancel`, once set, ends any work with EStartRecordAborted and rolls
    // back what was not committed.
    TListFileImport(const TTarget& target, std::string computerName,
                    const std::atomic<bool>& cancel);
    ~TListFileImport();

    // Imports game-list file `number` unless R_count has passed it; the
    // entries and the step of R_count are one transaction.
    TResult ImportGameList(const std::string& file, int number);
    // R_count as committed now; -1 when the computer has no row.
    int64_t RCount();
    // Empties the second list and fills it from the file, in one transaction.
    TResult RefreshSecondList(const std::string& file);
    void CountStart();

private:
    void ThrowIfCancelled() const;
    void Execute(const std::string& sql);
    void InsertAll(const platform::TProfile& list, const char* insertSql, int first, int last);

    const std::atomic<bool>& FCancel;
    std::string FName;
    std::unique_ptr<TDbConnection> FConnection;
    std::unique_ptr<TDbQuery> FQuery;
};
