#include "gui/TSpeedButton.h"

#include <algorithm>

#include "gui/ControlDraw.h"
#include "gui/PictureSource.h"
#include "gui/TWinControl.h"
#include "gui/graphics/TBitmap.h"
#include "gui/graphics/TCanvas.h"
#include "gui/graphics/TTextLayout.h"

const TClassInfo& TSpeedButton::StaticClass() {
    static const TClassInfo info =
        TClassBuilder<TSpeedButton>("TSpeedButton", &TControl::StaticClass())
            .Prop("Flat", &TSpeedButton::Flat, &TSpeedButton::SetFlat)
            .Prop("Glyph", &TSpeedButton::GlyphSource, &TSpeedButton::SetGlyphSource)
            .Prop("NumGlyphs", &TSpeedButton::NumGlyphs, &TSpeedButton::SetNumGlyphs)
            .Enum("Layout", &TSpeedButton::Layout, &TSpeedButton::SetLayout, ButtonLayoutNames())
            .Prop("Margin", &TSpeedButton::Margin, &TSpeedButton::SetMargin)
            .Prop("Spacing", &TSpeedButton::Spacing, &TSpeedButton::SetSpacing)
            .Prop("Down", &TSpeedButton::Down, &TSpeedButton::SetDown)
            .Prop("GroupIndex", &TSpeedButton::GroupIndex, &TSpeedButton::SetGroupIndex)
            .Prop("AllowAllUp", &TSpeedButton::AllowAllUp, &TSpeedButton::SetAllowAllUp)
            .Prop("Transparent", &TSpeedButton::Transparent, &TSpeedButton::SetTransparent)
            .Build();
    return info;
}

TSpeedButton::TSpeedButton(TComponent* owner)
    : TControl(owner), FGlyph(std::make_unique<TBitmap>()) {
    SetBounds(0, 0, 23, 22);
    SetParentFont(true);
}

TSpeedButton::~TSpeedButton() = default;

void TSpeedButton::SetFlat(bool flat) {
    if (flat == FFlat) return;
    FFlat = flat;
    Invalidate();
}

void TSpeedButton::SetGlyphSource(const std::string& source) {
    FGlyphSource = source;
    try {
        LoadBitmapFromSource(*FGlyph, source);
    } catch (...) {
        FGlyph->SetSize(0, 0);
        GlyphChanged();
        throw;
    }
    GlyphChanged();
}

void TSpeedButton::GlyphChanged() {
    Invalidate();
}

void TSpeedButton::SetNumGlyphs(int count) {
    count = std::clamp(count, 1, 4);
    if (count == FNumGlyphs) return;
    FNumGlyphs = count;
    Invalidate();
}

void TSpeedButton::SetLayout(TButtonLayout layout) {
    if (layout == FLayout) return;
    FLayout = layout;
    Invalidate();
}

void TSpeedButton::SetMargin(int margin) {
    margin = std::max(margin, -1);
    if (margin == FMargin) return;
    FMargin = margin;
    Invalidate();
}

void TSpeedButton::SetSpacing(int spacing) {
    if (spacing == FSpacing) return;
    FSpacing = spacing;
    Invalidate();
}

void TSpeedButton::SetTransparent(bool transparent) {
    if (transparent == FTransparent) return;
    FTransparent = transparent;
    Invalidate();
}

void TSpeedButton::SetAllowAllUp(bool allow) {
    if (allow == FAllowAllUp) return;
    FAllowAllUp = allow;
    // The group shares the setting.
    if (!Parent() || FGroupIndex == 0) return;
    for (TControl* c : Parent()->Controls())
        if (auto* b = dynamic_cast<TSpeedButton*>(c);
            b && b != this && b->FGroupIndex == FGroupIndex)
            b->FAllowAllUp = allow;
}

void TSpeedButton::SetGroupIndex(int index) {
    if (index == FGroupIndex) return;
    FGroupIndex = index;
    if (FGroupIndex == 0 && FDown) {
        FDown = false;
        SetState(TButtonState::bsUp);
    }
    UpdateExclusive();
}

void TSpeedButton::SetState(TButtonState state) {
    if (state == FState) return;
    FState = state;
    Invalidate();
}

