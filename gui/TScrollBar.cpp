#include "gui/TScrollBar.h"

#include <algorithm>
#include <cmath>

#include "gui/ControlDraw.h"
#include "gui/TTimer.h"
#include "gui/graphics/TCanvas.h"

namespace {
constexpr int FirstRepeatMs = 400;
constexpr int RepeatMs = 100;
constexpr int MinThumb = 8;
} // namespace

const TClassInfo& TScrollBar::StaticClass() {
    static const TClassInfo info =
        TClassBuilder<TScrollBar>("TScrollBar", &TControl::StaticClass())
            .Enum("Kind", &TScrollBar::Kind, &TScrollBar::SetKind, ScrollBarKindNames())
            .Prop("Min", &TScrollBar::Min, &TScrollBar::SetMin)
            .Prop("Max", &TScrollBar::Max, &TScrollBar::SetMax)
            .Prop("Position", &TScrollBar::Position, &TScrollBar::SetPosition)
            .Prop("PageSize", &TScrollBar::PageSize, &TScrollBar::SetPageSize)
            .Prop("SmallChange", &TScrollBar::SmallChange, &TScrollBar::SetSmallChange)
            .Prop("LargeChange", &TScrollBar::LargeChange, &TScrollBar::SetLargeChange)
            .Event("OnChange", &TScrollBar::OnChange)
            .Event("OnScroll", &TScrollBar::OnScroll)
            .Build();
    return info;
}

TScrollBar::TScrollBar(TComponent* owner) : TControl(owner) {
    SetControlStyle((ControlStyle() | csCaptureMouse) & ~csDoubleClicks);
    SetBounds(0, 0, 121, 16);
}

TScrollBar::~TScrollBar() {
    StopRepeat();
}

void TScrollBar::SetKind(TScrollBarKind kind) {
    if (kind == FKind) return;
    FKind = kind;
    if (!IsLoading()) SetBounds(Left(), Top(), Height(), Width());
    Invalidate();
}

void TScrollBar::SetParams(int position, int min, int max) {
    if (max < min) max = min;
    const bool rangeChanged = min != FMin || max != FMax;
    FMin = min;
    FMax = max;
    position = std::clamp(position, FMin, std::max(FMin, MaxPosition()));
    const bool moved = position != FPosition;
    FPosition = position;
    if (rangeChanged || moved) Invalidate();
    if (moved && OnChange) OnChange(this);
}

void TScrollBar::SetPageSize(int page) {
    page = std::clamp(page, 0, FMax - FMin + 1);
    if (page == FPageSize) return;
    FPageSize = page;
    SetParams(FPosition, FMin, FMax);
    Invalidate();
}

int TScrollBar::MaxPosition() const {
    return FMax - std::max(FPageSize - 1, 0);
}

// --- geometry --------------------------------------------------------------

int TScrollBar::ButtonLength() const {
    const int length = Vertical() ? Height() : Width();
    const int cross = Vertical() ? Width() : Height();
    return std::min(cross, length / 2);
}

TRect TScrollBar::BackButtonRect() const {
    const int b = ButtonLength();
    return Vertical() ? TRect{0, 0, Width(), b} : TRect{0, 0, b, Height()};
}

TRect TScrollBar::ForwardButtonRect() const {
    const int b = ButtonLength();
    return Vertical() ? TRect{0, Height() - b, Width(), Height()}
                      : TRect{Width() - b, 0, Width(), Height()};
}

TRect TScrollBar::TrackRect() const {
    const int b = ButtonLength();
    return Vertical() ? TRect{0, b, Width(), Height() - b} : TRect{b, 0, Width() - b, Height()};
}

int TScrollBar::ThumbLength() const {
    TRect track = TrackRect();
    const int length = Vertical() ? track.Height() : track.Width();
    const int cross = Vertical() ? Width() : Height();
    int thumb = cross;
    if (FPageSize > 0)
        thumb = static_cast<int>(static_cast<int64_t>(length) * FPageSize / (FMax - FMin + 1));
    thumb = std::max(thumb, MinThumb);
    return thumb > length ? 0 : thumb;
}

TRect TScrollBar::ThumbRect() const {
    if (!Usable()) return {};
    const int thumb = ThumbLength();
    if (thumb == 0) return {};
    TRect track = TrackRect();
    const int length = Vertical() ? track.Height() : track.Width();
    const int range = MaxPosition() - FMin;
    const int offset =
        range <= 0
            ? 0
            : static_cast<int>(static_cast<int64_t>(FPosition - FMin) * (length - thumb) / range);
    if (Vertical()) return TRect::FromSize(0, track.Top + offset, Width(), thumb);
    return TRect::FromSize(track.Left + offset, 0, thumb, Height());
}

TScrollBar::TPart TScrollBar::PartAt(TPoint p) const {
    if (!ClientRect().Contains(p)) return TPart::None;
    if (BackButtonRect().Contains(p)) return TPart::BackButton;
    if (ForwardButtonRect().Contains(p)) return TPart::ForwardButton;
    TRect thumb = ThumbRect();
    if (thumb.IsEmpty()) return TPart::None;
    if (thumb.Contains(p)) return TPart::Thumb;
    return Along(p) < Along(thumb.TopLeft()) ? TPart::PageBack : TPart::PageForward;
}

// --- behaviour -------------------------------------------------------------

