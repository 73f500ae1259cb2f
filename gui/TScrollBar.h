#pragma once
// A plain scroll bar without a window of its own: two arrow buttons, a
// track and a thumb whose length shows PageSize. Arrow and track presses
// repeat while held; the thumb drags. Tree views and memos keep one inside
// their client area, where a skinned bar may later lie over it.
#include <algorithm>
#include <functional>

#include "gui/ControlTypes.h"
#include "gui/TControl.h"

class TTimer;

// Scroll codes (the low word of WM_VSCROLL / WM_HSCROLL's wParam).
constexpr int SB_LINEUP = 0;
constexpr int SB_LINEDOWN = 1;
constexpr int SB_PAGEUP = 2;
constexpr int SB_PAGEDOWN = 3;
constexpr int SB_THUMBPOSITION = 4;
constexpr int SB_THUMBTRACK = 5;
constexpr int SB_TOP = 6;
constexpr int SB_BOTTOM = 7;
constexpr int SB_ENDSCROLL = 8;

// What a scrolled control reports about one of its bars.
struct TScrollInfo {
    bool Visible = false;
    int Min = 0;
    int Max = 0;
    int Page = 0;
    int Pos = 0;
    int ThumbLength = 0; // pixels
};

using TScrollEvent = std::function<void(TObject* sender, int code, int& position)>;

class TScrollBar : public TControl {
    XF_CLASS(TScrollBar)
public:
    enum class TPart { None, BackButton, ForwardButton, PageBack, PageForward, Thumb };

    explicit TScrollBar(TComponent* owner);
    ~TScrollBar() override;

    TScrollBarKind Kind() const { return FKind; }
    void SetKind(TScrollBarKind kind);
    bool Vertical() const { return FKind == TScrollBarKind::sbVertical; }
    int Min() const { return FMin; }
    void SetMin(int v) { SetParams(FPosition, v, std::max(v, FMax)); }
    int Max() const { return FMax; }
    void SetMax(int v) { SetParams(FPosition, std::min(FMin, v), v); }
    int Position() const { return FPosition; }
    void SetPosition(int position) { SetParams(position, FMin, FMax); }
    void SetParams(int position, int min, int max);
    // The visible part of the range (0: a square thumb).
    int PageSize() const { return FPageSize; }
    void SetPageSize(int page);
    int SmallChange() const { return FSmallChange; }
    void SetSmallChange(int v) { FSmallChange = std::max(v, 1); }
    int LargeChange() const { return FLargeChange; }
    void SetLargeChange(int v) { FLargeChange = std::max(v, 1); }
    // The largest position: the last page ends at Max.
    int MaxPosition() const;

    // Geometry in client coordinates.
    int ButtonLength() const;
    TRect BackButtonRect() const;
    TRect ForwardButtonRect() const;
    TRect TrackRect() const;
    TRect ThumbRect() const;
    int ThumbLength() const;
    TPart PartAt(TPoint p) const;
    TPart PressedPart() const { return FPressed; }

    // Scrolls as the part does once (the repeat step).
    void Step(TPart part);
    void Paint(TCanvas& canvas) override;

    TNotifyEvent OnChange;
    // Before a user scroll lands: the code and the position it goes to
    // (changeable).
    TScrollEvent OnScroll;

protected:
    void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
    void MouseMove(TShiftState shift, int x, int y) override;
    void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override;
    void EnabledChanged() override;

    virtual void PaintButton(TCanvas& canvas, const TRect& rect, bool back, bool pressed);
    virtual void PaintTrack(TCanvas& canvas, const TRect& rect);
    virtual void PaintThumb(TCanvas& canvas, const TRect& rect);

private:
    void ScrollTo(int code, int position);
    void StartRepeat();
    void StopRepeat();
    void RepeatTick();
    int Along(TPoint p) const { return Vertical() ? p.Y : p.X; }
    bool Usable() const { return EnabledInTree() && MaxPosition() > FMin; }

    TScrollBarKind FKind = TScrollBarKind::sbHorizontal;
    int FMin = 0;
    int FMax = 100;
    int FPosition = 0;
    int FPageSize = 0;
    int FSmallChange = 1;
    int FLargeChange = 1;
    TPart FPressed = TPart::None;
    TPoint FLastMouse;
    int FGrabOffset = 0;
    TTimer* FRepeat = nullptr;
};
