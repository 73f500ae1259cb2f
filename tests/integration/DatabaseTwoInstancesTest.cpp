// Two instances of the program started a moment apart, each running the
// start record in a process of its own against one database file and one
// program folder: every list file is imported once, and R_count ends at
// the first file that does not exist.
#include "UpdateTestSupport.h"
#include "services/TStartRecord.h"

namespace {

constexpr int Files = 4;
constexpr int Entries = 300;

class DatabaseTwoInstancesTest : public UpdateTest {
protected:
    void SetUp() override {
        AddRow("PC1", 0, 10);
        for (int n = 0; n < Files; ++n)
            Serve("Lib/" + std::to_string(n) + ".txt",
                  GameList("f" + std::to_string(n) + "-", Entries));
        Serve("Lib/tj.txt", GameList("t", 5, 1));
    }

    static int ExitStatus(pid_t pid) {
        int status = 0;
        ::waitpid(pid, &status, 0);
        return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
    }
};

TEST_F(DatabaseTwoInstancesTest, EachListIsImportedOnceAndTheCountStopsAtTheLastFile) {
    // Each list takes about 0.6 s to arrive, so the two runs overlap file by
    // file, whichever of them gets ahead.
    for (int lagMs : {300, 900}) {
        SCOPED_TRACE(lagMs);
        Sql("update Stwh set R_count=0, icount=10; delete from RT; delete from ListTR");
        std::string base = Server().BaseURL() + "/pace/600";
        pid_t first = ForkStartRecord(base);
        std::this_thread::sleep_for(std::chrono::milliseconds(lagMs));
        pid_t second = ForkStartRecord(base);
        EXPECT_EQ(ExitStatus(first), 0);
        EXPECT_EQ(ExitStatus(second), 0);
        EXPECT_EQ(RCount("PC1"), Files);
        EXPECT_EQ(Rows("RT"), int64_t{Files} * Entries);
        EXPECT_EQ(Scalar("select count(distinct R_Name) from RT"), Rows("RT"));
        EXPECT_EQ(Rows("ListTR"), 5);
        EXPECT_EQ(ICount("PC1"), 12);
        for (int n = 0; n < Files; ++n)
            EXPECT_FALSE(fs::exists(FProgram / (std::to_string(n) + ".txt")));
    }
}

} // namespace
