#include "gui/TMenuTracker.h"

#include <algorithm>

#include "gui/IMenuBarView.h"
#include "gui/MenuHooks.h"
#include "gui/TApplication.h"
#include "gui/TCustomForm.h"
#include "gui/TMenu.h"
#include "gui/TMenuWindow.h"
#include "gui/TTimer.h"

const TEnumTable& PopupAlignmentNames() {
    static const TEnumTable names = {{"paLeft", 0}, {"paRight", 1}, {"paCenter", 2}};
    return names;
}

namespace {

TSafeRef<TMenuTracker>& CurrentRef() {
    static TSafeRef<TMenuTracker> ref;
    return ref;
}

std::vector<IMenuBarView*>& Bars() {
    static std::vector<IMenuBarView*> bars;
    return bars;
}

// The form where Alt went down with nothing else pressed since: releasing
// it there enters that form's menu bar.
TSafeRef<TCustomForm>& AltArmed() {
    static TSafeRef<TCustomForm> form;
    return form;
}

bool IsKeyDown(uint32_t m) {
    return m == WM_KEYDOWN || m == WM_SYSKEYDOWN;
}
bool IsKeyUp(uint32_t m) {
    return m == WM_KEYUP || m == WM_SYSKEYUP;
}
bool IsChar(uint32_t m) {
    return m == WM_CHAR || m == WM_SYSCHAR || m == WM_DEADCHAR || m == WM_SYSDEADCHAR ||
           m == WM_IME_CHAR;
}
bool IsMouse(uint32_t m) {
    return m >= WM_MOUSEFIRST && m <= WM_MOUSELAST;
}
bool IsButtonDown(uint32_t m) {
    return m == WM_LBUTTONDOWN || m == WM_RBUTTONDOWN || m == WM_MBUTTONDOWN ||
           m == WM_LBUTTONDBLCLK || m == WM_RBUTTONDBLCLK || m == WM_MBUTTONDBLCLK;
}
bool IsButtonUp(uint32_t m) {
    return m == WM_LBUTTONUP || m == WM_RBUTTONUP;
}

// The access character a key press stands for: letters and digits by their
// key, anything else by the character it types.
char32_t KeyChar(int key, char16_t ch) {
    if ((key >= 'A' && key <= 'Z') || (key >= '0' && key <= '9')) return static_cast<char32_t>(key);
    if (ch < 0x20 || (ch >= 0xD800 && ch <= 0xDFFF)) return 0;
    return ch >= 'a' && ch <= 'z' ? ch - 'a' + 'A' : ch;
}

TCustomForm* FormOf(HWND hwnd) {
    TWinControl* control = TWinControl::FromHandle(hwnd);
    return control ? control->ParentForm() : nullptr;
}

int BarAccessIndex(IMenuBarView* bar, char32_t key) {
    for (int i = 0; i < bar->BarItemCount(); ++i)
        if (TMenuItem* item = bar->BarItem(i); item && item->AccessKey() == key) return i;
    return -1;
}

bool HasBarItems(IMenuBarView* bar) {
    for (int i = 0; i < bar->BarItemCount(); ++i)
        if (bar->BarItem(i)) return true;
    return false;
}

} // namespace

const TClassInfo& TMenuTracker::StaticClass() {
    static const TClassInfo info =
        TClassBuilder<TMenuTracker>("TMenuTracker", &TComponent::StaticClass()).Build();
    return info;
}

TMenuTracker::TMenuTracker(TComponent* owner) : TComponent(owner) {
    FHoverTimer = new TTimer(this);
    FHoverTimer->SetEnabled(false);
    FHoverTimer->OnTimer = [this](TObject*) { HoverTimer(); };
    InstallMenuHooks();
}

TMenuTracker::~TMenuTracker() {
    Destroying();
    SetBarState(-1, false);
    FBar = nullptr;
    FLevels.clear(); // the windows are owned: they go with the components
}

TMenuTracker* TMenuTracker::Instance() {
    if (!CurrentRef() && Application)
        CurrentRef() = TSafeRef<TMenuTracker>(new TMenuTracker(Application));
    return CurrentRef().Get();
}

TMenuTracker* TMenuTracker::Current() {
    return CurrentRef().Get();
}

void TMenuTracker::CloseMenus() {
    if (TMenuTracker* tracker = Current()) tracker->CloseAll();
}

bool TMenuTracker::Active() const {
    return !FLevels.empty() || FBar;
}

