#pragma once
// The tab strip of a TskTab: the tab texts, which tabs are shown, the
// selected tab, and the mouse. Geometry (TabRect, TabAtPos) is kept apart
// from painting so that a skinned strip can replace either.
#include <string>
#include <vector>

#include "gui/TWinControl.h"
#include "gui/graphics/TBitmap.h"
#include "skin/SkinThemes.h"

class TskFileTheme;
class TskTab;

class TskTabControlTopPanel : public TWinControl {
    XF_CLASS(TskTabControlTopPanel)
public:
    // The owning control is also the strip's owner and parent.
    explicit TskTabControlTopPanel(TskTab* tab);

    TskTab* TabControl() const { return FTab; }

    const std::vector<std::string>& Tabs() const { return FTabs; }
    // Copies the list; slots of tabs that are new are shown.
    void SetTabs(const std::vector<std::string>& tabs);
    int TabCount() const { return static_cast<int>(FTabs.size()); }
    bool TabShown(int index) const;
    void SetTabShown(int index, bool shown);

    int TabIndex() const { return FTabIndex; }
    // Same value: nothing. No tabs: -1. Outside -1 .. count-1: repaint only.
    // A change made with the mouse asks the control first; then the value is
    // stored and the control's TabActive runs.
    void SetTabIndex(int index);
    // For a control that already knows: stores the index, repaints, tells
    // no one (after its pages were reordered, or when none is active).
    void SelectQuietly(int index);
    // Set around a TabIndex change that comes from a click.
    bool ChangingByUser() const { return FChangingByUser; }

    int LeftMargin() const { return FLeftMargin; }
    void SetLeftMargin(int margin);
    int StripHeight() const { return FStripHeight; }
    void SetStripHeight(int height);
    TskUIStyle UIStyle() const { return FUIStyle; }
    void SetUIStyle(TskUIStyle style);
    TskFileTheme* FileTheme() const { return FFileTheme; }
    void SetFileTheme(TskFileTheme* theme);

    // Width of one tab with the control's font: caption + 20, 80 when empty.
    virtual int TabWidth(int index);
    // Where each tab lies in strip coordinates; empty when it is hidden.
    virtual std::vector<TRect> TabRects();
    TRect TabRect(int index);
    // The shown tab under a point, or -1.
    virtual int TabAtPos(TPoint point);

    void Click() override;
    void DblClick() override;

protected:
    void Paint(TCanvas& canvas) override;
    virtual void PaintTab(TCanvas& canvas, int index, const TRect& rect);
    void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
    void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override;
    void Notification(TComponent* component, TOperation operation) override;

private:
    TCanvas& MeasureCanvas();

    TskTab* FTab = nullptr;
    std::vector<std::string> FTabs;
    std::vector<bool> FShown;
    int FTabIndex = 0;
    int FLeftMargin = 10;
    int FStripHeight = 19;
    TskUIStyle FUIStyle = TskUIStyle::DeepBlue;
    TskFileTheme* FFileTheme = nullptr;
    bool FChangingByUser = false;
    TBitmap FMeasure{1, 1};
};
