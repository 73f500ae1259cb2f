#pragma once
// A bar of TToolButtons laid out left to right in the order they joined,
// wrapping into rows when Wrapable, sizing itself to its rows when
// AutoSize. Buttons bound to menu items make it a menu bar for the menu
// tracker (Alt, F10, Left/Right between entries). Painting goes through
// OnCustomDraw (background) and OnCustomDrawButton so that a skin can take
// it over; setting defaultDraw to false skips the plain look.
#include <functional>
#include <vector>

#include "gui/IMenuBarView.h"
#include "gui/TWinControl.h"

class TCustomImageList;
class TToolButton;

enum TCustomDrawStateFlag : uint32_t {
    cdsSelected = 1, // pressed, down, or its menu open
    cdsGrayed = 2,
    cdsDisabled = 4,
    cdsChecked = 8,
    cdsFocused = 16,
    cdsDefault = 32,
    cdsHot = 64,
    cdsMarked = 128,
    cdsIndeterminate = 256,
};
using TCustomDrawState = uint32_t;

using TToolBarCustomDrawEvent =
    std::function<void(TObject* sender, TCanvas& canvas, TRect rect, bool& defaultDraw)>;
using TToolBarCustomDrawButtonEvent =
    std::function<void(TObject* sender, TToolButton* button, TCanvas& canvas,
                       TCustomDrawState state, bool& defaultDraw)>;

class TToolBar : public TWinControl, public IMenuBarView {
    XF_CLASS(TToolBar)
public:
    explicit TToolBar(TComponent* owner);
    ~TToolBar() override;

    int ButtonWidth() const { return FButtonWidth; }
    void SetButtonWidth(int width);
    int ButtonHeight() const { return FButtonHeight; }
    void SetButtonHeight(int height);
    bool AutoSize() const { return FAutoSize; }
    void SetAutoSize(bool value);
    bool Flat() const { return FFlat; }
    void SetFlat(bool value);
    bool ShowCaptions() const { return FShowCaptions; }
    void SetShowCaptions(bool value);
    bool Wrapable() const { return FWrapable; }
    void SetWrapable(bool value);
    int Indent() const { return FIndent; }
    void SetIndent(int indent);
    TComponent* Images() const { return FImages; }
    void SetImages(TComponent* images);
    const TCustomImageList* ImageList() const;

    int ButtonCount() const { return static_cast<int>(FButtons.size()); }
    TToolButton* Buttons(int index) const;
    // Every button bound to a menu item takes the item's caption and state
    // again.
    void UpdateMenuItems();
    // Places the buttons again (done by itself on every change it sees).
    void ArrangeButtons();
    // The width a button takes in the current settings.
    int ButtonExtent(const TToolButton& button);

    // IMenuBarView
    TControl* BarControl() override { return this; }
    int BarItemCount() const override { return ButtonCount(); }
    TMenuItem* BarItem(int index) const override;
    TRect BarItemScreenRect(int index) const override;
    void BarStateChanged(int index, bool open) override;

    void Notification(TComponent* component, TOperation operation) override;

    TToolBarCustomDrawEvent OnCustomDraw;
    TToolBarCustomDrawButtonEvent OnCustomDrawButton;

protected:
    // OnCustomDraw first; defaultDraw false skips the plain fill. Buttons are
    // painted afterwards either way.
    void EraseBackground(TCanvas& canvas) override;
    void AlignControls(TRect rect) override;
    void FontChanged() override;
    void Loaded() override;

private:
    friend class TToolButton;
    void ButtonAdded(TToolButton* button);
    void ButtonRemoved(TToolButton* button);
    void PaintButton(TToolButton& button, TCanvas& canvas);
    void DrawButtonFace(TToolButton& button, TCanvas& canvas, TCustomDrawState state);
    TCustomDrawState StateOf(const TToolButton& button) const;

    std::vector<TToolButton*> FButtons;
    int FButtonWidth = 23;
    int FButtonHeight = 22;
    bool FAutoSize = false;
    bool FFlat = false;
    bool FShowCaptions = false;
    bool FWrapable = true;
    int FIndent = 0;
    TComponent* FImages = nullptr;
    bool FArranging = false;
};
