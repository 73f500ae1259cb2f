#include "platform/TSqliteStatement.h"

namespace platform {

TSqliteStatement::TSqliteStatement(TSqliteDatabase& db, const std::string& sql) : FDb(db) {
    const char* tail = nullptr;
    if (sqlite3_prepare_v2(db.Handle(), sql.c_str(), static_cast<int>(sql.size()), &FStmt, &tail) !=
        SQLITE_OK)
        db.Fail("语句错误 \"" + sql + "\"");
    if (!FStmt) throw DatabaseError(db.FileName() + ": 空语句");
}

TSqliteStatement::~TSqliteStatement() {
    sqlite3_finalize(FStmt);
}

bool TSqliteStatement::BindText(const std::string& name, const std::string& value) {
    int index = sqlite3_bind_parameter_index(FStmt, name.c_str());
    if (index == 0) return false;
    if (sqlite3_bind_text(FStmt, index, value.data(), static_cast<int>(value.size()),
                          SQLITE_TRANSIENT) != SQLITE_OK)
        FDb.Fail("参数 " + name);
    return true;
}

int TSqliteStatement::ParameterCount() const {
    return sqlite3_bind_parameter_count(FStmt);
}

bool TSqliteStatement::Step() {
    int rc = sqlite3_step(FStmt);
    if (rc == SQLITE_ROW) return true;
    if (rc == SQLITE_DONE) return false;
    sqlite3_reset(FStmt);
    FDb.Fail("执行失败");
}

void TSqliteStatement::Reset() {
    sqlite3_reset(FStmt);
}

int TSqliteStatement::ColumnCount() const {
    return sqlite3_column_count(FStmt);
}

std::string TSqliteStatement::ColumnName(int column) const {
    const char* name = sqlite3_column_name(FStmt, column);
    return name ? name : "";
}

std::optional<std::string> TSqliteStatement::ColumnText(int column) const {
    if (ColumnIsNull(column)) return std::nullopt;
    const unsigned char* text = sqlite3_column_text(FStmt, column);
    int bytes = sqlite3_column_bytes(FStmt, column);
    return std::string(reinterpret_cast<const char*>(text), static_cast<size_t>(bytes));
}

int64_t TSqliteStatement::ColumnInt(int column) const {
    return sqlite3_column_int64(FStmt, column);
}

bool TSqliteStatement::ColumnIsNull(int column) const {
    return sqlite3_column_type(FStmt, column) == SQLITE_NULL;
}

} // namespace platform
