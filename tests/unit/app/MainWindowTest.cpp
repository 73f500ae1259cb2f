#include <fstream>

#include "AppTestSupport.h"

#include "gui/TLabel.h"
#include "gui/TMenuItem.h"
#include "platform/Registry.h"

using platform::TFakeAction;
using platform::TFakePage;

TEST_F(AppTest, StartsWithOneBlankTabAndTheDirectoryInTheLeftPane) {
    TFrmMain& form = Start();
    EXPECT_EQ(form.Caption(), "星帆IE");
    EXPECT_EQ(form.PclParent->PageCount(), 1);
    EXPECT_EQ(form.PclParent->ActivePage(), form.skTabSheet1);
    EXPECT_EQ(TabBrowser(0)->LocationURL(), "about:blank");
    EXPECT_NE(form.webLeft->LocationURL().find("left.htm"), std::string::npos);
    EXPECT_EQ(form.cmbAddr->Text(), "about:blank");
    EXPECT_TRUE(form.cmbAddr->Items().Items().empty());
    EXPECT_EQ(form.WindowState(), TWindowState::wsMaximized);
    // The skinned frame leaves the work area's bottom row free.
    TRect work = FHost.WorkArea();
    work.Bottom -= 1;
    EXPECT_EQ(form.BoundsRect(), work);
    EXPECT_FALSE(form.CaptionBits());
    EXPECT_FALSE(form.palLeftMainClient->Visible());
}

TEST_F(AppTest, HistoryFillsTheDropDownFromSlot19Down) {
    {
        platform::Registry reg(FRegistry);
        reg.SetRootKey(platform::HKEY_LOCAL_MACHINE);
        reg.OpenKey("Software\\Microsoft\\Windows\\CurrentVersion\\Orbisurf", true);
        reg.WriteString("0", "http://a.example/");
        reg.WriteString("1", "http://b.example/");
    }
    TFrmMain& form = Start();
    EXPECT_EQ(form.cmbAddr->Items().Items(), (std::vector<std::string>{"http://b.example/", "http://a.example/"}));
    platform::Registry reg(FRegistry);
    reg.SetRootKey(platform::HKEY_LOCAL_MACHINE);
    reg.OpenKey("Software\\Microsoft\\Windows\\CurrentVersion\\Orbisurf", false);
    EXPECT_EQ(reg.ReadString("j"), "0");
    EXPECT_EQ(reg.ReadString("int"), "0");
}

// A settings file cut short inside its last value: the history before it
// stays, and the user is told once the window is up, in Chinese.
TEST_F(AppTest, CutSettingsFileKeepsTheHistoryAndSaysSo) {
    {
        platform::Registry reg(FRegistry);
        reg.SetRootKey(platform::HKEY_LOCAL_MACHINE);
        reg.OpenKey("Software\\Microsoft\\Windows\\CurrentVersion\\Orbisurf", true);
        reg.WriteString("0", "http://a.example/");
        reg.WriteString("1", "http://b.example/");
    }
    std::string text;
    {
        std::ifstream in(FRegistry, std::ios::binary);
        text.assign(std::istreambuf_iterator<char>(in), {});
    }
    std::ofstream(FRegistry, std::ios::binary | std::ios::trunc)
        << text.substr(0, text.find("http://b.") + 4);
    TFrmMain& form = Start();
    EXPECT_EQ(form.cmbAddr->Items().Items(), (std::vector<std::string>{"http://a.example/"}));
    ASSERT_EQ(FHost.MessageBoxes().size(), 1u);
    EXPECT_EQ(FHost.MessageBoxes()[0].Caption, "系统提示");
    EXPECT_EQ(FHost.MessageBoxes()[0].Text.rfind(
                  "设置文件“" + FRegistry + "”已损坏，能读出的设置都已保留", 0),
              0u)
        << FHost.MessageBoxes()[0].Text;
}

TEST_F(AppTest, NewTabsAreAppendedActiveAndTakeTheirTitles) {
    FEngines->AddPage("http://game.example/long", TFakePage{"一二三四五六七八九十十一", {}, "text/html", {}, {}});
    TFrmMain& form = Start();
    form.OpenTab("about:blank");
    form.OpenTab("about:blank");
    form.OpenTab("http://game.example/long");
    Settle();
    ASSERT_EQ(form.PclParent->PageCount(), 4);
    EXPECT_EQ(form.PclParent->ActivePageIndex(), 3);
    EXPECT_EQ(form.PclParent->PageAt(1)->Caption(), "about:blank");
    EXPECT_EQ(form.PclParent->PageAt(3)->Caption(), "一二三四五六七八九十...");
    EXPECT_EQ(TabBrowser(3)->Tag(), static_cast<intptr_t>(form.PclParent->PageAt(3)->Handle()));
}

