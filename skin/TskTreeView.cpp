#include "skin/TskTreeView.h"

#include "gui/Messages.h"
#include "gui/TApplication.h"
#include "skin/SkinPublic.h"
#include "skin/TskScrollBar.h"
#include "skin/TskThemeLookup.h"

namespace {

bool SameInfo(const TScrollInfo& a, const TScrollInfo& b) {
    return a.Visible == b.Visible && a.Min == b.Min && a.Max == b.Max && a.Page == b.Page &&
           a.Pos == b.Pos && a.ThumbLength == b.ThumbLength;
}

// The wheel step of a skinned bar's arrow buttons over a tree.
constexpr int BarSmallChange = 5;

} // namespace

const TClassInfo& TskTreeView::StaticClass() {
    using T = TskTreeView;
    static TClassBuilder<T> builder("TskTreeView", &TTreeView::StaticClass());
    static const TClassInfo info =
        WithThemeProperties(builder)
            .Prop("BorderColor", &T::BorderColor, &T::SetBorderColor, &ColorNames())
            .Custom(
                "VScrollBar", TPropKind::Component,
                [](const T* c) -> TValue { return static_cast<TComponent*>(c->VScrollBar()); },
                [](T* c, const TValue& v) {
                    TPropInfo prop;
                    prop.Name = "VScrollBar";
                    c->SetVScrollBar(ValueAs<TskScrollBar*>(v, prop));
                })
            .Custom(
                "HScrollBar", TPropKind::Component,
                [](const T* c) -> TValue { return static_cast<TComponent*>(c->HScrollBar()); },
                [](T* c, const TValue& v) {
                    TPropInfo prop;
                    prop.Name = "HScrollBar";
                    c->SetHScrollBar(ValueAs<TskScrollBar*>(v, prop));
                })
            .Build();
    return info;
}

TskTreeView::TskTreeView(TComponent* owner) : TTreeView(owner), FTheme(this) {
    SetControlStyle(ControlStyle() | csOpaque);
    SetBorderStyle(TBorderStyle::bsNone);
    SetBorderWidth(2);
}

// The bars belong to the form and may outlive the tree: they must not keep
// calling into it.
TskTreeView::~TskTreeView() {
    Unhook(FVBar);
    Unhook(FHBar);
    FVBar = FHBar = nullptr;
}

// --- style and border ------------------------------------------------------

void TskTreeView::ThemeChanged() {
    const TskThemeLookup lookup(FTheme.FileTheme(), FTheme.UIStyle());
    FBorderColor = lookup.Color(ThemeItem::ControlBorderColor);
    for (TskScrollBar* bar : {FVBar, FHBar})
        if (bar) bar->SetUIStyle(lookup.Style());
    InvalidateWindow();
}

void TskTreeView::SetBorderColor(TColor color) {
    if (color == FBorderColor) return;
    FBorderColor = color;
    InvalidateWindow();
}

void TskTreeView::PaintNonClient(TCanvas& canvas) {
    TTreeView::PaintNonClient(canvas);
    DrawControlBorder(canvas, *this, FBorderColor, Color(), true);
}

// The inner frame is drawn in the tree's colour.
void TskTreeView::ColorChanged() {
    TTreeView::ColorChanged();
    InvalidateWindow();
}

void TskTreeView::Notification(TComponent* component, TOperation operation) {
    TTreeView::Notification(component, operation);
    if (operation != TOperation::opRemove) return;
    if (component == FVBar) FVBar = nullptr;
    if (component == FHBar) FHBar = nullptr;
    if (FTheme.Removed(component) && !IsDestroying()) ThemeChanged();
}

// --- scroll bars -----------------------------------------------------------

void TskTreeView::SetVScrollBar(TskScrollBar* bar) {
    Hook(FVBar, bar, true);
}

void TskTreeView::SetHScrollBar(TskScrollBar* bar) {
    Hook(FHBar, bar, false);
}

void TskTreeView::Unhook(TskScrollBar* bar) {
    if (!bar) return;
    bar->RemoveFreeNotification(this);
    bar->OnChange = nullptr;
    bar->SetLineButton(0);
    bar->SetMax(100);
    bar->SetEnabled(true);
}

void TskTreeView::Hook(TskScrollBar*& slot, TskScrollBar* bar, bool vertical) {
    if (bar == slot) return;
    Unhook(slot);
    slot = bar;
    if (!bar) return;
    bar->FreeNotification(this);
    bar->SetSmallChange(BarSmallChange);
    bar->SetOrientation(vertical ? TskProgressBarOrientation::skVertical
                                 : TskProgressBarOrientation::skHorizontal);
    bar->OnChange = [this, bar, vertical](TObject*) { BarScrolled(bar, vertical); };
    if (!bar->Parent() && Parent()) bar->SetParent(Parent());
    bar->BringToFront();
    PlaceScrollBars();
}

