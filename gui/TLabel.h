#pragma once
// Text on its parent, without a window: '&' marks the access key (shown
// underlined; the key focuses FocusControl), alignment, vertical layout,
// word wrapping, auto-size and a transparent mode.
#include "gui/ControlTypes.h"
#include "gui/TControl.h"

class TWinControl;

class TLabel : public TControl {
    XF_CLASS(TLabel)
public:
    explicit TLabel(TComponent* owner);

    TAlignment Alignment() const { return FAlignment; }
    void SetAlignment(TAlignment alignment);
    TLabelLayout Layout() const { return FLayout; }
    void SetLayout(TLabelLayout layout);
    bool AutoSize() const { return FAutoSize; }
    void SetAutoSize(bool autoSize);
    bool WordWrap() const { return FWordWrap; }
    void SetWordWrap(bool wrap);
    bool Transparent() const { return FTransparent; }
    void SetTransparent(bool transparent);
    bool ShowAccelChar() const { return FShowAccelChar; }
    void SetShowAccelChar(bool show);
    TWinControl* FocusControl() const { return FFocusControl; }
    void SetFocusControl(TWinControl* control);

    // The access key of the caption (lower case), or 0.
    char16_t AccelChar() const;
    // Focuses FocusControl when `ch` is the access key; returns whether it
    // did.
    bool DialogChar(char16_t ch);

    void Paint(TCanvas& canvas) override;
    void Loaded() override;
    void Notification(TComponent* component, TOperation operation) override;
    void WndProc(TMessage& message) override;

protected:
    void TextChanged() override;
    void FontChanged() override;
    unsigned DrawFlags() const;
    // Draws the caption into `rect` (DT_CALCRECT in flags only measures).
    virtual void DoDrawText(TCanvas& canvas, TRect& rect, unsigned flags);
    void AdjustBounds();

private:
    TAlignment FAlignment = TAlignment::taLeftJustify;
    TLabelLayout FLayout = TLabelLayout::tlTop;
    bool FAutoSize = true;
    bool FWordWrap = false;
    bool FTransparent = false;
    bool FShowAccelChar = true;
    TWinControl* FFocusControl = nullptr;
};