// --- opening and closing -------------------------------------------------

// The platform tells an item before its sub-menu shows, so that its handler
// can bring the sub-items up to date.
void TMenuTracker::Prepare(TMenuItem* item) {
    if (item->OnClick) item->OnClick(item);
}

TMenuWindow* TMenuTracker::NewLevel(TMenuItem* parent) {
    auto* window = new TMenuWindow(this, parent);
    FLevels.push_back(window);
    window->Rebuild();
    return window;
}

bool TMenuTracker::Popup(TMenu* menu, TMenuItem* root, TPoint at, TPopupAlignment alignment) {
    CloseAll();
    if (!root || !root->HasSubMenu()) return false;
    FMenu = menu;
    TMenuWindow* window = NewLevel(root);
    if (alignment == TPopupAlignment::paRight)
        at.X -= window->Width();
    else if (alignment == TPopupAlignment::paCenter)
        at.X -= window->Width() / 2;
    window->ShowAt(at);
    return true;
}

void TMenuTracker::OpenSubMenu(int level, int index, bool selectFirst) {
    TMenuWindow* parent = FLevels[static_cast<size_t>(level)];
    TMenuItem* item = parent->Item(index);
    if (!item || !item->Enabled() || !item->HasSubMenu()) {
        CloseLevelsAfter(level);
        return;
    }
    parent->SetHotIndex(index);
    size_t next = static_cast<size_t>(level) + 1;
    if (next < FLevels.size() && FLevels[next]->ParentItem() == item) {
        if (selectFirst && FLevels[next]->HotIndex() < 0)
            FLevels[next]->SetHotIndex(FLevels[next]->NextSelectable(-1, 1));
        return;
    }
    CloseLevelsAfter(level);
    TSafeRef<TMenuItem> ref(item);
    TSafeRef<TMenuWindow> parentRef(parent);
    Prepare(item);
    if (!ref || !parentRef || FLevels.size() != next || !item->HasSubMenu()) return;
    TMenuWindow* window = NewLevel(item);
    window->ShowBeside(parent->BoundsRect(), parent->ItemScreenRect(parent->IndexOf(item)));
    if (selectFirst) window->SetHotIndex(window->NextSelectable(-1, 1));
}

void TMenuTracker::OpenBarItem(IMenuBarView* bar, int index, bool byKeyboard) {
    FHoverTimer->SetEnabled(false);
    CloseLevels();
    if (FBar && FBar != bar) SetBarState(-1, false);
    TMenuItem* item = bar->BarItem(index);
    if (FBar != bar) FBarFromMouse = !byKeyboard;
    FBar = bar;
    FBarIndex = index;
    FBarDropped = true;
    FMenu = item ? item->GetParentMenu() : nullptr;
    SetBarState(index, false);
    if (!item || !item->Enabled()) return;
    TSafeRef<TMenuItem> ref(item);
    Prepare(item);
    if (!ref || FBar != bar || FBarIndex != index || !item->HasSubMenu()) return;
    TMenuWindow* window = NewLevel(item);
    window->ShowBelow(bar->BarItemScreenRect(index));
    if (byKeyboard) window->SetHotIndex(window->NextSelectable(-1, 1));
    SetBarState(index, true);
}

void TMenuTracker::EnterBar(IMenuBarView* bar) {
    CloseAll();
    for (int i = 0; i < bar->BarItemCount(); ++i) {
        if (TMenuItem* item = bar->BarItem(i)) {
            FBar = bar;
            FBarIndex = i;
            FBarFromMouse = false;
            FMenu = item->GetParentMenu();
            SetBarState(i, false);
            return;
        }
    }
}

void TMenuTracker::CloseLevelsAfter(int level) {
    while (static_cast<int>(FLevels.size()) > level + 1) {
        TMenuWindow* window = FLevels.back();
        FLevels.pop_back();
        delete window;
    }
    // A closed level gave up the pointer grab; the level now deepest takes it.
    if (!FLevels.empty()) FLevels.back()->HoldPointer();
}

void TMenuTracker::CloseLevels() {
    CloseLevelsAfter(-1);
}

// A window that loses the keyboard leaves keyboard mode on its bar, and
// an Alt that went down in it no longer enters the bar.
void TMenuTracker::FormDeactivated(TCustomForm* form) {
    if (AltArmed().Get() == form) AltArmed() = {};
    TMenuTracker* tracker = Current();
    if (!tracker || !tracker->FBar || !tracker->FLevels.empty()) return;
    TControl* bar = tracker->FBar->BarControl();
    if (bar && bar->ParentForm() == form) tracker->CloseAll();
}

