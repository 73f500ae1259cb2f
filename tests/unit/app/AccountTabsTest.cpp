#include "AppTestSupport.h"

#include "gui/Exception.h"
#include "gui/TLabel.h"

using platform::TFakeAction;
using platform::TFakePage;

namespace {

std::vector<int> Accounts(TFrmMain& form) {
    return form.DownloadIE->OpenAccounts();
}

} // namespace

TEST(AccountSlots, TheLowestSlotNoTabUsesIsTakenAndNoneWhenAllNineAre) {
    using D = TDownloadIEInterface;
    EXPECT_EQ(D::FreeAccountSlot({}), 1);
    EXPECT_EQ(D::FreeAccountSlot({0, 0, 0}), 1); // tabs of the common store take no slot
    EXPECT_EQ(D::FreeAccountSlot({1, 2, 3}), 4);
    EXPECT_EQ(D::FreeAccountSlot({3, 1, 0}), 2); // a slot closed in the middle comes back first
    EXPECT_EQ(D::FreeAccountSlot({1, 2, 3, 4, 5, 6, 7, 8, 9}), 0);
    EXPECT_EQ(D::FreeAccountSlot({9, 8, 7, 6, 4, 3, 2, 1, 0, 9}), 5);
}

TEST(AccountSlots, ASlotTabShowsItsNumberBeforeTheTenUnitCaption) {
    using D = TDownloadIEInterface;
    EXPECT_EQ(D::TabCaption("0123456789A", 0), "0123456789...");
    EXPECT_EQ(D::TabCaption("0123456789A", 2), "小号2·0123456789...");
    EXPECT_EQ(D::TabCaption("游戏游戏游戏游戏游戏", 9), "小号9·游戏游戏游戏游戏游戏");
    EXPECT_EQ(D::TabCaption("about:blank", 1), "小号1·about:blank");
    EXPECT_EQ(D::TabCaption("", 3), "小号3·");
}

TEST_F(AppTest, TheMenusOpenSlotTabsWithTheirOwnStoreAndReuseTheLowestClosedSlot) {
    FEngines->AddPage("http://game.example/", TFakePage{"游戏大厅欢迎您再次光临本站", {}, "text/html", {}, {}});
    TFrmMain& form = Start();
    form.RunMenuCommand("mnuAccount");
    form.RunMenuCommand("mnuAccountTab");
    form.OpenTab("about:blank");
    Settle();
    EXPECT_EQ(Accounts(form), (std::vector<int>{1, 2, 0}));
    EXPECT_EQ(EngineOf(TabBrowser(1)).Account(), 1);
    EXPECT_EQ(EngineOf(TabBrowser(2)).Account(), 2);
    EXPECT_EQ(EngineOf(TabBrowser(3)).Account(), 0);
    EXPECT_EQ(form.PclParent->PageAt(1)->Caption(), "小号1·about:blank");
    EXPECT_EQ(form.PclParent->PageAt(3)->Caption(), "about:blank");

    TabBrowser(2)->Navigate("http://game.example/");
    Settle();
    EXPECT_EQ(form.PclParent->PageAt(2)->Caption(), "小号2·游戏大厅欢迎您再次光...");

    form.PclParent->SetActivePageIndex(1);
    form.DownloadIE->ClosePage(1);
    Settle();
    form.RunMenuCommand("mnuAccount");
    Settle();
    EXPECT_EQ(Accounts(form), (std::vector<int>{2, 0, 1}));
}

TEST_F(AppTest, WithNineSlotTabsOpenTheStatusLineSaysSoAndNoTabOpens) {
    TFrmMain& form = Start();
    for (int i = 0; i < 9; ++i) form.RunMenuCommand("mnuAccount");
    Settle();
    ASSERT_EQ(form.PclParent->PageCount(), 10);
    form.RunMenuCommand("mnuAccount");
    Settle();
    EXPECT_EQ(form.PclParent->PageCount(), 10);
    EXPECT_EQ(form.labText->Caption(), "九个小号页都已打开，请先关闭一个小号页再新建。");
}

TEST_F(AppTest, WindowsLinksAndTypedAddressesOfASlotTabStayInItsSlot) {
    FEngines->AddPage("http://opener.xingfan.example/",
                      TFakePage{"Opener", {}, "text/html", {},
                                {TFakeAction{TFakeAction::TKind::OpenWindow, "http://popup.example/"}}});
    FEngines->AddPage("http://popup.example/", TFakePage{"Popup", {}, "text/html", {}, {}});
    TFrmMain& form = Start();
    form.RunMenuCommand("mnuAccount");
    Settle();
    // Typed over the blank slot tab, the address loads there.
    form.cmbAddr->SetText("http://opener.xingfan.example/");
    form.P_writeReg();
    Settle();
    ASSERT_EQ(form.PclParent->PageCount(), 3);
    EXPECT_EQ(TabBrowser(1)->LocationURL(), "http://opener.xingfan.example/");
    EXPECT_EQ(TabBrowser(2)->LocationURL(), "http://popup.example/");
    EXPECT_EQ(TabBrowser(2)->Account(), 1);
    EXPECT_EQ(EngineOf(TabBrowser(2)).Account(), 1);
    EXPECT_EQ(form.PclParent->PageAt(2)->Caption(), "小号1·Popup");

    // A typed address over a slot tab that shows a page opens in the slot.
    form.cmbAddr->SetText("http://typed.example/");
    form.P_writeReg();
    Settle();
    ASSERT_EQ(form.PclParent->PageCount(), 4);
    EXPECT_EQ(TabBrowser(3)->Account(), 1);

    // A middle click on a link of the slot's page.
    TabBrowser(2)->OnOpenInNewTab(TabBrowser(2), "http://behind.example/");
    Settle();
    EXPECT_EQ(Accounts(form), (std::vector<int>{1, 1, 1, 1}));
}

TEST_F(AppTest, ATabInASlotTheFactoryCannotMakeIsRefusedWithoutATab) {
    TFrmMain& form = Start();
    form.PendingURL = "about:blank";
    EXPECT_THROW(form.DownloadIE->NewPage(platform::ACCOUNT_SLOTS + 1), Exception);
    EXPECT_THROW(form.DownloadIE->NewPage(-1), Exception);
    EXPECT_EQ(form.PclParent->PageCount(), 1);
    EXPECT_TRUE(form.DownloadIE->Frames().empty());
}
