#include "AppTestSupport.h"

#include "gui/TSpeedButton.h"
#include "platform/Registry.h"
#include "platform/Text.h"
#include "services/TAddressHistory.h"
#include "skin/TskEdit.h"
#include "skin/TskImagePanel.h"

using platform::TFakePage;

namespace {

std::string Slot(const std::string& file, const std::string& name) {
    platform::Registry reg(file);
    reg.SetRootKey(platform::HKEY_LOCAL_MACHINE);
    reg.OpenKey(TAddressHistory::KeyPath, true);
    return reg.ValueExists(name) ? reg.ReadString(name) : "<absent>";
}

void SetSlot(const std::string& file, const std::string& name, const std::string& value) {
    platform::Registry reg(file);
    reg.SetRootKey(platform::HKEY_LOCAL_MACHINE);
    reg.OpenKey(TAddressHistory::KeyPath, true);
    reg.WriteString(name, value);
}

} // namespace

TEST_F(AppTest, TheFirstAddressGoesIntoTheBlankFirstTabUnrecorded) {
    TFrmMain& form = Start();
    form.OpenTab("about:blank"); // another tab is active
    form.cmbAddr->SetText("http://one.example/");
    form.P_writeReg();
    Settle();
    EXPECT_EQ(TabBrowser(0)->LocationURL(), "http://one.example/");
    EXPECT_EQ(form.PclParent->ActivePageIndex(), 1);
    EXPECT_TRUE(form.cmbAddr->Items().Items().empty());
    EXPECT_EQ(Slot(FRegistry, "0"), "<absent>");
}

TEST_F(AppTest, LaterAddressesUseTheBlankActiveTabOrANewOneAndFillTheHistory) {
    FEngines->AddPage("http://one.example/", TFakePage{"One", {}, "text/html", {}, {}});
    TFrmMain& form = Start();
    TabBrowser(0)->Navigate("http://one.example/");
    Settle();
    SetSlot(FRegistry, "j", "3");
    SetSlot(FRegistry, "0", "a");
    SetSlot(FRegistry, "1", "b");
    SetSlot(FRegistry, "2", "c");
    form.cmbAddr->SetText("http://two.example/");
    form.P_writeReg(); // active tab is the first, captioned "One": a new tab
    Settle();
    EXPECT_EQ(form.PclParent->PageCount(), 2);
    EXPECT_EQ(Slot(FRegistry, "3"), "http://two.example/");
    EXPECT_EQ(Slot(FRegistry, "j"), "4");
    EXPECT_EQ(form.cmbAddr->Items().Items().back(), "http://two.example/");

    // The new tab is blank-captioned only until its page reports a title.
    form.OpenTab("about:blank");
    Settle();
    form.cmbAddr->SetText("HTTP://TWO.EXAMPLE/"); // differs in case only: a new entry
    form.P_writeReg();
    Settle();
    EXPECT_EQ(form.PclParent->PageCount(), 3);
    EXPECT_EQ(platform::AsciiLower(TabBrowser(2)->LocationURL()), "http://two.example/");
    EXPECT_EQ(Slot(FRegistry, "4"), "HTTP://TWO.EXAMPLE/");

    // An address already listed is not recorded again.
    form.cmbAddr->SetText("HTTP://TWO.EXAMPLE/");
    form.P_writeReg();
    EXPECT_EQ(Slot(FRegistry, "j"), "5");
}

TEST_F(AppTest, ShiftModePushesTheHistoryDownAndRefillsTheList) {
    FEngines->AddPage("http://one.example/", TFakePage{"One", {}, "text/html", {}, {}});
    for (int i = 0; i < 20; ++i) SetSlot(FRegistry, std::to_string(i), "old" + std::to_string(i));
    SetSlot(FRegistry, "j", "20");
    TFrmMain& form = Start();
    TabBrowser(0)->Navigate("http://one.example/");
    Settle();
    form.cmbAddr->SetText("new");
    form.P_writeReg();
    EXPECT_EQ(Slot(FRegistry, "0"), "new");
    EXPECT_EQ(Slot(FRegistry, "1"), "old0");
    EXPECT_EQ(Slot(FRegistry, "19"), "old18");
    EXPECT_EQ(Slot(FRegistry, "j"), "20");
    std::vector<std::string> items = form.cmbAddr->Items().Items();
    ASSERT_EQ(items.size(), 20u);
    EXPECT_EQ(items.front(), "old18");
    EXPECT_EQ(items.back(), "new");
}

TEST_F(AppTest, ABadCounterIsReportedAfterTheNavigation) {
    FEngines->AddPage("http://one.example/", TFakePage{"One", {}, "text/html", {}, {}});
    TFrmMain& form = Start();
    TabBrowser(0)->Navigate("http://one.example/");
    Settle();
    SetSlot(FRegistry, "j", "many");
    form.cmbAddr->SetText("http://two.example/");
    EXPECT_THROW(form.P_writeReg(), Exception);
    EXPECT_EQ(form.PclParent->PageCount(), 2); // the navigation happened
    EXPECT_EQ(Slot(FRegistry, "0"), "<absent>");
}

