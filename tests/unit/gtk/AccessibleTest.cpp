// The skinned window as the accessibility toolkit sees it, asked through
// ATK the way the bus bridge asks: the drawing area's children are the
// form's controls, with their roles, names, states, text and actions, and
// changes are told as they happen.
#include <atk/atk.h>

#include "GtkTestSupport.h"
#include "gui/ShortCut.h"
#include "gui/TApplication.h"
#include "gui/TEdit.h"
#include "gui/TForm.h"
#include "gui/TLabel.h"
#include "gui/TMainMenu.h"
#include "gui/TMenuBar.h"
#include "gui/TMenuItem.h"
#include "gui/TPanel.h"
#include "gui/TSpeedButton.h"

namespace {

class GtkAccessibleTest : public GtkTest {
protected:
    GtkAccessibleTest() : FApp(&FHost) {
        FForm = new TForm(&FApp);
        FForm->SetCaptionBits(false);
        FForm->SetBounds(100, 80, 320, 120);
        FPanel = Place<TPanel>(FForm, 0, 0, 320, 120);
        FButton = Place<TSpeedButton>(FPanel, 8, 8, 60, 24);
        FButton->SetCaption("后退");
        FButton->OnClick = [this](TObject*) { ++FClicks; };
        auto* label = Place<TLabel>(FPanel, 8, 44, 50, 16);
        label->SetCaption("游戏搜索");
        FEdit = Place<TEdit>(FPanel, 60, 40, 200, 22);
        FEdit->SetText("在这里输入游戏名称");
        FForm->Show();
        TGtkWindow* window = FHost.FindWindow(FForm->HostWindow());
        Run([&] { return window->DrawCount() > 0; });
        FArea = gtk_widget_get_accessible(window->DrawingArea());
    }

    template <class T> T* Place(TWinControl* parent, int x, int y, int w, int h) {
        auto* control = new T(FForm);
        control->SetParent(parent);
        control->SetBounds(x, y, w, h);
        return control;
    }
    bool Run(const std::function<bool()>& done, int timeoutMs = 3000) {
        return WaitFor(
            [&] {
                FApp.ProcessMessages();
                return done();
            },
            timeoutMs);
    }
    // The child `index` of `parent` (the reference is the test's).
    AtkObject* Child(AtkObject* parent, int index) {
        AtkObject* child = atk_object_ref_accessible_child(parent, index);
        if (child) FHeld.push_back(child);
        return child;
    }
    bool HasState(AtkObject* object, AtkStateType state) {
        AtkStateSet* states = atk_object_ref_state_set(object);
        const bool has = atk_state_set_contains_state(states, state);
        g_object_unref(states);
        return has;
    }
    void TearDown() override {
        for (AtkObject* object : FHeld)
            g_object_unref(object);
        GtkTest::TearDown();
    }

    TApplication FApp;
    TForm* FForm;
    TPanel* FPanel;
    TSpeedButton* FButton;
    TEdit* FEdit;
    AtkObject* FArea = nullptr;
    std::vector<AtkObject*> FHeld;
    int FClicks = 0;
};

struct TChildrenLog {
    int Added = 0;
    int Removed = 0;
};

void ChildrenChanged(AtkObject*, guint, gpointer, gpointer data) {
    ++static_cast<TChildrenLog*>(data)->Added;
}
void ChildrenRemoved(AtkObject*, guint, gpointer, gpointer data) {
    ++static_cast<TChildrenLog*>(data)->Removed;
}
void StateChanged(AtkObject*, gchar* name, gboolean on, gpointer data) {
    static_cast<std::vector<std::string>*>(data)->push_back(std::string(name) + (on ? "+" : "-"));
}

} // namespace

