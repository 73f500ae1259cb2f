#include "skin/TskScrollBar.h"

#include <algorithm>

#include "gui/graphics/TCanvas.h"
#include "gui/graphics/TPicture.h"
#include "skin/SkinPublic.h"
#include "skin/TskImageButton.h"
#include "skin/TskScrollTrackBar.h"
#include "skin/TskThemeLookup.h"

namespace {
constexpr int RepeatInterval = 100;
constexpr int MinLineButton = 18;
} // namespace

const TClassInfo& TskScrollBar::StaticClass() {
    using T = TskScrollBar;
    static TClassBuilder<T> builder("TskScrollBar", &TCustomPanel::StaticClass());
    static const TClassInfo info =
        WithThemeProperties(builder)
            .Enum("Orientation", &T::Orientation, &T::SetOrientation, ProgressBarOrientationNames())
            .Prop("Min", &T::Min, &T::SetMin)
            .Prop("Max", &T::Max, &T::SetMax)
            .Prop("Position", &T::Position, &T::SetPosition)
            .Prop("PageSize", &T::PageSize, &T::SetPageSize)
            .Prop("LargeChange", &T::LargeChange, &T::SetLargeChange)
            .Prop("SmallChange", &T::SmallChange, &T::SetSmallChange)
            .Prop("LineButton", &T::LineButton, &T::SetLineButton)
            .Event("OnChange", &T::OnChange)
            .Build();
    return info;
}

TskScrollBar::TskScrollBar(TComponent* owner) : TCustomPanel(owner), FTheme(this) {
    SetControlStyle(ControlStyle() & ~csAcceptsControls);
    SetBevelOuter(TBevelCut::bvNone);
    SetBevelInner(TBevelCut::bvNone);
    FTrack = new TskScrollTrackBar(this);
    FTrack->SetParent(this);
    FTrack->SetShowTick(false);
    FTrack->SetTabStop(false);
    FTrack->SetTransparent(false);
    FTrack->SetMax(100);
    FTrack->OnChange = [this](TObject*) {
        if (OnChange) OnChange(this);
    };
    auto makeButton = [this](int direction) {
        auto* button = new TskImageButton(this);
        button->SetParent(this);
        button->SetTabStop(false);
        button->SetAutoSize(true);
        button->SetMouseContinuouslyDownInterval(RepeatInterval);
        button->OnMouseContinuouslyDown = [this, direction](TObject*) {
            SetPosition(Position() + direction * FSmallChange);
        };
        return button;
    };
    FBack = makeButton(-1);
    FForward = makeButton(1);
    LoadImages();
}

TskScrollBar::~TskScrollBar() {
    if (FTrack) FTrack->OnChange = nullptr;
}

void TskScrollBar::Notification(TComponent* component, TOperation operation) {
    TCustomPanel::Notification(component, operation);
    if (operation != TOperation::opRemove) return;
    if (component == FTrack) FTrack = nullptr;
    if (component == FBack) FBack = nullptr;
    if (component == FForward) FForward = nullptr;
    if (FTheme.Removed(component) && !IsDestroying()) ThemeChanged();
}

// --- properties ------------------------------------------------------------

void TskScrollBar::ThemeChanged() {
    LoadImages();
}

void TskScrollBar::SetUIStyle(TskUIStyle style) {
    FTheme.SetUIStyle(style);
    ThemeChanged();
}

void TskScrollBar::SetOrientation(TskProgressBarOrientation orientation) {
    if (orientation == FOrientation) return;
    FOrientation = orientation;
    LoadImages();
}

int TskScrollBar::Min() const {
    return FTrack ? FTrack->Min() : 0;
}
void TskScrollBar::SetMin(int value) {
    if (FTrack) FTrack->SetMin(value);
}
int TskScrollBar::Max() const {
    return FTrack ? FTrack->Max() : 0;
}
void TskScrollBar::SetMax(int value) {
    if (FTrack) FTrack->SetMax(value);
}
int TskScrollBar::Position() const {
    return FTrack ? FTrack->Position() : 0;
}
void TskScrollBar::SetPosition(int value) {
    if (FTrack && value != FTrack->Position()) FTrack->SetPosition(value);
}
int TskScrollBar::PageSize() const {
    return FTrack ? FTrack->PageSize() : 0;
}
void TskScrollBar::SetPageSize(int value) {
    if (!FTrack) return;
    FTrack->SetPageSize(value);
    BuildSlider();
}
int TskScrollBar::LargeChange() const {
    return PageSize();
}
void TskScrollBar::SetLargeChange(int value) {
    if (FTrack) FTrack->SetPageSize(static_cast<int16_t>(value));
}

// A fixed thumb longer than the room between the buttons is refused.
void TskScrollBar::SetLineButton(int value) {
    const int room = (Vertical() ? Height() : Width()) - ButtonsLength();
    if (value == FLineButton || value > room) return;
    FLineButton = value;
    BuildSlider();
}

