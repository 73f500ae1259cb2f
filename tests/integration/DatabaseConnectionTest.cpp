// The connection and query objects on real database files.
#include <unistd.h>

#include "UpdateTestSupport.h"

namespace {

class DatabaseConnectionTest : public UpdateTest {};

TEST_F(DatabaseConnectionTest, ConnectionStringItemsAreParsedAsGiven) {
    auto items =
        TDbConnection::ParseConnectionString("Provider=Microsoft.Jet.OLEDB.4.0; Data Source = "
                                             "'a;b.js' ;Persist Security Info=False;junk;"
                                             "data source=second");
    EXPECT_EQ(items["provider"], "Microsoft.Jet.OLEDB.4.0");
    EXPECT_EQ(items["data source"], "a;b.js");
    EXPECT_EQ(items["persist security info"], "False");
    EXPECT_EQ(items.count("junk"), 0u);
    EXPECT_EQ(FConnection->Item("DATA SOURCE"), "ocn.js");
}

TEST_F(DatabaseConnectionTest, RelativeDataSourceIsFoundFromAnyCurrentDirectory) {
    fs::path before = fs::current_path();
    fs::current_path(FDir);
    EXPECT_EQ(FConnection->DataSourcePath(), (FProgram / "ocn.js").string());
    EXPECT_NO_THROW(FConnection->Open());
    fs::current_path(before);
    TDbConnection absolute(nullptr);
    absolute.SetConnectionString("Data Source=" + (FProgram / "ocn.js").string());
    absolute.SetBaseDir("/elsewhere/");
    EXPECT_EQ(absolute.DataSourcePath(), (FProgram / "ocn.js").string());
}

TEST_F(DatabaseConnectionTest, ShippedSchemaHasTheTablesAndZeroCounts) {
    FQuery->AddSQL("insert into Stwh(C_disk,S_Datetime) values(:P0,:P1)");
    FQuery->SetParam(0, "PC");
    FQuery->SetParam(1, "2024-1-2 3:04:05");
    EXPECT_EQ(FQuery->ExecSQL(), 1);
    FQuery->ClearSQL();
    FQuery->AddSQL("select * from Stwh where C_disk=:P0");
    FQuery->SetParam(0, "PC");
    FQuery->Open();
    ASSERT_FALSE(FQuery->Eof());
    EXPECT_EQ(FQuery->FieldAsInteger("R_count"), 0);
    EXPECT_EQ(FQuery->FieldAsInteger("ICOUNT"), 0);
    EXPECT_EQ(FQuery->FieldAsString("S_Datetime"), "2024-1-2 3:04:05");
    EXPECT_THROW(FQuery->FieldValue("nope"), EDatabaseError);
    FQuery->Next();
    EXPECT_TRUE(FQuery->Eof());
    for (const char* table : {"RT", "ListTR"}) {
        FQuery->ClearSQL();
        FQuery->AddSQL(std::string("select R_Name,R_Class,R_URL from ") + table);
        EXPECT_NO_THROW(FQuery->Open()) << table;
    }
}

TEST_F(DatabaseConnectionTest, ParametersAreValuesNeverStatementText) {
    const std::string hostile = "x'); drop table Stwh; --";
    FQuery->AddSQL("insert into Stwh(C_disk) values(:P0)");
    FQuery->SetParam(0, hostile);
    FQuery->ExecSQL();
    // The same text again reuses the statement with new values.
    FQuery->SetParam(0, "second");
    FQuery->ExecSQL();
    EXPECT_EQ(Rows("Stwh"), 2);
    EXPECT_EQ(Scalar("select count(*) from Stwh where C_disk='x''); drop table Stwh; --'"), 1);
}

TEST_F(DatabaseConnectionTest, BadDatabaseFilesAreErrorsWithTheirName) {
    TDbConnection missing(nullptr);
    missing.SetConnectionString("Data Source=none.js");
    missing.SetBaseDir(ProgramDir());
    EXPECT_THROW(missing.Open(), EDatabaseError);
    EXPECT_FALSE(fs::exists(FProgram / "none.js")) << "a missing file must not be created";

    WriteAll(FProgram / "text.js", "this is not a database at all, just some text\n");
    TDbConnection notDb(nullptr);
    notDb.SetConnectionString("Data Source=text.js");
    notDb.SetBaseDir(ProgramDir());
    try {
        notDb.Open();
        FAIL() << "opened a text file";
    } catch (const EDatabaseError& e) {
        EXPECT_NE(e.Message().find("text.js"), std::string::npos) << e.Message();
    }
    EXPECT_FALSE(notDb.Connected());
}

TEST_F(DatabaseConnectionTest, LockedDatabaseFailsAfterAShortWait) {
    platform::TSqliteDatabase other((FProgram / "ocn.js").string());
    other.Execute("begin exclusive");
    FQuery->AddSQL("insert into RT(R_Name) values(:P0)");
    FQuery->SetParam(0, "x");
    EXPECT_THROW(FQuery->ExecSQL(), EDatabaseError);
    other.Execute("rollback");
    EXPECT_EQ(FQuery->ExecSQL(), 1);
}

TEST_F(DatabaseConnectionTest, TransactionsCommitOrLeaveNoTrace) {
    FConnection->BeginTrans();
    EXPECT_THROW(FConnection->BeginTrans(), EDatabaseError);
    FQuery->AddSQL("insert into RT(R_Name) values(:P0)");
    FQuery->SetParam(0, "gone");
    FQuery->ExecSQL();
    FConnection->RollbackTrans();
    EXPECT_EQ(Rows("RT"), 0);
    FConnection->BeginTrans();
    FQuery->SetParam(0, "kept");
    FQuery->ExecSQL();
    FConnection->CommitTrans();
    EXPECT_EQ(Rows("RT"), 1);
}

TEST_F(DatabaseConnectionTest, QueryForgetsAConnectionThatGoesAway) {
    auto* connection = new TDbConnection(nullptr);
    connection->SetConnectionString("Data Source=ocn.js");
    connection->SetBaseDir(ProgramDir());
    TDbQuery query(nullptr);
    query.SetConnection(connection);
    query.AddSQL("select count(*) from RT");
    query.Open();
    delete connection;
    EXPECT_EQ(query.Connection(), nullptr);
    EXPECT_THROW(query.Open(), EDatabaseError);
}

} // namespace
