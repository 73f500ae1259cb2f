// Windows a page opens on its own and rights it asks for, in the whole
// main window with the scripted browser: what is blocked, what the bar on
// the tab says and does, and what is remembered in the registry file.
#include "AppTestSupport.h"
#include "app/TFrameSiteBar.h"
#include "gui/TLabel.h"
#include "gui/TMenuItem.h"
#include "services/TSitePermissions.h"
#include "skin/SkinStyle.h"
#include "skin/TskButton.h"

using platform::TFakeAction;
using platform::TFakePage;
using platform::TPermissionKind;
using K = TFakeAction::TKind;

namespace {

class SiteBarTest : public AppTest {
protected:
    // A page of `url` that opens `count` windows as it loads.
    void AddStorm(const std::string& url, int count) {
        std::vector<TFakeAction> actions;
        for (int i = 1; i <= count; ++i)
            actions.push_back({K::OpenWindow, "http://pop.example/" + std::to_string(i)});
        FEngines->AddPage(url, TFakePage{"storm", {}, "text/html", {}, actions});
    }
    TFrameSiteBar* Bar(int page = 0) {
        TFrameWebBrowser* frame =
            page == 0 ? FForm->FrameWebBrowserDefault
                      : FForm->DownloadIE->Frames().at(static_cast<size_t>(page - 1));
        return frame->SiteBar();
    }
    const TFrameSiteBar::TQuestion* Question(int page = 0) {
        TFrameSiteBar* bar = Bar(page);
        return bar && bar->Visible() ? bar->Current() : nullptr;
    }
    int Refused(TWebBrowser* browser) {
        int n = 0;
        for (const std::string& c : EngineOf(browser).Commands())
            n += c.rfind("PopupRefused ", 0) == 0;
        return n;
    }
    bool Logged(TWebBrowser* browser, const std::string& command) {
        const auto& c = EngineOf(browser).Commands();
        return std::find(c.begin(), c.end(), command) != c.end();
    }
};

TEST_F(SiteBarTest, AStormOutsideThePortalOpensNothingAndTheNoticeSaysSo) {
    AddStorm("http://storm.example/", 5);
    TFrmMain& form = Start();
    TabBrowser(0)->Navigate("http://storm.example/");
    Settle();
    EXPECT_EQ(form.PclParent->PageCount(), 1);
    EXPECT_EQ(Refused(TabBrowser(0)), 5);
    const TFrameSiteBar::TQuestion* q = Question();
    ASSERT_TRUE(q);
    EXPECT_EQ(q->Right, TSiteRight::Popups);
    EXPECT_EQ(q->Site, "storm.example");
    EXPECT_EQ(q->Blocked, 5);
    EXPECT_EQ(Bar()->QuestionShown(), "已阻止 storm.example 自动弹出的窗口（共 5 个）。");
    EXPECT_EQ(Bar()->btnSiteAllow->Caption(), "允许弹出窗口");
    // The status line keeps the notice after the load ended.
    EXPECT_EQ(form.labText->Caption(), "已阻止网页自动弹出的窗口：http://pop.example/5");
    // The bar sits above the page, which gives it room.
    EXPECT_EQ(Bar()->Top(), 0);
    EXPECT_EQ(TabBrowser(0)->Top(), Bar()->Height());

    // Closing the notice remembers nothing.
    Bar()->btnSiteDeny->Click();
    Settle();
    EXPECT_FALSE(Question());
    EXPECT_EQ(TabBrowser(0)->Top(), 0);
    EXPECT_TRUE(TSitePermissions().Values().empty());
}

TEST_F(SiteBarTest, AllowingTheSiteOpensItsLastWindowAndItsNextOnes) {
    AddStorm("http://storm.example/", 3);
    TFrmMain& form = Start();
    TabBrowser(0)->Navigate("http://storm.example/");
    Settle();
    ASSERT_TRUE(Question());
    Bar()->btnSiteAllow->Click();
    Settle();
    EXPECT_FALSE(Question());
    EXPECT_EQ(TSitePermissions().Read(TSiteRight::Popups, "storm.example"), TSiteAnswer::Allow);
    ASSERT_EQ(form.PclParent->PageCount(), 2);
    EXPECT_EQ(TabBrowser(1)->LocationURL(), "http://pop.example/3");

    form.PclParent->SetActivePageIndex(0);
    TabBrowser(0)->Navigate("http://storm.example/?again");
    AddStorm("http://storm.example/?again", 3);
    Settle();
    EXPECT_EQ(form.PclParent->PageCount(), 5);
    EXPECT_FALSE(Question());
}

TEST_F(SiteBarTest, ClicksLocalPagesAndThePortalOpenWindowsFreely) {
    AddStorm("file:///opt/xingfan/Main.htm", 2);
    AddStorm("http://bbs.xingfan.example/", 2);
    FEngines->AddPage("http://other.example/", TFakePage{"other", {}, "text/html", {}, {}});
    TFrmMain& form = Start();
    TabBrowser(0)->Navigate("file:///opt/xingfan/Main.htm");
    Settle();
    EXPECT_EQ(form.PclParent->PageCount(), 3);
    form.PclParent->SetActivePageIndex(0);
    TabBrowser(0)->Navigate("http://bbs.xingfan.example/");
    Settle();
    EXPECT_EQ(form.PclParent->PageCount(), 5);
    form.PclParent->SetActivePageIndex(0);
    TabBrowser(0)->Navigate("http://other.example/");
    Settle();
    EngineOf(TabBrowser(0)).ClickLinkNewWindow("http://other.example/game");
    Settle();
    EXPECT_EQ(form.PclParent->PageCount(), 6);
    EXPECT_EQ(TabBrowser(5)->LocationURL(), "http://other.example/game");
    EXPECT_FALSE(Bar());
}

TEST_F(SiteBarTest, ARightIsAskedOnTheTabAndTheAnswerRemembered) {
    FEngines->AddPage("http://game.example/", TFakePage{"game", {}, "text/html", {}, {}});
    Start();
    TWebBrowser* tab = TabBrowser(0);
    tab->Navigate("http://game.example/");
    Settle();
    EngineOf(tab).RequestPermission(TPermissionKind::Notifications);
    EngineOf(tab).RequestPermission(TPermissionKind::Notifications); // the same question
    Settle();
    const TFrameSiteBar::TQuestion* q = Question();
    ASSERT_TRUE(q);
    EXPECT_EQ(q->Right, TSiteRight::Notifications);
    EXPECT_EQ(q->Answers.size(), 2u);
    EXPECT_EQ(Bar()->QuestionShown(), "game.example 请求向您显示通知。");
    EXPECT_EQ(Bar()->btnSiteAllow->Caption(), "允许");
    EXPECT_EQ(Bar()->btnSiteDeny->Caption(), "拒绝");
    EXPECT_TRUE(EngineOf(tab).Commands().empty()); // the page waits
    Bar()->btnSiteAllow->Click();
    Settle();
    EXPECT_EQ(std::count(EngineOf(tab).Commands().begin(), EngineOf(tab).Commands().end(),
                         "PermissionGranted Notifications"),
              2);
    EXPECT_EQ(TSitePermissions().Read(TSiteRight::Notifications, "game.example"),
              TSiteAnswer::Allow);

    EngineOf(tab).RequestPermission(TPermissionKind::Geolocation);
    Settle();
    ASSERT_TRUE(Question());
    EXPECT_EQ(Bar()->QuestionShown(), "game.example 请求获取您的位置。");
    Bar()->btnSiteDeny->Click();
    Settle();
    EXPECT_TRUE(Logged(tab, "PermissionDenied Geolocation"));
    EXPECT_EQ(TSitePermissions().Read(TSiteRight::Geolocation, "game.example"), TSiteAnswer::Deny);

    // Both are answered from the registry from now on, without a question.
    EngineOf(tab).RequestPermission(TPermissionKind::Notifications);
    EngineOf(tab).RequestPermission(TPermissionKind::Geolocation);
    Settle();
    EXPECT_FALSE(Question());
    EXPECT_EQ(std::count(EngineOf(tab).Commands().begin(), EngineOf(tab).Commands().end(),
                         "PermissionGranted Notifications"),
              3);
    EXPECT_EQ(std::count(EngineOf(tab).Commands().begin(), EngineOf(tab).Commands().end(),
                         "PermissionDenied Geolocation"),
              2);
}

// Questions wait their turn; a page that goes or a tab that closes refuses
// what it was still waiting for.
TEST_F(SiteBarTest, QuestionsQueueAndGoWithTheirPage) {
    AddStorm("http://storm.example/", 1);
    FEngines->AddPage("http://next.example/", TFakePage{"next", {}, "text/html", {}, {}});
    TFrmMain& form = Start();
    TWebBrowser* tab = TabBrowser(0);
    tab->Navigate("http://storm.example/");
    Settle();
    EngineOf(tab).RequestPermission(TPermissionKind::PointerLock);
    EngineOf(tab).RequestPermission(TPermissionKind::Media);
    Settle();
    ASSERT_TRUE(Question());
    EXPECT_EQ(Question()->Right, TSiteRight::Popups);
    Bar()->btnSiteDeny->Click();
    Settle();
    ASSERT_TRUE(Question());
    EXPECT_EQ(Bar()->QuestionShown(), "storm.example 请求锁定并隐藏鼠标指针。");
    tab->Navigate("http://next.example/");
    Settle();
    EXPECT_FALSE(Question());
    EXPECT_TRUE(Logged(tab, "PermissionDenied PointerLock"));
    EXPECT_TRUE(Logged(tab, "PermissionDenied Media"));
    EXPECT_TRUE(TSitePermissions().Values().empty());

    // A closing tab lets go of the requests it held: the engine refuses
    // them when the last hold goes.
    form.OpenTab("http://next.example/");
    Settle();
    auto held = std::make_shared<int>(0);
    form.DownloadIE->Frames().at(0)->WebActionPermissionRequest(
        TabBrowser(1), TPermissionKind::Media, [held](bool) {});
    Settle();
    ASSERT_TRUE(Question(1));
    EXPECT_EQ(held.use_count(), 2);
    form.N1Click(nullptr); // closes the active tab
    Settle();
    EXPECT_EQ(form.PclParent->PageCount(), 1);
    EXPECT_EQ(held.use_count(), 1);
}

TEST_F(SiteBarTest, TheBarFollowsTheChosenSkin) {
    AddStorm("http://storm.example/", 1);
    TFrmMain& form = Start();
    TabBrowser(0)->Navigate("http://storm.example/");
    Settle();
    ASSERT_TRUE(Question());
    TskButton* allow = Bar()->btnSiteAllow;
    EXPECT_EQ(GetUIStyleProperty(allow, TskUIStyle::DeepBlue), TskUIStyle::WinXP);
    dynamic_cast<TMenuItem*>(form.FindComponent("mnuMsn"))->Click();
    Settle();
    EXPECT_EQ(GetUIStyleProperty(allow, TskUIStyle::DeepBlue), TskUIStyle::FromThemeFile);
    EXPECT_EQ(allow->FileTheme(), form.fthFileTheme);
}

} // namespace
