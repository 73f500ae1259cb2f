#include "skin/TskTrackBar.h"

#include <algorithm>
#include <cmath>

#include "gui/ControlDraw.h"
#include "gui/Messages.h"
#include "gui/PictureSource.h"
#include "gui/TTimer.h"
#include "gui/graphics/TCanvas.h"
#include "gui/graphics/TPicture.h"
#include "skin/SkinPublic.h"
#include "skin/TskImagePanel.h"
#include "skin/TskThemeLookup.h"

namespace {
constexpr int RepeatInterval = 100;
}

const TEnumTable& ProgressBarOrientationNames() {
    static const TEnumTable names = {{"skHorizontal", 0}, {"skVertical", 1}};
    return names;
}

const TClassInfo& TskTrackBar::StaticClass() {
    using T = TskTrackBar;
    static TClassBuilder<T> builder("TskTrackBar", &TCustomPanel::StaticClass());
    static const TClassInfo info =
        WithThemeProperties(builder)
            .Enum("Orientation", &T::Orientation, &T::SetOrientation, ProgressBarOrientationNames())
            .Prop("BarImage", &T::BarImageSource, &T::SetBarImageSource)
            .Prop("SliderImage", &T::SliderImageSource, &T::SetSliderImageSource)
            .Prop("Min", &T::Min, &T::SetMin)
            .Prop("Max", &T::Max, &T::SetMax)
            .Prop("Position", &T::Position, &T::SetPosition)
            .Prop("PageSize", &T::PageSize, &T::SetPageSize)
            .Prop("LineSize", &T::LineSize, &T::SetLineSize)
            .Prop("ShowTick", &T::ShowTick, &T::SetShowTick)
            .Prop("Frequency", &T::Frequency, &T::SetFrequency)
            .Prop("Transparent", &T::Transparent, &T::SetTransparent)
            .Event("OnChange", &T::OnChange)
            .Build();
    return info;
}

TskTrackBar::TskTrackBar(TComponent* owner)
    : TCustomPanel(owner), FTheme(this), FBarImage(std::make_unique<TPicture>()) {
    SetControlStyle(ControlStyle() & ~csAcceptsControls);
    SetBevelOuter(TBevelCut::bvNone);
    SetBevelInner(TBevelCut::bvNone);
    SetParentColor(true);
    SetTabStop(true);
    FSlider = new TskImagePanel(this);
    FSlider->SetControlStyle(FSlider->ControlStyle() & ~csCaptureMouse);
    FSlider->SetAutoSize(true);
    FSlider->SetParent(this);
    FSlider->OnMouseDown = [this](TObject*, TMouseButton button, TShiftState shift, int x, int y) {
        SliderMouseDown(button, shift, x, y);
    };
    Rebuild();
}

TskTrackBar::~TskTrackBar() {
    FTimer.reset();
    if (FSlider) FSlider->OnMouseDown = nullptr;
}

TPicture& TskTrackBar::SliderImage() const {
    return FSlider->Picture();
}

// --- properties ------------------------------------------------------------

void TskTrackBar::ThemeChanged() {
    Rebuild();
    if (FTheme.UIStyle() == TskUIStyle::MacOS) SetTransparent(true);
}

void TskTrackBar::Notification(TComponent* component, TOperation operation) {
    TCustomPanel::Notification(component, operation);
    if (operation != TOperation::opRemove) return;
    if (component == FSlider) FSlider = nullptr;
    if (FTheme.Removed(component) && !IsDestroying()) ThemeChanged();
}

void TskTrackBar::SetOrientation(TskProgressBarOrientation orientation) {
    if (orientation == FOrientation) return;
    FOrientation = orientation;
    Rebuild();
}

void TskTrackBar::SetBarImage(const TPicture& picture) {
    if (&picture != FBarImage.get()) FBarImage->Assign(picture);
    Rebuild();
}

void TskTrackBar::SetSliderImage(const TPicture& picture) {
    if (!FSlider) return;
    if (&picture != &FSlider->Picture()) FSlider->Picture().Assign(picture);
    if (FSlider->Picture().Empty()) FSlider->SetBounds(FSlider->Left(), FSlider->Top(), 0, 0);
    FitCrossSize();
    PlaceSlider();
    Invalidate();
}

void TskTrackBar::SetBarImageSource(const std::string& source) {
    FBarSource.clear();
    TPicture picture;
    LoadPictureFromSource(picture, source);
    FBarSource = source;
    SetBarImage(picture);
}

void TskTrackBar::SetSliderImageSource(const std::string& source) {
    FSliderSource.clear();
    TPicture picture;
    LoadPictureFromSource(picture, source);
    FSliderSource = source;
    SetSliderImage(picture);
}

// A Min above Max carries Max with it, so that a layout may write Min
// before Max whatever the range was.
void TskTrackBar::SetMin(int value) {
    FMin = value;
    FMax = std::max(FMax, FMin);
    SetPosition(FPosition);
}

