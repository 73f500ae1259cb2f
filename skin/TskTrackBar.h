#pragma once
// A slider drawn from skin pictures: a groove (the bar picture drawn to the
// control's length) and a thumb, which is the picture of a child image
// panel. Clicks beside the thumb step by PageSize and repeat while held,
// the thumb drags, and the keys step by LineSize / PageSize.
#include <functional>
#include <memory>
#include <string>

#include "gui/TCustomPanel.h"
#include "gui/graphics/TBitmap.h"
#include "skin/TskThemeLink.h"

class TPicture;
class TTimer;
class TskImagePanel;

enum class TskProgressBarOrientation { skHorizontal, skVertical };
const TEnumTable& ProgressBarOrientationNames();

class TskTrackBar : public TCustomPanel {
    XF_CLASS(TskTrackBar)
public:
    explicit TskTrackBar(TComponent* owner);
    ~TskTrackBar() override;

    TskThemeLink& Theme() { return FTheme; }
    const TskThemeLink& Theme() const { return FTheme; }
    // Restyles after UIStyle or FileTheme changed.
    void ThemeChanged();

    TskProgressBarOrientation Orientation() const { return FOrientation; }
    void SetOrientation(TskProgressBarOrientation orientation);
    bool Horizontal() const { return FOrientation == TskProgressBarOrientation::skHorizontal; }
    TPicture& BarImage() const { return *FBarImage; }
    void SetBarImage(const TPicture& picture);
    TPicture& SliderImage() const;
    virtual void SetSliderImage(const TPicture& picture);
    const std::string& BarImageSource() const { return FBarSource; }
    void SetBarImageSource(const std::string& source);
    const std::string& SliderImageSource() const { return FSliderSource; }
    void SetSliderImageSource(const std::string& source);

    int Min() const { return FMin; }
    void SetMin(int value);
    int Max() const { return FMax; }
    void SetMax(int value);
    int Position() const { return FPosition; }
    void SetPosition(int value);
    int PageSize() const { return FPageSize; }
    void SetPageSize(int value);
    int LineSize() const { return FLineSize; }
    void SetLineSize(int value);
    bool ShowTick() const { return FShowTick; }
    void SetShowTick(bool value);
    int Frequency() const { return FFrequency; }
    void SetFrequency(int value);
    bool Transparent() const { return FTransparent; }
    void SetTransparent(bool value);

    // Run-time state, apart from painting.
    int LastChange() const { return FLastChange; }
    bool Dragging() const { return FDragging; }
    bool Repeating() const { return FTimer != nullptr; }
    TskImagePanel* SliderPanel() const { return FSlider; }
    const TBitmap& Groove() const { return FGroove; }

    // The value under a client point along the bar (not clamped).
    int ValueAtPoint(TPoint point) const;
    // Where the slider's top-left goes for the current position.
    TPoint SliderPlace() const;

    void Paint(TCanvas& canvas) override;
    void Loaded() override;
    void Notification(TComponent* component, TOperation operation) override;

    TNotifyEvent OnChange;

protected:
    virtual void LoadStyleImages();
    virtual bool KeepsOwnImages() const { return false; }
    virtual bool SliderTransparent() const { return Horizontal(); }
    void Rebuild();
    void PlaceSlider();

    void Resize() override;
    void ColorChanged() override;
    void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
    void MouseMove(TShiftState shift, int x, int y) override;
    void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override;
    void KeyDown(int& key, TShiftState shift) override;
    bool WantsKey(int key) const override;
    void DoEnter() override;
    void DoExit() override;

private:
    int Length() const { return Horizontal() ? Width() : Height(); }
    int SliderLength() const;
    int Along(TPoint p) const { return Horizontal() ? p.X : p.Y; }
    void BuildGroove();
    // Across the bar: as thick as the groove picture or the thumb.
    void FitCrossSize();
    void StepToward(TPoint point, int step);
    void DragTo(TPoint point);
    void ReportChange();
    void StartRepeat();
    void StopRepeat();
    void SliderMouseDown(TMouseButton button, TShiftState shift, int x, int y);
    void PaintTicks(TCanvas& canvas) const;

    TskThemeLink FTheme;
    TskProgressBarOrientation FOrientation = TskProgressBarOrientation::skHorizontal;
    std::unique_ptr<TPicture> FBarImage;
    std::string FBarSource, FSliderSource;
    TskImagePanel* FSlider = nullptr;
    TBitmap FGroove;
    int FMin = 0;
    int FMax = 10;
    int FPosition = 0;
    int FPageSize = 2;
    int FLineSize = 1;
    bool FShowTick = true;
    int FFrequency = 1;
    bool FTransparent = false;
    int FLastPosition = 0;
    int FLastChange = 0;
    bool FDragging = false;
    bool FRebuilding = false;
    TPoint FMouse;
    std::unique_ptr<TTimer> FTimer;
};
