// Quitting in the middle of the start-up downloads, and the window's
// messages while a large list is imported: a real local server, a real
// database file, the start record as the window runs it.
#include "UpdateTestSupport.h"
#include "services/TStartRecord.h"

namespace {

class StartRecordQuitTest : public UpdateTest {
protected:
    std::string LocalCopy(int n) const {
        return (FProgram / (std::to_string(n) + ".txt")).string();
    }

    // True while another connection holds the database's write lock: the
    // import's transaction is open.
    bool ImportTransactionOpen() {
        if (!FProbe)
            FProbe = std::make_unique<platform::TSqliteDatabase>((FProgram / "ocn.js").string(), 0);
        try {
            FProbe->Execute("begin immediate");
        } catch (const platform::DatabaseError&) {
            return true;
        }
        FProbe->Execute("rollback");
        return false;
    }

    TStartRecord Record(const std::string& base) {
        return TStartRecord(*FQuery, *FHttp, ProgramDir(), Server().BaseURL() + base);
    }

    std::unique_ptr<platform::TSqliteDatabase> FProbe;
};

// A quit while a reply stalls or drips ends the transfer at once and runs
// nothing after it: no further list is asked for and nothing is counted.
TEST_F(StartRecordQuitTest, QuitEndsAStalledOrDrippingTransferAndTheSequence) {
    AddRow("PC1", 0, 4);
    Serve("Lib/0.txt", GameList("g", 1));
    Serve("Lib/tj.txt", GameList("t", 1, 1));
    FHttp->SetStallTime(std::chrono::seconds(5));
    FFreeze->SetOnlyWhenIdle(false);
    for (const char* base : {"/stall", "/slow"}) {
        SCOPED_TRACE(base);
        bool quitting = false;
        FHost.OnPump = [&] {
            if (!quitting && Server().Requests(std::string(base) + "/Lib/0.txt") > 0) {
                quitting = true;
                FApp->Terminate();
            }
        };
        EXPECT_THROW(Record(base).Run("PC1"), EStartRecordAborted);
        EXPECT_TRUE(quitting);
        EXPECT_EQ(Server().Requests(std::string(base) + "/Lib/tj.txt"), 0);
        EXPECT_EQ(RCount("PC1"), 0);
        EXPECT_EQ(ICount("PC1"), 4);
        EXPECT_EQ(Rows("RT"), 0);
        EXPECT_FALSE(fs::exists(LocalCopy(0)));
        // The next case quits again on an application of its own.
        FHost.OnPump = nullptr;
        FApp = std::make_unique<TApplication>(&FHost);
    }
}

// A quit while a list is being written to the database rolls the file back
// whole: no row of it and no step of R_count, and the database is free again.
TEST_F(StartRecordQuitTest, QuitDuringAnImportRollsItBack) {
    AddRow("PC1", 0);
    Serve("Lib/0.txt", GameList("big", 60000));
    bool quitting = false;
    FHost.OnPump = [&] {
        if (!quitting && ImportTransactionOpen()) {
            quitting = true;
            FApp->Terminate();
        }
    };
    EXPECT_THROW(Record("").Run("PC1"), EStartRecordAborted);
    EXPECT_TRUE(quitting) << "the window never ran while the import's transaction was open";
    EXPECT_EQ(Rows("RT"), 0);
    EXPECT_EQ(RCount("PC1"), 0);
    EXPECT_FALSE(ImportTransactionOpen());
    EXPECT_FALSE(fs::exists(LocalCopy(0)));
}

// The window goes on handling messages while a list is parsed and imported,
// for a list of many sections as for one with a 30 MB line; the rows and
// counts are those of an import on the window's own thread.
TEST_F(StartRecordQuitTest, WindowRunsWhileLargeListsAreParsedAndImported) {
    AddRow("PC1", 0);
    Serve("Lib/0.txt", GameList("many", 30000));
    Serve("Lib/1.txt", "[0]\r\nmc=" + std::string(30 << 20, 'x') + "\r\nlx=c\r\nurl=http://u/\r\n");
    Serve("Lib/tj.txt", GameList("t", 3, 1));
    int pumps[2] = {0, 0};
    FHost.OnPump = [&] {
        for (int n = 0; n < 2; ++n)
            if (fs::exists(LocalCopy(n))) ++pumps[n];
    };
    EXPECT_EQ(Record("").Run("PC1"), TStartRecord::TOutcome::Counted);
    EXPECT_GT(pumps[0], 0) << "the window stood still while the many sections were imported";
    EXPECT_GT(pumps[1], 0) << "the window stood still while the long line was parsed";
    EXPECT_EQ(Rows("RT"), 30001);
    EXPECT_EQ(Scalar("select length(R_Name) from RT where R_URL='http://u/'"), 2047);
    EXPECT_EQ(RCount("PC1"), 2);
    EXPECT_EQ(ICount("PC1"), 1);
    EXPECT_EQ(Rows("ListTR"), 3);
}

} // namespace
