#pragma once
// The skinned push button: the style's three-frame button picture (normal,
// mouse on, pressed) drawn with its corners kept, an optional glyph beside
// the caption, and the style's transparency. While it has the focus it is
// the form's default button.
#include <memory>
#include <string>

#include "gui/ControlTypes.h"
#include "skin/TskCustomButton.h"

class TskButton : public TskCustomButton {
    XF_CLASS(TskButton)
public:
    explicit TskButton(TComponent* owner);
    ~TskButton() override;

    TskFileTheme* FileTheme() const { return Theme().FileTheme(); }
    // Every assignment re-applies the style, so a theme that loaded another
    // file is read again.
    void SetFileTheme(TskFileTheme* theme);

    TBitmap& Glyph() const { return *FGlyph; }
    // The glyph from a picture source (see PictureSource.h).
    const std::string& GlyphSource() const { return FGlyphSource; }
    void SetGlyphSource(const std::string& source);
    void GlyphChanged();
    TButtonLayout Layout() const { return FLayout; }
    void SetLayout(TButtonLayout layout);
    int Spacing() const { return FSpacing; }
    void SetSpacing(int spacing);
    // Kept for stored layouts; there is nothing to load it into.
    int ResHandle() const { return 0; }
    void SetResHandle(int) {}

    // A glyph exactly twice as wide as high holds a normal and a disabled image.
    bool TwoImageGlyph() const;
    // Where the glyph and the caption go, before the pressed offset; both
    // at (0, 0) without a glyph.
    struct TGlyphPlacement {
        TPoint Glyph;
        TPoint Caption;
    };
    TGlyphPlacement PlaceGlyph(TCanvas& canvas) const;

protected:
    void UIStyleChanged() override;
    void DrawImage(TCanvas& canvas, TBitmap& image) override;
    void DrawCaption(TCanvas& canvas, const std::string& caption) override;
    void DrawFocus(TCanvas& canvas) override;
    bool TakesDefaultWhenFocused() const override { return true; }

private:
    void DrawGlyph(TCanvas& canvas);

    std::unique_ptr<TBitmap> FGlyph;
    std::string FGlyphSource;
    TButtonLayout FLayout = TButtonLayout::blGlyphLeft;
    int FSpacing = 4;
};