void TMenuTracker::CloseAll() {
    FHoverTimer->SetEnabled(false);
    CloseLevels();
    SetBarState(-1, false);
    FBar = nullptr;
    FBarIndex = -1;
    FBarDropped = false;
    FMenu = nullptr;
}

void TMenuTracker::SetBarState(int index, bool open) {
    if (FBar) FBar->BarStateChanged(index, open);
}

void TMenuTracker::Choose(TMenuItem* item) {
    if (!item || item->IsLine() || !item->Enabled()) return;
    CloseAll();
    TSafeRef<TMenuItem> ref(item);
    Application->Queue([ref] {
        if (TMenuItem* chosen = ref.Get()) chosen->Click();
    });
}

void TMenuTracker::Select(TMenuItem* item, int level, int index) {
    if (item->HasSubMenu())
        OpenSubMenu(level, index, true);
    else
        Choose(item);
}

void TMenuTracker::MoveBar(int step) {
    int count = FBar->BarItemCount();
    int index = FBarIndex;
    for (int n = 0; n < count; ++n) {
        index = (index + step + count) % count;
        if (FBar->BarItem(index)) break;
    }
    if (index < 0 || !FBar->BarItem(index) || index == FBarIndex) return;
    if (FBarDropped) {
        OpenBarItem(FBar, index, true);
        return;
    }
    FBarIndex = index;
    SetBarState(index, false);
}

// --- input -----------------------------------------------------------------

bool TMenuTracker::FilterMessage(const TMsg& msg) {
    // Alt held down repeats its key-down; only the first press counts.
    static bool altDown = false;
    bool altRepeat = false;
    if (msg.wParam == static_cast<WPARAM>(VK_MENU)) {
        if (IsKeyDown(msg.message)) {
            altRepeat = altDown;
            altDown = true;
        } else if (IsKeyUp(msg.message)) {
            altDown = false;
        }
    }
    TMenuTracker* tracker = Current();
    if (tracker && tracker->Active()) return tracker->FilterActive(msg, altRepeat);
    return FilterInactive(msg);
}

bool TMenuTracker::FilterActive(const TMsg& msg, bool altRepeat) {
    uint32_t m = msg.message;
    if (IsKeyDown(m)) {
        if (!altRepeat) KeyDown(static_cast<int>(msg.wParam), msg.Char);
        return true;
    }
    if (IsKeyUp(m) || IsChar(m)) return true;
    if (IsMouse(m)) {
        MouseMessage(msg);
        return true;
    }
    return false;
}

bool TMenuTracker::FilterInactive(const TMsg& msg) {
    uint32_t m = msg.message;
    if (IsButtonDown(m)) AltArmed() = {};
    if (!IsKeyDown(m) && !IsKeyUp(m)) return false;
    int key = static_cast<int>(msg.wParam);
    TCustomForm* form = FormOf(msg.hwnd);
    if (!form || dynamic_cast<TMenuWindow*>(form)) return false;
    if (IsKeyUp(m)) {
        if (key != VK_MENU) return false;
        // An Alt let go while the window was away (Alt+Tab) is not Alt
        // pressed on its own.
        bool armed = AltArmed().Get() == form && form->Active();
        AltArmed() = {};
        IMenuBarView* bar = armed ? BarOf(form) : nullptr;
        if (!bar) return false;
        Instance()->EnterBar(bar);
        return true;
    }
    if (key == VK_MENU) {
        AltArmed() = form;
        return false;
    }
    AltArmed() = {};
    TShiftState shift = KeyboardShiftState();
    if (key == VK_F10 && !(shift & (ssShift | ssCtrl | ssAlt))) {
        IMenuBarView* bar = BarOf(form);
        if (!bar) return false;
        Instance()->EnterBar(bar);
        return true;
    }
    // A system key-down is a key pressed with Alt held, whatever the modifier
    // state says by the time the message is taken from the queue.
    if (m != WM_SYSKEYDOWN || (shift & ssCtrl)) return false;
    // Alt+letter: a shortcut of the form comes before the bar's access keys.
    if (FindFormShortCut(form, ShortCut(key, shift | ssAlt))) return false;
    IMenuBarView* bar = BarOf(form);
    int index = bar ? BarAccessIndex(bar, KeyChar(key, msg.Char)) : -1;
    if (index < 0) return false;
    TMenuTracker* tracker = Instance();
    TMenuItem* item = bar->BarItem(index);
    if (item->HasSubMenu())
        tracker->OpenBarItem(bar, index, true);
    else
        tracker->Choose(item);
    return true;
}

