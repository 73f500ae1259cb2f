#include "skin/TskTabControlTopPanel.h"

#include <algorithm>

#include "gui/TApplication.h"
#include "gui/graphics/TCanvas.h"
#include "skin/SkinPublic.h"
#include "skin/TskFileTheme.h"
#include "skin/TskTab.h"
#include "skin/TskThemeLookup.h"

namespace {
constexpr int EmptyTabWidth = 80;
constexpr int CaptionPadding = 20;
// The last tab may use the room of the scroll buttons, up to this much
// from the right edge.
constexpr int LastTabRightRoom = 10;
// A cut tab's caption starts this far in and stops this far from its end.
constexpr int CutCaptionLeft = 10;
constexpr int CutCaptionRight = 4;
} // namespace

// The pictures one paint uses, read from the style each time so that a
// file theme that changed its file is followed.
struct TskTabControlTopPanel::TPictures {
    TBitmap Active;
    TBitmap Inactive;
    TBitmap Bar;

    explicit TPictures(const TskThemeLookup& theme) {
        theme.Bitmap(ThemeItem::TabControlTabImage, &Active, 1, 2);
        theme.Bitmap(ThemeItem::TabControlTabImage, &Inactive, 2, 2);
        theme.Bitmap(ThemeItem::TabControlBarImage, &Bar);
    }
};

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
    ApplyStripSize();
}

void TskTabControlTopPanel::SetTabs(const std::vector<std::string>& tabs) {
    FTabs = tabs;
    if (FShown.size() < FTabs.size()) FShown.resize(FTabs.size(), true);
    FSounds.resize(FTabs.size(), TTabSound::None);
    Invalidate();
}

TTabSound TskTabControlTopPanel::TabSound(int index) const {
    if (index < 0 || index >= static_cast<int>(FSounds.size())) return TTabSound::None;
    return FSounds[static_cast<size_t>(index)];
}

