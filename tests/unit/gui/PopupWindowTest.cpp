#include <gtest/gtest.h>

#include "GuiTestSupport.h"
#include "gui/TForm.h"
#include "gui/TPopupWindow.h"

namespace {

class PopupWindowTest : public GuiTest {
protected:
    PopupWindowTest() {
        FForm = new TForm(nullptr);
        FForm->SetBounds(100, 100, 400, 300);
        FForm->Show();
        FPopup = new TPopupWindow(FForm);
        FPopup->OnCloseUp = [this](TObject*) { ++FCloseUps; };
    }
    ~PopupWindowTest() override { delete FForm; }

    TForm* FForm;
    TPopupWindow* FPopup;
    int FCloseUps = 0;
};

} // namespace

TEST_F(PopupWindowTest, ShowsAsAPopupAtTheScreenRectWithoutTakingActivation) {
    THostWindow main = FForm->HostWindow();
    ASSERT_EQ(FHost.ActiveWindow(), main);
    FPopup->Popup({150, 200, 350, 296});
    THostWindow w = FPopup->HostWindow();
    ASSERT_NE(FHost.Window(w), nullptr);
    EXPECT_EQ(FHost.Window(w)->Kind, TWindowKind::Popup);
    EXPECT_TRUE(FHost.WindowVisible(w));
    EXPECT_EQ(FHost.WindowBounds(w), TRect(150, 200, 350, 296));
    EXPECT_FALSE(FHost.Window(w)->Decorated);
    EXPECT_EQ(FHost.ActiveWindow(), main);
    EXPECT_EQ(FHost.Capture(), w);
    EXPECT_TRUE(FPopup->IsOpen());
}

TEST_F(PopupWindowTest, PressOutsideClosesOnceAndDoesNotReachControlsInside) {
    auto* inside = new TControl(FPopup);
    inside->SetBounds(0, 0, 200, 96);
    inside->SetParent(FPopup);
    int clicks = 0;
    inside->OnClick = [&](TObject*) { ++clicks; };
    FPopup->Popup({150, 200, 350, 296});
    THostWindow w = FPopup->HostWindow();
    FHost.Click(w, {10, 10});
    FApp->ProcessMessages();
    EXPECT_EQ(clicks, 1);
    EXPECT_TRUE(FPopup->IsOpen());
    EXPECT_EQ(FHost.Capture(), w); // taken back after the control's own capture

    FHost.MouseEvent(w, WM_LBUTTONDOWN, {-20, 40}, MK_LBUTTON);
    FHost.MouseEvent(w, WM_LBUTTONUP, {-20, 40});
    FApp->ProcessMessages();
    EXPECT_FALSE(FPopup->IsOpen());
    EXPECT_EQ(FPopup->CloseReason(), TPopupCloseReason::pcrOutsideClick);
    EXPECT_EQ(FCloseUps, 1);
    EXPECT_EQ(clicks, 1);
    EXPECT_FALSE(FHost.WindowVisible(w));
    EXPECT_EQ(FHost.Capture(), 0u);
}

TEST_F(PopupWindowTest, EscapeClosesAndOtherKeysGoToTheKeyTarget) {
    auto* target = new TWinControl(FForm);
    target->SetParent(FForm);
    target->SetTabStop(true);
    target->SetFocus();
    std::u16string typed;
    target->OnKeyPress = [&](TObject*, char16_t& key) { typed += key; };
    FPopup->SetKeyTarget(target);
    FPopup->Popup({0, 0, 50, 50});
    THostWindow w = FPopup->HostWindow();
    FHost.KeyEvent(w, WM_KEYDOWN, 'A', 0, u'a');
    FHost.TypeText(w, u"中");
    FApp->ProcessMessages();
    EXPECT_EQ(typed, u"a中");
    EXPECT_TRUE(FPopup->IsOpen());
    FHost.KeyEvent(w, WM_KEYDOWN, VK_ESCAPE, 0, u'\x1b');
    FApp->ProcessMessages();
    EXPECT_FALSE(FPopup->IsOpen());
    EXPECT_EQ(FPopup->CloseReason(), TPopupCloseReason::pcrEscape);
    EXPECT_EQ(typed, u"a中"); // Escape was not passed on
}

TEST_F(PopupWindowTest, ClosingInTheHandlerOfItsOwnCloseUpIsHarmless) {
    FPopup->OnCloseUp = [this](TObject*) {
        ++FCloseUps;
        FPopup->ClosePopup();
    };
    FPopup->Popup({0, 0, 50, 50});
    FPopup->ClosePopup();
    FPopup->ClosePopup();
    EXPECT_EQ(FCloseUps, 1);
    EXPECT_EQ(FPopup->CloseReason(), TPopupCloseReason::pcrCode);
}

TEST_F(PopupWindowTest, DestroyedWhileACloseIsQueued) {
    FPopup->Popup({0, 0, 50, 50});
    FHost.MouseEvent(FPopup->HostWindow(), WM_LBUTTONDOWN, {80, 80}, MK_LBUTTON);
    delete FPopup;
    FApp->ProcessMessages();
    EXPECT_EQ(FCloseUps, 0);
}