void TMenuTracker::KeyDown(int key, char16_t ch) {
    if (key == VK_MENU || key == VK_F10) {
        CloseAll();
        return;
    }
    if (key == VK_SHIFT || key == VK_CONTROL) return;
    TMenuWindow* top = Deepest();
    if (!top) {
        BarKeyDown(key, ch);
        return;
    }
    FHoverTimer->SetEnabled(false);
    int level = static_cast<int>(FLevels.size()) - 1;
    int hot = top->HotIndex();
    switch (key) {
    case VK_UP:
    case VK_DOWN:
        top->SetHotIndex(top->NextSelectable(hot, key == VK_DOWN ? 1 : -1));
        return;
    case VK_HOME:
    case VK_END:
        top->SetHotIndex(top->NextSelectable(-1, key == VK_HOME ? 1 : -1));
        return;
    case VK_RIGHT:
        if (TMenuItem* item = top->Item(hot); item && item->Enabled() && item->HasSubMenu())
            OpenSubMenu(level, hot, true);
        else if (FBar)
            MoveBar(1);
        return;
    case VK_LEFT:
        if (level > 0)
            CloseLevelsAfter(level - 1);
        else if (FBar)
            MoveBar(-1);
        return;
    case VK_RETURN:
    case VK_SPACE:
        if (TMenuItem* item = top->Item(hot)) Select(item, level, hot);
        return;
    case VK_ESCAPE:
        if (level > 0) {
            CloseLevelsAfter(level - 1);
        } else if (FBar && !FBarFromMouse) {
            // Back to the bar, its entry still highlighted.
            CloseLevels();
            FBarDropped = false;
            SetBarState(FBarIndex, false);
        } else {
            CloseAll();
        }
        return;
    default:
        AccessKey(KeyChar(key, ch));
        return;
    }
}

void TMenuTracker::BarKeyDown(int key, char16_t ch) {
    TMenuItem* item = FBar->BarItem(FBarIndex);
    switch (key) {
    case VK_LEFT:
    case VK_RIGHT:
        MoveBar(key == VK_RIGHT ? 1 : -1);
        return;
    case VK_UP:
    case VK_DOWN:
    case VK_RETURN:
    case VK_SPACE:
        if (!item) return;
        if (item->HasSubMenu())
            OpenBarItem(FBar, FBarIndex, true);
        else if (key == VK_RETURN || key == VK_SPACE)
            Choose(item);
        return;
    case VK_ESCAPE:
        CloseAll();
        return;
    default: {
        int index = BarAccessIndex(FBar, KeyChar(key, ch));
        if (index < 0) return;
        TMenuItem* found = FBar->BarItem(index);
        if (found->HasSubMenu())
            OpenBarItem(FBar, index, true);
        else
            Choose(found);
        return;
    }
    }
}

// One match opens or chooses the item; several take turns being hot.
void TMenuTracker::AccessKey(char32_t key) {
    if (!key) return;
    TMenuWindow* top = Deepest();
    std::vector<int> matches;
    for (int i = 0; i < top->ItemCount(); ++i)
        if (!top->Item(i)->IsLine() && top->Item(i)->AccessKey() == key) matches.push_back(i);
    if (matches.empty()) return;
    if (matches.size() == 1) {
        int index = matches.front();
        top->SetHotIndex(index);
        Select(top->Item(index), static_cast<int>(FLevels.size()) - 1, index);
        return;
    }
    auto next = std::upper_bound(matches.begin(), matches.end(), top->HotIndex());
    top->SetHotIndex(next == matches.end() ? matches.front() : *next);
}

void TMenuTracker::MouseMessage(const TMsg& msg) {
    if (msg.message == WM_MOUSEMOVE)
        MouseMove(msg.pt);
    else if (IsButtonDown(msg.message))
        MouseButtonDown(msg.pt);
    else if (IsButtonUp(msg.message))
        MouseButtonUp(msg.pt);
}

