#include "gui/TCustomPanel.h"

#include <algorithm>

#include "gui/ControlDraw.h"
#include "gui/graphics/TCanvas.h"

const TClassInfo& TCustomPanel::StaticClass() {
    static const TClassInfo info =
        TClassBuilder<TCustomPanel>("TCustomPanel", &TWinControl::StaticClass())
            .Enum("BevelOuter", &TCustomPanel::BevelOuter, &TCustomPanel::SetBevelOuter,
                  BevelCutNames())
            .Enum("BevelInner", &TCustomPanel::BevelInner, &TCustomPanel::SetBevelInner,
                  BevelCutNames())
            .Prop("BevelWidth", &TCustomPanel::BevelWidth, &TCustomPanel::SetBevelWidth)
            .Enum("Alignment", &TCustomPanel::Alignment, &TCustomPanel::SetAlignment,
                  AlignmentNames())
            .Enum("BorderStyle", &TCustomPanel::BorderStyle, &TCustomPanel::SetBorderStyle,
                  BorderStyleNames())
            .Build();
    return info;
}

TCustomPanel::TCustomPanel(TComponent* owner) : TWinControl(owner) {
    SetControlStyle(ControlStyle() | csAcceptsControls | csOpaque);
    SetBounds(0, 0, 185, 41);
}

void TCustomPanel::BevelsChanged() {
    Invalidate();
    Realign();
}

void TCustomPanel::SetBevelOuter(TBevelCut cut) {
    if (cut == FBevelOuter) return;
    FBevelOuter = cut;
    BevelsChanged();
}

void TCustomPanel::SetBevelInner(TBevelCut cut) {
    if (cut == FBevelInner) return;
    FBevelInner = cut;
    BevelsChanged();
}

void TCustomPanel::SetBevelWidth(int width) {
    width = std::max(width, 1);
    if (width == FBevelWidth) return;
    FBevelWidth = width;
    BevelsChanged();
}

void TCustomPanel::SetAlignment(TAlignment alignment) {
    if (alignment == FAlignment) return;
    FAlignment = alignment;
    Invalidate();
}

void TCustomPanel::SetBorderStyle(TBorderStyle style) {
    if (style != TBorderStyle::bsSingle) style = TBorderStyle::bsNone;
    if (style == FBorderStyle) return;
    FBorderStyle = style;
    BevelsChanged();
    PlacementChanged();
}

int TCustomPanel::BevelSize() const {
    int size = 0;
    if (FBevelOuter != TBevelCut::bvNone) size += FBevelWidth;
    if (FBevelInner != TBevelCut::bvNone) size += FBevelWidth;
    return size;
}

void TCustomPanel::AdjustClientRect(TRect& rect) const {
    TWinControl::AdjustClientRect(rect);
    const int size = BevelSize();
    rect = rect.Inflate(-size, -size);
}

TRect TCustomPanel::NonClientInsets() const {
    TRect insets = TWinControl::NonClientInsets();
    if (FBorderStyle == TBorderStyle::bsSingle)
        insets = {insets.Left + 2, insets.Top + 2, insets.Right + 2, insets.Bottom + 2};
    return insets;
}

void TCustomPanel::PaintNonClient(TCanvas& canvas) {
    TRect rect{0, 0, Width(), Height()};
    if (FBorderStyle == TBorderStyle::bsSingle) DrawSunkenEdge(canvas, rect);
    TRect inner = rect.Inflate(-BorderWidth(), -BorderWidth());
    if (BorderWidth() > 0) {
        TCanvasSaver saver(canvas);
        canvas.ExcludeClipRect(inner);
        FillSolid(canvas, rect, Color());
    }
}

// Paint covers the whole client area.
void TCustomPanel::EraseBackground(TCanvas&) {}

static void BevelColors(TBevelCut cut, TColor& top, TColor& bottom) {
    top = cut == TBevelCut::bvLowered ? clBtnShadow : clBtnHighlight;
    bottom = cut == TBevelCut::bvLowered ? clBtnHighlight : clBtnShadow;
}

void TCustomPanel::PaintBevels(TCanvas& canvas, TRect& rect) {
    TColor top, bottom;
    if (FBevelOuter != TBevelCut::bvNone) {
        BevelColors(FBevelOuter, top, bottom);
        if (FBevelOuter == TBevelCut::bvSpace) top = bottom = Color();
        Frame3D(canvas, rect, top, bottom, FBevelWidth);
    }
    if (FBevelInner != TBevelCut::bvNone) {
        BevelColors(FBevelInner, top, bottom);
        if (FBevelInner == TBevelCut::bvSpace) top = bottom = Color();
        Frame3D(canvas, rect, top, bottom, FBevelWidth);
    }
}

void TCustomPanel::PaintBackground(TCanvas& canvas, const TRect& rect) {
    FillSolid(canvas, rect, Color());
}

void TCustomPanel::PaintCaption(TCanvas& canvas, const TRect& rect) {
    if (Caption().empty()) return;
    TCanvasSaver saver(canvas);
    canvas.Font().Assign(Font());
    canvas.Brush().SetStyle(bsClear);
    TRect r = rect;
    const int height = canvas.TextHeight("W");
    r.Top = (rect.Top + rect.Bottom - height) / 2;
    r.Bottom = r.Top + height;
    canvas.DrawText(Caption(), r, DT_EXPANDTABS | DT_SINGLELINE | AlignmentFlags(FAlignment));
}

void TCustomPanel::Paint(TCanvas& canvas) {
    TRect rect = ClientRect();
    PaintBevels(canvas, rect);
    PaintBackground(canvas, rect);
    PaintCaption(canvas, rect);
}