// A button of a group that goes down takes the others up.
void TSpeedButton::UpdateExclusive() {
    if (!FDown || FGroupIndex == 0 || !Parent()) return;
    for (TControl* c : Parent()->Controls()) {
        auto* b = dynamic_cast<TSpeedButton*>(c);
        if (!b || b == this || b->FGroupIndex != FGroupIndex || !b->FDown) continue;
        b->FDown = false;
        b->SetState(b->EnabledInTree() ? TButtonState::bsUp : TButtonState::bsDisabled);
    }
}

void TSpeedButton::SetDown(bool down) {
    if (FGroupIndex == 0) down = false;
    if (down == FDown) return;
    if (FDown && !FAllowAllUp) return;
    FDown = down;
    if (!EnabledInTree())
        SetState(TButtonState::bsDisabled);
    else
        SetState(down ? TButtonState::bsExclusive : TButtonState::bsUp);
    Invalidate();
    UpdateExclusive();
}

void TSpeedButton::EnabledChanged() {
    if (!Enabled())
        SetState(TButtonState::bsDisabled);
    else
        SetState(FDown ? TButtonState::bsExclusive : TButtonState::bsUp);
    Invalidate();
}

void TSpeedButton::WndProc(TMessage& message) {
    if (message.Msg == CM_DIALOGCHAR) {
        char16_t ch = static_cast<char16_t>(message.WParam);
        if (ch >= u'A' && ch <= u'Z') ch = static_cast<char16_t>(ch - u'A' + u'a');
        if (ch != 0 && ch == TTextLayout::AccelChar(Caption()) && Visible() && EnabledInTree()) {
            Click();
            message.Result = 1;
        }
        return;
    }
    TControl::WndProc(message);
}

void TSpeedButton::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
    TControl::MouseDown(button, shift, x, y);
    if (button != TMouseButton::mbLeft || !EnabledInTree()) return;
    if (!FDown) SetState(TButtonState::bsDown);
    FDragging = true;
}

void TSpeedButton::MouseMove(TShiftState shift, int x, int y) {
    TControl::MouseMove(shift, x, y);
    if (!FDragging) return;
    const bool inside = ClientRect().Contains({x, y});
    TButtonState state = FDown ? TButtonState::bsExclusive : TButtonState::bsUp;
    if (inside && !FDown) state = TButtonState::bsDown;
    SetState(state);
}

void TSpeedButton::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
    const bool wasDragging = FDragging && button == TMouseButton::mbLeft;
    if (wasDragging) {
        FDragging = false;
        const bool inside = ClientRect().Contains({x, y});
        if (FGroupIndex == 0) {
            SetState(TButtonState::bsUp);
        } else if (inside) {
            SetDown(!FDown);
            if (FDown)
                SetState(TButtonState::bsExclusive);
            else
                SetState(TButtonState::bsUp);
        } else {
            SetState(FDown ? TButtonState::bsExclusive : TButtonState::bsUp);
        }
    }
    TControl::MouseUp(button, shift, x, y);
}

void TSpeedButton::MouseEnter() {
    TControl::MouseEnter();
    Invalidate();
}

void TSpeedButton::MouseLeave() {
    TControl::MouseLeave();
    Invalidate();
}

void TSpeedButton::Click() {
    TControl::Click();
}

// --- painting ------------------------------------------------------------

int TSpeedButton::GlyphFrame() const {
    int frame = 0;
    switch (FState) {
    case TButtonState::bsDisabled:
        frame = 1;
        break;
    case TButtonState::bsDown:
        frame = 2;
        break;
    case TButtonState::bsExclusive:
        frame = 3;
        break;
    default:
        break;
    }
    return frame < FNumGlyphs ? frame : 0;
}

