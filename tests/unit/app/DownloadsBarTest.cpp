// The downloads bar of the main window with the scripted browser: what it
// writes, which buttons a download's state allows, the skin it follows, and
// the address box given back when a link turns into a download.
#include "AppTestSupport.h"
#include "app/DownloadText.h"
#include "app/TFrameDownloads.h"
#include "gui/TMenuItem.h"
#include "skin/SkinStyle.h"
#include "skin/TskButton.h"
#include "skin/TskFileTheme.h"

using platform::TDownloadInfo;
using platform::TDownloadState;

namespace {

TDownloadInfo Download(int id, TDownloadState state, int64_t received = 0, int64_t total = -1) {
    TDownloadInfo d;
    d.Id = id;
    d.URL = "http://127.0.0.1/f" + std::to_string(id) + ".zip";
    d.Name = "f" + std::to_string(id) + ".zip";
    d.Path = "/tmp/dl/" + d.Name;
    d.State = state;
    d.Received = received;
    d.Total = total;
    return d;
}

TEST(DownloadTextTest, SizesSpeedsAndStatesReadAsTheUserExpects) {
    EXPECT_EQ(FormatBytes(0), "0 B");
    EXPECT_EQ(FormatBytes(1023), "1023 B");
    EXPECT_EQ(FormatBytes(1024), "1.0 KB");
    EXPECT_EQ(FormatBytes(1536), "1.5 KB");
    EXPECT_EQ(FormatBytes(4 * 1024 * 1024), "4.0 MB");
    EXPECT_EQ(FormatBytes(int64_t(5) * 1024 * 1024 * 1024 / 4), "1.25 GB");
    EXPECT_EQ(FormatBytes(-5), "0 B");

    TDownloadInfo d = Download(1, TDownloadState::Running, 1536 * 1024, 4 * 1024 * 1024);
    EXPECT_EQ(DownloadStatusText(d), "37%  1.5 MB / 4.0 MB");
    d.BytesPerSecond = 320 * 1024;
    EXPECT_EQ(DownloadStatusText(d), "37%  1.5 MB / 4.0 MB  320.0 KB/s");
    d.Total = -1; // no length from the server
    EXPECT_EQ(DownloadStatusText(d), "1.5 MB  320.0 KB/s");
    d.Total = 100; // a server that said too little
    EXPECT_EQ(DownloadStatusText(d).substr(0, 5), "100% ");

    d.State = TDownloadState::Finished;
    EXPECT_EQ(DownloadStatusText(d), "已完成  1.5 MB");
    d.State = TDownloadState::Cancelled;
    EXPECT_EQ(DownloadStatusText(d), "已取消");
    d.State = TDownloadState::Failed;
    d.Error = "网络错误，下载中断：Connection reset";
    EXPECT_EQ(DownloadStatusText(d), "下载失败：网络错误，下载中断：Connection reset");
    d.Error.clear();
    EXPECT_EQ(DownloadStatusText(d), "下载失败：未知错误");

    d.Name.clear();
    d.URL = "http://a.example/dir/game.zip?x=1#top";
    EXPECT_EQ(DownloadTitle(d), "game.zip");
    d.URL = "blob:http://a.example/";
    EXPECT_EQ(DownloadTitle(d), "blob:http://a.example/");
}

class DownloadsBarTest : public AppTest {
protected:
    TFrameDownloads* Bar() { return FForm->FrameDownloads; }
    void Report(const TDownloadInfo& d) {
        FEngines->ReportDownload(d);
        Settle();
    }
    TskButton* Button(int id, TFrameDownloads::TRowButton which) { return Bar()->RowButton(id, which); }
};

TEST_F(DownloadsBarTest, ANewDownloadShowsTheBarWithButtonsForItsState) {
    Start();
    ASSERT_TRUE(Bar());
    EXPECT_FALSE(Bar()->Visible());
    ASSERT_TRUE(FEngines->HasDownloadObserver());

    Report(Download(1, TDownloadState::Running, 10, 100));
    EXPECT_TRUE(Bar()->Showing());
    ASSERT_EQ(Bar()->Downloads().size(), 1u);
    ASSERT_TRUE(Button(1, TFrameDownloads::rbCancel));
    EXPECT_TRUE(Button(1, TFrameDownloads::rbCancel)->Enabled());
    EXPECT_FALSE(Button(1, TFrameDownloads::rbOpen)->Enabled());
    EXPECT_TRUE(Button(1, TFrameDownloads::rbFolder)->Enabled());
    // The page area gave the bar its room.
    EXPECT_LE(FForm->PclParent->Top() + FForm->PclParent->Height(), Bar()->Top());

    Button(1, TFrameDownloads::rbCancel)->Click();
    EXPECT_EQ(FEngines->CancelRequests, std::vector<int>{1});

    Report(Download(1, TDownloadState::Finished, 100, 100));
    EXPECT_FALSE(Button(1, TFrameDownloads::rbCancel)->Enabled());
    EXPECT_TRUE(Button(1, TFrameDownloads::rbOpen)->Enabled());
    Button(1, TFrameDownloads::rbCancel)->Click(); // too late: nothing
    EXPECT_EQ(FEngines->CancelRequests, std::vector<int>{1});

    TDownloadInfo failed = Download(2, TDownloadState::Failed);
    failed.Path.clear();
    failed.Error = "无法写入文件：No space left on device";
    Report(failed);
    EXPECT_FALSE(Button(2, TFrameDownloads::rbOpen)->Enabled());
    EXPECT_FALSE(Button(2, TFrameDownloads::rbFolder)->Enabled());
}

TEST_F(DownloadsBarTest, TheLatestDownloadsHaveRowsAndHidingLastsUntilTheNextOne) {
    Start();
    for (int id = 1; id <= 4; ++id)
        Report(Download(id, TDownloadState::Running));
    EXPECT_EQ(Bar()->Downloads().size(), 4u);
    EXPECT_FALSE(Button(1, TFrameDownloads::rbCancel)); // the oldest has no row
    for (int id = 2; id <= 4; ++id)
        EXPECT_TRUE(Button(id, TFrameDownloads::rbCancel)) << id;
    // The newest on top.
    EXPECT_LT(Button(4, TFrameDownloads::rbCancel)->ClientToScreen({0, 0}).Y,
              Button(2, TFrameDownloads::rbCancel)->ClientToScreen({0, 0}).Y);

    Bar()->btnDownloadsClose->Click();
    EXPECT_FALSE(Bar()->Visible());
    Report(Download(3, TDownloadState::Finished, 5, 5)); // progress of a known one
    EXPECT_FALSE(Bar()->Visible());
    Report(Download(5, TDownloadState::Running));
    EXPECT_TRUE(Bar()->Visible());
}

TEST_F(DownloadsBarTest, TheBarFollowsTheChosenSkin) {
    TFrmMain& form = Start();
    Report(Download(1, TDownloadState::Running));
    TskButton* cancel = Button(1, TFrameDownloads::rbCancel);
    ASSERT_TRUE(cancel);
    EXPECT_EQ(GetUIStyleProperty(cancel, TskUIStyle::DeepBlue), TskUIStyle::WinXP);
    dynamic_cast<TMenuItem*>(form.FindComponent("mnuMsn"))->Click();
    Settle();
    EXPECT_EQ(GetUIStyleProperty(cancel, TskUIStyle::DeepBlue), TskUIStyle::FromThemeFile);
    EXPECT_EQ(cancel->FileTheme(), form.fthFileTheme);
    EXPECT_EQ(GetUIStyleProperty(Bar()->btnDownloadsClose, TskUIStyle::DeepBlue), TskUIStyle::FromThemeFile);
    dynamic_cast<TMenuItem*>(form.FindComponent("mnuXP"))->Click();
    Settle();
    EXPECT_EQ(GetUIStyleProperty(cancel, TskUIStyle::DeepBlue), TskUIStyle::WinXP);
}

TEST_F(DownloadsBarTest, ALinkThatDownloadsLeavesTheAddressBoxOnThePage) {
    TFrmMain& form = Start();
    TWebBrowser* tab = TabBrowser(0);
    tab->Navigate("http://a.example/page.htm");
    Settle();
    ASSERT_EQ(form.cmbAddr->Text(), "http://a.example/page.htm");
    EngineOf(tab).ClickDownloadLink("http://a.example/file.zip");
    Settle();
    EXPECT_EQ(form.cmbAddr->Text(), "http://a.example/page.htm");
    EXPECT_EQ(tab->LocationURL(), "http://a.example/page.htm");

}

TEST_F(DownloadsBarTest, NoDownloadReachesAWindowThatIsGone) {
    Start();
    delete FForm;
    FForm = nullptr;
    EXPECT_FALSE(FEngines->HasDownloadObserver());
    FEngines->ReportDownload(Download(1, TDownloadState::Running));
    Settle();
}

} // namespace