TEST_F(AppTest, TabCaptionsCountUtf16UnitsAndKeepAboutBlank) {
    EXPECT_EQ(TDownloadIEInterface::TabCaption("0123456789"), "0123456789");
    EXPECT_EQ(TDownloadIEInterface::TabCaption("0123456789A"), "0123456789...");
    EXPECT_EQ(TDownloadIEInterface::TabCaption("about:blank"), "about:blank");
    EXPECT_EQ(TDownloadIEInterface::TabCaption("游戏游戏游戏游戏游戏"), "游戏游戏游戏游戏游戏");
    // A character outside the basic plane is two units and is never cut in half.
    EXPECT_EQ(TDownloadIEInterface::TabCaption("123456789😀x"), "123456789...");
}

TEST_F(AppTest, ClosingTheFirstTabResetsItAndClosingTabKActivatesKMinus1) {
    FEngines->AddPage("http://site.example/", TFakePage{"Site", {}, "text/html", {}, {}});
    TFrmMain& form = Start();
    TabBrowser(0)->Navigate("http://site.example/");
    Settle();
    form.N1Click(nullptr);
    Settle();
    EXPECT_EQ(form.PclParent->PageCount(), 1);
    EXPECT_EQ(TabBrowser(0)->LocationURL(), "about:blank");

    form.OpenTab("about:blank");
    form.OpenTab("about:blank");
    form.OpenTab("about:blank");
    form.PclParent->SetActivePage(form.PclParent->PageAt(2));
    form.N1Click(nullptr);
    Settle();
    EXPECT_EQ(form.PclParent->PageCount(), 3);
    EXPECT_EQ(form.PclParent->ActivePageIndex(), 1);
    EXPECT_EQ(form.DownloadIE->Frames().size(), 2u);
}

TEST_F(AppTest, CloseAllPagesLeavesOnlyTheFirstTabWhereverTheActiveOneWas) {
    TFrmMain& form = Start();
    for (int i = 0; i < 4; ++i) form.OpenTab("about:blank");
    form.PclParent->SetActivePage(form.PclParent->PageAt(2));
    form.N2Click(nullptr);
    Settle();
    EXPECT_EQ(form.PclParent->PageCount(), 1);
    EXPECT_EQ(form.PclParent->ActivePageIndex(), 0);
    EXPECT_TRUE(form.DownloadIE->Frames().empty());
    EXPECT_EQ(TabBrowser(0)->LocationURL(), "about:blank");
}

TEST_F(AppTest, APageClosingItselfClosesItsOwnTabButNeverTheFirst) {
    FEngines->AddPage("http://closer.example/",
                      TFakePage{"Closer", {}, "text/html", {}, {TFakeAction{TFakeAction::TKind::CloseWindow, ""}}});
    TFrmMain& form = Start();
    TabBrowser(0)->Navigate("http://closer.example/");
    Settle();
    EXPECT_EQ(form.PclParent->PageCount(), 1);

    // The page of tab 1 closes itself while tab 2 is active: its own tab
    // goes, the page the user is looking at stays.
    form.OpenTab("http://closer.example/");
    form.OpenTab("about:blank");
    Settle();
    ASSERT_EQ(form.PclParent->PageCount(), 2);
    EXPECT_EQ(TabBrowser(1)->LocationURL(), "about:blank");
}

TEST_F(AppTest, ANewWindowRequestOpensANewActiveTab) {
    // A page of the portal's own (beside its home page's host) opens
    // windows on load without a click.
    FEngines->AddPage("http://opener.xingfan.example/",
                      TFakePage{"Opener", {}, "text/html", {},
                                {TFakeAction{TFakeAction::TKind::OpenWindow, "http://popup.example/"}}});
    FEngines->AddPage("http://popup.example/", TFakePage{"Popup", {}, "text/html", {}, {}});
    TFrmMain& form = Start();
    TabBrowser(0)->Navigate("http://opener.xingfan.example/");
    Settle();
    ASSERT_EQ(form.PclParent->PageCount(), 2);
    EXPECT_EQ(form.PclParent->ActivePageIndex(), 1);
    EXPECT_EQ(TabBrowser(1)->LocationURL(), "http://popup.example/");
    EXPECT_EQ(form.PclParent->PageAt(1)->Caption(), "Popup");
}

