#pragma once
// The pop-up window that shows one level of a menu: the visible sub-items
// of one item, measured and drawn through the items' owner-draw protocol.
// The menu tracker creates, places and closes these windows and feeds them
// the hot item; a window does no input handling of its own (the tracker
// takes the input of every window while a menu is open, and a press on a
// parent level is not "outside" the chain).
#include <functional>
#include <vector>

#include "gui/TMenuItem.h"
#include "gui/TPopupWindow.h"

class TMenuWindow : public TPopupWindow {
    XF_CLASS(TMenuWindow)
public:
    // Between the window's edge and its items.
    static constexpr int Border = 3;
    // No item grows beyond this, whatever a measure handler says; the window
    // is never larger than the work area.
    static constexpr int MaxSide = 4096;

    TMenuWindow(TComponent* owner, TMenuItem* parentItem);
    ~TMenuWindow() override;

    TMenuItem* ParentItem() const { return FParentItem.Get(); }
    int ItemCount() const { return static_cast<int>(FItems.size()); }
    TMenuItem* Item(int index) const;
    int IndexOf(const TMenuItem* item) const;
    // In client coordinates, and on the screen.
    TRect ItemRect(int index) const;
    TRect ItemScreenRect(int index) const;
    int ItemAtScreen(TPoint screen) const;
    bool ContainsScreen(TPoint screen) const { return BoundsRect().Contains(screen); }

    int HotIndex() const { return FHot; }
    void SetHotIndex(int index);
    // The next item after `from` in direction `step` (+1/-1, wrapping) that
    // the keyboard can land on: not a separator, enabled. -1 when none.
    int NextSelectable(int from, int step) const;

    // Measures every visible sub-item and sizes the window (top-left kept).
    // Nothing while the window is measuring or painting (Busy).
    void Rebuild();
    bool Busy() const { return FBusy; }
    // Shows the window with its top-left at `at`, flipped left/up when it
    // would leave the work area.
    void ShowAt(TPoint at);
    // A sub-menu: right of its parent window (left when there is no room),
    // top aligned with the parent item.
    void ShowBeside(const TRect& parentWindow, const TRect& parentItem);
    // A drop-down: under a bar entry (above when there is no room).
    void ShowBelow(const TRect& barItem);

    // The open menu window whose back buffer `canvas` draws on, or nullptr.
    static TMenuWindow* FromCanvas(const TCanvas* canvas);
    // Draws on the whole window (frame included) in window coordinates,
    // outside the clip of an item being drawn, and shows the result.
    void DrawOnWindow(const std::function<void(TCanvas& canvas, const TRect& window)>& paint);

    void WndProc(TMessage& message) override;
    // Plain form input: the tracker, not the pop-up, decides what closes.
    void HostMouse(uint32_t msg, TPoint point, WPARAM keys) override;
    void HostKey(uint32_t msg, int virtualKey, LPARAM keyData, char16_t ch) override;
    void HostText(const std::u16string& text) override;
    // Takes the window system's pointer grab (the deepest level holds it).
    void HoldPointer();

    // Every open menu window, in the order they were opened.
    static const std::vector<TMenuWindow*>& OpenWindows();

protected:
    TRect NonClientInsets() const override { return {Border, Border, Border, Border}; }
    void PaintNonClient(TCanvas& canvas) override;
    void Paint(TCanvas& canvas) override;

private:
    TOwnerDrawState StateOf(int index) const;
    void Place(TPoint at);

    TSafeRef<TMenuItem> FParentItem;
    std::vector<TMenuItem*> FItems;
    std::vector<TRect> FRects;
    int FHot = -1;
    bool FBusy = false; // measuring or painting: item changes wait
};
