// HTTP requests against the local server, the timer-driven update check and
// the update module.
#include <cstdlib>

#include "UpdateTestSupport.h"
#include "gui/TTimer.h"
#include "platform/ConnectionCheck.h"
#include "platform/TUpdateModule.h"
#include "services/TUpdateCheck.h"

namespace {

using TOutcome = TUpdateCheck::TOutcome;

class UpdateCheckTest : public UpdateTest {
protected:
    UpdateCheckTest() {
        FTimer = new TTimer(FOwner.get());
        FTimer->SetInterval(TUpdateCheck::TimerInterval);
        FTimer->SetEnabled(true);
    }
    TUpdateConfig Config(const std::string& base, const std::string& test) {
        TUpdateConfig config;
        config.BaseURL = base;
        config.TestURL = test;
        return config;
    }
    TOutcome Check(const TUpdateConfig& config) {
        TUpdateCheck check(config, [this](int reason) { FCalls.push_back(reason); });
        check.SetConnectLimit(std::chrono::milliseconds(1500));
        return check.Run(*FTimer);
    }
    std::string DeadURL() {
        int port = Server().Port();
        Server().Stop();
        return "http://127.0.0.1:" + std::to_string(port);
    }

    TTimer* FTimer = nullptr;
    std::vector<int> FCalls;
};

TEST_F(UpdateCheckTest, RequestsCarryTheFixedHeadersAndKeepCookies) {
    Serve("a.txt", "body");
    EXPECT_EQ(FHttp->Get(Server().BaseURL() + "/a.txt"), "body");
    FHttp->Get(Server().BaseURL() + "/cookie");
    FHttp->Get(Server().BaseURL() + "/a.txt");
    std::string log = Server().Log();
    EXPECT_NE(log.find("GET /a.txt Mozilla/3.0 (compatible; Indy Library) | text/html, */* | None"),
              std::string::npos)
        << log;
    EXPECT_NE(
        log.find(
            "GET /a.txt Mozilla/3.0 (compatible; Indy Library) | text/html, */* | session=xf42"),
        std::string::npos)
        << log;
    // Another client has cookies of its own.
    THttpClient other(nullptr);
    other.Get(Server().BaseURL() + "/a.txt");
    EXPECT_EQ(Server().Requests("/a.txt"), 3);
    std::string last = Server().Log();
    last = last.substr(last.rfind("GET /a.txt"));
    EXPECT_NE(last.find("| None"), std::string::npos) << last;
}

TEST_F(UpdateCheckTest, ErrorStatusRedirectAndLimitsAreFailures) {
    Serve("big.txt", std::string(5000, 'x'));
    EXPECT_THROW(FHttp->Get(Server().BaseURL() + "/missing.txt"), EHttpError);
    EXPECT_THROW(FHttp->Get(Server().BaseURL() + "/redirect/big.txt"), EHttpError);
    FHttp->SetMaxBytes(4096);
    EXPECT_THROW(FHttp->Get(Server().BaseURL() + "/big.txt"), EHttpError);
    EXPECT_THROW(FHttp->Get(Server().BaseURL() + "/endless"), EHttpError);
    FHttp->SetStallTime(std::chrono::milliseconds(800));
    auto begin = std::chrono::steady_clock::now();
    EXPECT_THROW(FHttp->Get(Server().BaseURL() + "/stall"), EHttpError);
    EXPECT_LT(std::chrono::steady_clock::now() - begin, std::chrono::seconds(5));
    // The client still works after each failure.
    FHttp->SetMaxBytes(64u << 20);
    EXPECT_EQ(FHttp->Get(Server().BaseURL() + "/big.txt").size(), 5000u);
}

TEST_F(UpdateCheckTest, WindowKeepsWorkingDuringASlowRequest) {
    Serve("s.txt", "12345");
    int ran = 0;
    FApp->Queue([&] { ++ran; });
    FFreeze->SetOnlyWhenIdle(false);
    EXPECT_EQ(FHttp->Get(Server().BaseURL() + "/slow/s.txt"), "12345");
    EXPECT_EQ(ran, 1);
    EXPECT_GT(FFreeze->ProcessCount(), 0);
}

TEST_F(UpdateCheckTest, UpdateFileOnTheServerCallsTheModuleWithTwoOnce) {
    Serve("Orbisurf.exe", "new version");
    EXPECT_EQ(Check(Config(Server().BaseURL(), Server().BaseURL() + "/")), TOutcome::ModuleCalled);
    EXPECT_EQ(FCalls, std::vector<int>{2});
    EXPECT_FALSE(FTimer->Enabled());
    EXPECT_EQ(Server().Requests("/Orbisurf.exe"), 1);
}

TEST_F(UpdateCheckTest, MissingUpdateFileCallsNothing) {
    EXPECT_EQ(Check(Config(Server().BaseURL(), Server().BaseURL() + "/")), TOutcome::NoUpdate);
    EXPECT_TRUE(FCalls.empty());
    EXPECT_FALSE(FTimer->Enabled());
    EXPECT_TRUE(FHost.MessageBoxes().empty());
}

TEST_F(UpdateCheckTest, NoConnectionStopsTheTimerWithoutARequest) {
    Serve("Orbisurf.exe", "new version");
    std::string dead = DeadURL();
    EXPECT_EQ(Check(Config(dead, dead + "/")), TOutcome::NoConnection);
    EXPECT_TRUE(FCalls.empty());
    EXPECT_FALSE(FTimer->Enabled());
    EXPECT_FALSE(
        platform::InternetCheckConnection("not a url at all", std::chrono::milliseconds(300)));
}

TEST_F(UpdateCheckTest, OtherIntervalDoesNothing) {
    FTimer->SetInterval(5000);
    EXPECT_EQ(Check(Config(Server().BaseURL(), Server().BaseURL() + "/")), TOutcome::Skipped);
    EXPECT_TRUE(FTimer->Enabled());
    EXPECT_EQ(Server().Requests("/Orbisurf.exe"), 0);
}

TEST_F(UpdateCheckTest, CheckUsesAConnectionOfItsOwnDuringADownload) {
    Serve("s.txt", "abc");
    Serve("Orbisurf.exe", "x");
    FFreeze->SetOnlyWhenIdle(false);
    TOutcome outcome = TOutcome::Skipped;
    FApp->Queue([&] { outcome = Check(Config(Server().BaseURL(), Server().BaseURL() + "/")); });
    EXPECT_EQ(FHttp->Get(Server().BaseURL() + "/slow/s.txt"), "abc");
    EXPECT_EQ(outcome, TOutcome::ModuleCalled);
}

TEST_F(UpdateCheckTest, ConfigurationComesFromTheIniWithDefaults) {
    WriteAll(FProgram / "xingfan.ini", "[Update]\r\nBaseURL=http://srv:81/\r\n");
    TUpdateConfig config = TUpdateConfig::Load(ProgramDir());
    EXPECT_EQ(config.BaseURL, "http://srv:81");
    EXPECT_EQ(config.TestURL, TUpdateConfig::DefaultTestURL);
    EXPECT_EQ(config.UpdateFileURL(), "http://srv:81/Orbisurf.exe");
    EXPECT_EQ(TUpdateConfig::Load(ProgramDir() + "none/").BaseURL, TUpdateConfig::DefaultBaseURL);
}

TEST_F(UpdateCheckTest, DefaultModuleRecordsWhatItWasAsked) {
    fs::path log = FDir / "module.log";
    ::setenv("XINGFAN_UPMODULE_LOG", log.c_str(), 1);
    {
        platform::TUpdateModule module(std::string(XF_BIN_DIR) + "/UpModule.so");
        module.OnLineUpdateFile(1);
        module.OnLineUpdateFile(2);
    }
    ::unsetenv("XINGFAN_UPMODULE_LOG");
    EXPECT_EQ(ReadAll(log), "OnLineUpdateFile(1)\nOnLineUpdateFile(2)\n");
}

TEST_F(UpdateCheckTest, MissingModuleOrExportIsNamed) {
    try {
        platform::TUpdateModule module(ProgramDir() + "UpModule.so");
        FAIL() << "loaded a module that is not there";
    } catch (const platform::UpdateModuleError& e) {
        EXPECT_NE(std::string(e.what()).find("UpModule.so"), std::string::npos);
    }
    // A library without the export: the database generator's SQLite is one.
    EXPECT_THROW(platform::TUpdateModule("libsqlite3.so.0"), platform::UpdateModuleError);
}

} // namespace
