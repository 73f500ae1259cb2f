#include "gui/TToolBar.h"

#include <algorithm>

#include "gui/TMenu.h"
#include "gui/TMenuItem.h"
#include "gui/TMenuTracker.h"
#include "gui/TToolButton.h"
#include "gui/graphics/TBitmap.h"
#include "gui/graphics/TCanvas.h"
#include "gui/graphics/TCustomImageList.h"

namespace {
constexpr int CaptionPadding = 7;

const TEnumTable& EdgeBorderNames() {
    static const TEnumTable names = {{"ebLeft", 0}, {"ebTop", 1}, {"ebRight", 2}, {"ebBottom", 3}};
    return names;
}
} // namespace

const TClassInfo& TToolBar::StaticClass() {
    static const TClassInfo info =
        TClassBuilder<TToolBar>("TToolBar", &TWinControl::StaticClass())
            .Prop("ButtonWidth", &TToolBar::ButtonWidth, &TToolBar::SetButtonWidth)
            .Prop("ButtonHeight", &TToolBar::ButtonHeight, &TToolBar::SetButtonHeight)
            .Prop("AutoSize", &TToolBar::AutoSize, &TToolBar::SetAutoSize)
            .Prop("Flat", &TToolBar::Flat, &TToolBar::SetFlat)
            .Prop("ShowCaptions", &TToolBar::ShowCaptions, &TToolBar::SetShowCaptions)
            .Prop("Wrapable", &TToolBar::Wrapable, &TToolBar::SetWrapable)
            .Prop("Indent", &TToolBar::Indent, &TToolBar::SetIndent)
            .Prop("Images", &TToolBar::Images, &TToolBar::SetImages)
            // Edges are not drawn by the plain look.
            .Custom("EdgeBorders", TPropKind::Set, nullptr,
                    [](TToolBar*, const TValue& v) { (void)ValueToSet(v, EdgeBorderNames()); })
            .Custom("Transparent", TPropKind::Boolean, nullptr,
                    [](TToolBar*, const TValue& v) { (void)ValueToBool(v); })
            .Build();
    return info;
}

TToolBar::TToolBar(TComponent* owner) : TWinControl(owner) {
    SetControlStyle(ControlStyle() | csAcceptsControls);
    SetAlign(TAlign::alTop);
    SetBounds(0, 0, 150, 29);
    TMenuTracker::RegisterBar(this);
}

TToolBar::~TToolBar() {
    Destroying();
    TMenuTracker::UnregisterBar(this);
    FButtons.clear();
}

void TToolBar::SetButtonWidth(int width) {
    width = std::max(width, 0);
    if (width == FButtonWidth) return;
    FButtonWidth = width;
    ArrangeButtons();
}

void TToolBar::SetButtonHeight(int height) {
    height = std::max(height, 0);
    if (height == FButtonHeight) return;
    FButtonHeight = height;
    ArrangeButtons();
}

void TToolBar::SetAutoSize(bool value) {
    if (value == FAutoSize) return;
    FAutoSize = value;
    ArrangeButtons();
}

void TToolBar::SetFlat(bool value) {
    FFlat = value;
    Invalidate();
}

void TToolBar::SetShowCaptions(bool value) {
    if (value == FShowCaptions) return;
    FShowCaptions = value;
    ArrangeButtons();
}

void TToolBar::SetWrapable(bool value) {
    if (value == FWrapable) return;
    FWrapable = value;
    ArrangeButtons();
}

void TToolBar::SetIndent(int indent) {
    if (indent == FIndent) return;
    FIndent = indent;
    ArrangeButtons();
}

void TToolBar::SetImages(TComponent* images) {
    if (images == FImages) return;
    if (FImages) FImages->RemoveFreeNotification(this);
    FImages = images;
    if (images) images->FreeNotification(this);
    ArrangeButtons();
}

const TCustomImageList* TToolBar::ImageList() const {
    return ImageListOf(FImages);
}

void TToolBar::Notification(TComponent* component, TOperation operation) {
    TWinControl::Notification(component, operation);
    if (operation == TOperation::opRemove && component == FImages) {
        FImages = nullptr;
        ArrangeButtons();
    }
}

