#pragma once
// A plain menu bar: a strip along the top of a form showing the visible top
// items of a main menu. Pressing an entry drops its sub-menu; an entry
// without sub-items is chosen by a click. Alt, F10 and Alt+access key reach
// it through the menu tracker.
#include <vector>

#include "gui/IMenuBarView.h"
#include "gui/TMainMenu.h"
#include "gui/TWinControl.h"

class TMenuBar : public TWinControl, public IMenuBarView, public IMenuView {
    XF_CLASS(TMenuBar)
public:
    explicit TMenuBar(TComponent* owner);
    ~TMenuBar() override;

    TMainMenu* Menu() const { return FMenu; }
    void SetMenu(TMainMenu* menu);
    int HotIndex() const { return FHot; }
    bool IsOpen() const { return FOpen; }
    // Entries in client coordinates, one per visible top item.
    TRect ItemRect(int index) const;
    int ItemAt(TPoint client) const;

    // IMenuBarView
    TControl* BarControl() override { return this; }
    int BarItemCount() const override { return static_cast<int>(FItems.size()); }
    TMenuItem* BarItem(int index) const override;
    TRect BarItemScreenRect(int index) const override;
    void BarStateChanged(int index, bool open) override;
    // IMenuView
    void MenuChanged(TMenu* menu, TMenuItem* source, bool rebuild) override;

    void Notification(TComponent* component, TOperation operation) override;

protected:
    void Paint(TCanvas& canvas) override;
    // The bar behind the entries (its colour by default) and one entry
    // (the plain look by default); a skin replaces either.
    virtual void PaintBar(TCanvas& canvas) { (void)canvas; }
    virtual void PaintItem(TCanvas& canvas, int index, const TRect& rect, bool hot, bool open);
    void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
    void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override;
    void MouseMove(TShiftState shift, int x, int y) override;
    void MouseLeave() override;
    void FontChanged() override;

private:
    void Layout();
    bool Tracking() const;

    TMainMenu* FMenu = nullptr;
    std::vector<TMenuItem*> FItems;
    std::vector<TRect> FRects;
    int FHot = -1;
    bool FOpen = false;
    int FDownIndex = -1;
};