void TScrollBar::ScrollTo(int code, int position) {
    position = std::clamp(position, FMin, std::max(FMin, MaxPosition()));
    if (OnScroll) OnScroll(this, code, position);
    SetPosition(position);
}

void TScrollBar::Step(TPart part) {
    const int page = FPageSize > 0 ? FPageSize : FLargeChange;
    switch (part) {
    case TPart::BackButton:
        ScrollTo(SB_LINEUP, FPosition - FSmallChange);
        break;
    case TPart::ForwardButton:
        ScrollTo(SB_LINEDOWN, FPosition + FSmallChange);
        break;
    case TPart::PageBack:
        ScrollTo(SB_PAGEUP, FPosition - page);
        break;
    case TPart::PageForward:
        ScrollTo(SB_PAGEDOWN, FPosition + page);
        break;
    default:
        break;
    }
}

void TScrollBar::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
    TControl::MouseDown(button, shift, x, y);
    if (button != TMouseButton::mbLeft || !Usable()) return;
    FLastMouse = {x, y};
    FPressed = PartAt({x, y});
    if (FPressed == TPart::None) return;
    if (FPressed == TPart::Thumb) {
        FGrabOffset = Along({x, y}) - Along(ThumbRect().TopLeft());
    } else {
        Step(FPressed);
        StartRepeat();
    }
    Invalidate();
}

void TScrollBar::MouseMove(TShiftState shift, int x, int y) {
    TControl::MouseMove(shift, x, y);
    FLastMouse = {x, y};
    if (FPressed != TPart::Thumb) return;
    TRect track = TrackRect();
    const int length = Vertical() ? track.Height() : track.Width();
    const int span = length - ThumbLength();
    const int range = MaxPosition() - FMin;
    if (span <= 0 || range <= 0) return;
    const int start = Vertical() ? track.Top : track.Left;
    const double at = static_cast<double>(Along({x, y}) - FGrabOffset - start) * range / span;
    ScrollTo(SB_THUMBTRACK, FMin + static_cast<int>(std::lround(at)));
}

void TScrollBar::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
    if (button == TMouseButton::mbLeft && FPressed != TPart::None) {
        if (FPressed == TPart::Thumb) {
            int position = FPosition;
            if (OnScroll) OnScroll(this, SB_THUMBPOSITION, position);
            SetPosition(position);
        }
        FPressed = TPart::None;
        StopRepeat();
        Invalidate();
    }
    TControl::MouseUp(button, shift, x, y);
}

void TScrollBar::EnabledChanged() {
    if (!Enabled()) {
        FPressed = TPart::None;
        StopRepeat();
    }
    TControl::EnabledChanged();
}

void TScrollBar::StartRepeat() {
    if (!FRepeat) {
        FRepeat = new TTimer(this);
        FRepeat->OnTimer = [this](TObject*) { RepeatTick(); };
    }
    FRepeat->SetEnabled(false);
    FRepeat->SetInterval(FirstRepeatMs);
    FRepeat->SetEnabled(true);
}

void TScrollBar::StopRepeat() {
    if (FRepeat) FRepeat->SetEnabled(false);
}

// Page steps stop once the thumb has reached the pointer.
void TScrollBar::RepeatTick() {
    if (FPressed == TPart::None || FPressed == TPart::Thumb) {
        StopRepeat();
        return;
    }
    FRepeat->SetInterval(RepeatMs);
    TPart under = PartAt(FLastMouse);
    if (under == FPressed) Step(FPressed);
}

// --- painting --------------------------------------------------------------

void TScrollBar::PaintButton(TCanvas& canvas, const TRect& rect, bool back, bool pressed) {
    TRect r = rect;
    FillSolid(canvas, r, clBtnFace);
    DrawButtonEdge(canvas, r, pressed);
    TArrowDirection dir = Vertical() ? (back ? TArrowDirection::Up : TArrowDirection::Down)
                                     : (back ? TArrowDirection::Left : TArrowDirection::Right);
    TRect arrow = pressed ? rect.Offset(1, 1) : rect;
    const int size = std::max(1, std::min(rect.Width(), rect.Height()) / 4);
    DrawArrow(canvas, arrow, dir, Usable() ? clBtnText : clGrayText, size);
}

void TScrollBar::PaintTrack(TCanvas& canvas, const TRect& rect) {
    if (rect.IsEmpty()) return;
    FillSolid(canvas, rect, clBtnFace);
    // The classic checker of light and face pixels.
    for (int y = rect.Top; y < rect.Bottom; ++y)
        for (int x = rect.Left + ((y + rect.Left) & 1); x < rect.Right; x += 2)
            canvas.SetPixel(x, y, clBtnHighlight);
}

void TScrollBar::PaintThumb(TCanvas& canvas, const TRect& rect) {
    if (rect.IsEmpty()) return;
    TRect r = rect;
    FillSolid(canvas, r, clBtnFace);
    DrawButtonEdge(canvas, r, false);
}

void TScrollBar::Paint(TCanvas& canvas) {
    TCanvasSaver saver(canvas);
    PaintTrack(canvas, TrackRect());
    PaintThumb(canvas, ThumbRect());
    PaintButton(canvas, BackButtonRect(), true, FPressed == TPart::BackButton);
    PaintButton(canvas, ForwardButtonRect(), false, FPressed == TPart::ForwardButton);
}