TEST_F(GtkAccessibleTest, TheAreaHoldsTheControlsWithRolesNamesPlacesAndText) {
    ASSERT_NE(FArea, nullptr);
    ASSERT_EQ(atk_object_get_n_accessible_children(FArea), 1);
    AtkObject* panel = Child(FArea, 0);
    EXPECT_EQ(atk_object_get_role(panel), ATK_ROLE_PANEL);
    EXPECT_EQ(atk_object_get_parent(panel), FArea);
    ASSERT_EQ(atk_object_get_n_accessible_children(panel), 3);
    AtkObject* button = Child(panel, 0);
    EXPECT_EQ(atk_object_get_role(button), ATK_ROLE_PUSH_BUTTON);
    EXPECT_STREQ(atk_object_get_name(button), "后退");
    EXPECT_EQ(atk_object_get_index_in_parent(button), 0);
    EXPECT_EQ(Child(panel, 0), button) << "the same object from one question to the next";
    EXPECT_TRUE(HasState(button, ATK_STATE_ENABLED));
    EXPECT_TRUE(HasState(button, ATK_STATE_SHOWING));
    int x = 0, y = 0, w = 0, h = 0;
    atk_component_get_extents(ATK_COMPONENT(button), &x, &y, &w, &h, ATK_XY_SCREEN);
    const TPoint at = FPanel->ClientToScreen({8, 8});
    EXPECT_EQ(TRect::FromSize(x, y, w, h), TRect::FromSize(at.X, at.Y, 60, 24));
    EXPECT_FALSE(ATK_IS_TEXT(button)) << "a button has no text to edit";

    AtkObject* edit = Child(panel, 2);
    EXPECT_EQ(atk_object_get_role(edit), ATK_ROLE_ENTRY);
    EXPECT_STREQ(atk_object_get_name(edit), "游戏搜索");
    ASSERT_TRUE(ATK_IS_TEXT(edit));
    EXPECT_EQ(atk_text_get_character_count(ATK_TEXT(edit)), 9);
    gchar* part = atk_text_get_text(ATK_TEXT(edit), 3, 5);
    EXPECT_STREQ(part, "输入");
    g_free(part);
    EXPECT_EQ(atk_text_get_character_at_offset(ATK_TEXT(edit), 8), g_utf8_get_char("称"));
    EXPECT_EQ(atk_text_get_character_at_offset(ATK_TEXT(edit), 9), 0u) << "past the end";
    FEdit->SetSelStart(5);
    // A moment later, once the form painted the caret there.
    EXPECT_TRUE(Run([&] { return atk_text_get_caret_offset(ATK_TEXT(edit)) == 5; }));
    atk_editable_text_set_text_contents(ATK_EDITABLE_TEXT(edit), "中国象棋");
    EXPECT_EQ(FEdit->Text(), "中国象棋");
    EXPECT_EQ(atk_text_get_character_count(ATK_TEXT(edit)), 4) << "read back at once";
}

TEST_F(GtkAccessibleTest, APressRunsTheClickAfterTheReadersCallReturned) {
    AtkObject* button = Child(Child(FArea, 0), 0);
    ASSERT_EQ(atk_action_get_n_actions(ATK_ACTION(button)), 1);
    EXPECT_STREQ(atk_action_get_name(ATK_ACTION(button), 0), "press");
    EXPECT_TRUE(atk_action_do_action(ATK_ACTION(button), 0));
    EXPECT_EQ(FClicks, 0) << "not inside the reader's call";
    ASSERT_TRUE(Run([&] { return FClicks == 1; }));
    EXPECT_FALSE(atk_action_do_action(ATK_ACTION(button), 1));
    FButton->SetEnabled(false);
    Run([] { return false; }, 300);
    EXPECT_FALSE(HasState(button, ATK_STATE_ENABLED));
    atk_action_do_action(ATK_ACTION(button), 0);
    Run([] { return false; }, 300);
    EXPECT_EQ(FClicks, 1) << "a disabled button is not pressed";
}