TSpeedButton::TButtonGeometry TSpeedButton::Geometry(TCanvas& canvas) const {
    const int w = Width(), h = Height();
    int gw = FGlyph->Empty() ? 0 : FGlyph->Width() / FNumGlyphs;
    int gh = FGlyph->Empty() ? 0 : FGlyph->Height();
    int tw = 0, th = 0;
    if (!Caption().empty()) {
        canvas.Font().Assign(Font());
        TRect calc{0, 0, w, 0};
        canvas.DrawText(Caption(), calc, DT_CALCRECT | DT_SINGLELINE);
        tw = calc.Width();
        th = calc.Height();
    }
    int spacing = (gw > 0 && tw > 0) ? FSpacing : 0;
    const bool horizontal =
        FLayout == TButtonLayout::blGlyphLeft || FLayout == TButtonLayout::blGlyphRight;
    const int size = horizontal ? w : h;
    const int glyphAlong = horizontal ? gw : gh;
    const int textAlong = horizontal ? tw : th;
    int margin = FMargin;
    if (margin < 0) margin = (size - (glyphAlong + spacing + textAlong) + 1) / 2;
    int glyphPos = margin, textPos = margin + glyphAlong + spacing;
    if (FLayout == TButtonLayout::blGlyphRight || FLayout == TButtonLayout::blGlyphBottom) {
        glyphPos = size - margin - glyphAlong;
        textPos = glyphPos - spacing - textAlong;
    }
    TButtonGeometry g;
    if (horizontal) {
        g.Glyph = TRect::FromSize(glyphPos, (h - gh + 1) / 2, gw, gh);
        g.Text = TRect::FromSize(textPos, (h - th + 1) / 2, tw, th);
    } else {
        g.Glyph = TRect::FromSize((w - gw + 1) / 2, glyphPos, gw, gh);
        g.Text = TRect::FromSize((w - tw + 1) / 2, textPos, tw, th);
    }
    return g;
}

void TSpeedButton::PaintFace(TCanvas& canvas, TRect& rect) {
    if (!FFlat) {
        FillSolid(canvas, rect, Color());
        DrawButtonEdge(canvas, rect, Pressed());
        return;
    }
    if (!FTransparent) FillSolid(canvas, rect, Color());
    if (Pressed())
        Frame3D(canvas, rect, clBtnShadow, clBtnHighlight, 1);
    else if (Hot())
        Frame3D(canvas, rect, clBtnHighlight, clBtnShadow, 1);
}

void TSpeedButton::PaintGlyph(TCanvas& canvas, const TRect& rect) {
    if (FGlyph->Empty() || rect.IsEmpty()) return;
    const int frameWidth = FGlyph->Width() / FNumGlyphs;
    TBitmap frame(frameWidth, FGlyph->Height());
    frame.Canvas().CopyRect(
        frame.BoundsRect(), FGlyph->Canvas(),
        TRect::FromSize(GlyphFrame() * frameWidth, 0, frameWidth, FGlyph->Height()));
    frame.SetTransparent(true);
    const bool greyed = FState == TButtonState::bsDisabled && FNumGlyphs < 2;
    if (greyed)
        canvas.DrawGreyed(rect.Left, rect.Top, frame);
    else
        canvas.Draw(rect.Left, rect.Top, frame);
}

void TSpeedButton::PaintCaption(TCanvas& canvas, const TRect& rect) {
    if (Caption().empty()) return;
    TCanvasSaver saver(canvas);
    canvas.Font().Assign(Font());
    canvas.Brush().SetStyle(bsClear);
    const unsigned flags = DT_CENTER | DT_VCENTER | DT_SINGLELINE;
    TRect r = rect;
    if (FState == TButtonState::bsDisabled) {
        TRect shadow = r.Offset(1, 1);
        canvas.Font().SetColor(clBtnHighlight);
        canvas.DrawText(Caption(), shadow, flags);
        canvas.Font().SetColor(clBtnShadow);
    }
    canvas.DrawText(Caption(), r, flags);
}

void TSpeedButton::Paint(TCanvas& canvas) {
    TCanvasSaver saver(canvas);
    TRect rect = ClientRect();
    PaintFace(canvas, rect);
    TButtonGeometry g = Geometry(canvas);
    if (Pressed()) {
        g.Glyph = g.Glyph.Offset(1, 1);
        g.Text = g.Text.Offset(1, 1);
    }
    PaintGlyph(canvas, g.Glyph);
    PaintCaption(canvas, g.Text);
}
