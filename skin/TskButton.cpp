#include "skin/TskButton.h"

#include "gui/PictureSource.h"
#include "gui/graphics/TBitmap.h"
#include "gui/graphics/TCanvas.h"
#include "skin/SkinPublic.h"
#include "skin/TskThemeLookup.h"

const TClassInfo& TskButton::StaticClass() {
    static const TClassInfo info =
        TClassBuilder<TskButton>("TskButton", &TskCustomButton::StaticClass())
            .Prop("FileTheme", &TskButton::FileTheme, &TskButton::SetFileTheme)
            .Prop("Glyph", &TskButton::GlyphSource, &TskButton::SetGlyphSource)
            .Enum("Layout", &TskButton::Layout, &TskButton::SetLayout, ButtonLayoutNames())
            .Prop("Spacing", &TskButton::Spacing, &TskButton::SetSpacing)
            .Prop("ResHandle", &TskButton::ResHandle, &TskButton::SetResHandle)
            .Build();
    return info;
}

TskButton::TskButton(TComponent* owner)
    : TskCustomButton(owner), FGlyph(std::make_unique<TBitmap>()) {
    SetBounds(Left(), Top(), 80, 27);
    UIStyleChanged();
}

TskButton::~TskButton() = default;

void TskButton::SetFileTheme(TskFileTheme* theme) {
    Theme().SetFileTheme(theme);
    UIStyleChanged();
    ApplyAutoSize();
    Invalidate();
}

void TskButton::UIStyleChanged() {
    const TskThemeLookup theme(Theme().FileTheme(), UIStyle());
    SetTransparentField(theme.Bool(ThemeItem::ButtonTransparentBool));
    TransparentChanged();
}

void TskButton::SetGlyphSource(const std::string& source) {
    FGlyphSource.clear();
    try {
        LoadBitmapFromSource(*FGlyph, source);
    } catch (...) {
        FGlyph->SetSize(0, 0);
        GlyphChanged();
        throw;
    }
    FGlyphSource = source;
    GlyphChanged();
}

void TskButton::GlyphChanged() {
    Invalidate();
}

void TskButton::SetLayout(TButtonLayout layout) {
    if (layout == FLayout) return;
    FLayout = layout;
    Invalidate();
}

void TskButton::SetSpacing(int spacing) {
    if (spacing == FSpacing) return;
    FSpacing = spacing;
    Invalidate();
}

bool TskButton::TwoImageGlyph() const {
    return !FGlyph->Empty() && FGlyph->Width() == 2 * FGlyph->Height();
}

TskButton::TGlyphPlacement TskButton::PlaceGlyph(TCanvas& canvas) const {
    TGlyphPlacement at;
    if (FGlyph->Empty()) return at;
    TCanvasSaver saver(canvas);
    canvas.Font().Assign(Font());
    const int tw = canvas.TextWidth(Caption()), th = canvas.TextHeight(Caption());
    const int gh = FGlyph->Height();
    const int gw = TwoImageGlyph() ? gh : FGlyph->Width();
    const int w = Width(), h = Height(), s = FSpacing;
    switch (FLayout) {
    case TButtonLayout::blGlyphLeft:
        at.Glyph = {(w - gw - tw - s) / 2, (h - gh) / 2};
        at.Caption = {at.Glyph.X + gw + s, (h - th) / 2};
        break;
    case TButtonLayout::blGlyphRight:
        at.Glyph = {(w + tw + s - gw) / 2, (h - gh) / 2};
        at.Caption = {at.Glyph.X - tw - s, (h - th) / 2};
        break;
    case TButtonLayout::blGlyphTop:
        at.Glyph = {(w - gw) / 2, (h - th - gh - s) / 2};
        at.Caption = {(w - tw) / 2, at.Glyph.Y + gh + s};
        break;
    case TButtonLayout::blGlyphBottom:
        at.Glyph = {(w - gw) / 2, (h + th + s - gh) / 2};
        at.Caption = {(w - tw) / 2, at.Glyph.Y - th - s};
        break;
    }
    return at;
}

void TskButton::DrawImage(TCanvas& canvas, TBitmap& image) {
    DrawNineSlice(image, canvas, ClientRect(), Transparent());
    DrawGlyph(canvas);
}

// The glyph leaves out its top-left colour; a two-image glyph has its own
// disabled look, a single image is greyed.
void TskButton::DrawGlyph(TCanvas& canvas) {
    if (FGlyph->Empty()) return;
    TPoint at = PlaceGlyph(canvas).Glyph;
    if (Pressed()) at = {at.X + 1, at.Y + 1};
    TBitmap image;
    if (TwoImageGlyph())
        SplitBitmap(*FGlyph, image, 2, EnabledInTree() ? 1 : 2);
    else
        image.Assign(*FGlyph);
    image.SetTransparent(true);
    image.SetTransparentColor(FGlyph->GetPixel(0, 0));
    if (EnabledInTree() || TwoImageGlyph())
        canvas.Draw(at.X, at.Y, image);
    else
        canvas.DrawGreyed(at.X, at.Y, image);
}

// Beside a glyph the caption starts where the glyph placement puts it.
void TskButton::DrawCaption(TCanvas& canvas, const std::string& caption) {
    if (FGlyph->Empty()) return TskCustomButton::DrawCaption(canvas, caption);
    const TPoint at = PlaceGlyph(canvas).Caption;
    DrawCaptionIn(canvas, caption, {at.X, at.Y, Width(), Height()}, DT_SINGLELINE);
}

// These two styles mark the focus with a bold caption instead.
void TskButton::DrawFocus(TCanvas& canvas) {
    const TskUIStyle style = UIStyle();
    if (style == TskUIStyle::MacOS || style == TskUIStyle::BlueGlass)
        RequestBoldCaption();
    else
        TskCustomButton::DrawFocus(canvas);
}