void TskTrackBar::SetMax(int value) {
    FMax = std::max(value, FMin);
    SetPosition(FPosition);
}

void TskTrackBar::SetPosition(int value) {
    FPosition = std::clamp(value, FMin, FMax);
    PlaceSlider();
    Invalidate();
    ReportChange();
}

void TskTrackBar::ReportChange() {
    if (FPosition == FLastPosition) return;
    FLastChange = FPosition - FLastPosition;
    FLastPosition = FPosition;
    if (OnChange) OnChange(this);
}

void TskTrackBar::SetPageSize(int value) {
    if (value >= 0 && value <= FMax) FPageSize = value;
}

void TskTrackBar::SetLineSize(int value) {
    if (value >= 0 && value <= FMax) FLineSize = value;
}

void TskTrackBar::SetShowTick(bool value) {
    FShowTick = value;
    Invalidate();
}

void TskTrackBar::SetFrequency(int value) {
    FFrequency = value;
    Invalidate();
}

void TskTrackBar::SetTransparent(bool value) {
    FTransparent = value;
    Invalidate();
}

// --- building --------------------------------------------------------------

void TskTrackBar::LoadStyleImages() {
    const TskThemeLookup lookup(FTheme.FileTheme(), FTheme.UIStyle());
    lookup.Bitmap(ThemeItem::TrackBarBarImage, FBarImage.get());
    if (FSlider)
        lookup.Bitmap(Horizontal() ? ThemeItem::TrackBarSliderImage
                                   : ThemeItem::TrackBarSliderVImage,
                      &FSlider->Picture());
}

void TskTrackBar::BuildGroove() {
    const int barHeight = FBarImage->Height();
    if (FBarImage->Empty() || Length() <= 0) {
        FGroove.SetSize(0, 0);
        return;
    }
    FGroove.SetSize(Length(), barHeight);
    const TRect rect{0, 0, Length(), barHeight};
    FillRectColor(FGroove.Canvas(), rect, Color());
    DrawThreeSlice(FBarImage->Bitmap(), FGroove.Canvas(), rect, false);
    if (!Horizontal()) RotateBitmapLeft(FGroove);
}

// Resizing the control to its cross size comes back through Resize; the
// flag keeps that from starting a second rebuild.
void TskTrackBar::Rebuild() {
    if (FRebuilding || IsLoading()) return;
    FRebuilding = true;
    if (!KeepsOwnImages()) LoadStyleImages();
    BuildGroove();
    if (FSlider) FSlider->SetTransparent(SliderTransparent());
    FitCrossSize();
    FRebuilding = false;
    SetPosition(FPosition);
}

void TskTrackBar::FitCrossSize() {
    const bool outer = !FRebuilding;
    FRebuilding = true;
    const int sliderCross = !FSlider ? 0 : Horizontal() ? FSlider->Height() : FSlider->Width();
    const int cross = std::max(FBarImage->Height(), sliderCross);
    if (Horizontal())
        SetBounds(Left(), Top(), Width(), cross);
    else
        SetBounds(Left(), Top(), cross, Height());
    if (outer) FRebuilding = false;
}

// A layout sets the size before the orientation: the bar is built once
// every stored value is in.
void TskTrackBar::Loaded() {
    TCustomPanel::Loaded();
    Rebuild();
}

void TskTrackBar::Resize() {
    TCustomPanel::Resize();
    Rebuild();
}

void TskTrackBar::ColorChanged() {
    BuildGroove();
    Invalidate();
}

int TskTrackBar::SliderLength() const {
    if (!FSlider) return 0;
    return Horizontal() ? FSlider->Width() : FSlider->Height();
}

int TskTrackBar::ValueAtPoint(TPoint point) const {
    const int length = Length(), slider = SliderLength();
    if (slider == length) return 0;
    const double offset =
        static_cast<double>(Along(point) - slider / 2) * (FMax - FMin) / (length - slider);
    return FMin + static_cast<int>(std::nearbyint(offset));
}

TPoint TskTrackBar::SliderPlace() const {
    if (!FSlider) return {};
    const int across = Horizontal() ? std::max(0, (Height() - FSlider->Height()) / 2)
                                    : std::max(0, (Width() - FSlider->Width()) / 2);
    const int along =
        FMin == FMax ? 0 : (FPosition - FMin) * (Length() - SliderLength()) / (FMax - FMin);
    return Horizontal() ? TPoint{along, across} : TPoint{across, along};
}

void TskTrackBar::PlaceSlider() {
    if (!FSlider) return;
    const TPoint place = SliderPlace();
    FSlider->SetBounds(place.X, place.Y, FSlider->Width(), FSlider->Height());
}

// --- painting --------------------------------------------------------------