int TMenuTracker::LevelAt(TPoint screen) const {
    for (int k = static_cast<int>(FLevels.size()) - 1; k >= 0; --k)
        if (FLevels[static_cast<size_t>(k)]->ContainsScreen(screen)) return k;
    return -1;
}

int TMenuTracker::BarIndexAt(TPoint screen) const {
    if (!FBar) return -1;
    for (int i = 0; i < FBar->BarItemCount(); ++i)
        if (FBar->BarItem(i) && FBar->BarItemScreenRect(i).Contains(screen)) return i;
    return -1;
}

void TMenuTracker::MouseMove(TPoint screen) {
    int level = LevelAt(screen);
    if (level >= 0) {
        Hover(level, FLevels[static_cast<size_t>(level)]->ItemAtScreen(screen));
        return;
    }
    int barIndex = BarIndexAt(screen);
    if (barIndex >= 0) {
        if (barIndex == FBarIndex) return;
        if (FBarDropped)
            OpenBarItem(FBar, barIndex, false);
        else {
            FBarIndex = barIndex;
            SetBarState(barIndex, false);
        }
        return;
    }
    // Outside every menu: only an item whose sub-menu is open stays lit.
    FHoverTimer->SetEnabled(false);
    if (TMenuWindow* top = Deepest()) top->SetHotIndex(-1);
}

void TMenuTracker::Hover(int level, int index) {
    for (int k = 0; k < level; ++k) {
        TMenuWindow* outer = FLevels[static_cast<size_t>(k)];
        outer->SetHotIndex(outer->IndexOf(FLevels[static_cast<size_t>(k) + 1]->ParentItem()));
    }
    TMenuWindow* window = FLevels[static_cast<size_t>(level)];
    TMenuItem* item = window->Item(index);
    if (!item || item->IsLine()) return;
    window->SetHotIndex(index);
    size_t next = static_cast<size_t>(level) + 1;
    bool childIsItems = next < FLevels.size() && FLevels[next]->ParentItem() == item;
    bool opens = item->Enabled() && item->HasSubMenu();
    if (childIsItems || (next >= FLevels.size() && !opens)) {
        FHoverTimer->SetEnabled(false);
        return;
    }
    FHoverLevel = level;
    FHoverIndex = index;
    FHoverTimer->SetEnabled(false);
    FHoverTimer->SetInterval(HoverDelayMs);
    FHoverTimer->SetEnabled(true);
}

void TMenuTracker::HoverTimer() {
    FHoverTimer->SetEnabled(false);
    int level = FHoverLevel;
    if (level < 0 || level >= static_cast<int>(FLevels.size())) return;
    TMenuWindow* window = FLevels[static_cast<size_t>(level)];
    if (window->HotIndex() != FHoverIndex) return;
    TMenuItem* item = window->Item(FHoverIndex);
    if (item && item->Enabled() && item->HasSubMenu())
        OpenSubMenu(level, FHoverIndex, false);
    else
        CloseLevelsAfter(level);
}

void TMenuTracker::MouseButtonDown(TPoint screen) {
    int level = LevelAt(screen);
    if (level >= 0) {
        TMenuWindow* window = FLevels[static_cast<size_t>(level)];
        int index = window->ItemAtScreen(screen);
        TMenuItem* item = window->Item(index);
        if (item && item->Enabled() && item->HasSubMenu()) {
            FHoverTimer->SetEnabled(false);
            OpenSubMenu(level, index, false);
        }
        return;
    }
    int barIndex = BarIndexAt(screen);
    if (barIndex < 0 || (barIndex == FBarIndex && !FLevels.empty())) {
        CloseAll();
        return;
    }
    OpenBarItem(FBar, barIndex, false);
}

void TMenuTracker::MouseButtonUp(TPoint screen) {
    int level = LevelAt(screen);
    if (level >= 0) {
        TMenuWindow* window = FLevels[static_cast<size_t>(level)];
        int index = window->ItemAtScreen(screen);
        TMenuItem* item = window->Item(index);
        if (!item || item->IsLine() || !item->Enabled()) return;
        if (item->HasSubMenu())
            OpenSubMenu(level, index, false);
        else
            Choose(item);
        return;
    }
    int barIndex = BarIndexAt(screen);
    if (barIndex >= 0 && barIndex == FBarIndex && FLevels.empty()) {
        TMenuItem* item = FBar->BarItem(barIndex);
        if (item && !item->HasSubMenu()) Choose(item);
    }
}

