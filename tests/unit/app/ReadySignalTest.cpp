#include <time.h>

#include <fstream>

#include "AppTestSupport.h"
#include "app/TReadySignal.h"

namespace {

long long MonotonicNow() {
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return static_cast<long long>(now.tv_sec) * 1000000000LL + now.tv_nsec;
}

long long ReadStamp(const std::filesystem::path& file) {
    std::ifstream in(file);
    long long stamp = -1;
    in >> stamp;
    return stamp;
}

} // namespace

class ReadySignalTest : public AppTest {
protected:
    ReadySignalTest() : FReady(FDir / "ready") {}
    ~ReadySignalTest() override { ::unsetenv("XINGFAN_READY_FILE"); }

    // Builds the main window the way the program does: the signal goes in
    // before the first message is handled.
    TFrmMain& StartSignalled() {
        ::setenv("XINGFAN_READY_FILE", FReady.c_str(), 1);
        FForm = new TFrmMain(nullptr);
        TReadySignal::Install(*FForm);
        FApp->SetMainForm(FForm);
        FForm->Show();
        Settle();
        return *FForm;
    }

    std::filesystem::path FReady;
};

TEST_F(ReadySignalTest, StartUpWritesTheMonotonicTimeOnceBothPanesComplete) {
    long long before = MonotonicNow();
    TFrmMain& form = StartSignalled();
    ASSERT_TRUE(std::filesystem::exists(FReady));
    EXPECT_FALSE(std::filesystem::exists(FDir / "ready.tmp"));
    long long stamp = ReadStamp(FReady);
    EXPECT_GE(stamp, before);
    EXPECT_LE(stamp, MonotonicNow());

    // Later documents leave the file alone.
    std::filesystem::remove(FReady);
    form.FrameWebBrowserDefault->WebAction->Navigate("about:blank");
    form.webLeft->Navigate("about:blank");
    Settle();
    EXPECT_FALSE(std::filesystem::exists(FReady));
}

TEST_F(ReadySignalTest, WithoutTheVariableNothingIsWrittenAndTheHandlersStay) {
    ::unsetenv("XINGFAN_READY_FILE");
    FForm = new TFrmMain(nullptr);
    bool hadHandler = static_cast<bool>(FForm->webLeft->OnDocumentComplete);
    TReadySignal::Install(*FForm);
    EXPECT_EQ(static_cast<bool>(FForm->webLeft->OnDocumentComplete), hadHandler);
    FApp->SetMainForm(FForm);
    FForm->Show();
    Settle();
    EXPECT_FALSE(std::filesystem::exists(FReady));
}

TEST_F(ReadySignalTest, WaitsForEveryBrowserAndKeepsTheirOwnHandlers) {
    TFrmMain& form = Start();
    TWebBrowser* tab = TabBrowser(0);
    std::vector<std::string> seen;
    form.webLeft->OnDocumentComplete = [&](TObject*, IBrowserAutomation*, const std::string& url) {
        seen.push_back(url);
    };
    {
        TReadySignal signal(FReady.string());
        signal.Watch(tab);
        signal.Watch(form.webLeft);
    } // the browsers keep what the handlers need

    // One browser completing twice does not stand in for the other.
    tab->Navigate("about:blank");
    Settle();
    tab->Navigate("about:blank");
    Settle();
    EXPECT_FALSE(std::filesystem::exists(FReady));

    form.webLeft->Navigate("about:blank");
    Settle();
    EXPECT_TRUE(std::filesystem::exists(FReady));
    EXPECT_EQ(seen, std::vector<std::string>{"about:blank"});
}

TEST_F(ReadySignalTest, AnUnwritableFileIsReportedNotFatal) {
    std::string missing = (FDir / "no-such-dir" / "ready").string();
    EXPECT_FALSE(TReadySignal::WriteReadyFile(missing));
    EXPECT_FALSE(std::filesystem::exists(FDir / "no-such-dir"));

    TFrmMain& form = Start();
    TReadySignal signal(missing);
    signal.Watch(form.webLeft);
    form.webLeft->Navigate("about:blank");
    Settle();
    EXPECT_TRUE(signal.Written()); // tried once, never again
    EXPECT_EQ(form.PclParent->PageCount(), 1);
}
