#include "services/TListFileImport.h"

#include <optional>

#include "platform/FileError.h"
#include "platform/Kernel.h"
#include "platform/TProfile.h"
#include "platform/TSqliteDatabase.h"
#include "services/TDbConnection.h"
#include "services/TDbQuery.h"
#include "services/TDbTransaction.h"
#include "services/TListImport.h"
#include "services/TStartRecord.h"

namespace {

const char* const SCount = "select R_count from Stwh where C_disk=:P0";
const char* const S3 = "insert into RT(R_Name,R_Class,R_URL) values (:P0,:P1,:P2)";
const char* const S4 = "Update Stwh set R_count=R_count+1 where C_disk=:P0";
const char* const S5 = "Delete from ListTR";
const char* const S6 = "insert into ListTR(R_Name,R_Class,R_URL) values (:P0,:P1,:P2)";
const char* const S7 = "Update Stwh set icount=icount+1 where C_disk=:P0";

// A list file read with the profile rules; nothing when the local copy is
// gone (another instance of the program imported and deleted it).
std::optional<platform::TProfile> LoadList(const std::string& file) {
    try {
        return platform::TProfile::LoadFromFile(file);
    } catch (const platform::FileError& e) {
        if (!platform::FileExists(file)) return std::nullopt;
        throw EFOpenError(e.what());
    }
}

} // namespace

TListFileImport::TListFileImport(const TTarget& target, std::string computerName,
                                 const std::atomic<bool>& cancel)
    : FCancel(cancel), FName(std::move(computerName)),
      FConnection(std::make_unique<TDbConnection>(nullptr)),
      FQuery(std::make_unique<TDbQuery>(nullptr)) {
    FConnection->SetConnectionString(target.ConnectionString);
    FConnection->SetBaseDir(target.BaseDir);
    FConnection->Open();
    FConnection->Database().SetCancel(&FCancel, LockWait);
    FQuery->SetConnection(FConnection.get());
}

TListFileImport::~TListFileImport() {
    FQuery.reset();
}

void TListFileImport::ThrowIfCancelled() const {
    if (FCancel) throw EStartRecordAborted("导入已取消");
}

void TListFileImport::Execute(const std::string& sql) {
    FQuery->ClearSQL();
    FQuery->AddSQL(sql);
    FQuery->SetParam(0, FName);
    FQuery->ExecSQL();
}

int64_t TListFileImport::RCount() {
    FQuery->ClearSQL();
    FQuery->AddSQL(SCount);
    FQuery->SetParam(0, FName);
    FQuery->Open();
    int64_t count = FQuery->Eof() ? -1 : FQuery->FieldAsInteger("R_count");
    FQuery->Close();
    return count;
}

TListFileImport::TResult TListFileImport::ImportGameList(const std::string& file, int number) {
    // Parsed before the transaction, so the write lock is held only for the rows.
    std::optional<platform::TProfile> list = LoadList(file);
    if (!list) return TResult::Missing;
    ThrowIfCancelled();
    TDbTransaction transaction(*FConnection);
    if (RCount() > number) return TResult::AlreadyDone;
    InsertAll(*list, S3, TListImport::GameListFirst, TListImport::GameListLast);
    Execute(S4);
    ThrowIfCancelled();
    transaction.Commit();
    return TResult::Imported;
}

TListFileImport::TResult TListFileImport::RefreshSecondList(const std::string& file) {
    std::optional<platform::TProfile> list = LoadList(file);
    if (!list) return TResult::Missing;
    ThrowIfCancelled();
    // Emptying and refilling is one step, so the list is never seen half made.
    TDbTransaction transaction(*FConnection);
    FQuery->ClearSQL();
    FQuery->AddSQL(S5);
    FQuery->ExecSQL();
    InsertAll(*list, S6, TListImport::SecondListFirst, TListImport::SecondListLast);
    ThrowIfCancelled();
    transaction.Commit();
    return TResult::Imported;
}

void TListFileImport::CountStart() {
    ThrowIfCancelled();
    Execute(S7);
}

void TListFileImport::InsertAll(const platform::TProfile& list, const char* insertSql, int first,
                                int last) {
    FQuery->ClearSQL();
    FQuery->AddSQL(insertSql);
    TListImport::Run(list, first, last, [&](const TListEntry& entry) {
        ThrowIfCancelled();
        FQuery->SetParam(0, entry.Name);
        FQuery->SetParam(1, entry.Class);
        FQuery->SetParam(2, entry.URL);
        FQuery->ExecSQL();
    });
}
