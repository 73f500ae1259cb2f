#include "gui/TMenuBar.h"

#include <algorithm>

#include "gui/TApplication.h"
#include "gui/TMenuPainter.h"
#include "gui/TMenuTracker.h"
#include "gui/graphics/TBitmap.h"
#include "gui/graphics/TCanvas.h"

const TClassInfo& TMenuBar::StaticClass() {
    static const TClassInfo info = TClassBuilder<TMenuBar>("TMenuBar", &TWinControl::StaticClass())
                                       .Prop("Menu", &TMenuBar::Menu, &TMenuBar::SetMenu)
                                       .Build();
    return info;
}

TMenuBar::TMenuBar(TComponent* owner) : TWinControl(owner) {
    // The tracker takes the button release once a sub-menu is open, so the
    // bar neither captures the mouse nor makes clicks of its own.
    SetControlStyle(ControlStyle() & ~(csCaptureMouse | csClickEvents | csDoubleClicks));
    SetColor(clBtnFace);
    SetBounds(0, 0, 200, 22);
    TMenuTracker::RegisterBar(this);
}

TMenuBar::~TMenuBar() {
    Destroying();
    TMenuTracker::UnregisterBar(this);
    if (FMenu) FMenu->RemoveView(this);
}

void TMenuBar::SetMenu(TMainMenu* menu) {
    if (menu == FMenu) return;
    if (FMenu) {
        FMenu->RemoveView(this);
        FMenu->RemoveFreeNotification(this);
    }
    FMenu = menu;
    if (menu) {
        menu->AddView(this);
        menu->FreeNotification(this);
    }
    Layout();
}

void TMenuBar::Notification(TComponent* component, TOperation operation) {
    TWinControl::Notification(component, operation);
    if (operation == TOperation::opRemove && component == FMenu) {
        FMenu = nullptr;
        FItems.clear();
        FRects.clear();
        FHot = -1;
        Invalidate();
    }
}

void TMenuBar::MenuChanged(TMenu*, TMenuItem*, bool) {
    Layout();
}

void TMenuBar::FontChanged() {
    TWinControl::FontChanged();
    Layout();
}

void TMenuBar::Layout() {
    FItems.clear();
    FRects.clear();
    if (FMenu)
        for (int i = 0; i < FMenu->Items()->Count(); ++i)
            if (FMenu->Items()->Items(i)->Visible()) FItems.push_back(FMenu->Items()->Items(i));
    static TBitmap scratch(1, 1);
    TCanvas& canvas = scratch.Canvas();
    TCanvasSaver saver(canvas);
    canvas.Font().Assign(Font());
    int x = 0;
    for (TMenuItem* item : FItems) {
        TSize size = TMenuPainter::MeasureBarItem(*item, canvas);
        FRects.push_back(TRect::FromSize(x, 0, size.cx, ClientHeight()));
        x += size.cx;
    }
    if (FHot >= BarItemCount()) FHot = -1;
    Invalidate();
}

TRect TMenuBar::ItemRect(int index) const {
    if (index < 0 || index >= BarItemCount()) return {};
    const TRect& r = FRects[static_cast<size_t>(index)];
    return {r.Left, 0, r.Right, ClientHeight()};
}

int TMenuBar::ItemAt(TPoint client) const {
    for (int i = 0; i < BarItemCount(); ++i)
        if (ItemRect(i).Contains(client)) return i;
    return -1;
}

TMenuItem* TMenuBar::BarItem(int index) const {
    if (index < 0 || index >= BarItemCount()) return nullptr;
    return FItems[static_cast<size_t>(index)];
}

TRect TMenuBar::BarItemScreenRect(int index) const {
    TRect r = ItemRect(index);
    TPoint origin = ClientToScreen({0, 0});
    return r.Offset(origin.X, origin.Y);
}

void TMenuBar::BarStateChanged(int index, bool open) {
    if (index == FHot && open == FOpen) return;
    FHot = index;
    FOpen = open;
    Invalidate();
}

bool TMenuBar::Tracking() const {
    TMenuTracker* tracker = TMenuTracker::Current();
    return tracker && tracker->Bar() == this;
}

void TMenuBar::Paint(TCanvas& canvas) {
    {
        TCanvasSaver saver(canvas);
        PaintBar(canvas);
    }
    for (int i = 0; i < BarItemCount(); ++i) {
        TCanvasSaver saver(canvas);
        canvas.Font().Assign(Font());
        PaintItem(canvas, i, ItemRect(i), i == FHot, i == FHot && FOpen);
    }
}

void TMenuBar::PaintItem(TCanvas& canvas, int index, const TRect& rect, bool hot, bool open) {
    TMenuPainter::DrawBarItem(*FItems[static_cast<size_t>(index)], canvas, rect, hot, open);
}

void TMenuBar::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
    TWinControl::MouseDown(button, shift, x, y);
    FDownIndex = -1;
    if (button != TMouseButton::mbLeft) return;
    int index = ItemAt({x, y});
    TMenuItem* item = BarItem(index);
    if (!item || !item->Enabled()) return;
    if (item->HasSubMenu())
        TMenuTracker::Instance()->OpenBarItem(this, index, false);
    else
        FDownIndex = index;
}

void TMenuBar::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
    TWinControl::MouseUp(button, shift, x, y);
    int down = FDownIndex;
    FDownIndex = -1;
    if (button != TMouseButton::mbLeft || down < 0 || ItemAt({x, y}) != down) return;
    TSafeRef<TMenuItem> item(BarItem(down));
    Application->Queue([item] {
        if (TMenuItem* chosen = item.Get()) chosen->Click();
    });
}

void TMenuBar::MouseMove(TShiftState shift, int x, int y) {
    TWinControl::MouseMove(shift, x, y);
    if (!Tracking()) BarStateChanged(ItemAt({x, y}), false);
}

void TMenuBar::MouseLeave() {
    TWinControl::MouseLeave();
    if (!Tracking()) BarStateChanged(-1, false);
}
