#include <gdk/gdkkeysyms.h>

#include "GtkTestSupport.h"
#include "gui/Exception.h"
#include "gui/TApplication.h"

namespace {

constexpr LPARAM bit24 = LPARAM{1} << 24;
constexpr LPARAM bit30 = LPARAM{1} << 30;

class GtkInputTest : public GtkTest {
protected:
    void SetUp() override {
        GtkTest::SetUp();
        if (IsSkipped()) return;
        FWindow = ShowWindow(FClient, TRect::FromSize(100, 100, 300, 200), clWhite);
    }
    void Press(guint keyval, guint16 keycode, guint state = 0) {
        SendKey(FWindow, keyval, keycode, state, true);
    }
    void Release(guint keyval, guint16 keycode, guint state = 0) {
        SendKey(FWindow, keyval, keycode, state, false);
    }

    TRecordingClient& FClient = NewClient();
    THostWindow FWindow = 0;
};

} // namespace

TEST_F(GtkInputTest, ArrowKeysComeAsExtendedKeyMessagesWithoutCharacter) {
    Press(GDK_KEY_Left, 113);
    Press(GDK_KEY_Left, 113);
    Release(GDK_KEY_Left, 113);
    Press(GDK_KEY_KP_Left, 83);
    ASSERT_EQ(FClient.Keys.size(), 4u);
    EXPECT_EQ(FClient.Keys[0].Msg, WM_KEYDOWN);
    EXPECT_EQ(FClient.Keys[0].VirtualKey, VK_LEFT);
    EXPECT_EQ(FClient.Keys[0].KeyData & bit24, bit24);
    EXPECT_EQ((FClient.Keys[0].KeyData >> 16) & 0xFF, 105);
    EXPECT_EQ(FClient.Keys[0].KeyData & bit30, 0);
    EXPECT_EQ(FClient.Keys[0].Char, 0);
    EXPECT_EQ(FClient.Keys[1].KeyData & bit30, bit30) << "held down: a repeat";
    EXPECT_EQ(FClient.Keys[2].Msg, WM_KEYUP);
    EXPECT_EQ(FClient.Keys[3].VirtualKey, VK_LEFT);
    EXPECT_EQ(FClient.Keys[3].KeyData & bit24, 0) << "the keypad's arrow is not extended";
}

TEST_F(GtkInputTest, TypedKeysCarryTheirCharacterThroughTheInputMethod) {
    Press(GDK_KEY_a, 38);
    Release(GDK_KEY_a, 38);
    Press(GDK_KEY_Return, 36);
    Press(GDK_KEY_c, 54, GDK_CONTROL_MASK);
    ASSERT_EQ(FClient.Keys.size(), 4u);
    EXPECT_EQ(FClient.Keys[0].Msg, WM_KEYDOWN);
    EXPECT_EQ(FClient.Keys[0].VirtualKey, 'A');
    EXPECT_EQ(FClient.Keys[0].Char, u'a');
    EXPECT_EQ(FClient.Keys[1].Msg, WM_KEYUP);
    EXPECT_EQ(FClient.Keys[2].VirtualKey, VK_RETURN);
    EXPECT_EQ(FClient.Keys[2].Char, 0x0D);
    EXPECT_EQ(FClient.Keys[3].VirtualKey, 'C');
    EXPECT_EQ(FClient.Keys[3].Char, 0x03);
    EXPECT_TRUE(FClient.Text.empty()) << "plain keys are not IME text";
}

TEST_F(GtkInputTest, ComposedInputArrivesAsTextOnly) {
    // Unicode entry of the simple input method: Ctrl+Shift+U 6587 space = 文.
    guint cs = GDK_CONTROL_MASK | GDK_SHIFT_MASK;
    Press(GDK_KEY_Control_L, 37);
    Press(GDK_KEY_Shift_L, 50, GDK_CONTROL_MASK);
    Press(GDK_KEY_U, 30, cs);
    Release(GDK_KEY_U, 30, cs);
    Release(GDK_KEY_Shift_L, 50, cs);
    Release(GDK_KEY_Control_L, 37, GDK_CONTROL_MASK);
    size_t before = FClient.Keys.size();
    for (auto [keyval, keycode] : {std::pair<guint, guint16>{GDK_KEY_6, 15},
                                   {GDK_KEY_5, 14},
                                   {GDK_KEY_8, 17},
                                   {GDK_KEY_7, 16},
                                   {GDK_KEY_space, 65}}) {
        Press(keyval, keycode);
        Release(keyval, keycode);
    }
    EXPECT_EQ(FClient.Text, u"文");
    for (size_t i = before; i < FClient.Keys.size(); ++i)
        EXPECT_NE(FClient.Keys[i].Msg, WM_KEYDOWN) << "digit " << i << " went to the input method";
    // The modifiers' key-ups always reach the framework.
    int ups = 0;
    for (auto& k : FClient.Keys)
        if (k.Msg == WM_KEYUP && (k.VirtualKey == VK_CONTROL || k.VirtualKey == VK_SHIFT)) ++ups;
    EXPECT_EQ(ups, 2);
}

