#pragma once
// A prepared statement on a TSqliteDatabase: named or numbered parameters
// bound as text, rows read one at a time.
#include <sqlite3.h>

#include <cstdint>
#include <optional>
#include <string>

#include "platform/TSqliteDatabase.h"

namespace platform {

class TSqliteStatement {
public:
    TSqliteStatement(TSqliteDatabase& db, const std::string& sql);
    TSqliteStatement(const TSqliteStatement&) = delete;
    TSqliteStatement& operator=(const TSqliteStatement&) = delete;
    ~TSqliteStatement();

    // Binds by the parameter's name as written in the text (":P0").
    // Returns false when the text has no such parameter.
    bool BindText(const std::string& name, const std::string& value);
    int ParameterCount() const;
    // One step: true while a row is ready, false when the statement is done.
    bool Step();
    // Back to the start with the bindings kept.
    void Reset();

    int ColumnCount() const;
    std::string ColumnName(int column) const;
    // Null columns read as nothing.
    std::optional<std::string> ColumnText(int column) const;
    int64_t ColumnInt(int column) const;
    bool ColumnIsNull(int column) const;

private:
    TSqliteDatabase& FDb;
    sqlite3_stmt* FStmt = nullptr;
};

} // namespace platform
