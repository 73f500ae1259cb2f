#pragma once
// A control with a tab strip across its top and a body below it. The strip
// is a child control made by CreateTopPanel; it keeps the tab texts and the
// selected tab and tells this control through TabActive. The body is
// painted here; child controls are laid out inside it.
#include <cstdint>
#include <functional>

#include "gui/TWinControl.h"
#include "skin/SkinThemes.h"

class TskFileTheme;
class TskTabControlTopPanel;

using TTabActiveNotify = std::function<void(TObject* sender, int tabIndex)>;
using TTabChangingEvent = std::function<void(TObject* sender, bool& allowChange)>;

class TskTab : public TWinControl {
    XF_CLASS(TskTab)
public:
    explicit TskTab(TComponent* owner);
    ~TskTab() override;

    TskTabControlTopPanel* Strip() const { return FStrip; }
    int StripHeight() const;

    int LeftMargin() const;
    void SetLeftMargin(int margin);
    TColor BorderColor() const { return FBorderColor; }
    void SetBorderColor(TColor color);
    // Gives the strip and the children the style, then takes the border
    // and body colours from it.
    TskUIStyle UIStyle() const { return FUIStyle; }
    void SetUIStyle(TskUIStyle style);
    TskFileTheme* FileTheme() const { return FFileTheme; }
    // Re-applies the current style, also for the theme already set (its
    // file may have changed).
    void SetFileTheme(TskFileTheme* theme);

    // Forwards to the strip's TabIndex setter.
    virtual void SetTabIndex(int index);
    // The strip calls this after its TabIndex changed.
    virtual void TabActive(int index);
    // The strip asks this before a change made with the mouse.
    bool CanChange();
    // The speaker of a tab was clicked.
    virtual void TabSoundClick(int index);

    TTabActiveNotify OnTabActive;
    TNotifyEvent OnChange;
    TTabChangingEvent OnChanging;
    TTabActiveNotify OnTabSoundClick;

protected:
    virtual TskTabControlTopPanel* CreateTopPanel() = 0;
    // Concrete subclasses call this once from their constructor: the strip
    // cannot be made from here because CreateTopPanel is virtual.
    void CreateStrip();
    virtual void BorderColorChanged() {}
    // Hands the style to the direct children that take one.
    virtual void UpdateChildrenUIStyle(TskUIStyle style, TskFileTheme* theme);

    void AdjustClientRect(TRect& rect) const override;
    void AlignControls(TRect rect) override;
    void Paint(TCanvas& canvas) override;
    void FontChanged() override;
    void Notification(TComponent* component, TOperation operation) override;

private:
    // The look of the current style and file theme, once per style push.
    void ApplyUIStyle();
    TskTabControlTopPanel* FStrip = nullptr;
    TColor FBorderColor = 0;
    TskUIStyle FUIStyle = TskUIStyle::DeepBlue;
    TskFileTheme* FFileTheme = nullptr;
};
