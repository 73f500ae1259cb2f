#include "gui/TMenuWindow.h"

#include <algorithm>

#include "gui/TApplication.h"
#include "gui/TMenuPainter.h"
#include "gui/TMenuTracker.h"
#include "gui/graphics/TBitmap.h"
#include "gui/graphics/TCanvas.h"

namespace {
std::vector<TMenuWindow*>& Registry() {
    static std::vector<TMenuWindow*> windows;
    return windows;
}
} // namespace

const TClassInfo& TMenuWindow::StaticClass() {
    static const TClassInfo info =
        TClassBuilder<TMenuWindow>("TMenuWindow", &TPopupWindow::StaticClass()).Build();
    return info;
}

TMenuWindow::TMenuWindow(TComponent* owner, TMenuItem* parentItem)
    : TPopupWindow(owner), FParentItem(parentItem) {
    SetColor(clMenu);
    SetParentFont(false);
    TMenuPainter::AssignMenuFont(Font());
    Registry().push_back(this);
}

TMenuWindow::~TMenuWindow() {
    auto& windows = Registry();
    windows.erase(std::remove(windows.begin(), windows.end(), this), windows.end());
}

const std::vector<TMenuWindow*>& TMenuWindow::OpenWindows() {
    return Registry();
}

TMenuItem* TMenuWindow::Item(int index) const {
    if (index < 0 || index >= ItemCount()) return nullptr;
    return FItems[static_cast<size_t>(index)];
}

int TMenuWindow::IndexOf(const TMenuItem* item) const {
    auto it = std::find(FItems.begin(), FItems.end(), item);
    return it == FItems.end() ? -1 : static_cast<int>(it - FItems.begin());
}

TRect TMenuWindow::ItemRect(int index) const {
    if (index < 0 || index >= ItemCount()) return {};
    return FRects[static_cast<size_t>(index)];
}

TRect TMenuWindow::ItemScreenRect(int index) const {
    return ItemRect(index).Offset(Left() + Border, Top() + Border);
}

int TMenuWindow::ItemAtScreen(TPoint screen) const {
    TPoint p{screen.X - Left() - Border, screen.Y - Top() - Border};
    for (int i = 0; i < ItemCount(); ++i)
        if (FRects[static_cast<size_t>(i)].Contains(p)) return i;
    return -1;
}

void TMenuWindow::SetHotIndex(int index) {
    if (index < -1 || index >= ItemCount()) index = -1;
    if (index == FHot) return;
    // Item rectangles are client coordinates; the form invalidates window ones.
    if (FHot >= 0) InvalidateWindowArea(ItemRect(FHot).Offset(Border, Border));
    FHot = index;
    if (FHot >= 0) InvalidateWindowArea(ItemRect(FHot).Offset(Border, Border));
}

int TMenuWindow::NextSelectable(int from, int step) const {
    int count = ItemCount();
    if (count == 0) return -1;
    int index = from;
    for (int n = 0; n < count; ++n) {
        index = index < 0 ? (step > 0 ? 0 : count - 1) : (index + step + count) % count;
        const TMenuItem* item = FItems[static_cast<size_t>(index)];
        if (!item->IsLine() && item->Enabled()) return index;
    }
    return -1;
}

void TMenuWindow::Rebuild() {
    if (FBusy) return;
    TMenuItem* parent = ParentItem();
    TMenuItem* hot = Item(FHot);
    FItems.clear();
    FRects.clear();
    if (parent)
        for (int i = 0; i < parent->Count(); ++i)
            if (parent->Items(i)->Visible()) FItems.push_back(parent->Items(i));
    FBusy = true;
    int width = 0, y = 0;
    try {
        TCanvas& canvas = BackBuffer().Canvas();
        for (TMenuItem* item : FItems) {
            TCanvasSaver saver(canvas);
            canvas.Font().Assign(Font());
            int w = 0, h = 0;
            item->MeasureItem(canvas, w, h);
            w = std::clamp(w, 0, MaxSide);
            h = std::clamp(h, 0, MaxSide);
            FRects.push_back({0, y, 0, y + h});
            y = std::min(y + h, MaxSide);
            width = std::max(width, w);
        }
    } catch (...) {
        FBusy = false;
        throw;
    }
    FBusy = false;
    for (TRect& r : FRects)
        r.Right = width;
    FHot = IndexOf(hot);
    // Never larger than the screen: what does not fit is not shown.
    TRect work = Application->Host().WorkArea();
    width = std::min(width, std::max(work.Width() - 2 * Border, 0));
    for (TRect& r : FRects)
        r.Right = width;
    y = std::min(y, std::max(work.Height() - 2 * Border, 0));
    SetBounds(Left(), Top(), width + 2 * Border, y + 2 * Border);
    InvalidateWindowArea({0, 0, Width(), Height()});
}