TEST_F(GtkInputTest, CommitsOfTheInputMethodAreText) {
    g_signal_emit_by_name(FHost.FindWindow(FWindow)->InputMethod().Context(), "commit", "测试");
    EXPECT_EQ(FClient.Text, u"测试");
    EXPECT_TRUE(FClient.Keys.empty());
}

TEST_F(GtkInputTest, MouseButtonsWithKeysAndDoubleClicks) {
    SendButton(FWindow, GDK_BUTTON_PRESS, 1, 10, 20, GDK_SHIFT_MASK, 1000);
    SendButton(FWindow, GDK_BUTTON_RELEASE, 1, 10, 20, GDK_BUTTON1_MASK | GDK_SHIFT_MASK, 1050);
    SendButton(FWindow, GDK_BUTTON_PRESS, 1, 11, 21, 0, 1150);
    SendButton(FWindow, GDK_2BUTTON_PRESS, 1, 11, 21, 0, 1150);
    SendButton(FWindow, GDK_BUTTON_RELEASE, 1, 11, 21, GDK_BUTTON1_MASK, 1200);
    SendButton(FWindow, GDK_BUTTON_PRESS, 3, 50, 60, 0, 5000);
    SendButton(FWindow, GDK_BUTTON_PRESS, 8, 50, 60, 0, 6000);
    ASSERT_EQ(FClient.Mouse.size(), 5u);
    EXPECT_EQ(FClient.Mouse[0].Msg, WM_LBUTTONDOWN);
    EXPECT_EQ(FClient.Mouse[0].Point, TPoint(10, 20));
    EXPECT_EQ(FClient.Mouse[0].Keys, MK_LBUTTON | MK_SHIFT);
    EXPECT_EQ(FClient.Mouse[1].Msg, WM_LBUTTONUP);
    EXPECT_EQ(FClient.Mouse[1].Keys, MK_SHIFT);
    EXPECT_EQ(FClient.Mouse[2].Msg, WM_LBUTTONDBLCLK);
    EXPECT_EQ(FClient.Mouse[2].Point, TPoint(11, 21));
    EXPECT_EQ(FClient.Mouse[3].Msg, WM_LBUTTONUP);
    EXPECT_EQ(FClient.Mouse[4].Msg, WM_RBUTTONDOWN);
    EXPECT_EQ(FClient.Mouse[4].Keys, MK_RBUTTON);
}

TEST_F(GtkInputTest, WheelNotchesCarryTheirDeltaInTheHighWord) {
    SendScroll(FWindow, GDK_SCROLL_UP, 30, 40);
    SendScroll(FWindow, GDK_SCROLL_DOWN, 30, 40);
    SendScroll(FWindow, GDK_SCROLL_LEFT, 30, 40);
    ASSERT_EQ(FClient.Mouse.size(), 2u);
    EXPECT_EQ(FClient.Mouse[0].Msg, WM_MOUSEWHEEL);
    EXPECT_EQ(static_cast<int16_t>(FClient.Mouse[0].Keys >> 16), 120);
    EXPECT_EQ(static_cast<int16_t>(FClient.Mouse[1].Keys >> 16), -120);
    EXPECT_EQ(FClient.Mouse[1].Keys >> 16, 0xFF88u);
    EXPECT_EQ(FClient.Mouse[1].Point, TPoint(30, 40));
}

TEST_F(GtkInputTest, LeavingTheWindowButNotGrabCrossings) {
    SendLeave(FWindow, GDK_CROSSING_GRAB);
    EXPECT_EQ(FClient.Leaves, 0);
    SendLeave(FWindow, GDK_CROSSING_NORMAL);
    EXPECT_EQ(FClient.Leaves, 1);
}

