#include "skin/TskTabControlTopPanel.h"

#include <algorithm>

#include "gui/graphics/TCanvas.h"
#include "skin/TskFileTheme.h"
#include "skin/TskTab.h"

namespace {
constexpr int EmptyTabWidth = 80;
constexpr int CaptionPadding = 20;
constexpr TColor InactiveTabColor = clBtnFace;
} // namespace

const TClassInfo& TskTabControlTopPanel::StaticClass() {
    static const TClassInfo info =
        TClassBuilder<TskTabControlTopPanel>("TskTabControlTopPanel", &TWinControl::StaticClass())
            .Prop("Tabs", &TskTabControlTopPanel::Tabs, &TskTabControlTopPanel::SetTabs)
            .Prop("TabIndex", &TskTabControlTopPanel::TabIndex, &TskTabControlTopPanel::SetTabIndex)
            .Prop("LeftMargin", &TskTabControlTopPanel::LeftMargin,
                  &TskTabControlTopPanel::SetLeftMargin)
            .Enum("UIStyle", &TskTabControlTopPanel::UIStyle, &TskTabControlTopPanel::SetUIStyle,
                  UIStyleNames())
            .Prop("FileTheme", &TskTabControlTopPanel::FileTheme,
                  &TskTabControlTopPanel::SetFileTheme)
            .Build();
    return info;
}

TskTabControlTopPanel::TskTabControlTopPanel(TskTab* tab) : TWinControl(tab), FTab(tab) {
    FTabs = {"Tab1"};
    FShown = {true};
    SetControlStyle((ControlStyle() | csOpaque) & ~static_cast<uint32_t>(csAcceptsControls));
}

void TskTabControlTopPanel::SetTabs(const std::vector<std::string>& tabs) {
    FTabs = tabs;
    if (FShown.size() < FTabs.size()) FShown.resize(FTabs.size(), true);
    Invalidate();
}

bool TskTabControlTopPanel::TabShown(int index) const {
    if (index < 0 || index >= static_cast<int>(FShown.size())) return true;
    return FShown[static_cast<size_t>(index)];
}

void TskTabControlTopPanel::SetTabShown(int index, bool shown) {
    if (index < 0) return;
    if (index >= static_cast<int>(FShown.size()))
        FShown.resize(static_cast<size_t>(index) + 1, true);
    if (FShown[static_cast<size_t>(index)] == shown) return;
    FShown[static_cast<size_t>(index)] = shown;
    Invalidate();
}

void TskTabControlTopPanel::SetTabIndex(int index) {
    if (index == FTabIndex) return;
    if (FTabs.empty()) {
        FTabIndex = -1;
        Invalidate();
        return;
    }
    if (index < -1 || index >= TabCount()) {
        Invalidate();
        return;
    }
    // Only this one change is the user's: whatever the handlers below
    // change in turn is programmatic and must not ask again.
    const bool byUser = FChangingByUser;
    FChangingByUser = false;
    auto alive = AliveToken();
    if (byUser && FTab && !FTab->CanChange()) return;
    if (alive.expired()) return;
    FTabIndex = index;
    Invalidate();
    if (FTab) FTab->TabActive(index);
}

void TskTabControlTopPanel::SelectQuietly(int index) {
    if (index == FTabIndex) return;
    FTabIndex = index;
    Invalidate();
}

void TskTabControlTopPanel::SetLeftMargin(int margin) {
    if (margin == FLeftMargin) return;
    FLeftMargin = margin;
    Invalidate();
}

void TskTabControlTopPanel::SetStripHeight(int height) {
    height = std::max(height, 0);
    if (height == FStripHeight) return;
    FStripHeight = height;
    if (FTab) FTab->Realign();
    Invalidate();
}

void TskTabControlTopPanel::SetUIStyle(TskUIStyle style) {
    FUIStyle = style;
    Invalidate();
}

void TskTabControlTopPanel::SetFileTheme(TskFileTheme* theme) {
    if (theme == FFileTheme) return;
    if (FFileTheme) FFileTheme->RemoveFreeNotification(this);
    FFileTheme = theme;
    if (theme) theme->FreeNotification(this);
    Invalidate();
}

void TskTabControlTopPanel::Notification(TComponent* component, TOperation operation) {
    TWinControl::Notification(component, operation);
    if (operation == TOperation::opRemove && component == FFileTheme) FFileTheme = nullptr;
}

TCanvas& TskTabControlTopPanel::MeasureCanvas() {
    TCanvas& canvas = FMeasure.Canvas();
    if (FTab) canvas.Font().Assign(FTab->Font());
    return canvas;
}

