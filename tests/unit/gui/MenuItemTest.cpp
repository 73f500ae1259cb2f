#include "MenuTestSupport.h"
#include "gui/TImageList.h"
#include "gui/TLayoutLoader.h"
#include "gui/TMainMenu.h"
#include "gui/TPopupMenu.h"
#include "gui/TToolBar.h"
#include "gui/TToolButton.h"

namespace {

class MenuItemTest : public MenuTest {
protected:
    MenuItemTest() {
        FMenu = new TMainMenu(FForm);
        FMenu->OnChange = [this](TObject*, TMenuItem* source, bool rebuild) {
            FChanges.push_back((source ? source->Name() : std::string("-")) + (rebuild ? "!" : ""));
        };
    }
    std::vector<std::string> Names(const TMenuItem* parent) {
        std::vector<std::string> names;
        for (int i = 0; i < parent->Count(); ++i)
            names.push_back(parent->Items(i)->Name());
        return names;
    }

    TMainMenu* FMenu;
    std::vector<std::string> FChanges;
};

} // namespace

TEST_F(MenuItemTest, ItemsAddInsertDeleteAndFind) {
    TMenuItem* root = FMenu->Items();
    TMenuItem* a = Item(root, "mnuA", "打开(&O)");
    TMenuItem* c = Item(root, "mnuC", "关闭");
    TMenuItem* b = Item(nullptr, "mnuB", "A&&B");
    root->Insert(1, b);
    EXPECT_EQ(Names(root), (std::vector<std::string>{"mnuA", "mnuB", "mnuC"}));
    EXPECT_EQ(b->Parent(), root);
    EXPECT_EQ(b->MenuIndex(), 1);
    EXPECT_EQ(b->GetParentMenu(), FMenu);
    EXPECT_EQ(root->Find("打开(O)"), a);
    EXPECT_EQ(root->Find("A&&B"), b);
    EXPECT_EQ(root->Find("&A&&B"), b);
    EXPECT_EQ(root->Find("无"), nullptr);
    root->Delete(0);
    EXPECT_EQ(a->Parent(), nullptr);
    EXPECT_EQ(a->GetParentMenu(), nullptr);
    EXPECT_EQ(Names(root), (std::vector<std::string>{"mnuB", "mnuC"}));
    root->Remove(c);
    EXPECT_EQ(root->IndexOf(c), -1);
    EXPECT_THROW(root->Items(5), EComponentError);
    EXPECT_THROW(root->Insert(9, a), EComponentError);
    EXPECT_THROW(root->Add(b), EComponentError); // already in a menu
    a->Add(c);
    EXPECT_THROW(c->Add(a), EComponentError); // would contain itself
    EXPECT_THROW(a->Add(a), EComponentError);
}

TEST_F(MenuItemTest, DestroyingAnItemTakesItsSubItemsAndLeavesItsParent) {
    TMenuItem* file = Item(FMenu->Items(), "N43", "文件");
    TSafeRef<TMenuItem> sub(Item(file, "mnuNew", "新建"));
    TSafeRef<TMenuItem> subSub(Item(sub.Get(), "mnuBlank", "空白页"));
    delete file;
    EXPECT_FALSE(sub);
    EXPECT_FALSE(subSub);
    EXPECT_EQ(FMenu->Items()->Count(), 0);
    EXPECT_EQ(FForm->FindComponent("mnuNew"), nullptr);
    TMenuItem* last = Item(FMenu->Items(), "mnuLast", "最后");
    TSafeRef<TMenuItem> ref(last);
    delete FMenu;
    FMenu = nullptr;
    EXPECT_FALSE(ref);
}

TEST_F(MenuItemTest, CheckingARadioItemUnchecksItsGroupOnly) {
    TMenuItem* root = FMenu->Items();
    std::vector<TMenuItem*> sizes;
    for (const char* name : {"mnuMax", "mnuMore", "mnuIn"}) {
        TMenuItem* item = Item(root, name, name);
        item->SetRadioItem(true);
        item->SetGroupIndex(1);
        sizes.push_back(item);
    }
    TMenuItem* other = Item(root, "mnuOther", "other");
    other->SetRadioItem(true);
    other->SetGroupIndex(2);
    other->SetChecked(true);
    TMenuItem* plain = Item(root, "mnuPlain", "plain");
    plain->SetChecked(true);
    sizes[2]->SetChecked(true);
    sizes[0]->SetChecked(true);
    EXPECT_TRUE(sizes[0]->Checked());
    EXPECT_FALSE(sizes[1]->Checked());
    EXPECT_FALSE(sizes[2]->Checked());
    EXPECT_TRUE(other->Checked());
    EXPECT_TRUE(plain->Checked());
}

