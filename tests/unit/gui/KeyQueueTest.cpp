// Keys typed faster than the queue is handled: each is handled with the
// modifiers held when it was typed and by the control that has the focus
// when its turn comes (a click queued before it may have moved the focus).
#include "ControlTestSupport.h"
#include "gui/TEdit.h"

namespace {

class KeyQueueTest : public ControlFixture {
protected:
    KeyQueueTest() {
        FFirst = MakeEdit(10, "first");
        FSecond = MakeEdit(50, "about:blank");
        ShowForm();
        FFirst->SetFocus();
    }
    TEdit* MakeEdit(int top, const std::string& text) {
        auto* edit = new TEdit(FForm);
        edit->SetBounds(10, top, 200, 22);
        edit->SetParent(FForm);
        edit->SetText(text);
        return edit;
    }
    // Posted as the window system would, none handled yet.
    void Post(uint32_t msg, int vk, char16_t ch = 0) { FHost.KeyEvent(Window(), msg, vk, 0, ch); }
    void PostChord(int modifier, int vk) {
        Post(WM_KEYDOWN, modifier);
        Post(WM_KEYDOWN, vk);
        Post(WM_KEYUP, vk);
        Post(WM_KEYUP, modifier);
    }

    TEdit* FFirst;
    TEdit* FSecond;
};

} // namespace

TEST_F(KeyQueueTest, AChordReleasedBeforeItIsHandledKeepsItsModifier) {
    FFirst->SetSelStart(1);
    PostChord(VK_CONTROL, 'A');
    Post(WM_KEYDOWN, 'X', u'x');
    Post(WM_KEYUP, 'X');
    FApp->ProcessMessages();
    EXPECT_EQ(FFirst->Text(), "x") << "Ctrl+A selected the text before x replaced it";
    // Later plain keys are plain again.
    Post(WM_KEYDOWN, 'A', u'a');
    Post(WM_KEYUP, 'A');
    FApp->ProcessMessages();
    EXPECT_EQ(FFirst->Text(), "xa");
}

TEST_F(KeyQueueTest, KeysAfterAQueuedClickGoToTheClickedControl) {
    FHost.Click(Window(), {50, 60});
    PostChord(VK_CONTROL, 'A');
    FHost.TypeText(Window(), u"http://x/");
    Post(WM_KEYDOWN, 'Y', u'y');
    Post(WM_KEYUP, 'Y');
    FApp->ProcessMessages();
    EXPECT_EQ(FForm->ActiveControl(), FSecond);
    EXPECT_EQ(FSecond->Text(), "http://x/y");
    EXPECT_EQ(FFirst->Text(), "first") << "nothing typed after the click reached the old control";
}
