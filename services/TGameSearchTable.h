#pragma once
// The search keys of the game list in the database: table RTKey holds, for
// each row of RT (by its row id), the keys TPinyin made of its name. They
// are written with the row, in the import's own transaction; a database from
// before the keys, or rows another program added without them, get theirs
// once, off the window's thread (AddMissing).
#include <atomic>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

class TGameSearchIndex;
namespace platform {
class TSqliteDatabase;
class TSqliteStatement;
} // namespace platform

class TGameSearchTable {
public:
    // Makes the table when the database has none.
    static void Create(platform::TSqliteDatabase& db);
    // Gives every row of RT without keys its keys, in one transaction;
    // returns how many. A set `cancel` ends it with nothing written.
    static size_t AddMissing(platform::TSqliteDatabase& db,
                             const std::atomic<bool>* cancel = nullptr);
    // Every game with its keys, in import order.
    static void Load(platform::TSqliteDatabase& db, TGameSearchIndex& index);
};

// Writes the keys of rows as they are inserted; prepared once per list.
class TGameKeyWriter {
public:
    explicit TGameKeyWriter(platform::TSqliteDatabase& db);
    ~TGameKeyWriter();
    // The keys of the row the connection inserted last.
    void AddForLastInsert(const std::string& name);
    void Add(int64_t rowId, const std::string& name);

private:
    platform::TSqliteDatabase& FDb;
    std::unique_ptr<platform::TSqliteStatement> FInsert;
};