// The track is drawn in the scroll bar's colour.
void TskScrollBar::ColorChanged() {
    if (FTrack) FTrack->SetColor(Color());
    Invalidate();
}

// --- pictures and layout ---------------------------------------------------

void TskScrollBar::LoadImages() {
    if (!FTrack || !FBack || !FForward || IsLoading()) return;
    FTrack->SetBarImage(TPicture());
    const TskThemeLookup lookup(FTheme.FileTheme(), FTheme.UIStyle());
    SetColor(lookup.Color(ThemeItem::ScrollBarBackgroundColor));
    TBitmap* pieces[3] = {&FHead, &FMiddle, &FTail};
    for (int i = 0; i < 3; ++i) {
        lookup.Bitmap(ThemeItem::ScrollBarSliderImage, pieces[i], i + 1, 3);
        if (Vertical()) RotateBitmapRight(*pieces[i]);
    }
    const TskImageButton::TState states[3] = {TskImageButton::PicNormal, TskImageButton::PicMouseOn,
                                              TskImageButton::PicMouseDown};
    for (int i = 0; i < 6; ++i) {
        TBitmap frame;
        lookup.Bitmap(ThemeItem::ScrollBarButtonImage, &frame, i + 1, 6);
        if (!Vertical()) RotateBitmapLeft(frame);
        TskImageButton* button = i < 3 ? FBack : FForward;
        button->Pic(states[i % 3]).Assign(frame);
    }
    LayoutParts();
    Invalidate();
}

int TskScrollBar::ButtonsLength() const {
    if (!FBack || !FForward) return 0;
    return Vertical() ? FBack->Height() + FForward->Height() : FBack->Width() + FForward->Width();
}

int TskScrollBar::TrackLength() const {
    if (!FTrack) return 0;
    return Vertical() ? FTrack->Height() : FTrack->Width();
}

// Setting the scroll bar's own cross size comes back through Resize.
void TskScrollBar::LayoutParts() {
    if (FLayingOut || !FTrack || !FBack || !FForward || IsLoading()) return;
    FTrack->SetOrientation(FOrientation);
    if (Width() == 0 || Height() == 0) {
        SetVisible(false);
        return;
    }
    FLayingOut = true;
    FBack->SetBounds(0, 0, FBack->Width(), FBack->Height());
    if (Vertical()) {
        SetBounds(Left(), Top(), FBack->Width(), Height());
        FTrack->SetBounds(0, FBack->Height(), Width(), std::max(0, Height() - ButtonsLength() - 1));
        FForward->SetBounds(0, Height() - FForward->Height(), FForward->Width(),
                            FForward->Height());
    } else {
        SetBounds(Left(), Top(), Width(), FBack->Height());
        FTrack->SetBounds(FBack->Width(), 0, std::max(0, Width() - ButtonsLength()), Height());
        FForward->SetBounds(Width() - FForward->Width(), 0, FForward->Width(), FForward->Height());
    }
    FLayingOut = false;
    BuildSlider();
}

// A layout sets the size before the orientation: the parts are laid out
// once every stored value is in.
void TskScrollBar::Loaded() {
    TCustomPanel::Loaded();
    LoadImages();
}

void TskScrollBar::Resize() {
    TCustomPanel::Resize();
    LayoutParts();
}

// Head at the start, tail at the end, the middle stretched between them.
void TskScrollBar::BuildSlider() {
    if (!FTrack) return;
    const int cross = Vertical() ? FHead.Width() : FHead.Height();
    int length = 0;
    if (FLineButton > 0) {
        length = std::max(FLineButton, MinLineButton);
    } else {
        int page = PageSize();
        if (page < 10 || page > 100) page = 10;
        if (TrackLength() > 0) length = page * TrackLength() / 100;
    }
    FSliderLength = length;
    TPicture slider;
    if (length > 0 && cross > 0) {
        TBitmap& bitmap = slider.Bitmap();
        if (Vertical()) {
            bitmap.SetSize(cross, length);
            TCanvas& canvas = bitmap.Canvas();
            canvas.StretchDraw(TRect{0, FHead.Height(), cross, length - FTail.Height()}, FMiddle);
            canvas.Draw(0, 0, FHead);
            canvas.Draw(0, length - FTail.Height(), FTail);
        } else {
            bitmap.SetSize(length, cross);
            TCanvas& canvas = bitmap.Canvas();
            canvas.StretchDraw(TRect{FHead.Width(), 0, length - FTail.Width(), cross}, FMiddle);
            canvas.Draw(0, 0, FHead);
            canvas.Draw(length - FTail.Width(), 0, FTail);
        }
    }
    FTrack->SetSliderImage(slider);
}