void TMenuWindow::Place(TPoint at) {
    TRect work = Application->Host().WorkArea();
    int x = std::max(work.Left, std::min(at.X, work.Right - Width()));
    int y = std::max(work.Top, std::min(at.Y, work.Bottom - Height()));
    Popup(TRect::FromSize(x, y, Width(), Height()));
}

void TMenuWindow::ShowAt(TPoint at) {
    TRect work = Application->Host().WorkArea();
    if (at.X + Width() > work.Right) at.X -= Width();
    if (at.Y + Height() > work.Bottom) at.Y -= Height();
    Place(at);
}

void TMenuWindow::ShowBeside(const TRect& parentWindow, const TRect& parentItem) {
    TRect work = Application->Host().WorkArea();
    int x = parentWindow.Right - Border;
    if (x + Width() > work.Right) x = parentWindow.Left - Width() + Border;
    int y = parentItem.Top - Border;
    if (y + Height() > work.Bottom) y = parentItem.Bottom + Border - Height();
    Place({x, y});
}

void TMenuWindow::ShowBelow(const TRect& barItem) {
    TRect work = Application->Host().WorkArea();
    int y = barItem.Bottom;
    if (y + Height() > work.Bottom && barItem.Top - Height() >= work.Top)
        y = barItem.Top - Height();
    Place({barItem.Left, y});
}

TMenuWindow* TMenuWindow::FromCanvas(const TCanvas* canvas) {
    for (TMenuWindow* window : Registry())
        if (&window->BackBuffer().Canvas() == canvas) return window;
    return nullptr;
}

void TMenuWindow::DrawOnWindow(const std::function<void(TCanvas&, const TRect&)>& paint) {
    TCanvas& canvas = BackBuffer().Canvas();
    {
        TCanvasSaver saver(canvas);
        canvas.ResetClip();
        canvas.SetOrigin({0, 0});
        paint(canvas, TRect{0, 0, Width(), Height()});
    }
    if (Visible()) Application->Host().PresentWindow(HostWindow(), {0, 0, Width(), Height()});
}

// A raised edge, as the platform draws menu windows.
void TMenuWindow::PaintNonClient(TCanvas& canvas) {
    int w = Width(), h = Height();
    auto edge = [&](int inset, TColor topLeft, TColor bottomRight) {
        canvas.Brush().SetColor(topLeft);
        canvas.FillRect({inset, inset, w - inset, inset + 1});
        canvas.FillRect({inset, inset, inset + 1, h - inset});
        canvas.Brush().SetColor(bottomRight);
        canvas.FillRect({inset, h - inset - 1, w - inset, h - inset});
        canvas.FillRect({w - inset - 1, inset, w - inset, h - inset});
    };
    edge(0, clBtnFace, cl3DDkShadow);
    edge(1, clBtnHighlight, clBtnShadow);
    edge(2, clMenu, clMenu);
}

TOwnerDrawState TMenuWindow::StateOf(int index) const {
    const TMenuItem* item = FItems[static_cast<size_t>(index)];
    TOwnerDrawState state = 0;
    if (index == FHot) state |= odSelected;
    if (!item->Enabled()) state |= odDisabled | odGrayed;
    if (item->Checked()) state |= odChecked;
    if (item->Default()) state |= odDefault;
    return state;
}

void TMenuWindow::Paint(TCanvas& canvas) {
    FBusy = true;
    try {
        std::vector<TMenuItem*> items = FItems;
        for (int i = 0; i < static_cast<int>(items.size()); ++i) {
            TRect rect = FRects[static_cast<size_t>(i)];
            if (rect.IsEmpty()) continue;
            TCanvasSaver saver(canvas);
            canvas.IntersectClipRect(rect);
            canvas.Font().Assign(Font());
            canvas.Brush().SetColor(clMenu);
            canvas.Pen().SetColor(clMenuText);
            items[static_cast<size_t>(i)]->DrawItem(canvas, rect, StateOf(i));
        }
    } catch (...) {
        FBusy = false;
        throw;
    }
    FBusy = false;
}

void TMenuWindow::WndProc(TMessage& message) {
    // The window system asked to close a menu: close the whole chain, after
    // this window's own message is done.
    if (message.Msg == WM_CLOSE) {
        Application->Queue([] { TMenuTracker::CloseMenus(); });
        return;
    }
    TPopupWindow::WndProc(message);
}

void TMenuWindow::HostMouse(uint32_t msg, TPoint point, WPARAM keys) {
    TCustomForm::HostMouse(msg, point, keys);
}

void TMenuWindow::HostKey(uint32_t msg, int virtualKey, LPARAM keyData, char16_t ch) {
    TCustomForm::HostKey(msg, virtualKey, keyData, ch);
}

void TMenuWindow::HostText(const std::u16string& text) {
    TCustomForm::HostText(text);
}

void TMenuWindow::HoldPointer() {
    if (Visible()) Application->Host().SetCapture(HostWindow());
}
