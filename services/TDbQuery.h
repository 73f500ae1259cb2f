#pragma once
// A query on the local database connection: one statement object that every
// statement reuses. The text is replaced before each statement; a select is
// run with Open and read row by row, anything else with ExecSQL. Parameters
// written :P0, :P1, ... are bound by position with string values.
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "gui/TComponent.h"

class TDbConnection;
namespace platform {
class TSqliteStatement;
}

class TDbQuery : public TComponent {
    XF_CLASS(TDbQuery)
public:
    explicit TDbQuery(TComponent* owner);
    ~TDbQuery() override;
    TDbConnection* Connection() const { return FConnection; }
    void SetConnection(TDbConnection* connection);
    void Notification(TComponent* component, TOperation operation) override;

    // The statement text.
    const std::string& SQL() const { return FSQL; }
    void ClearSQL();
    void AddSQL(const std::string& line);
    // Positional parameter i is the one written ":P<i>".
    void SetParam(int index, const std::string& value);

    // Runs a select and stands on its first row.
    void Open();
    void Close();
    bool Active() const { return FActive; }
    bool Eof() const { return !FActive || FRow >= FRows.size(); }
    void Next();
    size_t RecordCount() const { return FRows.size(); }
    // The current row's value of a column; null as nothing.
    std::optional<std::string> FieldValue(const std::string& name) const;
    std::string FieldAsString(const std::string& name) const;
    // Text that is not a number reads as 0, as a null does.
    int64_t FieldAsInteger(const std::string& name) const;
    // Runs a statement without a result; returns the rows it changed.
    int ExecSQL();

private:
    platform::TSqliteStatement& Prepared();
    void BindParams(platform::TSqliteStatement& statement);
    TDbConnection& RequireConnection() const;
    size_t ColumnIndex(const std::string& name) const;

    TDbConnection* FConnection = nullptr;
    std::string FSQL;
    std::vector<std::optional<std::string>> FParams;
    // Kept while the text stays the same, so a statement run once per list
    // entry is prepared once.
    std::unique_ptr<platform::TSqliteStatement> FStatement;
    std::string FPreparedSQL;
    uint64_t FPreparedOn = 0; // the connection's generation
    bool FActive = false;
    std::vector<std::string> FColumns;
    std::vector<std::vector<std::optional<std::string>>> FRows;
    size_t FRow = 0;
};