int TskTabControlTopPanel::TabWidth(int index) {
    if (index < 0 || index >= TabCount()) return 0;
    const std::string& caption = FTabs[static_cast<size_t>(index)];
    if (caption.empty()) return EmptyTabWidth;
    // Measured as drawn: the "&" marks an underline and takes no room.
    TRect r{0, 0, 0, 0};
    MeasureCanvas().DrawText(caption, r, DT_CALCRECT | DT_SINGLELINE);
    return r.Width() + CaptionPadding;
}

std::vector<TRect> TskTabControlTopPanel::TabRects() {
    std::vector<TRect> rects(FTabs.size());
    const int h = FStripHeight;
    int x = FLeftMargin;
    for (int i = 0; i < TabCount(); ++i) {
        if (!TabShown(i)) continue;
        const int w = TabWidth(i);
        // The selected tab stands out by reaching over the bar into the body.
        rects[static_cast<size_t>(i)] =
            i == FTabIndex ? TRect(x, 0, x + w, h) : TRect(x, 2, x + w, h - 1);
        x += w;
    }
    return rects;
}

TRect TskTabControlTopPanel::TabRect(int index) {
    if (index < 0 || index >= TabCount()) return {};
    return TabRects()[static_cast<size_t>(index)];
}

int TskTabControlTopPanel::TabAtPos(TPoint point) {
    const std::vector<TRect> rects = TabRects();
    for (size_t i = 0; i < rects.size(); ++i)
        if (rects[i].Contains(point)) return static_cast<int>(i);
    return -1;
}

void TskTabControlTopPanel::Paint(TCanvas& canvas) {
    const int w = ClientWidth();
    const int h = ClientHeight();
    TWinControl* behind = FTab ? FTab->Parent() : nullptr;
    canvas.Brush().SetStyle(bsSolid);
    canvas.Brush().SetColor(behind ? behind->Color() : clBtnFace);
    canvas.FillRect({0, 0, w, h});
    const TColor border = FTab ? FTab->BorderColor() : clBlack;
    canvas.Brush().SetColor(border);
    canvas.FillRect({0, h - 1, w, h});
    const std::vector<TRect> rects = TabRects();
    for (size_t i = 0; i < rects.size(); ++i)
        if (!rects[i].IsEmpty() && rects[i].Left < w)
            PaintTab(canvas, static_cast<int>(i), rects[i]);
}

void TskTabControlTopPanel::PaintTab(TCanvas& canvas, int index, const TRect& rect) {
    const bool active = index == FTabIndex;
    const TColor border = FTab ? FTab->BorderColor() : clBlack;
    canvas.Brush().SetStyle(bsSolid);
    canvas.Brush().SetColor(active && FTab ? FTab->Color() : InactiveTabColor);
    canvas.FillRect(rect);
    if (active) {
        // Open at the bottom, into the body.
        canvas.Pen().SetStyle(psSolid);
        canvas.Pen().SetWidth(1);
        canvas.Pen().SetColor(border);
        canvas.MoveTo(rect.Left, rect.Bottom - 1);
        canvas.LineTo(rect.Left, rect.Top);
        canvas.LineTo(rect.Right - 1, rect.Top);
        canvas.LineTo(rect.Right - 1, rect.Bottom);
    } else {
        canvas.Brush().SetColor(border);
        canvas.FrameRect(rect);
    }
    if (FTab) canvas.Font().Assign(FTab->Font());
    canvas.Brush().SetStyle(bsClear);
    TRect text = rect;
    canvas.DrawText(FTabs[static_cast<size_t>(index)], text,
                    DT_CENTER | DT_VCENTER | DT_SINGLELINE);
}

void TskTabControlTopPanel::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
    auto alive = AliveToken();
    if (button == TMouseButton::mbLeft) {
        int hit = TabAtPos({x, y});
        if (hit >= 0) {
            FChangingByUser = true;
            SetTabIndex(hit);
            if (alive.expired()) return;
            FChangingByUser = false;
        }
    }
    TWinControl::MouseDown(button, shift, x, y);
}

// The strip has no menu of its own: a right click offers the control's.
void TskTabControlTopPanel::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
    auto alive = AliveToken();
    TWinControl::MouseUp(button, shift, x, y);
    if (alive.expired() || button != TMouseButton::mbRight || PopupMenu() || !FTab) return;
    if (FTab->PopupMenu() && PopupMenuHandler)
        PopupMenuHandler(FTab->PopupMenu(), FTab, ClientToScreen({x, y}));
}

void TskTabControlTopPanel::Click() {
    auto alive = AliveToken();
    TWinControl::Click();
    if (!alive.expired() && FTab) FTab->Click();
}

void TskTabControlTopPanel::DblClick() {
    auto alive = AliveToken();
    TWinControl::DblClick();
    if (!alive.expired() && FTab) FTab->DblClick();
}
