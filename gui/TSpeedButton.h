#pragma once
// A button without a window (tool bars): flat or raised, a glyph strip of
// NumGlyphs frames (up, disabled, pressed, down) beside its caption, and
// grouped "down" buttons that behave like radio buttons. The hover and
// pressed states are kept apart from painting.
#include <memory>
#include <string>

#include "gui/ControlTypes.h"
#include "gui/TControl.h"

class TBitmap;

enum class TButtonState { bsUp, bsDisabled, bsDown, bsExclusive };

class TSpeedButton : public TControl {
    XF_CLASS(TSpeedButton)
public:
    explicit TSpeedButton(TComponent* owner);
    ~TSpeedButton() override;

    bool Flat() const { return FFlat; }
    void SetFlat(bool flat);
    // Glyph strip from a picture source (see PictureSource.h).
    const std::string& GlyphSource() const { return FGlyphSource; }
    void SetGlyphSource(const std::string& source);
    TBitmap& Glyph() const { return *FGlyph; }
    void GlyphChanged();
    int NumGlyphs() const { return FNumGlyphs; }
    void SetNumGlyphs(int count);
    TButtonLayout Layout() const { return FLayout; }
    void SetLayout(TButtonLayout layout);
    // -1: glyph and caption centred together.
    int Margin() const { return FMargin; }
    void SetMargin(int margin);
    int Spacing() const { return FSpacing; }
    void SetSpacing(int spacing);
    bool Down() const { return FDown; }
    void SetDown(bool down);
    int GroupIndex() const { return FGroupIndex; }
    void SetGroupIndex(int index);
    bool AllowAllUp() const { return FAllowAllUp; }
    void SetAllowAllUp(bool allow);
    bool Transparent() const { return FTransparent; }
    void SetTransparent(bool transparent);

    // Behaviour state.
    TButtonState State() const { return FState; }
    bool Hot() const { return MouseInside() && EnabledInTree(); }

    // Where the glyph and the caption go (client coordinates, before the
    // pressed offset).
    struct TButtonGeometry {
        TRect Glyph;
        TRect Text;
    };
    TButtonGeometry Geometry(TCanvas& canvas) const;
    void Paint(TCanvas& canvas) override;
    void Click() override;

protected:
    void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
    void MouseMove(TShiftState shift, int x, int y) override;
    void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override;
    void MouseEnter() override;
    void MouseLeave() override;
    void EnabledChanged() override;
    // Alt+ the caption's marked letter clicks the button (CM_DIALOGCHAR).
    void WndProc(TMessage& message) override;

    virtual void PaintFace(TCanvas& canvas, TRect& rect);
    virtual void PaintGlyph(TCanvas& canvas, const TRect& rect);
    virtual void PaintCaption(TCanvas& canvas, const TRect& rect);
    bool Pressed() const {
        return FState == TButtonState::bsDown || FState == TButtonState::bsExclusive;
    }
    // Which frame of the strip the state shows (0-based; 0 when absent).
    int GlyphFrame() const;

private:
    void UpdateExclusive();
    void SetState(TButtonState state);

    bool FFlat = false;
    std::string FGlyphSource;
    std::unique_ptr<TBitmap> FGlyph;
    int FNumGlyphs = 1;
    TButtonLayout FLayout = TButtonLayout::blGlyphLeft;
    int FMargin = -1;
    int FSpacing = 4;
    bool FDown = false;
    int FGroupIndex = 0;
    bool FAllowAllUp = false;
    bool FTransparent = true;
    bool FDragging = false;
    TButtonState FState = TButtonState::bsUp;
};