TToolButton* TToolBar::Buttons(int index) const {
    if (index < 0 || index >= ButtonCount())
        throw EComponentError("Tool button index out of range: " + std::to_string(index));
    return FButtons[static_cast<size_t>(index)];
}

void TToolBar::ButtonAdded(TToolButton* button) {
    if (std::find(FButtons.begin(), FButtons.end(), button) == FButtons.end())
        FButtons.push_back(button);
    ArrangeButtons();
}

void TToolBar::ButtonRemoved(TToolButton* button) {
    // Entries shift: an open drop-down from this bar would point elsewhere.
    if (TMenuTracker* tracker = TMenuTracker::Current(); tracker && tracker->Bar() == this)
        tracker->CloseAll();
    FButtons.erase(std::remove(FButtons.begin(), FButtons.end(), button), FButtons.end());
    if (!IsDestroying()) ArrangeButtons();
}

void TToolBar::UpdateMenuItems() {
    for (TToolButton* button : FButtons)
        button->UpdateFromMenuItem();
}

void TToolBar::ArrangeButtons() {
    Realign();
}

void TToolBar::Loaded() {
    TWinControl::Loaded();
    ArrangeButtons();
}

void TToolBar::FontChanged() {
    TWinControl::FontChanged();
    ArrangeButtons();
}

int TToolBar::ButtonExtent(const TToolButton& button) {
    if (button.IsSeparator()) return button.Width();
    int width = FButtonWidth;
    if (FShowCaptions && button.AutoSize()) {
        static TBitmap scratch(1, 1);
        TCanvas& canvas = scratch.Canvas();
        TCanvasSaver saver(canvas);
        canvas.Font().Assign(Font());
        const TCustomImageList* images = ImageList();
        int content =
            std::max(canvas.TextWidth(StripHotkey(button.Caption())), images ? images->Width() : 0);
        width = content + 2 * CaptionPadding;
    }
    if (button.Style() == TToolButtonStyle::tbsDropDown) width += TToolButton::DropDownWidth;
    return width;
}

void TToolBar::AlignControls(TRect rect) {
    TWinControl::AlignControls(rect);
    if (FArranging) return;
    FArranging = true;
    int left = rect.Left + FIndent;
    int x = left, y = rect.Top, bottom = rect.Top;
    for (TToolButton* button : std::vector<TToolButton*>(FButtons)) {
        if (!button->Visible()) continue;
        int width = ButtonExtent(*button);
        if (FWrapable && x > left && x + width > rect.Right) {
            x = left;
            y += FButtonHeight;
        }
        button->SetBounds(x, y, width, FButtonHeight);
        bottom = std::max(bottom, y + FButtonHeight);
        x += width;
        if (button->Wrap()) {
            x = left;
            y += FButtonHeight;
        }
    }
    FArranging = false;
    if (FAutoSize && !FButtons.empty()) SetHeight(bottom - rect.Top + (Height() - ClientHeight()));
}

// --- the menu bar side ---------------------------------------------------------

TMenuItem* TToolBar::BarItem(int index) const {
    if (index < 0 || index >= ButtonCount()) return nullptr;
    TToolButton* button = FButtons[static_cast<size_t>(index)];
    return button->Visible() ? button->MenuItem() : nullptr;
}

TRect TToolBar::BarItemScreenRect(int index) const {
    if (index < 0 || index >= ButtonCount()) return {};
    TToolButton* button = FButtons[static_cast<size_t>(index)];
    TPoint origin = button->ClientToScreen({0, 0});
    return TRect::FromSize(origin.X, origin.Y, button->Width(), button->Height());
}

void TToolBar::BarStateChanged(int index, bool open) {
    for (int i = 0; i < ButtonCount(); ++i) {
        TToolButton* button = FButtons[static_cast<size_t>(i)];
        bool hot = i == index, isOpen = hot && open;
        if (button->FMenuHot == hot && button->FMenuOpen == isOpen) continue;
        button->FMenuHot = hot;
        button->FMenuOpen = isOpen;
        button->Invalidate();
    }
}

// --- painting ------------------------------------------------------------------

