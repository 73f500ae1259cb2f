#include <gtest/gtest.h>

#include "GuiTestSupport.h"
#include "gui/TForm.h"
#include "gui/TWinControl.h"

namespace {

class ControlTest : public GuiTest {
protected:
    ControlTest() {
        FForm = new TForm(nullptr);
        FForm->SetBounds(0, 0, 400, 300);
    }
    ~ControlTest() override { delete FForm; }

    TWinControl* Child(TWinControl* parent, TAlign align, int w, int h) {
        auto* c = new TWinControl(FForm);
        c->SetBounds(0, 0, w, h);
        c->SetAlign(align);
        c->SetParent(parent);
        return c;
    }

    TForm* FForm;
};

} // namespace

TEST_F(ControlTest, AlignmentTakesTopBottomLeftRightThenClient) {
    TWinControl* client = Child(FForm, TAlign::alClient, 10, 10);
    TWinControl* left = Child(FForm, TAlign::alLeft, 200, 10);
    TWinControl* bottom = Child(FForm, TAlign::alBottom, 10, 22);
    TWinControl* top1 = Child(FForm, TAlign::alTop, 10, 2);
    top1->SetTop(0);
    TWinControl* top2 = Child(FForm, TAlign::alTop, 10, 48);
    top2->SetTop(10); // below top1
    TWinControl* right = Child(FForm, TAlign::alRight, 50, 10);

    EXPECT_EQ(top1->BoundsRect(), TRect(0, 0, 400, 2));
    EXPECT_EQ(top2->BoundsRect(), TRect(0, 2, 400, 50));
    EXPECT_EQ(bottom->BoundsRect(), TRect(0, 278, 400, 300));
    EXPECT_EQ(left->BoundsRect(), TRect(0, 50, 200, 278));
    EXPECT_EQ(right->BoundsRect(), TRect(350, 50, 400, 278));
    EXPECT_EQ(client->BoundsRect(), TRect(200, 50, 350, 278));
}

TEST_F(ControlTest, HiddenControlsTakeNoSpaceAndResizeRealigns) {
    TWinControl* top = Child(FForm, TAlign::alTop, 10, 40);
    TWinControl* client = Child(FForm, TAlign::alClient, 10, 10);
    EXPECT_EQ(client->Top(), 40);
    top->SetVisible(false);
    EXPECT_EQ(client->BoundsRect(), TRect(0, 0, 400, 300));
    top->SetVisible(true);
    FForm->SetBounds(0, 0, 500, 200);
    EXPECT_EQ(client->BoundsRect(), TRect(0, 40, 500, 200));
}

TEST_F(ControlTest, BorderWidthSeparatesWindowAndClientRect) {
    TWinControl* panel = Child(FForm, TAlign::alNone, 100, 60);
    panel->SetBounds(10, 20, 100, 60);
    panel->SetBorderWidth(2);
    EXPECT_EQ(panel->ClientWidth(), 96);
    EXPECT_EQ(panel->ClientHeight(), 56);
    EXPECT_EQ(panel->ClientOrigin(), TPoint(12, 22));
    TWinControl* inner = Child(panel, TAlign::alClient, 1, 1);
    EXPECT_EQ(inner->BoundsRect(), TRect(0, 0, 96, 56));
    EXPECT_EQ(inner->ClientOrigin(), TPoint(12, 22));
}

TEST_F(ControlTest, DestroyingAParentDestroysChildrenOwnedElsewhere) {
    TWinControl* panel = Child(FForm, TAlign::alNone, 100, 100);
    auto* otherOwner = new TComponent(nullptr);
    auto* child = new TControl(otherOwner);
    child->SetParent(panel);
    TSafeRef<TControl> ref(child);
    delete panel;
    EXPECT_FALSE(ref);
    EXPECT_EQ(otherOwner->ComponentCount(), 0);
    delete otherOwner;
}

TEST_F(ControlTest, DestroyingTheOwnerFirstLeavesParentsConsistent) {
    auto* owner = new TComponent(nullptr);
    TWinControl* panel = Child(FForm, TAlign::alNone, 100, 100);
    auto* child = new TWinControl(owner);
    child->SetParent(panel);
    delete owner;
    EXPECT_EQ(panel->ControlCount(), 0);
}

TEST_F(ControlTest, ParentFontAndColorFlowDownUntilSetOwnValue) {
    FForm->Font().SetName("宋体");
    FForm->Font().SetHeight(-12);
    TWinControl* panel = Child(FForm, TAlign::alNone, 10, 10);
    EXPECT_EQ(panel->Font().Height(), -12);
    FForm->Font().SetHeight(-14);
    EXPECT_EQ(panel->Font().Height(), -14);
    panel->Font().SetHeight(-9);
    FForm->Font().SetHeight(-20);
    EXPECT_EQ(panel->Font().Height(), -9);

    panel->SetParentColor(true);
    FForm->SetColor(clWhite);
    EXPECT_EQ(panel->Color(), clWhite);
}

