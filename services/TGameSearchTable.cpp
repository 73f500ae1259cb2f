#include "services/TGameSearchTable.h"

#include <vector>

#include "platform/TSqliteDatabase.h"
#include "platform/TSqliteStatement.h"
#include "services/TGameSearchIndex.h"
#include "services/TPinyin.h"

namespace {

const char* const CreateSql =
    "create table if not exists RTKey (R_Id integer primary key, R_Keys text not null)";
const char* const InsertSql = "insert or replace into RTKey(R_Id,R_Keys) values (:P0,:P1)";
const char* const MissingSql =
    "select RT.rowid, RT.R_Name from RT left join RTKey on RTKey.R_Id = RT.rowid "
    "where RTKey.R_Id is null order by RT.rowid";
const char* const LoadSql =
    "select RT.rowid, RT.R_Name, RT.R_Class, RT.R_URL, RTKey.R_Keys from RT "
    "join RTKey on RTKey.R_Id = RT.rowid order by RT.rowid";

} // namespace

void TGameSearchTable::Create(platform::TSqliteDatabase& db) {
    db.Execute(CreateSql);
}

size_t TGameSearchTable::AddMissing(platform::TSqliteDatabase& db,
                                    const std::atomic<bool>* cancel) {
    Create(db);
    // Read first, so that the write lock is held only while the keys go in.
    std::vector<std::pair<int64_t, std::string>> missing;
    {
        platform::TSqliteStatement select(db, MissingSql);
        while (select.Step())
            missing.emplace_back(select.ColumnInt(0), select.ColumnText(1).value_or(""));
    }
    if (missing.empty()) return 0;
    db.Execute("begin immediate");
    try {
        TGameKeyWriter writer(db);
        for (const auto& [id, name] : missing) {
            if (cancel && *cancel) throw platform::DatabaseError("已取消");
            writer.Add(id, name);
        }
        db.Execute("commit");
    } catch (...) {
        db.Execute("rollback");
        throw;
    }
    return missing.size();
}

void TGameSearchTable::Load(platform::TSqliteDatabase& db, TGameSearchIndex& index) {
    platform::TSqliteStatement select(db, LoadSql);
    while (select.Step()) {
        TGameRecord record;
        record.Id = select.ColumnInt(0);
        record.Name = select.ColumnText(1).value_or("");
        record.Class = select.ColumnText(2).value_or("");
        record.URL = select.ColumnText(3).value_or("");
        index.Add(std::move(record), select.ColumnText(4).value_or(""));
    }
}

TGameKeyWriter::TGameKeyWriter(platform::TSqliteDatabase& db)
    : FDb(db), FInsert(std::make_unique<platform::TSqliteStatement>(db, InsertSql)) {}

TGameKeyWriter::~TGameKeyWriter() = default;

void TGameKeyWriter::AddForLastInsert(const std::string& name) {
    Add(sqlite3_last_insert_rowid(FDb.Handle()), name);
}

void TGameKeyWriter::Add(int64_t rowId, const std::string& name) {
    FInsert->Reset();
    FInsert->BindText(":P0", std::to_string(rowId));
    FInsert->BindText(":P1", TPinyin::Keys(name));
    while (FInsert->Step()) {
    }
}