TEST_F(GtkAccessibleTest, FocusMovesAndControlsComingAndGoingAreTold) {
    AtkObject* panel = Child(FArea, 0);
    AtkObject* edit = Child(panel, 2);
    std::vector<std::string> states;
    g_signal_connect(edit, "state-change", G_CALLBACK(StateChanged), &states);
    auto told = [&](const char* change) {
        return Run([&] { return std::find(states.begin(), states.end(), change) != states.end(); });
    };
    FEdit->SetFocus();
    Run([] { return false; }, 300);
    ASSERT_TRUE(HasState(edit, ATK_STATE_FOCUSED));
    states.clear();
    FForm->SetActiveControl(nullptr);
    ASSERT_TRUE(told("focused-"));
    EXPECT_FALSE(HasState(edit, ATK_STATE_FOCUSED));
    FEdit->SetFocus();
    ASSERT_TRUE(told("focused+"));
    EXPECT_TRUE(HasState(edit, ATK_STATE_FOCUSED));

    TChildrenLog log;
    g_signal_connect(panel, "children-changed::add", G_CALLBACK(ChildrenChanged), &log);
    g_signal_connect(panel, "children-changed::remove", G_CALLBACK(ChildrenRemoved), &log);
    auto* extra = Place<TSpeedButton>(FPanel, 270, 8, 40, 24);
    extra->SetCaption("刷新");
    ASSERT_TRUE(Run([&] { return log.Added == 1; }));
    EXPECT_EQ(atk_object_get_n_accessible_children(panel), 4);
    AtkObject* added = Child(panel, 3);
    EXPECT_STREQ(atk_object_get_name(added), "刷新");
    delete extra;
    ASSERT_TRUE(Run([&] { return log.Removed == 1; }));
    EXPECT_TRUE(HasState(added, ATK_STATE_DEFUNCT)) << "a reader holding it learns it is gone";
    EXPECT_EQ(atk_object_get_parent(added), nullptr);
}

TEST_F(GtkAccessibleTest, MenuItemsTellTheirShortcutsInTheToolkitsWay) {
    auto* menu = new TMainMenu(FForm);
    auto* file = new TMenuItem(FForm);
    file->SetCaption("文件(F)");
    menu->Items()->Add(file);
    const std::pair<const char*, const char*> items[] = {{"空白页(&B)", "Ctrl+T"},
                                                         {"停止(&O)", "Esc"},
                                                         {"全屏", "Ctrl+Shift+F11"},
                                                         {"打开(&O)", ""}};
    for (auto [caption, keys] : items) {
        auto* item = new TMenuItem(FForm);
        item->SetCaption(caption);
        if (*keys) item->SetShortCut(TextToShortCut(keys));
        file->Add(item);
    }
    auto* bar = new TMenuBar(FForm);
    bar->SetParent(FForm);
    bar->SetAlign(TAlign::alTop);
    bar->SetMenu(menu);
    Run([] { return false; }, 300);
    AtkObject* menuBar = nullptr;
    for (int i = 0; i < atk_object_get_n_accessible_children(FArea); ++i)
        if (AtkObject* child = Child(FArea, i); atk_object_get_role(child) == ATK_ROLE_MENU_BAR)
            menuBar = child;
    ASSERT_NE(menuBar, nullptr);
    AtkObject* fileMenu = Child(menuBar, 0);
    EXPECT_EQ(atk_object_get_role(fileMenu), ATK_ROLE_MENU);
    EXPECT_STREQ(atk_object_get_name(fileMenu), "文件");
    std::vector<std::string> bindings;
    for (int i = 0; i < 4; ++i) {
        const gchar* binding = atk_action_get_keybinding(ATK_ACTION(Child(fileMenu, i)), 0);
        bindings.push_back(binding ? binding : "(none)");
    }
    EXPECT_EQ(bindings, (std::vector<std::string>{";;<Control>t", ";;Escape",
                                                  ";;<Shift><Control>F11", "(none)"}));
}
