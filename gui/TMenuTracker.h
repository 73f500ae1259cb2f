#pragma once
// The one open menu chain of the application: the menu windows from the
// outermost level inwards, the menu bar they dropped from (if any), the
// hot items, and the keyboard and mouse while a menu is open. Like a
// modal menu loop it takes every key and mouse message from the queue
// before the application's hooks see them (TApplication::MenuMessageFilter),
// routing the mouse by screen position, so it works whichever window the
// window system delivers the input to.
//
// Choosing an item closes every level first and runs the item's Click from
// the queue, so a handler may destroy the menu or open a dialog.
#include <string>
#include <vector>

#include "gui/Messages.h"
#include "gui/TComponent.h"
#include "gui/TMenuItem.h"

class IMenuBarView;
class TControl;
class TCustomForm;
class TMenu;
class TMenuWindow;
class TTimer;

enum class TPopupAlignment { paLeft, paRight, paCenter };
const TEnumTable& PopupAlignmentNames();

struct TOpenMenuItemInfo {
    std::string Name;
    std::string Caption;
    TRect ScreenRect;
    bool Enabled = true;
    bool Checked = false;
    bool Visible = true;
    bool Hot = false;
};

struct TOpenMenuInfo {
    std::string Name; // the item whose sub-items show, or the menu for a pop-up
    TRect ScreenRect;
    std::vector<TOpenMenuItemInfo> Items;
};

class TMenuTracker : public TComponent {
    XF_CLASS(TMenuTracker)
public:
    // Pointer rest before a hovered item's sub-menu opens (or another closes).
    static inline int HoverDelayMs = 200;

    explicit TMenuTracker(TComponent* owner);
    ~TMenuTracker() override;

    // The application's tracker, made on first use; Current() never makes one.
    static TMenuTracker* Instance();
    static TMenuTracker* Current();

    // Opens `root`'s sub-items at a screen point (a pop-up menu; the point
    // is its left edge, right edge or middle), closing whatever chain was
    // open. False when there is nothing to show.
    bool Popup(TMenu* menu, TMenuItem* root, TPoint at,
               TPopupAlignment alignment = TPopupAlignment::paLeft);
    // Drops the sub-menu of bar entry `index`; `byKeyboard` also selects its
    // first item.
    void OpenBarItem(IMenuBarView* bar, int index, bool byKeyboard);
    // Keyboard mode on a bar (Alt, F10): the first entry highlighted, no
    // sub-menu yet.
    void EnterBar(IMenuBarView* bar);
    void CloseAll();
    static void CloseMenus();
    static void FormDeactivated(TCustomForm* form);

    bool Active() const;
    // Outermost first.
    const std::vector<TMenuWindow*>& Levels() const { return FLevels; }
    IMenuBarView* Bar() const { return FBar; }
    int BarIndex() const { return FBarIndex; }
    // For a state dump: the open levels, outermost first.
    static std::vector<TOpenMenuInfo> OpenMenus();

    // Installed as TApplication::MenuMessageFilter.
    static bool FilterMessage(const TMsg& msg);

    // Told by menus and items.
    static void ItemDestroying(TMenuItem* item);
    static void MenuChanged(TMenu* menu, TMenuItem* source, bool rebuild);
    static void MenuDestroying(TMenu* menu);

    // Bars that Alt/F10 and access keys can enter.
    static void RegisterBar(IMenuBarView* bar);
    static void UnregisterBar(IMenuBarView* bar);
    // The first showing bar with menu entries on `form`.
    static IMenuBarView* BarOf(const TControl* form);

private:
    bool FilterActive(const TMsg& msg, bool altRepeat);
    static bool FilterInactive(const TMsg& msg);
    void KeyDown(int key, char16_t ch);
    void BarKeyDown(int key, char16_t ch);
    void MouseMessage(const TMsg& msg);
    void MouseMove(TPoint screen);
    void MouseButtonDown(TPoint screen);
    void MouseButtonUp(TPoint screen);

    TMenuWindow* Deepest() const { return FLevels.empty() ? nullptr : FLevels.back(); }
    int LevelAt(TPoint screen) const;
    int BarIndexAt(TPoint screen) const;
    TMenuWindow* NewLevel(TMenuItem* parent);
    void OpenSubMenu(int level, int index, bool selectFirst);
    void CloseLevelsAfter(int level);
    void CloseLevels();
    void Choose(TMenuItem* item);
    void Select(TMenuItem* item, int level, int index);
    void MoveBar(int step);
    void SetBarState(int index, bool open);
    void Hover(int level, int index);
    void HoverTimer();
    void AccessKey(char32_t key);
    bool Involves(const TMenuItem* item) const;
    static void Prepare(TMenuItem* item);

    std::vector<TMenuWindow*> FLevels;
    TMenu* FMenu = nullptr;
    IMenuBarView* FBar = nullptr;
    int FBarIndex = -1;
    // The bar drops sub-menus as the keyboard or the mouse moves along it.
    bool FBarDropped = false;
    // The bar was entered with the mouse: Escape leaves it altogether.
    bool FBarFromMouse = false;
    TTimer* FHoverTimer = nullptr;
    int FHoverLevel = -1;
    int FHoverIndex = -1;
};
