// The start record and the list imports against a real local server and a
// real database file.
#include "UpdateTestSupport.h"
#include "services/TStartRecord.h"

namespace {

using TOutcome = TStartRecord::TOutcome;

class DatabaseStartRecordTest : public UpdateTest {
protected:
    TOutcome Start(const std::string& name = "PC1") {
        TStartRecord record(*FQuery, *FHttp, ProgramDir(), Server().BaseURL());
        return record.Run(name);
    }
    std::string Column(const std::string& sql) {
        platform::TSqliteDatabase db((FProgram / "ocn.js").string());
        platform::TSqliteStatement statement(db, sql);
        return statement.Step() ? statement.ColumnText(0).value_or("<null>") : "<none>";
    }
};

TEST_F(DatabaseStartRecordTest, FirstStartInsertsOneRowAndRequestsNothing) {
    Serve("Lib/0.txt", GameList("a", 2));
    Serve("Lib/tj.txt", GameList("t", 1, 1));
    EXPECT_EQ(Start("O'Brien-PC"), TOutcome::FirstStart);
    EXPECT_EQ(Rows("Stwh"), 1);
    EXPECT_EQ(RCount("O''Brien-PC"), 0);
    EXPECT_EQ(ICount("O''Brien-PC"), 0);
    EXPECT_NE(Column("select S_Datetime from Stwh"), "<null>");
    EXPECT_EQ(Rows("RT"), 0);
    EXPECT_EQ(FHttp->RequestCount(), 0);
    // The second start of the same computer finds its row: no second insert.
    EXPECT_EQ(Start("O'Brien-PC"), TOutcome::Counted);
    EXPECT_EQ(Rows("Stwh"), 1);
    EXPECT_EQ(ICount("O''Brien-PC"), 1);
}

TEST_F(DatabaseStartRecordTest, NoComputerNameRunsNothing) {
    TStartRecord record(*FQuery, *FHttp, ProgramDir(), "http://127.0.0.1:1");
    EXPECT_EQ(record.Run(std::nullopt), TOutcome::NoComputerName);
    EXPECT_EQ(Rows("Stwh"), 0);
}

TEST_F(DatabaseStartRecordTest, ImportsFromRCountUntilTheFirstMissingFile) {
    AddRow("PC1", 3, 7);
    Serve("Lib/2.txt", GameList("old", 4)); // below R_count: never asked for
    Serve("Lib/3.txt", GameList("three", 3));
    Serve("Lib/4.txt", GameList("four", 2));
    Serve("Lib/6.txt", GameList("six", 2)); // after the gap: never reached
    Serve("Lib/tj.txt", GameList("t", 2, 1));
    EXPECT_EQ(Start(), TOutcome::Counted);
    EXPECT_EQ(RCount("PC1"), 5);
    EXPECT_EQ(ICount("PC1"), 8);
    EXPECT_EQ(Rows("RT"), 5);
    EXPECT_EQ(Rows("ListTR"), 2);
    EXPECT_EQ(Server().Requests("/Lib/2.txt"), 0);
    EXPECT_EQ(Server().Requests("/Lib/5.txt"), 1);
    EXPECT_EQ(Server().Requests("/Lib/6.txt"), 0);
    EXPECT_EQ(Column("select R_Name from RT where rowid=4"), "four0");
    // Local copies do not outlive their import.
    EXPECT_FALSE(fs::exists(FProgram / "3.txt"));
    EXPECT_FALSE(fs::exists(FProgram / "tj.txt"));
}

TEST_F(DatabaseStartRecordTest, PastTheLastListNoGameListIsRequested) {
    AddRow("PC1", 101);
    Serve("Lib/100.txt", GameList("x", 1));
    Serve("Lib/tj.txt", GameList("t", 1, 1));
    EXPECT_EQ(Start(), TOutcome::Counted);
    EXPECT_EQ(Server().Requests("/Lib/100.txt"), 0);
    EXPECT_EQ(Server().Requests("/Lib/101.txt"), 0);
    EXPECT_EQ(Server().Requests("/Lib/tj.txt"), 1);
    EXPECT_EQ(RCount("PC1"), 101);
}

TEST_F(DatabaseStartRecordTest, ListHundredIsTheLastOneAskedFor) {
    AddRow("PC1", 100);
    Serve("Lib/100.txt", GameList("x", 1));
    Serve("Lib/101.txt", GameList("y", 1));
    Serve("Lib/tj.txt", "");
    EXPECT_EQ(Start(), TOutcome::Counted);
    EXPECT_EQ(RCount("PC1"), 101);
    EXPECT_EQ(Server().Requests("/Lib/101.txt"), 0);
}

TEST_F(DatabaseStartRecordTest, GapEndsTheListAndMissingKeysCarryOver) {
    AddRow("PC1", 0);
    Serve("Lib/0.txt",
          "[0]\r\nmc=A\r\nlx=Cards\r\nurl=http://a/\r\n"
          "[1]\r\nmc=B\r\nurl=http://b/\r\n" // no class: carried from 0
          "[2]\r\nlx=\r\nurl=http://c/\r\n"  // empty class counts as missing
          "[4]\r\nmc=never\r\nlx=x\r\nurl=http://d/\r\n");
    Serve("Lib/tj.txt", "");
    Start();
    EXPECT_EQ(Rows("RT"), 3);
    EXPECT_EQ(Column("select R_Class from RT where R_Name='B'"), "Cards");
    EXPECT_EQ(Column("select R_Name||'|'||R_Class from RT where R_URL='http://c/'"), "B|Cards");
    EXPECT_EQ(Scalar("select count(*) from RT where R_Name='never'"), 0);
    EXPECT_EQ(RCount("PC1"), 1);
}

TEST_F(DatabaseStartRecordTest, ListsInTheChineseCodePageAreDecoded) {
    AddRow("PC1", 0);
    // "象棋" and "棋牌" in GB2312.
    Serve("Lib/0.txt", "[0]\r\nmc=\xCF\xF3\xC6\xE5\r\nlx=\xC6\xE5\xC5\xC6\r\nurl=http://q/\r\n");
    Serve("Lib/tj.txt", "[1]\r\nmc=\xE4\xB8\xAD\r\n"); // UTF-8 "中"
    Start();
    EXPECT_EQ(Column("select R_Name from RT"), "象棋");
    EXPECT_EQ(Column("select R_Class from RT"), "棋牌");
    EXPECT_EQ(Column("select R_Name from ListTR"), "中");
}

TEST_F(DatabaseStartRecordTest, LongValuesAreCutTo2047Characters) {
    AddRow("PC1", 0);
    Serve("Lib/0.txt", "[0]\r\nmc=" + std::string(5000, 'n') + "\r\n");
    Serve("Lib/tj.txt", "");
    Start();
    EXPECT_EQ(Scalar("select length(R_Name) from RT"), 2047);
}

TEST_F(DatabaseStartRecordTest, SecondListReplacesItsTableOnlyWhenDownloaded) {
    AddRow("PC1", 0, 2);
    Sql("insert into ListTR values('old','c','u')");
    Serve("Lib/tj.txt", GameList("t", 3, 1));
    EXPECT_EQ(Start(), TOutcome::Counted);
    EXPECT_EQ(Rows("ListTR"), 3);
    EXPECT_EQ(Scalar("select count(*) from ListTR where R_Name='old'"), 0);
    // Section 0 of a second list is not read.
    EXPECT_EQ(Scalar("select count(*) from ListTR where R_Name='t0'"), 1);

    fs::remove(FRoot / "Lib/tj.txt");
    EXPECT_EQ(Start(), TOutcome::SecondListFailed);
    EXPECT_EQ(Rows("ListTR"), 3);
    EXPECT_EQ(ICount("PC1"), 3);
}

TEST_F(DatabaseStartRecordTest, NoConnectionChangesNothing) {
    AddRow("PC1", 2, 5);
    Sql("insert into ListTR values('keep','c','u')");
    // A port that was just free: nothing listens there.
    int port = Server().Port();
    Server().Stop();
    TStartRecord record(*FQuery, *FHttp, ProgramDir(), "http://127.0.0.1:" + std::to_string(port));
    EXPECT_EQ(record.Run("PC1"), TOutcome::SecondListFailed);
    EXPECT_EQ(RCount("PC1"), 2);
    EXPECT_EQ(ICount("PC1"), 5);
    EXPECT_EQ(Rows("RT"), 0);
    EXPECT_EQ(Rows("ListTR"), 1);
    EXPECT_EQ(FHost.MessageBoxes().size(), 0u);
}

// Broken replies end the import without a row from the broken file, and
// the counts stay in step with the rows.
TEST_F(DatabaseStartRecordTest, BrokenRepliesImportNothingFromTheBrokenFile) {
    AddRow("PC1", 0);
    Serve("Lib/0.txt", GameList("ok", 2));
    Serve("Lib/tj.txt", "");
    FHttp->SetMaxBytes(64 * 1024);
    FHttp->SetStallTime(std::chrono::milliseconds(1500));
    for (const char* bad : {"/endless", "/stall", "/drop", "/redirect/Lib/0.txt"}) {
        SCOPED_TRACE(bad);
        TStartRecord record(*FQuery, *FHttp, ProgramDir(), Server().BaseURL() + bad);
        EXPECT_EQ(record.Run("PC1"), TOutcome::SecondListFailed);
        EXPECT_EQ(RCount("PC1"), 0);
        EXPECT_EQ(Rows("RT"), 0);
    }
    EXPECT_EQ(Start(), TOutcome::Counted);
    EXPECT_EQ(Rows("RT"), 2);
    EXPECT_EQ(RCount("PC1"), 1);
}

TEST_F(DatabaseStartRecordTest, NonTextListCountsAsAFileWithoutEntries) {
    AddRow("PC1", 0);
    std::string binary;
    for (int i = 0; i < 4096; ++i)
        binary += static_cast<char>((i * 7919) & 0xFF);
    Serve("Lib/0.txt", binary);
    Serve("Lib/1.txt", GameList("b", 1));
    Serve("Lib/tj.txt", "");
    EXPECT_EQ(Start(), TOutcome::Counted);
    EXPECT_EQ(RCount("PC1"), 2);
    EXPECT_EQ(Rows("RT"), 1);
}

TEST_F(DatabaseStartRecordTest, FailedStatementRollsBackTheWholeFile) {
    AddRow("PC1", 0);
    Serve("Lib/0.txt", GameList("a", 5));
    // Every insert after the third row fails inside the engine.
    Sql("create trigger limitRT before insert on RT when (select count(*) from RT) >= 3 "
        "begin select raise(abort, 'full'); end");
    EXPECT_THROW(Start(), EDatabaseError);
    EXPECT_EQ(Rows("RT"), 0);
    EXPECT_EQ(RCount("PC1"), 0);
    EXPECT_FALSE(FConnection->InTransaction());
}

TEST_F(DatabaseStartRecordTest, UnwritableProgramFolderIsAnError) {
    AddRow("PC1", 0);
    Serve("Lib/0.txt", GameList("a", 1));
    TStartRecord record(*FQuery, *FHttp, (FDir / "missing").string() + "/", Server().BaseURL());
    EXPECT_THROW(record.Run("PC1"), EFOpenError);
    EXPECT_EQ(RCount("PC1"), 0);
}

// The window keeps working while a list downloads, and destroying the
// components in the middle ends the download without rows or a crash.
TEST_F(DatabaseStartRecordTest, ClosingDuringADownloadEndsTheSequenceCleanly) {
    AddRow("PC1", 0);
    Serve("Lib/0.txt", GameList("slow", 3));
    bool ran = false;
    FFreeze->SetOnlyWhenIdle(false);
    FApp->Queue([&] {
        ran = true;
        FOwner.reset(); // the window and all it owns go away
    });
    TStartRecord record(*FQuery, *FHttp, ProgramDir(), Server().BaseURL() + "/slow");
    EXPECT_THROW(record.Run("PC1"), EStartRecordAborted);
    EXPECT_TRUE(ran);
    EXPECT_EQ(Rows("RT"), 0);
    EXPECT_EQ(RCount("PC1"), 0);
}

} // namespace