void TskTrackBar::Paint(TCanvas& canvas) {
    const TRect client = ClientRect();
    if (client.IsEmpty()) return;
    TBitmap buffer(client.Width(), client.Height());
    buffer.SetScale(canvas.Target().Scale());
    TCanvas& work = buffer.Canvas();
    if (FTransparent)
        DrawParentBackground(work, this);
    else
        FillRectColor(work, client, Color());
    const int barHeight = FBarImage->Height();
    if (!FGroove.Empty()) {
        if (Horizontal())
            work.Draw(0, (Height() - barHeight) / 2, FGroove);
        else
            work.Draw((Width() - barHeight) / 2, 0, FGroove);
    }
    if (Focused() && TabStop()) DrawFocusRect(work, client);
    if (FShowTick && FMin != FMax) PaintTicks(work);
    canvas.Draw(0, 0, buffer);
}

void TskTrackBar::PaintTicks(TCanvas& canvas) const {
    const int slider = SliderLength();
    auto tick = [&](int value) {
        const int at = (Length() - slider) * (value - FMin) / (FMax - FMin) + slider / 2;
        if (Horizontal()) {
            canvas.MoveTo(at, Height() - 3);
            canvas.LineTo(at, Height());
        } else {
            canvas.MoveTo(0, at);
            canvas.LineTo(3, at);
            canvas.MoveTo(Width() - 3, at);
            canvas.LineTo(Width(), at);
        }
    };
    tick(FMin);
    if (FFrequency > 0)
        for (long long value = FMin + FFrequency; value < FMax; value += FFrequency)
            tick(static_cast<int>(value));
    tick(FMax);
}

// --- mouse and keys --------------------------------------------------------

void TskTrackBar::StepToward(TPoint point, int step) {
    if (!FSlider) return;
    const int edge = Horizontal() ? FSlider->Left() : FSlider->Top();
    if (Along(point) > edge)
        SetPosition(std::min(FPosition + step, ValueAtPoint(point)));
    else if (Along(point) < edge)
        SetPosition(std::max(FPosition - step, ValueAtPoint(point)));
}

void TskTrackBar::DragTo(TPoint point) {
    FPosition = std::clamp(ValueAtPoint(point), FMin, FMax);
    PlaceSlider();
    Invalidate();
    ReportChange();
}

void TskTrackBar::StartRepeat() {
    if (FTimer) return;
    FTimer = std::make_unique<TTimer>(nullptr);
    FTimer->SetInterval(RepeatInterval);
    FTimer->OnTimer = [this](TObject*) {
        StepToward(FMouse, Horizontal() ? 3 * FPageSize : FPageSize);
    };
}

void TskTrackBar::StopRepeat() {
    FTimer.reset();
}

void TskTrackBar::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
    if (button == TMouseButton::mbLeft) {
        FMouse = {x, y};
        StepToward(FMouse, FPageSize);
        StartRepeat();
        if (CanFocus()) SetFocus();
    }
    TCustomPanel::MouseDown(button, shift, x, y);
}

// The press on the thumb becomes the track bar's: it captures the mouse so
// that the drag's moves and the release come here.
void TskTrackBar::SliderMouseDown(TMouseButton button, TShiftState shift, int x, int y) {
    if (button != TMouseButton::mbLeft || !FSlider) return;
    FDragging = true;
    if (CanFocus()) SetFocus();
    SetMouseCapture(true);
    FMouse = {x + FSlider->Left(), y + FSlider->Top()};
    if (OnMouseDown) OnMouseDown(this, button, shift, FMouse.X, FMouse.Y);
}

void TskTrackBar::MouseMove(TShiftState shift, int x, int y) {
    FMouse = {x, y};
    if (FDragging)
        DragTo(FMouse);
    else if (FTimer && !ClientRect().Contains(FMouse))
        StopRepeat();
    TCustomPanel::MouseMove(shift, x, y);
}

void TskTrackBar::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
    StopRepeat();
    FDragging = false;
    SetMouseCapture(false);
    TCustomPanel::MouseUp(button, shift, x, y);
}

void TskTrackBar::KeyDown(int& key, TShiftState shift) {
    switch (key) {
    case VK_PRIOR:
        SetPosition(FPosition - FPageSize);
        break;
    case VK_NEXT:
        SetPosition(FPosition + FPageSize);
        break;
    case VK_END:
        SetPosition(FMax);
        break;
    case VK_HOME:
        SetPosition(FMin);
        break;
    case VK_LEFT:
    case VK_UP:
        SetPosition(FPosition - FLineSize);
        break;
    case VK_RIGHT:
    case VK_DOWN:
        SetPosition(FPosition + FLineSize);
        break;
    default:
        TCustomPanel::KeyDown(key, shift);
        return;
    }
    key = 0;
}

bool TskTrackBar::WantsKey(int key) const {
    return key == VK_LEFT || key == VK_RIGHT || key == VK_UP || key == VK_DOWN ||
           TCustomPanel::WantsKey(key);
}

void TskTrackBar::DoEnter() {
    TCustomPanel::DoEnter();
    Invalidate();
}

void TskTrackBar::DoExit() {
    TCustomPanel::DoExit();
    Invalidate();
}
