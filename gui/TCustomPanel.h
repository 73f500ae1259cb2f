#pragma once
// A container with an outer and an inner bevel and a one-line caption.
// Painting goes in steps (bevels, background, caption) that subclasses
// replace one at a time; AdjustClientRect keeps aligned children inside
// the bevels.
#include "gui/ControlTypes.h"
#include "gui/TWinControl.h"

class TCustomPanel : public TWinControl {
    XF_CLASS(TCustomPanel)
public:
    explicit TCustomPanel(TComponent* owner);

    TBevelCut BevelOuter() const { return FBevelOuter; }
    void SetBevelOuter(TBevelCut cut);
    TBevelCut BevelInner() const { return FBevelInner; }
    void SetBevelInner(TBevelCut cut);
    int BevelWidth() const { return FBevelWidth; }
    void SetBevelWidth(int width);
    TAlignment Alignment() const { return FAlignment; }
    void SetAlignment(TAlignment alignment);
    // bsSingle adds a sunken client edge around the panel.
    TBorderStyle BorderStyle() const { return FBorderStyle; }
    void SetBorderStyle(TBorderStyle style);

    // Pixels the bevels take on each side.
    int BevelSize() const;
    void AdjustClientRect(TRect& rect) const override;
    TRect NonClientInsets() const override;
    void Paint(TCanvas& canvas) override;

protected:
    // The bevels inside `rect`, which shrinks by them.
    virtual void PaintBevels(TCanvas& canvas, TRect& rect);
    virtual void PaintBackground(TCanvas& canvas, const TRect& rect);
    virtual void PaintCaption(TCanvas& canvas, const TRect& rect);
    void PaintNonClient(TCanvas& canvas) override;
    void EraseBackground(TCanvas& canvas) override;

private:
    void BevelsChanged();

    TBevelCut FBevelOuter = TBevelCut::bvRaised;
    TBevelCut FBevelInner = TBevelCut::bvNone;
    int FBevelWidth = 1;
    TAlignment FAlignment = TAlignment::taCenter;
    TBorderStyle FBorderStyle = TBorderStyle::bsNone;
};