void TskTreeView::BarScrolled(TskScrollBar* bar, bool vertical) {
    if (FSyncing) return;
    const WPARAM wParam = SB_THUMBPOSITION | (static_cast<WPARAM>(bar->Position() & 0xFFFF) << 16);
    Perform(vertical ? WM_VSCROLL : WM_HSCROLL, wParam, 0);
    Invalidate();
}

void TskTreeView::SyncBar(TskScrollBar* bar, TScrollBarKind kind) {
    if (!bar) return;
    TScrollInfo info;
    const bool available = GetScrollInfo(kind, info);
    FLastInfo[kind == TScrollBarKind::sbVertical] = info;
    if (!available || !info.Visible || !Visible()) {
        bar->SetLineButton(0);
        bar->SetEnabled(false);
        bar->SetVisible(false);
    } else {
        bar->SetEnabled(true);
        bar->SetVisible(true);
        bar->SetLineButton(info.ThumbLength);
    }
    bar->SetMax(info.Max - info.Page + 1);
    bar->SetMin(info.Min);
    bar->SetPosition(info.Pos);
}

void TskTreeView::SyncScrollBars() {
    FSyncing = true;
    SyncBar(FVBar, TScrollBarKind::sbVertical);
    SyncBar(FHBar, TScrollBarKind::sbHorizontal);
    FSyncing = false;
}

void TskTreeView::PlaceScrollBars() {
    SyncScrollBars();
    if (FHBar) {
        if (Height() < FHBar->Height()) {
            FHBar->SetTop(Top());
        } else {
            int width = Width() - 2;
            if (FVBar && FVBar->Visible()) width -= FVBar->Width();
            FHBar->SetBounds(Left() + 1, Top() + Height() - FHBar->Height() - 2, width,
                             FHBar->Height());
        }
    }
    if (FVBar) {
        if (Width() < FVBar->Width()) {
            FVBar->SetLeft(Left());
        } else {
            int height = Height() - 2;
            if (FHBar && FHBar->Visible()) height -= FHBar->Height();
            FVBar->SetBounds(Left() + Width() - FVBar->Width() - 2, Top() + 1, FVBar->Width(),
                             height);
        }
    }
    // A fixed thumb longer than a bar's old length was refused before the
    // bar got its new one.
    SyncScrollBars();
}

// Bars named in a layout are laid out by their own Loaded, which may come
// after this one: place them once loading is over.
void TskTreeView::Loaded() {
    TTreeView::Loaded();
    if (!FVBar && !FHBar) return;
    TSafeRef<TskTreeView> self(this);
    Application->Queue([self] {
        if (TskTreeView* tree = self.Get()) tree->PlaceScrollBars();
    });
}

void TskTreeView::PlacementChanged() {
    TTreeView::PlacementChanged();
    if (FVBar || FHBar) PlaceScrollBars();
}

void TskTreeView::VisibleChanged() {
    TTreeView::VisibleChanged();
    if (!Visible()) {
        if (FVBar) FVBar->SetVisible(false);
        if (FHBar) FHBar->SetVisible(false);
    } else {
        SyncScrollBars();
    }
}

void TskTreeView::EnabledChanged() {
    TTreeView::EnabledChanged();
    SyncScrollBars();
}

void TskTreeView::WndProc(TMessage& message) {
    TSafeRef<TskTreeView> self(this);
    TTreeView::WndProc(message);
    if (!self) return;
    switch (message.Msg) {
    case WM_LBUTTONDOWN:
        FLeftDown = true;
        SyncScrollBars();
        break;
    case WM_LBUTTONUP:
        FLeftDown = false;
        break;
    case WM_MOUSEMOVE:
        if (FLeftDown) SyncScrollBars();
        break;
    case WM_VSCROLL:
    case WM_HSCROLL:
    case WM_KEYDOWN:
    case WM_MOUSEWHEEL:
        SyncScrollBars();
        break;
    default:
        break;
    }
}

// Nodes added, removed, expanded or collapsed change the tree's own bar
// without a message of their own, but always repaint the tree; a paint that
// finds the state moved has the bars follow once the paint is over.
void TskTreeView::Paint(TCanvas& canvas) {
    TTreeView::Paint(canvas);
    QueueSyncWhenChanged();
}

void TskTreeView::QueueSyncWhenChanged() {
    if (FSyncQueued || (!FVBar && !FHBar)) return;
    TScrollInfo vertical, horizontal;
    GetScrollInfo(TScrollBarKind::sbVertical, vertical);
    GetScrollInfo(TScrollBarKind::sbHorizontal, horizontal);
    if (SameInfo(vertical, FLastInfo[1]) && SameInfo(horizontal, FLastInfo[0])) return;
    FSyncQueued = true;
    TSafeRef<TskTreeView> self(this);
    Application->Queue([self] {
        if (TskTreeView* tree = self.Get()) {
            tree->FSyncQueued = false;
            tree->PlaceScrollBars();
        }
    });
}