void TToolBar::EraseBackground(TCanvas& canvas) {
    bool defaultDraw = true;
    if (OnCustomDraw) OnCustomDraw(this, canvas, ClientRect(), defaultDraw);
    if (defaultDraw) TWinControl::EraseBackground(canvas);
}

TCustomDrawState TToolBar::StateOf(const TToolButton& button) const {
    TCustomDrawState state = 0;
    if (!button.Enabled()) state |= cdsDisabled | cdsGrayed;
    if (button.Hot()) state |= cdsHot;
    if (button.Pressed() || button.Down()) state |= cdsSelected;
    if (button.Down()) state |= cdsChecked;
    return state;
}

void TToolBar::PaintButton(TToolButton& button, TCanvas& canvas) {
    TCustomDrawState state = StateOf(button);
    bool defaultDraw = true;
    if (OnCustomDrawButton) OnCustomDrawButton(this, &button, canvas, state, defaultDraw);
    if (defaultDraw) DrawButtonFace(button, canvas, state);
}

static void DrawEdge(TCanvas& canvas, const TRect& r, bool sunken) {
    if (r.IsEmpty()) return;
    canvas.Brush().SetColor(sunken ? clBtnShadow : clBtnHighlight);
    canvas.FillRect({r.Left, r.Top, r.Right, r.Top + 1});
    canvas.FillRect({r.Left, r.Top, r.Left + 1, r.Bottom});
    canvas.Brush().SetColor(sunken ? clBtnHighlight : clBtnShadow);
    canvas.FillRect({r.Left, r.Bottom - 1, r.Right, r.Bottom});
    canvas.FillRect({r.Right - 1, r.Top, r.Right, r.Bottom});
}

void TToolBar::DrawButtonFace(TToolButton& button, TCanvas& canvas, TCustomDrawState state) {
    TCanvasSaver saver(canvas);
    TRect r = button.ClientRect();
    if (button.IsSeparator()) {
        if (!FFlat && button.Style() == TToolButtonStyle::tbsSeparator) return;
        int x = r.Width() / 2 - 1;
        canvas.Brush().SetColor(clBtnShadow);
        canvas.FillRect({x, r.Top + 2, x + 1, r.Bottom - 2});
        canvas.Brush().SetColor(clBtnHighlight);
        canvas.FillRect({x + 1, r.Top + 2, x + 2, r.Bottom - 2});
        return;
    }
    bool pressed = state & cdsSelected;
    bool hot = state & cdsHot;
    TRect arrow = button.DropDownRect();
    TRect face = r;
    if (!arrow.IsEmpty()) face.Right = arrow.Left;
    if (!FFlat || hot || pressed) {
        DrawEdge(canvas, face, pressed);
        DrawEdge(canvas, arrow, pressed && button.MenuOpen());
    }
    int shift = pressed ? 1 : 0;
    TColor text = (state & cdsDisabled) ? clGrayText : clBtnText;
    const TCustomImageList* images = ImageList();
    bool hasImage = images && button.ImageIndex() >= 0 && button.ImageIndex() < images->Count();
    bool hasCaption = FShowCaptions && !button.Caption().empty();
    int top = face.Top + shift;
    if (hasImage) {
        int imageTop = hasCaption ? top + 3 : top + (face.Height() - images->Height()) / 2;
        images->Draw(canvas, face.Left + shift + (face.Width() - images->Width()) / 2, imageTop,
                     button.ImageIndex(), !(state & cdsDisabled));
        top = imageTop + images->Height();
    }
    if (hasCaption) {
        canvas.Font().Assign(Font());
        canvas.Font().SetColor(text);
        canvas.Brush().SetStyle(bsClear);
        TRect textRect{face.Left + shift, top, face.Right + shift, face.Bottom + shift};
        canvas.DrawText(button.Caption(), textRect, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    }
    if (!arrow.IsEmpty()) {
        int cx = arrow.Left + arrow.Width() / 2, cy = arrow.Top + arrow.Height() / 2;
        canvas.Brush().SetColor(text);
        for (int i = 0; i < 3; ++i)
            canvas.FillRect({cx - 2 + i, cy - 1 + i, cx + 3 - i, cy + i});
    }
}
