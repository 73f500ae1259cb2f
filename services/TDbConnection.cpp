#include "services/TDbConnection.h"

#include <algorithm>
#include <cctype>

#include "platform/Kernel.h"
#include "platform/TSqliteDatabase.h"

const TEnumTable& ConnectModeNames() {
    static const TEnumTable names = {{"cmUnknown", 0},        {"cmRead", 1},
                                     {"cmWrite", 2},          {"cmReadWrite", 3},
                                     {"cmShareDenyRead", 4},  {"cmShareDenyWrite", 5},
                                     {"cmShareExclusive", 6}, {"cmShareDenyNone", 7}};
    return names;
}

const TClassInfo& TDbConnection::StaticClass() {
    static const TClassInfo info =
        TClassBuilder<TDbConnection>("TDbConnection", &TComponent::StaticClass())
            .Prop("ConnectionString", &TDbConnection::ConnectionString,
                  &TDbConnection::SetConnectionString)
            .Prop("LoginPrompt", &TDbConnection::LoginPrompt, &TDbConnection::SetLoginPrompt)
            .Enum("Mode", &TDbConnection::Mode, &TDbConnection::SetMode, ConnectModeNames())
            .Build();
    return info;
}

namespace {

std::string Trim(const std::string& text) {
    size_t begin = text.find_first_not_of(" \t");
    if (begin == std::string::npos) return "";
    size_t end = text.find_last_not_of(" \t");
    return text.substr(begin, end - begin + 1);
}

std::string Lower(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return text;
}

std::string Unquote(const std::string& value) {
    if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
        value.back() == value.front())
        return value.substr(1, value.size() - 2);
    return value;
}

// The items of the string, split at ';' outside quotes.
std::vector<std::string> SplitItems(const std::string& text) {
    std::vector<std::string> items(1);
    char quote = 0;
    for (char c : text) {
        if (quote) {
            if (c == quote) quote = 0;
        } else if (c == '"' || c == '\'') {
            quote = c;
        } else if (c == ';') {
            items.emplace_back();
            continue;
        }
        items.back() += c;
    }
    return items;
}

} // namespace

TDbConnection::TDbConnection(TComponent* owner) : TComponent(owner) {
    try {
        FBaseDir = platform::ExecutableDir();
    } catch (const platform::KernelError&) {
        FBaseDir.clear();
    }
}

TDbConnection::~TDbConnection() = default;

std::map<std::string, std::string> TDbConnection::ParseConnectionString(const std::string& text) {
    std::map<std::string, std::string> items;
    for (const std::string& item : SplitItems(text)) {
        size_t eq = item.find('=');
        if (eq == std::string::npos) continue;
        std::string key = Lower(Trim(item.substr(0, eq)));
        if (key.empty() || items.count(key)) continue;
        items[key] = Unquote(Trim(item.substr(eq + 1)));
    }
    return items;
}

void TDbConnection::SetConnectionString(const std::string& text) {
    if (Connected()) throw EDatabaseError("数据库已连接，不能修改连接字符串");
    FConnectionString = text;
    FItems = ParseConnectionString(text);
}

std::string TDbConnection::Item(const std::string& key) const {
    auto it = FItems.find(Lower(key));
    return it == FItems.end() ? "" : it->second;
}

std::string TDbConnection::DataSourcePath() const {
    std::string source = platform::NativePath(Item("Data Source"));
    if (source.empty()) throw EDatabaseError("连接字符串缺少 Data Source");
    if (source.front() == '/' || FBaseDir.empty()) return source;
    return platform::NativePath(FBaseDir + "/" + source);
}

void TDbConnection::SetConnected(bool v) {
    if (v)
        Open();
    else
        Close();
}

void TDbConnection::Open() {
    if (FDb) return;
    try {
        FDb = std::make_unique<platform::TSqliteDatabase>(DataSourcePath());
        ++FGeneration;
        // A write-ahead log survives a killed process just as well and costs
        // one sync per checkpoint instead of several per committed file.
        FDb->Execute("pragma journal_mode=wal; pragma synchronous=normal");
        if (FMode == TDbConnectMode::cmShareExclusive)
            FDb->Execute("pragma locking_mode=exclusive");
    } catch (const platform::DatabaseError& e) {
        FDb.reset();
        throw EDatabaseError(e.what());
    }
}

void TDbConnection::Close() {
    FDb.reset();
    FInTransaction = false;
}

platform::TSqliteDatabase& TDbConnection::Database() {
    Open();
    return *FDb;
}

void TDbConnection::Execute(const std::string& sql) {
    try {
        Database().Execute(sql);
    } catch (const platform::DatabaseError& e) {
        throw EDatabaseError(e.what());
    }
}

void TDbConnection::BeginTrans() {
    if (FInTransaction) throw EDatabaseError("事务已经开始");
    Execute("begin immediate");
    FInTransaction = true;
}

void TDbConnection::CommitTrans() {
    if (!FInTransaction) throw EDatabaseError("没有进行中的事务");
    Execute("commit");
    FInTransaction = false;
}

void TDbConnection::RollbackTrans() {
    if (!FInTransaction) return;
    FInTransaction = false;
    Execute("rollback");
}