TEST_F(MenuItemTest, OneDefaultItemPerSubMenu) {
    TMenuItem* a = Item(FMenu->Items(), "mnuA", "a");
    TMenuItem* b = Item(FMenu->Items(), "mnuB", "b");
    a->SetDefault(true);
    b->SetDefault(true);
    EXPECT_FALSE(a->Default());
    EXPECT_TRUE(b->Default());
}

TEST_F(MenuItemTest, ClickRunsOnlyForEnabledItemsAndTogglesAutoCheck) {
    TMenuItem* offline = Command(FMenu->Items(), "mnuOffline", "脱机工作(&W)");
    offline->SetAutoCheck(true);
    offline->Click();
    EXPECT_TRUE(offline->Checked());
    offline->Click();
    EXPECT_FALSE(offline->Checked());
    offline->SetEnabled(false);
    offline->Click();
    EXPECT_FALSE(offline->Checked());
    EXPECT_EQ(FClicks.size(), 2u);
}

TEST_F(MenuItemTest, ChangesReachTheMenuWithTheRebuildFlag) {
    TMenuItem* a = Item(FMenu->Items(), "mnuA", "a");
    FChanges.clear();
    a->SetCaption("b");
    a->SetChecked(true);
    a->SetVisible(false);
    a->SetCaption("-");
    Item(a, "mnuSub", "sub");
    a->SetCaption("-"); // no change, no notification
    EXPECT_EQ(FChanges, (std::vector<std::string>{"mnuA", "mnuA", "mnuA!", "mnuA!", "mnuA!"}));
    // Items outside a menu notify nobody.
    TMenuItem* loose = Item(nullptr, "mnuLoose", "x");
    FChanges.clear();
    loose->SetCaption("y");
    EXPECT_TRUE(FChanges.empty());
}

TEST_F(MenuItemTest, TheOwningFormBeingDestroyedRunsNoChangeHandlers) {
    Item(FMenu->Items(), "mnuA", "a");
    Item(FMenu->Items(), "mnuB", "b");
    FChanges.clear();
    bool handlerRan = false;
    FMenu->OnChange = [&](TObject*, TMenuItem*, bool) { handlerRan = true; };
    delete FForm;
    FForm = nullptr;
    EXPECT_FALSE(handlerRan);
}

TEST_F(MenuItemTest, AMenuDropsAnImageListThatGoesAway) {
    auto* images = new TImageList(FForm);
    FMenu->SetImages(images);
    EXPECT_EQ(FMenu->Images(), images);
    EXPECT_EQ(FMenu->ImageList(), static_cast<TCustomImageList*>(images));
    delete images;
    EXPECT_EQ(FMenu->Images(), nullptr);
    EXPECT_EQ(FMenu->ImageList(), nullptr);
}

// --- stored layouts -------------------------------------------------------------

namespace {

class TMenuLayoutForm : public TForm {
    XF_CLASS(TMenuLayoutForm)
public:
    explicit TMenuLayoutForm(TComponent* owner) : TForm(owner) {
        Method("mnuNewClick", &TMenuLayoutForm::mnuNewClick);
        Method("mnuDraw", &TMenuLayoutForm::mnuDraw);
        Method("mnuMeasure", &TMenuLayoutForm::mnuMeasure);
    }
    void mnuNewClick(TObject* sender) {
        Clicked.push_back(static_cast<TComponent*>(sender)->Name());
    }
    void mnuDraw(TObject*, TCanvas&, TRect, bool) {}
    void mnuMeasure(TObject*, TCanvas&, int&, int& height) { height = 33; }
    std::vector<std::string> Clicked;
};

const TClassInfo& TMenuLayoutForm::StaticClass() {
    static const TClassInfo info =
        TClassBuilder<TMenuLayoutForm>("TMenuLayoutForm", &TForm::StaticClass()).Build();
    return info;
}

const char* const MenuLayout = R"(object FrmTest: TMenuLayoutForm
  Menu = mnuMainMenu
  object ImageIndex: TImageList
  end
  object mnuMainMenu: TMainMenu
    Images = ImageIndex
    AutoHotkeys = maManual
    object N43: TMenuItem
      Caption = '文件(F)'
      object mnuNew: TMenuItem
        Caption = '空白页(&B)'
        ImageIndex = 36
        ShortCut = 16462
        OnClick = mnuNewClick
      end
      object N54: TMenuItem
        Caption = '-'
      end
      object mnuFind: TMenuItem
        Caption = '查找(在当前页)(&F)'
        ShortCut = 'Ctrl+F'
        Checked = True
        OnClick = mnuNewClick
      end
    end
  end
  object popPopupMenu: TPopupMenu
    OwnerDraw = True
    AutoPopup = False
    Alignment = paRight
    object N1: TMenuItem
      Caption = '关闭'
      OnClick = mnuNewClick
      OnDrawItem = mnuDraw
      OnMeasureItem = mnuMeasure
    end
  end
  object tbrMenu: TToolBar
    ShowCaptions = True
    Flat = True
    object btnFile: TToolButton
      MenuItem = N43
      AutoSize = True
      Grouped = True
    end
  end
end
)";

} // namespace