TEST_F(AppTest, StatusTextAndNavigationsReachTheStatusLineAndTheAddressBox) {
    FEngines->AddPage("http://page.example/", TFakePage{"Page", {}, "text/html", {}, {}});
    TFrmMain& form = Start();
    TabBrowser(0)->Navigate("http://page.example/");
    Settle();
    EXPECT_EQ(form.cmbAddr->Text(), "http://page.example/");
    EngineOf(TabBrowser(0)).HoverLink("http://link.example/");
    Settle();
    EXPECT_EQ(form.labText->Caption(), "http://link.example/");
    // Local files stay out of the address box.
    TabBrowser(0)->Navigate("file:///tmp/x.htm");
    Settle();
    EXPECT_EQ(form.cmbAddr->Text(), "http://page.example/");
}

TEST_F(AppTest, TheCloseQuestionAnsweredNoKeepsEverythingAndYesEnds) {
    TFrmMain& form = Start();
    form.OpenTab("about:blank");
    Settle();
    FHost.QueueMessageBoxAnswer(IDNO);
    FHost.CloseRequest(form.HostWindow());
    Settle();
    ASSERT_FALSE(FHost.MessageBoxes().empty());
    EXPECT_EQ(FHost.MessageBoxes().back().Text, "您确定退出整个星帆吗！");
    EXPECT_EQ(FHost.MessageBoxes().back().Caption, "确认退出");
    EXPECT_EQ(FHost.MessageBoxes().back().Flags, MB_YESNO | MB_ICONQUESTION);
    EXPECT_FALSE(FApp->Terminated());
    EXPECT_EQ(form.PclParent->PageCount(), 2);
    FHost.QueueMessageBoxAnswer(IDYES);
    FHost.CloseRequest(form.HostWindow());
    Settle();
    EXPECT_TRUE(FApp->Terminated());
}

TEST_F(AppTest, DirectoryLinksOpenTabsInsteadOfNavigatingThePane) {
    TFrmMain& form = Start();
    std::string before = form.webLeft->LocationURL();
    EngineOf(form.webLeft).ClickLink("http://www.xingfan.example/list.htm?R_Class=3");
    Settle();
    EXPECT_EQ(form.webLeft->LocationURL(), before);
    ASSERT_EQ(form.PclParent->PageCount(), 2);
    EXPECT_EQ(TabBrowser(1)->LocationURL(), "http://www.xingfan.example/list.htm?R_Class=3");

    EngineOf(form.webLeft).ClickLink("http://x.example/go.htm?R_Left='http://game.example/a.htm'");
    Settle();
    ASSERT_EQ(form.PclParent->PageCount(), 3);
    EXPECT_EQ(TabBrowser(2)->LocationURL(), "http://game.example/a.htm");

    // Both kinds in one address: two tabs, the class link's first.
    EngineOf(form.webLeft).ClickLink("http://x.example/?R_Class=1&R_Left=http://game.example/b.htm");
    Settle();
    ASSERT_EQ(form.PclParent->PageCount(), 5);
    EXPECT_EQ(TabBrowser(3)->LocationURL(), "http://x.example/?R_Class=1&R_Left=http://game.example/b.htm");
    EXPECT_EQ(form.webLeft->LocationURL(), before);
}

TEST_F(AppTest, ADirectLinkTargetIsCutTo100Characters) {
    TFrmMain& form = Start();
    std::string target = "http://game.example/" + std::string(100, 'g');
    EngineOf(form.webLeft).ClickLink("go.htm?R_Left='" + target + "'");
    Settle();
    ASSERT_EQ(form.PclParent->PageCount(), 2);
    // The quote before the address counts towards the 100 characters.
    EXPECT_EQ(form.PendingURL, target.substr(0, 99));
}

// The real engine reports the directory's quotes percent-encoded.
TEST_F(AppTest, EncodedQuotesOfADirectLinkAreQuotesToo) {
    TFrmMain& form = Start();
    EngineOf(form.webLeft).ClickLink("file:///opt/xf/go.htm?R_Left=%27http://game.example/xiangqi.htm%27");
    Settle();
    ASSERT_EQ(form.PclParent->PageCount(), 2);
    EXPECT_EQ(TabBrowser(1)->LocationURL(), "http://game.example/xiangqi.htm");

    // An encoded quote counts as the one character it stands for.
    std::string target = "http://game.example/" + std::string(100, 'g');
    EngineOf(form.webLeft).ClickLink("go.htm?R_Left=%27" + target + "%27");
    Settle();
    EXPECT_EQ(form.PendingURL, target.substr(0, 99));
    // Other escapes stay as the engine wrote them.
    EngineOf(form.webLeft).ClickLink("go.htm?R_Left=http://game.example/%E8%B1%A1.htm%2527");
    Settle();
    EXPECT_EQ(form.PendingURL, "http://game.example/%E8%B1%A1.htm%2527");
}