TEST_F(GtkInputTest, CloseButtonAsksTheFormAndLeavesTheWindow) {
    GdkEvent* event = gdk_event_new(GDK_DELETE);
    event->any.window =
        GDK_WINDOW(g_object_ref(gtk_widget_get_window(GTK_WIDGET(FHost.GtkWindowOf(FWindow)))));
    gtk_main_do_event(event);
    gdk_event_free(event);
    EXPECT_EQ(FClient.Closes, 1);
    EXPECT_NE(FHost.FindWindow(FWindow), nullptr);
    EXPECT_TRUE(gtk_widget_get_visible(GTK_WIDGET(FHost.GtkWindowOf(FWindow))));
}

TEST_F(GtkInputTest, ActivationFollowsTheKeyboardFocus) {
    FHost.ActivateWindow(FWindow);
    ASSERT_TRUE(
        WaitFor([&] { return !FClient.Activations.empty() && FClient.Activations.back(); }));
    TRecordingClient& other = NewClient();
    THostWindow second = ShowWindow(other, TRect::FromSize(500, 100, 100, 100), clWhite);
    FHost.ActivateWindow(second);
    ASSERT_TRUE(WaitFor([&] { return !other.Activations.empty() && other.Activations.back(); }));
    EXPECT_FALSE(FClient.Activations.back());
}

TEST_F(GtkInputTest, ModifiersStillHeldWhenTheFocusGoesAreReleased) {
    FHost.ActivateWindow(FWindow);
    ASSERT_TRUE(
        WaitFor([&] { return !FClient.Activations.empty() && FClient.Activations.back(); }));
    Press(GDK_KEY_Control_R, 105);
    TRecordingClient& other = NewClient();
    THostWindow second = ShowWindow(other, TRect::FromSize(500, 100, 100, 100), clWhite);
    FHost.ActivateWindow(second);
    ASSERT_TRUE(WaitFor([&] { return !FClient.Activations.back(); }));
    ASSERT_EQ(FClient.Keys.size(), 2u);
    EXPECT_EQ(FClient.Keys[1].Msg, WM_KEYUP);
    EXPECT_EQ(FClient.Keys[1].VirtualKey, VK_CONTROL);
    EXPECT_EQ(FClient.Keys[1].KeyData & bit24, bit24) << "still the right-hand Ctrl";
}

TEST_F(GtkInputTest, KeysOfAFocusedViewGoToItUnlessTheHookKeepsThem) {
    GtkWidget* entry = GTK_WIDGET(g_object_ref_sink(gtk_entry_new()));
    gtk_widget_show(entry);
    FHost.AttachNativeView(FWindow, entry);
    FHost.PlaceNativeView(entry, TRect::FromSize(10, 10, 150, 30), true);
    FHost.FocusNativeView(entry);
    EXPECT_EQ(FHost.FindWindow(FWindow)->FocusedView(), entry);
    std::vector<int> seen;
    FHost.OnNativeViewKey = [&](THostWindow, void* view, const TKeyStroke& key) {
        EXPECT_EQ(view, entry);
        if (key.Msg == WM_KEYDOWN) seen.push_back(key.VirtualKey);
        return key.VirtualKey == VK_F5;
    };
    Press(GDK_KEY_x, 53);
    Press(GDK_KEY_F5, 71);
    EXPECT_STREQ(gtk_entry_get_text(GTK_ENTRY(entry)), "x");
    EXPECT_EQ(seen, (std::vector<int>{'X', VK_F5}));
    EXPECT_TRUE(FClient.Keys.empty()) << "nothing reaches the form while the view has the focus";

    // A click on the form's own area takes the keyboard back.
    SendButton(FWindow, GDK_BUTTON_PRESS, 1, 250, 150, 0, 100);
    EXPECT_EQ(FHost.FindWindow(FWindow)->FocusedView(), nullptr);
    Press(GDK_KEY_x, 53);
    ASSERT_EQ(FClient.Keys.size(), 1u);
    EXPECT_EQ(FClient.Keys[0].Char, u'x');
    FHost.DetachNativeView(entry);
    g_object_unref(entry);
}

TEST_F(GtkInputTest, AnErrorInTheFrameworkNeverUnwindsIntoGtk) {
    TApplication app(&FHost);
    std::string reported;
    app.OnException = [&](TObject*, const std::exception& e) { reported = e.what(); };
    FClient.OnMouse = [] { throw Exception("handler failed"); };
    SendButton(FWindow, GDK_BUTTON_PRESS, 1, 5, 5, 0, 10);
    EXPECT_EQ(FClient.Mouse.size(), 1u);
    EXPECT_TRUE(reported.empty()) << "reported later, from the queue";
    app.ProcessMessages();
    EXPECT_EQ(reported, "handler failed");
}
