#pragma once
// A skinned scroll bar: a track (whose thumb is drawn from the style's
// head, middle and tail pieces) between a back and a forward arrow button.
// The range and position live in the track.
#include "gui/TCustomPanel.h"
#include "gui/graphics/TBitmap.h"
#include "skin/TskThemeLink.h"
#include "skin/TskTrackBar.h"

class TskImageButton;
class TskScrollTrackBar;

class TskScrollBar : public TCustomPanel {
    XF_CLASS(TskScrollBar)
public:
    explicit TskScrollBar(TComponent* owner);
    ~TskScrollBar() override;

    TskThemeLink& Theme() { return FTheme; }
    const TskThemeLink& Theme() const { return FTheme; }
    void ThemeChanged();
    TskUIStyle UIStyle() const { return FTheme.UIStyle(); }
    void SetUIStyle(TskUIStyle style);

    TskProgressBarOrientation Orientation() const { return FOrientation; }
    void SetOrientation(TskProgressBarOrientation orientation);
    bool Vertical() const { return FOrientation == TskProgressBarOrientation::skVertical; }

    int Min() const;
    void SetMin(int value);
    int Max() const;
    void SetMax(int value);
    int Position() const;
    void SetPosition(int value);
    int PageSize() const;
    void SetPageSize(int value);
    int LargeChange() const;
    void SetLargeChange(int value);
    int SmallChange() const { return FSmallChange; }
    void SetSmallChange(int value) { FSmallChange = static_cast<int16_t>(value); }
    int LineButton() const { return FLineButton; }
    void SetLineButton(int value);

    TskScrollTrackBar* Track() const { return FTrack; }
    TskImageButton* BackButton() const { return FBack; }
    TskImageButton* ForwardButton() const { return FForward; }
    // The thumb's length as last built (0 when there is none).
    int SliderLength() const { return FSliderLength; }

    void Notification(TComponent* component, TOperation operation) override;
    void Loaded() override;

    TNotifyEvent OnChange;

protected:
    void Resize() override;
    void ColorChanged() override;

private:
    void LoadImages();
    void LayoutParts();
    void BuildSlider();
    int TrackLength() const;
    int ButtonsLength() const;

    TskThemeLink FTheme;
    TskProgressBarOrientation FOrientation = TskProgressBarOrientation::skHorizontal;
    TskScrollTrackBar* FTrack = nullptr;
    TskImageButton* FBack = nullptr;
    TskImageButton* FForward = nullptr;
    TBitmap FHead, FMiddle, FTail;
    int16_t FSmallChange = 1;
    int FLineButton = 0;
    int FSliderLength = 0;
    bool FLayingOut = false;
};
