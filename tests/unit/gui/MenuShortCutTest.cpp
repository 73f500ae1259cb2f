#include "MenuTestSupport.h"
#include "gui/ShortCut.h"
#include "gui/TMainMenu.h"
#include "gui/TPopupMenu.h"

TEST(ShortCutText, ModifiersAndKeyNamesBothWays) {
    EXPECT_EQ(ShortCut('F', ssCtrl), 16454);
    EXPECT_EQ(ShortCutToText(16454), "Ctrl+F");
    EXPECT_EQ(ShortCutToText(ShortCut(VK_DELETE, ssShift | ssCtrl)), "Shift+Ctrl+Del");
    EXPECT_EQ(ShortCutToText(ShortCut(VK_F5, 0)), "F5");
    EXPECT_EQ(ShortCutToText(ShortCut('0', ssAlt)), "Alt+0");
    EXPECT_EQ(ShortCutToText(ShortCut(0x6B, ssCtrl)), "Ctrl+Num +");
    EXPECT_EQ(ShortCutToText(0), "");
    EXPECT_EQ(ShortCutToText(scCtrl | 0xE5), ""); // a key without a name
    EXPECT_EQ(TextToShortCut("Ctrl+F"), 16454);
    EXPECT_EQ(TextToShortCut("alt+ctrl+f"), ShortCut('F', ssCtrl | ssAlt));
    EXPECT_EQ(TextToShortCut("F12"), VK_F12);
    EXPECT_EQ(TextToShortCut("Ctrl+Num +"), ShortCut(0x6B, ssCtrl));
    for (const char* bad : {"", "Ctrl+", "Ctrl+Ctrl", "F0", "F25", "F01", "Hyper+X", "XY", "F+1"})
        EXPECT_EQ(TextToShortCut(bad), 0) << bad;
    int key = 0;
    TShiftState shift = 0;
    ShortCutToKey(ShortCut(VK_RETURN, ssShift | ssAlt), key, shift);
    EXPECT_EQ(key, VK_RETURN);
    EXPECT_EQ(shift, TShiftState(ssShift | ssAlt));
}

TEST(ShortCutText, EveryNamedShortCutReadsBackAsItself) {
    int named = 0;
    for (int key = 1; key < 0x100; ++key)
        for (int mods : {0, scShift | scCtrl, int{scAlt}}) {
            TShortCut sc = static_cast<TShortCut>(mods | key);
            std::string text = ShortCutToText(sc);
            if (text.empty()) continue;
            ++named;
            EXPECT_EQ(TextToShortCut(text), sc) << text;
        }
    EXPECT_GT(named, 3 * 80);
}

namespace {

class MenuShortCutTest : public MenuTest {
protected:
    MenuShortCutTest() {
        FMain = new TMainMenu(FForm);
        TMenuItem* edit = Item(FMain->Items(), "N44", "编辑(E)");
        FFind = Command(edit, "mnuFind", "查找(在当前页)(&F)");
        FFind->SetShortCut(ShortCut('F', ssCtrl));
        FForm->SetMenu(FMain);
        FEdit = new TWinControl(FForm);
        FEdit->SetParent(FForm);
        FEdit->SetBounds(0, 0, 100, 20);
        FEdit->SetTabStop(true);
        FEdit->OnKeyDown = [this](TObject*, int& key, TShiftState) { FEditKeys.push_back(key); };
        FEdit->SetFocus();
    }
    void CtrlKey(int vk) {
        FHost.KeyEvent(FormWindow(), WM_KEYDOWN, VK_CONTROL);
        FHost.KeyEvent(FormWindow(), WM_KEYDOWN, vk);
        FApp->ProcessMessages();
        FHost.KeyEvent(FormWindow(), WM_KEYUP, vk);
        FHost.KeyEvent(FormWindow(), WM_KEYUP, VK_CONTROL);
        FApp->ProcessMessages();
    }

    TMainMenu* FMain;
    TMenuItem* FFind;
    TWinControl* FEdit;
    std::vector<int> FEditKeys;
};

} // namespace

TEST_F(MenuShortCutTest, CtrlFFiresTheItemAndTheKeyGoesNoFurther) {
    CtrlKey('F');
    EXPECT_EQ(FClicks, std::vector<std::string>{"mnuFind"});
    EXPECT_EQ(FEditKeys, std::vector<int>{VK_CONTROL});
    CtrlKey('G');
    EXPECT_EQ(FClicks.size(), 1u);
    EXPECT_EQ(FEditKeys.back(), 'G');
}

TEST_F(MenuShortCutTest, ADisabledOrUnreachableItemDoesNotFire) {
    FFind->SetEnabled(false);
    CtrlKey('F');
    EXPECT_TRUE(FClicks.empty());
    EXPECT_EQ(FEditKeys.back(), 'F');
    FFind->SetEnabled(true);
    FFind->Parent()->SetVisible(false);
    CtrlKey('F');
    EXPECT_TRUE(FClicks.empty());
    FFind->Parent()->SetVisible(true);
    FFind->Parent()->SetEnabled(false);
    CtrlKey('F');
    EXPECT_TRUE(FClicks.empty());
}

TEST_F(MenuShortCutTest, AnItemWithoutAHandlerLeavesTheKeyToTheControl) {
    FFind->OnClick = nullptr;
    CtrlKey('F');
    EXPECT_EQ(FEditKeys.back(), 'F');
}

TEST_F(MenuShortCutTest, PopupMenusOfTheFormAnswerAfterTheMainMenu) {
    auto* popup = new TPopupMenu(FForm);
    Command(popup->Items(), "mnuClose", "关闭")->SetShortCut(ShortCut('W', ssCtrl));
    Command(popup->Items(), "mnuFind2", "查找")->SetShortCut(ShortCut('F', ssCtrl));
    CtrlKey('W');
    CtrlKey('F');
    EXPECT_EQ(FClicks, (std::vector<std::string>{"mnuClose", "mnuFind"}));
}

TEST_F(MenuShortCutTest, AFormWithoutAFocusedControlStillHasItsShortcuts) {
    FForm->SetActiveControl(nullptr);
    CtrlKey('F');
    EXPECT_EQ(FClicks, std::vector<std::string>{"mnuFind"});
}

TEST_F(MenuShortCutTest, AMainMenuTheFormNoLongerNamesStillAnswersAsOneOfItsMenus) {
    FForm->SetMenu(nullptr);
    CtrlKey('F');
    EXPECT_EQ(FClicks, std::vector<std::string>{"mnuFind"});
}

TEST_F(MenuShortCutTest, AnOpenMenuTakesTheKeysInsteadOfTheShortcuts) {
    auto* popup = new TPopupMenu(FForm);
    Command(popup->Items(), "mnuX", "X");
    popup->Popup(10, 10);
    CtrlKey('F');
    EXPECT_TRUE(FClicks.empty());
    EXPECT_EQ(Levels().size(), 1u);
}
