// The start-up work against a real local server and a real database file:
// the start record on the configured server, the update module told once
// when missing, the parts it needs and the errors it hands on.
#include "UpdateTestSupport.h"
#include "gui/Exception.h"
#include "services/TStartupWork.h"

namespace {

using TOutcome = TStartRecord::TOutcome;

class StartupWorkTest : public UpdateTest {
protected:
    StartupWorkTest() : FWork(ProgramDir(), ProgramDir()) {
        FWork.OnWarning = [this](const std::string& message) { FWarnings.push_back(message); };
        FWork.OnError = [this](const std::exception& e) { FErrors.push_back(e.what()); };
    }
    void Configure() {
        WriteAll(FProgram / "xingfan.ini", "[Update]\r\nBaseURL=" + Server().BaseURL() + "/\r\n");
    }
    void InstallModule() {
        fs::copy_file(fs::path(XF_BIN_DIR) / "UpModule.so", FProgram / "UpModule.so");
    }
    TStartupWork::TParts Parts() { return {FConnection, FQuery, FHttp, FFreeze}; }

    TStartupWork FWork;
    std::vector<std::string> FWarnings, FErrors;
};

TEST_F(StartupWorkTest, TheStartRecordUsesTheConfiguredServerAndTheDataFolder) {
    InstallModule();
    Configure();
    Serve("Lib/0.txt", GameList("a", 3));
    Serve("Lib/tj.txt", GameList("t", 2, 1));
    EXPECT_EQ(FWork.RunStartRecord(Parts(), "PC1"), TOutcome::FirstStart);
    EXPECT_EQ(FWork.RunStartRecord(Parts(), "PC1"), TOutcome::Counted);
    EXPECT_EQ(RCount("PC1"), 1);
    EXPECT_EQ(Rows("RT"), 3);
    EXPECT_EQ(Server().Requests("/Lib/0.txt"), 1);
    EXPECT_EQ(Server().Requests("/Lib/tj.txt"), 1);
    EXPECT_TRUE(FWarnings.empty());
    EXPECT_TRUE(FErrors.empty());
    // The downloads wait for nothing but an idle window.
    EXPECT_FALSE(FFreeze->OnlyWhenIdle());
}

TEST_F(StartupWorkTest, AMissingModuleIsToldOnceAndTheRecordStillRuns) {
    Configure();
    Serve("Lib/tj.txt", GameList("t", 1, 1));
    EXPECT_EQ(FWork.RunStartRecord(Parts(), "PC1"), TOutcome::FirstStart);
    ASSERT_EQ(FWarnings.size(), 1u);
    EXPECT_NE(FWarnings[0].find("UpModule.so"), std::string::npos);
    EXPECT_NE(FWarnings[0].find("在线更新不可用。"), std::string::npos);
    EXPECT_EQ(FWork.RunStartRecord(Parts(), "PC1"), TOutcome::Counted);
    EXPECT_EQ(FWarnings.size(), 1u);
    // The menu's command names the file instead.
    try {
        FWork.UpdateNow();
        FAIL() << "no error";
    } catch (const Exception& e) {
        EXPECT_NE(e.Message().find("UpModule.so"), std::string::npos);
    }
}

TEST_F(StartupWorkTest, WithoutItsPartsNothingRuns) {
    InstallModule();
    Configure();
    TStartupWork::TParts parts = Parts();
    parts.Http = nullptr;
    EXPECT_EQ(FWork.RunStartRecord(parts, "PC1"), std::nullopt);
    parts = Parts();
    parts.Query = nullptr;
    EXPECT_EQ(FWork.RunStartRecord(parts, "PC1"), std::nullopt);
    EXPECT_EQ(Rows("Stwh"), 0);
    // The anti-freeze is the one part it can do without.
    parts = Parts();
    parts.AntiFreeze = nullptr;
    EXPECT_EQ(FWork.RunStartRecord(parts, std::nullopt), TOutcome::NoComputerName);
    EXPECT_TRUE(FErrors.empty());
}

TEST_F(StartupWorkTest, AFailureOfTheRecordGoesToOnError) {
    InstallModule();
    Configure();
    WriteAll(FProgram / "ocn.js", std::string(4096, 'x'));
    EXPECT_EQ(FWork.RunStartRecord(Parts(), "PC1"), std::nullopt);
    ASSERT_EQ(FErrors.size(), 1u);
    EXPECT_FALSE(FErrors[0].empty());
}

TEST_F(StartupWorkTest, TheMenuCommandCallsTheModuleWithOne) {
    InstallModule();
    fs::path log = FDir / "module.log";
    ::setenv("XINGFAN_UPMODULE_LOG", log.c_str(), 1);
    FWork.UpdateNow();
    ::unsetenv("XINGFAN_UPMODULE_LOG");
    EXPECT_EQ(ReadAll(log), "OnLineUpdateFile(1)\n");
}

} // namespace