// --- notifications -----------------------------------------------------------

bool TMenuTracker::Involves(const TMenuItem* item) const {
    auto inChain = [item](const TMenuItem* from) {
        for (const TMenuItem* p = from; p; p = p->Parent())
            if (p == item) return true;
        return false;
    };
    for (const TMenuWindow* window : FLevels)
        if (inChain(window->ParentItem()) || window->IndexOf(item) >= 0) return true;
    return FBar && FBarIndex >= 0 && inChain(FBar->BarItem(FBarIndex));
}

void TMenuTracker::ItemDestroying(TMenuItem* item) {
    TMenuTracker* tracker = Current();
    if (tracker && tracker->Active() && tracker->Involves(item)) tracker->CloseAll();
}

void TMenuTracker::MenuChanged(TMenu* menu, TMenuItem*, bool) {
    TMenuTracker* tracker = Current();
    if (!tracker || tracker->FLevels.empty()) return;
    auto& levels = tracker->FLevels;
    // A handler changed items while a window measures or paints them: that
    // window must outlive its own loop, so look again afterwards.
    if (std::any_of(levels.begin(), levels.end(), [](const TMenuWindow* w) { return w->Busy(); })) {
        TSafeRef<TMenu> ref(menu);
        Application->Queue([ref] {
            if (TMenu* alive = ref.Get()) MenuChanged(alive, nullptr, true);
        });
        return;
    }
    for (size_t k = 0; k < levels.size(); ++k) {
        TMenuWindow* window = levels[k];
        TMenuItem* parent = window->ParentItem();
        if (!parent) {
            tracker->CloseAll();
            return;
        }
        if (parent->GetParentMenu() != menu) continue;
        window->Rebuild();
        if (k + 1 < levels.size()) {
            TMenuItem* child = levels[k + 1]->ParentItem();
            if (window->IndexOf(child) < 0 || !child->Enabled() || !child->HasSubMenu()) {
                tracker->CloseLevelsAfter(static_cast<int>(k));
                return;
            }
        }
    }
}

void TMenuTracker::MenuDestroying(TMenu* menu) {
    TMenuTracker* tracker = Current();
    if (!tracker || !tracker->Active()) return;
    bool shows = tracker->FMenu == menu;
    for (const TMenuWindow* window : tracker->FLevels)
        if (window->ParentItem() && window->ParentItem()->GetParentMenu() == menu) shows = true;
    if (shows) tracker->CloseAll();
}

void TMenuTracker::RegisterBar(IMenuBarView* bar) {
    if (std::find(Bars().begin(), Bars().end(), bar) == Bars().end()) Bars().push_back(bar);
}

void TMenuTracker::UnregisterBar(IMenuBarView* bar) {
    Bars().erase(std::remove(Bars().begin(), Bars().end(), bar), Bars().end());
    TMenuTracker* tracker = Current();
    if (tracker && tracker->FBar == bar) {
        tracker->FBar = nullptr; // going away: not told about its state any more
        tracker->CloseAll();
    }
}

IMenuBarView* TMenuTracker::BarOf(const TControl* form) {
    for (IMenuBarView* bar : Bars()) {
        TControl* control = bar->BarControl();
        if (control->ParentForm() == form && control->Showing() && control->EnabledInTree() &&
            HasBarItems(bar))
            return bar;
    }
    return nullptr;
}

std::vector<TOpenMenuInfo> TMenuTracker::OpenMenus() {
    std::vector<TOpenMenuInfo> menus;
    TMenuTracker* tracker = Current();
    if (!tracker) return menus;
    for (const TMenuWindow* window : tracker->FLevels) {
        TMenuItem* parent = window->ParentItem();
        if (!parent) continue;
        TOpenMenuInfo info;
        TMenu* menu = parent->GetParentMenu();
        info.Name = parent->Parent() || !menu ? parent->Name() : menu->Name();
        info.ScreenRect = window->BoundsRect();
        for (int i = 0; i < parent->Count(); ++i) {
            TMenuItem* item = parent->Items(i);
            int shown = window->IndexOf(item);
            info.Items.push_back({item->Name(), item->Caption(),
                                  shown >= 0 ? window->ItemScreenRect(shown) : TRect{},
                                  item->Enabled(), item->Checked(), item->Visible(),
                                  shown >= 0 && shown == window->HotIndex()});
        }
        menus.push_back(std::move(info));
    }
    return menus;
}
