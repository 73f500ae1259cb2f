// A process killed in the middle of an import leaves every file either
// imported whole with its count or not at all; a clean restart then imports
// each remaining file exactly once.
#include <csignal>

#include "UpdateTestSupport.h"
#include "services/TStartRecord.h"

namespace {

constexpr int Files = 30;
constexpr int Entries = 1000;

class DatabaseCrashTest : public UpdateTest {
protected:
    void SetUp() override {
        AddRow("PC1", 0);
        for (int n = 0; n < Files; ++n)
            Serve("Lib/" + std::to_string(n) + ".txt",
                  GameList("f" + std::to_string(n) + "-", Entries));
        Serve("Lib/tj.txt", GameList("t", 5, 1));
        Server();
    }

    void ExpectRowsMatchCount() {
        int64_t files = RCount("PC1");
        EXPECT_EQ(Rows("RT"), files * Entries);
        EXPECT_EQ(Scalar("select count(distinct R_Name) from RT"), Rows("RT"));
    }
};

TEST_F(DatabaseCrashTest, KilledImporterLeavesWholeFilesAndRestartImportsEachOnce) {
    int64_t before = 0;
    for (int delayMs : {60, 200, 450}) {
        SCOPED_TRACE(delayMs);
        pid_t child = ForkStartRecord(Server().BaseURL());
        std::this_thread::sleep_for(std::chrono::milliseconds(delayMs));
        ::kill(child, SIGKILL);
        int status = 0;
        ::waitpid(child, &status, 0);
        ExpectRowsMatchCount();
        EXPECT_GE(RCount("PC1"), before);
        before = RCount("PC1");
    }
    EXPECT_LT(before, Files) << "the importer finished before it could be killed";

    TStartRecord record(*FQuery, *FHttp, ProgramDir(), Server().BaseURL());
    EXPECT_EQ(record.Run("PC1"), TStartRecord::TOutcome::Counted);
    EXPECT_EQ(RCount("PC1"), Files);
    EXPECT_EQ(Rows("RT"), int64_t{Files} * Entries);
    EXPECT_EQ(Scalar("select count(distinct R_Name) from RT"), int64_t{Files} * Entries);
    EXPECT_EQ(ICount("PC1"), 1);
}

} // namespace
