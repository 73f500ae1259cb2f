#include "services/TDbQuery.h"

#include <sqlite3.h>

#include <charconv>

#include "platform/TSqliteStatement.h"
#include "platform/Text.h"
#include "services/TDbConnection.h"

const TClassInfo& TDbQuery::StaticClass() {
    static const TClassInfo info =
        TClassBuilder<TDbQuery>("TDbQuery", &TComponent::StaticClass())
            .Prop("Connection", &TDbQuery::Connection, &TDbQuery::SetConnection)
            .Build();
    return info;
}

TDbQuery::TDbQuery(TComponent* owner) : TComponent(owner) {}

TDbQuery::~TDbQuery() {
    FStatement.reset();
}

void TDbQuery::SetConnection(TDbConnection* connection) {
    if (connection == FConnection) return;
    Close();
    FStatement.reset();
    if (FConnection) FConnection->RemoveFreeNotification(this);
    FConnection = connection;
    if (connection) connection->FreeNotification(this);
}

void TDbQuery::Notification(TComponent* component, TOperation operation) {
    TComponent::Notification(component, operation);
    if (operation == TOperation::opRemove && component == FConnection) {
        // The statement belongs to the connection's database: drop it first.
        Close();
        FStatement.reset();
        FConnection = nullptr;
    }
}

void TDbQuery::ClearSQL() {
    Close();
    FSQL.clear();
    FParams.clear();
}

void TDbQuery::AddSQL(const std::string& line) {
    Close();
    if (!FSQL.empty()) FSQL += '\n';
    FSQL += line;
}

void TDbQuery::SetParam(int index, const std::string& value) {
    if (index < 0 || index > 255) throw EDatabaseError("参数序号越界");
    if (FParams.size() <= static_cast<size_t>(index))
        FParams.resize(static_cast<size_t>(index) + 1);
    FParams[static_cast<size_t>(index)] = value;
}

TDbConnection& TDbQuery::RequireConnection() const {
    if (!FConnection) throw EDatabaseError("查询没有连接");
    return *FConnection;
}

platform::TSqliteStatement& TDbQuery::Prepared() {
    TDbConnection& connection = RequireConnection();
    platform::TSqliteDatabase& db = connection.Database();
    if (FStatement && FPreparedSQL == FSQL && FPreparedOn == connection.Generation()) {
        FStatement->Reset();
        return *FStatement;
    }
    FStatement.reset();
    try {
        FStatement = std::make_unique<platform::TSqliteStatement>(db, FSQL);
    } catch (const platform::DatabaseError& e) {
        throw EDatabaseError(e.what());
    }
    FPreparedSQL = FSQL;
    FPreparedOn = connection.Generation();
    return *FStatement;
}

void TDbQuery::BindParams(platform::TSqliteStatement& statement) {
    for (size_t i = 0; i < FParams.size(); ++i) {
        if (!FParams[i]) continue;
        statement.BindText(":P" + std::to_string(i), *FParams[i]);
    }
}

void TDbQuery::Open() {
    Close();
    platform::TSqliteStatement& statement = Prepared();
    BindParams(statement);
    try {
        for (int c = 0; c < statement.ColumnCount(); ++c)
            FColumns.push_back(statement.ColumnName(c));
        while (statement.Step()) {
            auto& row = FRows.emplace_back();
            for (int c = 0; c < statement.ColumnCount(); ++c)
                row.push_back(statement.ColumnText(c));
        }
    } catch (const platform::DatabaseError& e) {
        Close();
        throw EDatabaseError(e.what());
    }
    statement.Reset();
    FActive = true;
}

void TDbQuery::Close() {
    FActive = false;
    FColumns.clear();
    FRows.clear();
    FRow = 0;
}

void TDbQuery::Next() {
    if (!Eof()) ++FRow;
}

size_t TDbQuery::ColumnIndex(const std::string& name) const {
    for (size_t c = 0; c < FColumns.size(); ++c)
        if (platform::SameText(FColumns[c], name)) return c;
    throw EDatabaseError("字段 " + name + " 不存在");
}

std::optional<std::string> TDbQuery::FieldValue(const std::string& name) const {
    if (Eof()) throw EDatabaseError("没有当前记录");
    return FRows[FRow][ColumnIndex(name)];
}

std::string TDbQuery::FieldAsString(const std::string& name) const {
    return FieldValue(name).value_or("");
}

int64_t TDbQuery::FieldAsInteger(const std::string& name) const {
    std::string text = FieldAsString(name);
    int64_t value = 0;
    auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    return ec == std::errc() ? value : 0;
}

int TDbQuery::ExecSQL() {
    Close();
    platform::TSqliteStatement& statement = Prepared();
    BindParams(statement);
    try {
        while (statement.Step()) {
        }
    } catch (const platform::DatabaseError& e) {
        throw EDatabaseError(e.what());
    }
    statement.Reset();
    return sqlite3_changes(RequireConnection().Database().Handle());
}