TEST_F(AppTest, ClearingTheHistoryEmptiesSlotsAndTheBoxButKeepsTheCounter) {
    SetSlot(FRegistry, "0", "a");
    SetSlot(FRegistry, "j", "7");
    TFrmMain& form = Start();
    form.ClickButton(form.btnClear);
    EXPECT_EQ(Slot(FRegistry, "0"), "");
    EXPECT_EQ(Slot(FRegistry, "19"), "");
    EXPECT_EQ(Slot(FRegistry, "j"), "7");
    EXPECT_TRUE(form.cmbAddr->Items().Items().empty());
    EXPECT_EQ(form.cmbAddr->Text(), "");
    ASSERT_FALSE(FHost.MessageBoxes().empty());
    EXPECT_EQ(FHost.MessageBoxes().back().Text, "清除完毕!");
    EXPECT_EQ(FHost.MessageBoxes().back().Caption, "系统提示");
}

TEST_F(AppTest, ButtonsOpenCloseAndToggleThePanes) {
    TFrmMain& form = Start();
    form.ClickButton(form.btnNewPage);
    form.ClickButton(form.btnNewPage);
    form.ClickButton(form.btnNewPage);
    Settle();
    EXPECT_EQ(form.PclParent->PageCount(), 4);
    EXPECT_EQ(form.PclParent->ActivePageIndex(), 3);
    form.ClickButton(form.btnClosePage);
    EXPECT_EQ(form.PclParent->ActivePageIndex(), 2);

    form.palLeft->Hide();
    form.ClickButton(form.btnFavorites); // shows the pane and opens the area in one click
    EXPECT_TRUE(form.palLeft->Visible());
    EXPECT_TRUE(form.palLeftMainClient->Visible());
    EXPECT_LT(form.palLeftMainClient->Top(), form.palLeftBottom->Top());
    form.ClickButton(form.btnFavorites);
    EXPECT_FALSE(form.palLeftMainClient->Visible());

    form.ClickButton(form.btnWeb);
    EXPECT_FALSE(form.palLeft->Visible());
    form.ClickButton(form.btnWeb);
    EXPECT_TRUE(form.palLeft->Visible());
}

TEST_F(AppTest, SearchOpensTheSearchPageWithTheTextAsTyped) {
    TFrmMain& form = Start();
    form.ClickButton(form.btnFind); // the hint itself is searched
    Settle();
    ASSERT_EQ(form.PclParent->PageCount(), 2);
    EXPECT_EQ(form.PendingURL, AppPath + "Main.htm?Find=在这里输入游戏名称");
    form.edtFindNameClick(nullptr);
    EXPECT_EQ(form.edtFindName->Text(), "");
    form.ClickButton(form.btnFind);
    ASSERT_FALSE(FHost.MessageBoxes().empty());
    EXPECT_EQ(FHost.MessageBoxes().back().Text, "请输入游戏名称,再次搜索!!");
    EXPECT_EQ(form.PclParent->PageCount(), 2);
    form.edtFindName->SetText("象棋 & 围棋");
    char16_t enter = 13;
    form.edtFindNameKeyPress(nullptr, enter);
    EXPECT_EQ(form.PendingURL, AppPath + "Main.htm?Find=象棋 & 围棋");
    EXPECT_EQ(form.PclParent->PageCount(), 3);
}

TEST_F(AppTest, TheKeyboardHookOffersOnlyTabEnterAndExtendedEditingKeys) {
    TFrmMain& form = Start();
    auto hook = [&](uint32_t msg, int key, LPARAM lParam) {
        TMsg m;
        m.hwnd = form.cmbAddr->Handle();
        m.message = msg;
        m.wParam = static_cast<WPARAM>(key);
        m.lParam = lParam;
        bool handled = true;
        form.ApplicationEvents1Message(m, handled);
        return handled;
    };
    EXPECT_FALSE(hook(WM_KEYDOWN, 'A', 0));
    EXPECT_FALSE(hook(WM_KEYDOWN, VK_LEFT, 0));            // arrow without the extended flag
    EXPECT_TRUE(hook(WM_KEYDOWN, VK_LEFT, KF_EXTENDED_BIT));
    EXPECT_TRUE(hook(WM_KEYDOWN, VK_TAB, 0));
    EXPECT_TRUE(hook(WM_CHAR, VK_RETURN, 0));
    EXPECT_FALSE(hook(WM_MOUSEMOVE, VK_TAB, 0));
}

TEST_F(AppTest, AValueOfTheWrongTypeStopsTheRecordWithTheRegistryError) {
    FEngines->AddPage("http://one.example/", TFakePage{"One", {}, "text/html", {}, {}});
    TFrmMain& form = Start();
    TabBrowser(0)->Navigate("http://one.example/");
    Settle();
    {
        platform::Registry reg(FRegistry);
        reg.SetRootKey(platform::HKEY_LOCAL_MACHINE);
        reg.OpenKey(TAddressHistory::KeyPath, true);
        reg.WriteInteger("j", 3);
    }
    form.cmbAddr->SetText("http://two.example/");
    try {
        form.P_writeReg();
        FAIL() << "no error";
    } catch (const Exception& e) {
        EXPECT_NE(std::string(e.what()).find("'j'"), std::string::npos) << e.what();
    }
    EXPECT_EQ(form.PclParent->PageCount(), 2); // navigated before the error
    EXPECT_EQ(Slot(FRegistry, "0"), "<absent>");
}