TEST_F(MenuItemTest, MenusAndTheirItemsComeFromStoredLayouts) {
    auto* form = new TMenuLayoutForm(nullptr);
    TLayoutLoader::LoadText(form, MenuLayout, "test.lay");
    auto* menu = dynamic_cast<TMainMenu*>(form->FindComponent("mnuMainMenu"));
    ASSERT_NE(menu, nullptr);
    EXPECT_EQ(form->Menu(), menu);
    EXPECT_EQ(menu->Images(), form->FindComponent("ImageIndex"));
    EXPECT_EQ(menu->AutoHotkeys(), TMenuAutoFlag::maManual);
    ASSERT_EQ(menu->Items()->Count(), 1);
    TMenuItem* file = menu->Items()->Items(0);
    EXPECT_EQ(file->Caption(), "文件(F)");
    ASSERT_EQ(file->Count(), 3);
    EXPECT_EQ(file->Items(0)->ImageIndex(), 36);
    EXPECT_EQ(file->Items(0)->ShortCut(), ShortCut('N', ssCtrl));
    EXPECT_TRUE(file->Items(1)->IsLine());
    EXPECT_EQ(file->Items(2)->ShortCut(), ShortCut('F', ssCtrl));
    EXPECT_TRUE(file->Items(2)->Checked());
    file->Items(0)->Click();
    EXPECT_EQ(form->Clicked, std::vector<std::string>{"mnuNew"});

    auto* popup = dynamic_cast<TPopupMenu*>(form->FindComponent("popPopupMenu"));
    ASSERT_NE(popup, nullptr);
    EXPECT_TRUE(popup->OwnerDraw());
    EXPECT_FALSE(popup->AutoPopup());
    EXPECT_EQ(popup->Alignment(), TPopupAlignment::paRight);
    ASSERT_EQ(popup->Items()->Count(), 1);
    EXPECT_TRUE(popup->Items()->Items(0)->OnDrawItem);
    popup->Popup(500, 100);
    ASSERT_EQ(Levels().size(), 1u);
    EXPECT_EQ(Level(0)->ItemRect(0).Height(), 33);
    EXPECT_EQ(Level(0)->BoundsRect().Right, 500); // right-aligned on the point
    TMenuTracker::CloseMenus();

    auto* bar = dynamic_cast<TToolBar*>(form->FindComponent("tbrMenu"));
    ASSERT_NE(bar, nullptr);
    ASSERT_EQ(bar->ButtonCount(), 1);
    EXPECT_EQ(bar->Buttons(0)->MenuItem(), file);
    EXPECT_EQ(bar->Buttons(0)->Caption(), "文件(F)");
    delete form;
}

TEST_F(MenuItemTest, AShortCutThatIsNoShortCutIsALayoutError) {
    auto* form = new TMenuLayoutForm(nullptr);
    const char* text = R"(object FrmTest: TMenuLayoutForm
  object m: TMainMenu
    object a: TMenuItem
      ShortCut = 'Ctrl+Banana'
    end
  end
end
)";
    try {
        TLayoutLoader::LoadText(form, text, "bad.lay");
        ADD_FAILURE() << "no error";
    } catch (const ELayoutError& e) {
        EXPECT_NE(std::string(e.what()).find("bad.lay:4"), std::string::npos) << e.what();
        EXPECT_NE(std::string(e.what()).find("Ctrl+Banana"), std::string::npos) << e.what();
    }
    delete form;
}
