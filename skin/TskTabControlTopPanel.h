#pragma once
// The tab strip of a TskTab: the tab texts, which tabs are shown, the
// selected tab, the skinned painting and the mouse. The strip's size comes
// from the pictures of its style. Each paint measures the tabs, cuts the one
// that no longer fits before the two scroll buttons and records what it
// drew; a click acts on the record of the paint it triggers.
#include <string>
#include <vector>

#include "gui/TWinControl.h"
#include "gui/graphics/TBitmap.h"
#include "skin/SkinThemes.h"
#include "skin/TabSound.h"

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

    // The speaker a tab with sound shows left of its caption; the tab is
    // that much wider than its caption alone.
    static constexpr int SoundWidth = 16;
    TTabSound TabSound(int index) const;
    void SetTabSound(int index, TTabSound sound);
    // Where the speaker of the tab was drawn by the last paint; empty when
    // the tab has none or was not drawn.
    TRect SoundRect(int index) const;

    int TabIndex() const { return FTabIndex; }
    // Same value: nothing. No tabs: -1. Outside -1 .. count-1: repaint only.
    // A change made with the mouse asks the control first; then the value is
    // stored, the strip repaints scrolled so that the tab shows whole, and
    // the control's TabActive runs.
    void SetTabIndex(int index);
    // For a control that already knows: stores the index, repaints, tells
    // no one (after its pages were reordered, or when none is active).
    void SelectQuietly(int index);
    // The user chose the tab other than with the mouse (a screen reader):
    // asked of the control first, like a click.
    void SelectByUser(int index);
    // Set around a TabIndex change that comes from a click.
    bool ChangingByUser() const { return FChangingByUser; }

    int LeftMargin() const { return FLeftMargin; }
    void SetLeftMargin(int margin);
    // Tab picture height plus bar picture height of the style.
    int StripHeight() const { return FStripHeight; }
    TskUIStyle UIStyle() const { return FUIStyle; }
    void SetUIStyle(TskUIStyle style);
    TskFileTheme* FileTheme() const { return FFileTheme; }
    void SetFileTheme(TskFileTheme* theme);

    // What the last paint found and left.
    int FirstShown() const { return FFirstShown; }
    bool Overflow() const { return FOverflow; }
    // -1 over the back button, +1 over the forward button, 0 elsewhere.
    int HoverButton() const { return FHoverButton; }
    // Height of the active tab picture: the vertical range of a click.
    int TabHeight() const { return FTabHeight; }
    // Width the last paint gave the tab (a cut tab less); -1 when never
    // measured. Every tab has a slot, however many there are.
    int RecordedWidth(int index) const;
    int ButtonWidth() const { return FButtonWidth; }
    int ButtonHeight() const { return FButtonHeight; }
    TRect ForwardButtonRect() const;
    TRect BackButtonRect() const;

    // Width of one tab with the control's font: caption + 20, 80 when empty;
    // SoundWidth more with a speaker.
    int TabWidth(int index);
    // Where each tab would be drawn now (the active one a pixel lower, a cut
    // one ending before the scroll buttons); empty when it is not drawn.
    std::vector<TRect> TabRects();
    TRect TabRect(int index);
    // The tab a click at this point selects, from the widths the last paint
    // recorded; -1 for none.
    int TabAtPos(TPoint point) const;

    void Click() override;
    void DblClick() override;

protected:
    void Paint(TCanvas& canvas) override;
    void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
    void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override;
    void MouseMove(TShiftState shift, int x, int y) override;
    void MouseLeave() override;
    void Notification(TComponent* component, TOperation operation) override;

private:
    struct TPlacedTab {
        int Index;
        TRect Rect;
        bool Cut;
    };
    // One pass of measuring and placing, without drawing.
    struct TTabLayout {
        std::vector<int> Widths;
        std::vector<TPlacedTab> Placed;
        bool Overflow = false;
        // The last tab drawn whole.
        int LastWhole = -1;
    };
    struct TPictures;

    TTabLayout LayoutTabs(TCanvas& canvas, int firstShown, int inactiveHeight);
    TTabLayout ScrolledLayout(TCanvas& canvas, int inactiveHeight);
    void ScrollBackIntoRoom(TCanvas& canvas, int inactiveHeight);
    void Render();
    void PaintBar(TCanvas& canvas, const TPictures& pictures);
    void PaintTab(TCanvas& canvas, const TPictures& pictures, const TPlacedTab& tab);
    void PaintScrollButtons(TCanvas& canvas);
    void PaintSound(TCanvas& canvas, TRect box, TTabSound sound);
    int CaptionWidth(TCanvas& canvas, int index) const;
    int RecordedLeft(int index) const;
    void Record(const TTabLayout& layout);
    int ShownCount() const;
    void ApplyStripSize();
    // Repaints now when the strip is on screen; the flags of a click or a
    // selection must be seen by that paint.
    void RepaintNow();
    TCanvas& MeasureCanvas();

    TskTab* FTab = nullptr;
    std::vector<std::string> FTabs;
    std::vector<bool> FShown;
    std::vector<TTabSound> FSounds;
    std::vector<int> FTabWidths;
    std::vector<bool> FDrawn;
    int FTabIndex = 0;
    int FLeftMargin = 10;
    int FStripHeight = 0;
    int FTabHeight = 0;
    int FFirstShown = 0;
    bool FOverflow = false;
    int FHoverButton = 0;
    int FButtonWidth = 0;
    int FButtonHeight = 0;
    bool FChangingByUser = false;
    bool FBringIntoView = false;
    TskUIStyle FUIStyle = TskUIStyle::DeepBlue;
    TskFileTheme* FFileTheme = nullptr;
    TBitmap FBuffer;
    TBitmap FMeasure{1, 1};
};