TEST_F(ControlTest, ClickReachesTheControlUnderThePointThroughTheQueue) {
    TWinControl* panel = Child(FForm, TAlign::alNone, 100, 100);
    panel->SetBounds(50, 50, 100, 100);
    auto* label = new TControl(FForm);
    label->SetBounds(10, 10, 30, 20);
    label->SetParent(panel);
    int clicks = 0;
    label->OnClick = [&](TObject* sender) {
        EXPECT_EQ(sender, label);
        ++clicks;
    };
    FForm->Show();
    THostWindow w = FForm->HostWindow();
    FHost.Click(w, {65, 65});
    EXPECT_EQ(clicks, 0); // queued, not yet dispatched
    FApp->ProcessMessages();
    EXPECT_EQ(clicks, 1);
    FHost.Click(w, {95, 95}); // panel, not label
    FApp->ProcessMessages();
    EXPECT_EQ(clicks, 1);
}

TEST_F(ControlTest, MouseUpOutsideAfterCaptureIsNoClick) {
    auto* button = new TControl(FForm);
    button->SetBounds(10, 10, 30, 20);
    button->SetParent(FForm);
    int clicks = 0;
    button->OnClick = [&](TObject*) { ++clicks; };
    FForm->Show();
    THostWindow w = FForm->HostWindow();
    FHost.MouseEvent(w, WM_LBUTTONDOWN, {15, 15}, MK_LBUTTON);
    FApp->ProcessMessages();
    EXPECT_EQ(FForm->CaptureControl(), button);
    FHost.MouseEvent(w, WM_LBUTTONUP, {200, 200});
    FApp->ProcessMessages();
    EXPECT_EQ(clicks, 0);
    EXPECT_EQ(FForm->CaptureControl(), nullptr);
}

TEST_F(ControlTest, MouseEnterAndLeaveFollowThePointer) {
    auto* a = new TControl(FForm);
    a->SetBounds(0, 0, 50, 50);
    a->SetParent(FForm);
    std::string log;
    a->OnMouseEnter = [&](TObject*) { log += "enter "; };
    a->OnMouseLeave = [&](TObject*) { log += "leave "; };
    FForm->Show();
    THostWindow w = FForm->HostWindow();
    FHost.MouseEvent(w, WM_MOUSEMOVE, {10, 10});
    FHost.MouseEvent(w, WM_MOUSEMOVE, {20, 10});
    FHost.MouseEvent(w, WM_MOUSEMOVE, {100, 100});
    FApp->ProcessMessages();
    EXPECT_EQ(log, "enter leave ");
}

TEST_F(ControlTest, KeysGoToTheActiveControlAndKeyPressMayChangeTheKey) {
    auto* edit = new TWinControl(FForm);
    edit->SetBounds(0, 0, 50, 20);
    edit->SetParent(FForm);
    edit->SetTabStop(true);
    std::u16string typed;
    edit->OnKeyPress = [&](TObject*, char16_t& key) {
        typed += key;
        if (key == u'a') key = u'b';
    };
    FForm->Show();
    edit->SetFocus();
    EXPECT_TRUE(edit->Focused());
    THostWindow w = FForm->HostWindow();
    FHost.KeyEvent(w, WM_KEYDOWN, 'A', 0, u'a');
    FHost.TypeText(w, u"星");
    FApp->ProcessMessages();
    EXPECT_EQ(typed, u"a星");
}

TEST_F(ControlTest, TabMovesFocusBetweenTabStops) {
    auto* a = Child(FForm, TAlign::alNone, 10, 10);
    auto* b = Child(FForm, TAlign::alNone, 10, 10);
    a->SetTabStop(true);
    b->SetTabStop(true);
    FForm->Show();
    a->SetFocus();
    FHost.KeyEvent(FForm->HostWindow(), WM_KEYDOWN, VK_TAB, 0, u'\t');
    FApp->ProcessMessages();
    EXPECT_TRUE(b->Focused());
}

TEST_F(ControlTest, ShowingMaximisedTakesTheWorkAreaWithoutAWindowManager) {
    FHost.SetWorkArea({0, 0, 1280, 1000});
    FForm->SetWindowState(TWindowState::wsMaximized);
    FForm->Show();
    EXPECT_EQ(FForm->BoundsRect(), TRect(0, 0, 1280, 1000));
    EXPECT_EQ(FHost.WindowBounds(FForm->HostWindow()), TRect(0, 0, 1280, 1000));
    FForm->SetWindowState(TWindowState::wsNormal);
    EXPECT_EQ(FForm->BoundsRect(), TRect(0, 0, 400, 300));
}