void TskTabControlTopPanel::SetTabSound(int index, TTabSound sound) {
    if (index < 0 || index >= TabCount() || TabSound(index) == sound) return;
    if (FSounds.size() < FTabs.size()) FSounds.resize(FTabs.size(), TTabSound::None);
    FSounds[static_cast<size_t>(index)] = sound;
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

int TskTabControlTopPanel::ShownCount() const {
    int shown = 0;
    for (int i = 0; i < TabCount(); ++i)
        if (TabShown(i)) ++shown;
    return shown;
}

int TskTabControlTopPanel::RecordedWidth(int index) const {
    if (index < 0 || index >= static_cast<int>(FTabWidths.size())) return -1;
    return FTabWidths[static_cast<size_t>(index)];
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
    FBringIntoView = true;
    RepaintNow();
    FBringIntoView = false;
    if (FTab) FTab->TabActive(index);
}

void TskTabControlTopPanel::SelectQuietly(int index) {
    if (index == FTabIndex) return;
    FTabIndex = index;
    Invalidate();
}

void TskTabControlTopPanel::SelectByUser(int index) {
    if (index == FTabIndex) return;
    // SetTabIndex takes the flag back before anything can destroy the strip.
    FChangingByUser = true;
    SetTabIndex(index);
}

void TskTabControlTopPanel::SetLeftMargin(int margin) {
    if (margin == FLeftMargin) return;
    FLeftMargin = margin;
    Invalidate();
}

void TskTabControlTopPanel::SetUIStyle(TskUIStyle style) {
    FUIStyle = style;
    ApplyStripSize();
}

void TskTabControlTopPanel::SetFileTheme(TskFileTheme* theme) {
    if (theme != FFileTheme) {
        if (FFileTheme) FFileTheme->RemoveFreeNotification(this);
        FFileTheme = theme;
        if (theme) theme->FreeNotification(this);
    }
    ApplyStripSize();
}

void TskTabControlTopPanel::ApplyStripSize() {
    TskThemeLookup theme(FFileTheme, FUIStyle);
    TBitmap tab, bar, button;
    theme.Bitmap(ThemeItem::TabControlTabImage, &tab);
    theme.Bitmap(ThemeItem::TabControlBarImage, &bar);
    theme.Bitmap(ThemeItem::ScrollButtonImage, &button, 1, 4);
    FButtonWidth = button.Width();
    FButtonHeight = button.Height();
    const int height = tab.Height() + bar.Height();
    if (height != FStripHeight) {
        FStripHeight = height;
        if (FTab) FTab->Realign();
    }
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
    return CaptionWidth(MeasureCanvas(), index);
}

int TskTabControlTopPanel::CaptionWidth(TCanvas& canvas, int index) const {
    const std::string& caption = FTabs[static_cast<size_t>(index)];
    const int sound = TabSound(index) == TTabSound::None ? 0 : SoundWidth;
    return (caption.empty() ? EmptyTabWidth : canvas.TextWidth(caption) + CaptionPadding) + sound;
}

// Tabs are laid from the left margin; the first `firstShown` shown tabs are
// measured but take no room. The first tab that passes its limit is cut
// before the scroll buttons and ends the row.
TskTabControlTopPanel::TTabLayout TskTabControlTopPanel::LayoutTabs(TCanvas& canvas, int firstShown,
                                                                    int inactiveHeight) {
    TTabLayout layout;
    const int count = TabCount();
    const int w = ClientWidth();
    const int cutEdge = w - 2 * FButtonWidth - 2;
    const int h = inactiveHeight;
    layout.Widths.assign(static_cast<size_t>(count), -1);
    layout.LastWhole = count - 1;
    int x = FLeftMargin;
    int skipped = 0;
    bool cut = false;
    for (int i = 0; i < count; ++i) {
        auto& width = layout.Widths[static_cast<size_t>(i)];
        if (!TabShown(i)) {
            width = 0;
            continue;
        }
        if (cut) break;
        width = CaptionWidth(canvas, i);
        if (skipped < firstShown) {
            ++skipped;
            continue;
        }
        const bool active = i == FTabIndex;
        const int limit = i == count - 1 ? w - LastTabRightRoom : cutEdge;
        TRect rect = active ? TRect(x, 1, x + width, h + 1) : TRect(x, 0, x + width, h);
        const int fullWidth = width;
        if (rect.Right > limit) {
            rect.Right = cutEdge;
            if (!active) width = rect.Right - x;
            cut = true;
            layout.LastWhole = i - 1;
        }
        layout.Placed.push_back({i, rect, cut});
        x += fullWidth;
    }
    layout.Overflow = cut && count > 0;
    return layout;
}

// Tabs that went away (or a strip that grew) leave room at the right: the
// strip scrolls back while one more tab at the left still lets every tab
// after it fit, so no room is wasted and the buttons go once all fits. A
// forward click needs a row that does not fit, so this never undoes it.
void TskTabControlTopPanel::ScrollBackIntoRoom(TCanvas& canvas, int inactiveHeight) {
    while (FFirstShown > 0 && !LayoutTabs(canvas, FFirstShown - 1, inactiveHeight).Overflow)
        --FFirstShown;
}

// With a tab to bring into view, scrolls one shown tab at a time until the
// selected tab is drawn whole (or the strip has scrolled past it).
TskTabControlTopPanel::TTabLayout TskTabControlTopPanel::ScrolledLayout(TCanvas& canvas,
                                                                        int inactiveHeight) {
    ScrollBackIntoRoom(canvas, inactiveHeight);
    TTabLayout layout = LayoutTabs(canvas, FFirstShown, inactiveHeight);
    if (!FBringIntoView) return layout;
    const int shown = ShownCount();
    while (layout.LastWhole < FTabIndex && FFirstShown < shown) {
        ++FFirstShown;
        layout = LayoutTabs(canvas, FFirstShown, inactiveHeight);
    }
    return layout;
}

std::vector<TRect> TskTabControlTopPanel::TabRects() {
    std::vector<TRect> rects(FTabs.size());
    const TPictures pictures(TskThemeLookup(FFileTheme, FUIStyle));
    for (const TPlacedTab& tab :
         LayoutTabs(MeasureCanvas(), FFirstShown, pictures.Inactive.Height()).Placed)
        rects[static_cast<size_t>(tab.Index)] = tab.Rect;
    return rects;
}

TRect TskTabControlTopPanel::TabRect(int index) {
    if (index < 0 || index >= TabCount()) return {};
    return TabRects()[static_cast<size_t>(index)];
}

int TskTabControlTopPanel::TabAtPos(TPoint point) const {
    if (point.Y <= 0 || point.Y >= FTabHeight) return -1;
    int left = FLeftMargin;
    for (size_t i = 0; i < FTabWidths.size(); ++i) {
        const int width = FTabWidths[i];
        if (width == -1) break;
        if (!FDrawn[i]) continue;
        if (left < point.X && point.X < left + width) return static_cast<int>(i);
        left += width;
    }
    return -1;
}

int TskTabControlTopPanel::RecordedLeft(int index) const {
    int left = FLeftMargin;
    for (size_t i = 0; i < FTabWidths.size() && static_cast<int>(i) < index; ++i) {
        if (FTabWidths[i] == -1) return -1;
        if (FDrawn[i]) left += FTabWidths[i];
    }
    return left;
}

// The speaker sits at the left of the tab, inside the caption padding.
TRect TskTabControlTopPanel::SoundRect(int index) const {
    if (TabSound(index) == TTabSound::None || index >= static_cast<int>(FDrawn.size()) ||
        !FDrawn[static_cast<size_t>(index)])
        return {};
    const int left = RecordedLeft(index);
    if (left < 0) return {};
    return {left + 6, 0, left + 6 + SoundWidth, FTabHeight};
}

void TskTabControlTopPanel::Record(const TTabLayout& layout) {
    FTabWidths = layout.Widths;
    FDrawn.assign(FTabWidths.size(), false);
    for (const TPlacedTab& tab : layout.Placed)
        FDrawn[static_cast<size_t>(tab.Index)] = true;
    FOverflow = layout.Overflow;
}

TRect TskTabControlTopPanel::ForwardButtonRect() const {
    const int w = ClientWidth();
    const int h = ClientHeight();
    const int top = h > FButtonHeight + 4 ? (h - FButtonHeight) / 2 - 2 : 0;
    return {w - 2 - FButtonWidth, top, w - 2, top + FButtonHeight};
}

TRect TskTabControlTopPanel::BackButtonRect() const {
    return ForwardButtonRect().Offset(-FButtonWidth, 0);
}

void TskTabControlTopPanel::Render() {
    const int w = ClientWidth();
    const int h = ClientHeight();
    FBuffer.SetSize(std::max(w, 0), std::max(h, 0));
    TCanvas& canvas = FBuffer.Canvas();
    TCanvasSaver saver(canvas);
    FillRectColor(canvas, {0, 0, w, h}, clBtnFace);
    DrawParentBackground(canvas, FTab);
    FHoverButton = 0;
    const TPictures pictures(TskThemeLookup(FFileTheme, FUIStyle));
    FTabHeight = pictures.Active.Height();
    if (FTab) canvas.Font().Assign(FTab->Font());
    PaintBar(canvas, pictures);
    const TTabLayout layout = ScrolledLayout(canvas, pictures.Inactive.Height());
    Record(layout);
    for (const TPlacedTab& tab : layout.Placed)
        PaintTab(canvas, pictures, tab);
    PaintScrollButtons(canvas);
}

// The bar runs under the tabs between the two side lines.
void TskTabControlTopPanel::PaintBar(TCanvas& canvas, const TPictures& pictures) {
    const int w = ClientWidth();
    const int top = pictures.Inactive.Height();
    const int bottom = top + pictures.Bar.Height();
    if (!pictures.Bar.Empty()) canvas.StretchDraw({1, top, w - 1, bottom}, pictures.Bar);
    canvas.Pen().SetStyle(psSolid);
    canvas.Pen().SetWidth(1);
    canvas.Pen().SetColor(FTab ? FTab->BorderColor() : clBlack);
    canvas.MoveTo(0, top);
    canvas.LineTo(0, bottom);
    canvas.MoveTo(w - 1, top);
    canvas.LineTo(w - 1, bottom);
}

void TskTabControlTopPanel::PaintTab(TCanvas& canvas, const TPictures& pictures,
                                     const TPlacedTab& tab) {
    const TBitmap& image = tab.Index == FTabIndex ? pictures.Active : pictures.Inactive;
    // A right edge left of the left one (a last tab cut before it began)
    // has nothing to show.
    if (tab.Rect.Right <= tab.Rect.Left) return;
    if (!image.Empty())
        DrawThreeSlice(image, canvas, tab.Rect, image.GetPixel(0, 0) == SkinTransparentColor);
    canvas.Brush().SetStyle(bsClear);
    const std::string& caption = FTabs[static_cast<size_t>(tab.Index)];
    const TTabSound sound = TabSound(tab.Index);
    const int soundRoom = sound == TTabSound::None ? 0 : SoundWidth;
    if (soundRoom) {
        TRect box{tab.Rect.Left + 6, tab.Rect.Top, tab.Rect.Left + 6 + SoundWidth, tab.Rect.Bottom};
        if (box.Right <= tab.Rect.Right) PaintSound(canvas, box, sound);
    }
    if (tab.Cut) {
        TRect text{tab.Rect.Left + CutCaptionLeft + soundRoom, tab.Rect.Top,
                   tab.Rect.Right - CutCaptionRight, tab.Rect.Bottom};
        if (text.Right > text.Left)
            canvas.DrawText(caption, text, DT_LEFT | DT_VCENTER | DT_SINGLELINE);
    } else {
        TRect text{tab.Rect.Left + soundRoom, tab.Rect.Top, tab.Rect.Right, tab.Rect.Bottom};
        canvas.DrawText(caption, text, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    }
}

// A speaker in the caption's colour: body and cone, then two waves while
// it plays or a cross once muted.
void TskTabControlTopPanel::PaintSound(TCanvas& canvas, TRect box, TTabSound sound) {
    const int cy = (box.Top + box.Bottom) / 2;
    const int x = box.Left + 1;
    const TColor color = canvas.Font().Color();
    TCanvasSaver saver(canvas);
    canvas.Pen().SetStyle(psSolid);
    canvas.Pen().SetWidth(1);
    canvas.Pen().SetColor(color);
    canvas.Brush().SetStyle(bsSolid);
    canvas.Brush().SetColor(color);
    const TPoint speaker[] = {{x, cy - 2}, {x + 3, cy - 2}, {x + 6, cy - 5},
                              {x + 6, cy + 5}, {x + 3, cy + 2}, {x, cy + 2}};
    canvas.Polygon(speaker);
    if (sound == TTabSound::Muted) {
        canvas.MoveTo(x + 8, cy - 3);
        canvas.LineTo(x + 14, cy + 3);
        canvas.MoveTo(x + 8, cy + 3);
        canvas.LineTo(x + 14, cy - 3);
        return;
    }
    canvas.Brush().SetStyle(bsClear);
    canvas.Arc(x + 4, cy - 4, x + 11, cy + 5, x + 9, cy + 4, x + 9, cy - 4);
    canvas.Arc(x + 3, cy - 7, x + 14, cy + 8, x + 12, cy + 6, x + 12, cy - 6);
}

// The pointer is read now, not taken from the last mouse message, so that a
// paint for any reason shows the frame under it.
void TskTabControlTopPanel::PaintScrollButtons(TCanvas& canvas) {
    if (!FOverflow && FFirstShown <= 0) return;
    TPoint pointer{-1, -1};
    if (Application) pointer = ScreenToClient(Application->Host().CursorPos());
    const TskThemeLookup theme(FFileTheme, FUIStyle);
    auto draw = [&](const TRect& rect, int plainFrame, int hoverFrame, int hover) {
        const bool over = InRect(pointer, rect);
        if (over) FHoverButton = hover;
        TBitmap frame;
        theme.Bitmap(ThemeItem::ScrollButtonImage, &frame, over ? hoverFrame : plainFrame, 4);
        frame.SetTransparent(true);
        frame.SetTransparentMode(tmAuto);
        canvas.Draw(rect.Left, rect.Top, frame);
    };
    draw(ForwardButtonRect(), 1, 2, 1);
    draw(BackButtonRect(), 3, 4, -1);
}

void TskTabControlTopPanel::Paint(TCanvas& canvas) {
    Render();
    canvas.Draw(0, 0, FBuffer);
}

void TskTabControlTopPanel::RepaintNow() {
    Repaint();
}

void TskTabControlTopPanel::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
    auto alive = AliveToken();
    if (button == TMouseButton::mbLeft) {
        RepaintNow();
        const bool back = FHoverButton < 0;
        if (back || (FHoverButton > 0 && FOverflow)) {
            FFirstShown = std::clamp(FFirstShown + (back ? -1 : 1), 0, TabCount());
            RepaintNow();
        } else if (int hit = TabAtPos({x, y}); hit >= 0 && InRect({x, y}, SoundRect(hit))) {
            // The speaker answers for the tab's sound and leaves the
            // selection as it is.
            if (FTab) FTab->TabSoundClick(hit);
            if (alive.expired()) return;
        } else if (hit >= 0) {
            FChangingByUser = true;
            SetTabIndex(hit);
            if (alive.expired()) return;
            FBringIntoView = true;
            RepaintNow();
            FChangingByUser = false;
            FBringIntoView = false;
        }
    }
    TWinControl::MouseDown(button, shift, x, y);
}

// Whenever the scroll buttons are drawn (also when the strip is scrolled
// but nothing is cut any more), so that their hover frames follow the
// pointer.
void TskTabControlTopPanel::MouseMove(TShiftState shift, int x, int y) {
    if (FOverflow || FFirstShown > 0) Invalidate();
    TWinControl::MouseMove(shift, x, y);
}

// Also after the pointer has gone, so that no button stays framed.
void TskTabControlTopPanel::MouseLeave() {
    if (FOverflow || FFirstShown > 0) Invalidate();
    TWinControl::MouseLeave();
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
