#include "gui/TDropDownList.h"

#include <algorithm>

#include "gui/ControlDraw.h"
#include "gui/TScrollBar.h"
#include "gui/TStringList.h"
#include "gui/graphics/TCanvas.h"

const TClassInfo& TDropDownList::StaticClass() {
    static const TClassInfo info =
        TClassBuilder<TDropDownList>("TDropDownList", &TWinControl::StaticClass()).Build();
    return info;
}

TDropDownList::TDropDownList(TComponent* owner) : TWinControl(owner) {
    // The pop-up holds the pointer; the list must not take it over.
    SetControlStyle((ControlStyle() | csOpaque) & ~(csCaptureMouse | csDoubleClicks));
    SetColor(clWindow);
    FScrollBar = new TScrollBar(this);
    FScrollBar->SetKind(TScrollBarKind::sbVertical);
    FScrollBar->SetControlStyle(FScrollBar->ControlStyle() & ~csCaptureMouse);
    FScrollBar->SetVisible(false);
    FScrollBar->SetParent(this);
    FScrollBar->OnChange = [this](TObject*) { SetTopIndex(FScrollBar->Position()); };
}

void TDropDownList::SetItems(const TStringList* items) {
    FItems = items;
    ItemsChanged();
}

void TDropDownList::ItemsChanged() {
    FHotIndex = std::min(FHotIndex, Count() - 1);
    UpdateScrollBar();
    Invalidate();
}

int TDropDownList::Count() const {
    return FItems ? FItems->Count() : 0;
}

const std::string& TDropDownList::Item(int index) const {
    return (*FItems)[index];
}

void TDropDownList::SetItemHeight(int height) {
    height = std::max(height, 1);
    if (height == FItemHeight) return;
    FItemHeight = height;
    UpdateScrollBar();
    Invalidate();
}

int TDropDownList::VisibleRows() const {
    return std::max(1, ClientHeight() / FItemHeight);
}

void TDropDownList::SetHotIndex(int index) {
    index = std::clamp(index, -1, Count() - 1);
    if (index == FHotIndex) return;
    FHotIndex = index;
    Invalidate();
}

void TDropDownList::SetTopIndex(int index) {
    index = std::clamp(index, 0, std::max(0, Count() - VisibleRows()));
    if (index == FTopIndex) return;
    FTopIndex = index;
    FScrollBar->SetPosition(index);
    Invalidate();
}

void TDropDownList::ScrollIntoView(int index) {
    if (index < 0) return;
    if (index < FTopIndex)
        SetTopIndex(index);
    else if (index >= FTopIndex + VisibleRows())
        SetTopIndex(index - VisibleRows() + 1);
}

int TDropDownList::ContentWidth() const {
    return ClientWidth() - (FScrollBar->Visible() ? FScrollBar->Width() : 0);
}

TRect TDropDownList::ItemRect(int index) const {
    return TRect::FromSize(0, (index - FTopIndex) * FItemHeight, ContentWidth(), FItemHeight);
}

int TDropDownList::IndexAt(TPoint p) const {
    if (p.X < 0 || p.X >= ContentWidth() || p.Y < 0 || p.Y >= ClientHeight()) return -1;
    const int index = FTopIndex + p.Y / FItemHeight;
    return index < Count() ? index : -1;
}

void TDropDownList::UpdateScrollBar() {
    const bool needed = Count() > VisibleRows();
    FScrollBar->SetVisible(needed);
    FScrollBar->SetBounds(ClientWidth() - 16, 0, 16, ClientHeight());
    FScrollBar->SetParams(FTopIndex, 0, std::max(0, Count() - 1));
    FScrollBar->SetPageSize(needed ? VisibleRows() : 0);
    SetTopIndex(FTopIndex);
}

void TDropDownList::Resize() {
    TWinControl::Resize();
    UpdateScrollBar();
}

void TDropDownList::MouseMove(TShiftState shift, int x, int y) {
    TWinControl::MouseMove(shift, x, y);
    const int index = IndexAt({x, y});
    if (index >= 0) SetHotIndex(index);
}

void TDropDownList::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
    TWinControl::MouseUp(button, shift, x, y);
    if (button != TMouseButton::mbLeft) return;
    const int index = IndexAt({x, y});
    if (index >= 0 && OnPick) OnPick(index);
}

void TDropDownList::WndProc(TMessage& message) {
    if (message.Msg == WM_MOUSEWHEEL) {
        const int delta = static_cast<int16_t>((message.WParam >> 16) & 0xFFFF);
        SetTopIndex(FTopIndex - delta / 120 * 3);
        return;
    }
    TWinControl::WndProc(message);
}

TRect TDropDownList::NonClientInsets() const {
    return {1, 1, 1, 1};
}

void TDropDownList::SetFrameColor(TColor color) {
    if (color == FFrameColor) return;
    FFrameColor = color;
    Invalidate();
}

void TDropDownList::PaintNonClient(TCanvas& canvas) {
    TCanvasSaver saver(canvas);
    canvas.Brush().SetColor(FFrameColor);
    canvas.FrameRect({0, 0, Width(), Height()});
}

void TDropDownList::PaintItem(TCanvas& canvas, int index, const TRect& rect, bool hot) {
    FillSolid(canvas, rect, hot ? clHighlight : Color());
    TCanvasSaver saver(canvas);
    canvas.Font().Assign(Font());
    if (hot) canvas.Font().SetColor(clHighlightText);
    canvas.Brush().SetStyle(bsClear);
    TRect text{rect.Left + 2, rect.Top, rect.Right - 2, rect.Bottom};
    canvas.DrawText((*FItems)[index], text, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_LEFT);
}

void TDropDownList::Paint(TCanvas& canvas) {
    FillSolid(canvas, ClientRect(), Color());
    const int last = std::min(Count(), FTopIndex + VisibleRows() + 1);
    for (int i = FTopIndex; i < last; ++i) {
        TCanvasSaver saver(canvas);
        TRect rect = ItemRect(i);
        canvas.IntersectClipRect(rect);
        PaintItem(canvas, i, rect, i == FHotIndex);
    }
}
