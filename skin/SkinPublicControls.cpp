// The drawing helpers that work on controls and windows rather than on
// bitmaps alone.
#include <algorithm>
#include <vector>

#include "gui/TApplication.h"
#include "gui/TCustomForm.h"
#include "gui/TWinControl.h"
#include "gui/graphics/TBitmap.h"
#include "gui/graphics/TCanvas.h"
#include "skin/SkinPublic.h"

namespace {

// Parents painting themselves into a child's canvas right now.
std::vector<const TWinControl*>& ParentsInBackgroundPaint() {
    static std::vector<const TWinControl*> parents;
    return parents;
}

class TBackgroundPaintGuard {
public:
    explicit TBackgroundPaintGuard(const TWinControl* parent) : FParent(parent) {
        ParentsInBackgroundPaint().push_back(parent);
    }
    ~TBackgroundPaintGuard() {
        auto& parents = ParentsInBackgroundPaint();
        parents.erase(std::find(parents.begin(), parents.end(), FParent));
    }
    TBackgroundPaintGuard(const TBackgroundPaintGuard&) = delete;
    TBackgroundPaintGuard& operator=(const TBackgroundPaintGuard&) = delete;

    static bool Active(const TWinControl* parent) {
        auto& parents = ParentsInBackgroundPaint();
        return std::find(parents.begin(), parents.end(), parent) != parents.end();
    }

private:
    const TWinControl* FParent;
};

// The part of the form's surface where the control's window can be seen:
// its window rectangle within every ancestor's client area.
TRect VisibleWindowRect(const TControl& control) {
    TRect visible = control.WindowRectInForm();
    for (const TWinControl* p = control.Parent(); p && !visible.IsEmpty(); p = p->Parent()) {
        const TPoint origin = p->ClientOrigin();
        visible = visible.Intersect(
            TRect::FromSize(origin.X, origin.Y, p->ClientWidth(), p->ClientHeight()));
    }
    return visible;
}

} // namespace

void DrawParentBackground(TCanvas& canvas, const TControl* control) {
    if (!control || !control->Parent()) return;
    TWinControl* parent = control->Parent();
    if (TBackgroundPaintGuard::Active(parent)) return;
    TBackgroundPaintGuard guard(parent);
    TCanvasSaver saver(canvas);
    canvas.MoveOrigin(-control->Left(), -control->Top());
    canvas.IntersectClipRect({0, 0, parent->ClientWidth(), parent->ClientHeight()});
    parent->Perform(WM_ERASEBKGND, reinterpret_cast<WPARAM>(&canvas));
    parent->Perform(WM_PAINT, reinterpret_cast<WPARAM>(&canvas));
}

void DrawControlBorder(TCanvas& windowCanvas, const TControl& control, TColor color,
                       TColor innerColor, bool drawInner) {
    const TRect window{0, 0, control.Width(), control.Height()};
    TCanvasSaver saver(windowCanvas);
    windowCanvas.Brush().SetColor(color);
    windowCanvas.FrameRect(window);
    if (!drawInner) return;
    windowCanvas.Brush().SetColor(innerColor);
    windowCanvas.FrameRect(window.Inflate(-1, -1));
}

void DrawControlBorder(TWinControl* control, TColor color, TColor innerColor, bool drawInner) {
    if (!control) return;
    TCustomForm* form = control->ParentForm();
    if (!form) return;
    const TRect visible = VisibleWindowRect(*control);
    if (visible.IsEmpty()) return;
    const TPoint origin = control->WindowRectInForm().TopLeft();
    TCanvas& canvas = form->BackBuffer().Canvas();
    {
        TCanvasSaver saver(canvas);
        canvas.ResetClip();
        canvas.SetOrigin(origin);
        canvas.IntersectClipRect(visible.Offset(-origin.X, -origin.Y));
        DrawControlBorder(canvas, *control, color, innerColor, drawInner);
    }
    if (form->Visible() && Application)
        Application->Host().PresentWindow(form->HostWindow(), visible);
}

bool InRect(TPoint point, const TRect& rect) {
    return point.X >= rect.Left && point.X <= rect.Right && point.Y >= rect.Top &&
           point.Y <= rect.Bottom;
}

TRect GetWorkAreaRect() {
    return Application ? Application->Host().WorkArea() : TRect{};
}

void SetControlBounds(TControl* control, const TRect& rect) {
    if (!control) return;
    control->SetLeft(rect.Left);
    control->SetTop(rect.Top);
    control->SetWidth(rect.Right - rect.Left);
    control->SetHeight(rect.Bottom - rect.Top);
}
