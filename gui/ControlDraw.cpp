#include "gui/ControlDraw.h"

#include "gui/TWinControl.h"
#include "gui/graphics/TCanvas.h"

void FillSolid(TCanvas& canvas, const TRect& rect, TColor color) {
    if (rect.IsEmpty()) return;
    TCanvasSaver saver(canvas);
    canvas.Brush().SetStyle(bsSolid);
    canvas.Brush().SetColor(color);
    canvas.FillRect(rect);
}

void Frame3D(TCanvas& canvas, TRect& rect, TColor topColor, TColor bottomColor, int width) {
    for (int i = 0; i < width && !rect.IsEmpty(); ++i) {
        const TRect& r = rect;
        FillSolid(canvas, {r.Left, r.Top, r.Right - 1, r.Top + 1}, topColor);
        FillSolid(canvas, {r.Left, r.Top, r.Left + 1, r.Bottom - 1}, topColor);
        FillSolid(canvas, {r.Right - 1, r.Top, r.Right, r.Bottom}, bottomColor);
        FillSolid(canvas, {r.Left, r.Bottom - 1, r.Right, r.Bottom}, bottomColor);
        rect = rect.Inflate(-1, -1);
    }
}

void DrawSunkenEdge(TCanvas& canvas, TRect& rect) {
    Frame3D(canvas, rect, clBtnShadow, clBtnHighlight, 1);
    Frame3D(canvas, rect, cl3DDkShadow, cl3DLight, 1);
}

void DrawButtonEdge(TCanvas& canvas, TRect& rect, bool pressed) {
    if (pressed) {
        DrawSunkenEdge(canvas, rect);
        return;
    }
    Frame3D(canvas, rect, cl3DLight, cl3DDkShadow, 1);
    Frame3D(canvas, rect, clBtnHighlight, clBtnShadow, 1);
}

void DrawArrow(TCanvas& canvas, const TRect& rect, TArrowDirection direction, TColor color,
               int size) {
    if (rect.IsEmpty() || size <= 0) return;
    const int cx = rect.Left + rect.Width() / 2;
    const int cy = rect.Top + rect.Height() / 2;
    // Rows of a triangle: the base is 2*size+1 wide, each row one less
    // on either side.
    for (int i = 0; i <= size; ++i) {
        const int half = size - i;
        switch (direction) {
        case TArrowDirection::Down:
            FillSolid(canvas, {cx - half, cy - size / 2 + i, cx + half + 1, cy - size / 2 + i + 1},
                      color);
            break;
        case TArrowDirection::Up:
            FillSolid(canvas, {cx - half, cy + size / 2 - i, cx + half + 1, cy + size / 2 - i + 1},
                      color);
            break;
        case TArrowDirection::Right:
            FillSolid(canvas, {cx - size / 2 + i, cy - half, cx - size / 2 + i + 1, cy + half + 1},
                      color);
            break;
        case TArrowDirection::Left:
            FillSolid(canvas, {cx + size / 2 - i, cy - half, cx + size / 2 - i + 1, cy + half + 1},
                      color);
            break;
        }
    }
}

void DrawFocusRect(TCanvas& canvas, const TRect& rect) {
    if (rect.IsEmpty()) return;
    const TColor color = clWindowText;
    for (int x = rect.Left; x < rect.Right; x += 2) {
        canvas.SetPixel(x, rect.Top, color);
        canvas.SetPixel(x, rect.Bottom - 1, color);
    }
    for (int y = rect.Top; y < rect.Bottom; y += 2) {
        canvas.SetPixel(rect.Left, y, color);
        canvas.SetPixel(rect.Right - 1, y, color);
    }
}

void PaintSunkenBorder(TCanvas& canvas, const TWinControl& control, bool sunken) {
    TRect rect{0, 0, control.Width(), control.Height()};
    if (sunken) DrawSunkenEdge(canvas, rect);
    const int border = control.BorderWidth();
    if (border <= 0) return;
    TCanvasSaver saver(canvas);
    canvas.ExcludeClipRect(rect.Inflate(-border, -border));
    FillSolid(canvas, rect, control.Color());
}
