#include "skin/TskTitleBar.h"

#include "gui/TApplication.h"
#include "gui/TCustomForm.h"
#include "gui/graphics/TBitmap.h"
#include "gui/graphics/TCanvas.h"
#include "gui/graphics/TPicture.h"
#include "platform/Text.h"
#include "skin/SkinPublic.h"
#include "skin/SkinStyle.h"
#include "skin/TskFileTheme.h"
#include "skin/TskForm.h"
#include "skin/TskThemeLookup.h"
#include "skin/TskTitleBarPopupMenu.h"

namespace {

// Frame pictures continue into the frame's outer border.
constexpr int kFrameInset = TskForm::WindowFrame;
constexpr int kIconSize = 16;

// File themes mark a dark caption font with these codes.
bool IsDarkCaptionCode(TColor color) {
    return color == 0x10000 || color == 0x30000 || color == 0x40000 || color == 0x50000;
}

} // namespace

const TClassInfo& TskTitleBar::StaticClass() {
    static const TClassInfo info =
        TClassBuilder<TskTitleBar>("TskTitleBar", &TCustomPanel::StaticClass())
            .Prop("Custom", &TskTitleBar::Custom, &TskTitleBar::SetCustom)
            .Prop("FileTheme", &TskTitleBar::FileTheme, &TskTitleBar::SetFileTheme)
            .Enum("UIStyle", &TskTitleBar::UIStyle, &TskTitleBar::SetUIStyle, UIStyleNames())
            .Prop("AutoSize", &TskTitleBar::AutoSize, &TskTitleBar::SetAutoSize)
            .Custom("Sections", TPropKind::Collection, nullptr,
                    [](TskTitleBar* bar, const TValue& v) { bar->ApplyCollection(v, false); })
            .Custom("Buttons", TPropKind::Collection, nullptr,
                    [](TskTitleBar* bar, const TValue& v) { bar->ApplyCollection(v, true); })
            .Prop("ButtonInterval", &TskTitleBar::ButtonInterval, &TskTitleBar::SetButtonInterval)
            .Prop("FormActive", &TskTitleBar::FormActive, &TskTitleBar::SetFormActive)
            .Prop("LeftBtnXOffset", &TskTitleBar::LeftBtnXOffset, &TskTitleBar::SetLeftBtnXOffset)
            .Prop("RightBtnXOffset", &TskTitleBar::RightBtnXOffset, &TskTitleBar::SetRightBtnXOffset)
            .Prop("DrawAppIcon", &TskTitleBar::DrawAppIcon, &TskTitleBar::SetDrawAppIcon)
            .Prop("RoundCorner", &TskTitleBar::RoundCorner, &TskTitleBar::SetRoundCorner)
            .Event("OnCustomBtnsClick", &TskTitleBar::OnCustomBtnsClick)
            .Event("OnHelpBtnClick", &TskTitleBar::OnHelpBtnClick)
            .Build();
    return info;
}

TskTitleBar::TskTitleBar(TComponent* owner) : TCustomPanel(owner) {
    SetControlStyle(ControlStyle() & ~csAcceptsControls);
    SetBevelOuter(TBevelCut::bvNone);
    SetBevelInner(TBevelCut::bvNone);
    FSystemMenu = new TskTitleBarPopupMenu(this);
    AddDefaultButtons();
    SetAlign(TAlign::alTop);
    Font().SetColor(clWhite);
    Font().SetName("Tahoma");
    Font().SetStyle(TFontStyles{fsBold});
    SetUIStyle(GetOwnerFormStyle(owner));
}

TskTitleBar::~TskTitleBar() { Destroying(); }

void TskTitleBar::AddDefaultButtons() {
    for (TskTitleBarBtnType type : {TskTitleBarBtnType::skControlBox, TskTitleBarBtnType::skClose,
                                    TskTitleBarBtnType::skMax, TskTitleBarBtnType::skMin})
        AddButton()->SetButtonType(type);
}

bool TskTitleBar::OnSkinForm() const { return dynamic_cast<const TskForm*>(Parent()) != nullptr; }

// --- collections -----------------------------------------------------------

TskTitleBarButton* TskTitleBar::AddButton() {
    FButtons.push_back(std::make_unique<TskTitleBarButton>(this));
    FButtonPtrs.push_back(FButtons.back().get());
    Invalidate();
    return FButtonPtrs.back();
}

void TskTitleBar::ClearButtons() {
    FButtonPtrs.clear();
    FButtons.clear();
    FHotIndex = -1;
    Invalidate();
}

TskTitleBarSection* TskTitleBar::AddSection() {
    FSections.push_back(std::make_unique<TskTitleBarSection>(
        [this] { Invalidate(); },
        [this](const TskTitleBarSection* section) {
            for (const TskTitleBarSection* other : FSectionPtrs)
                if (other != section && other->Align() == TskTitleBarAlign::skClient) return false;
            return true;
        }));
    FSectionPtrs.push_back(FSections.back().get());
    Invalidate();
    return FSectionPtrs.back();
}

void TskTitleBar::ClearSections() {
    FSectionPtrs.clear();
    FSections.clear();
    Invalidate();
}

// A stored collection replaces the items: one new item per entry, its
// properties set in the order written.
void TskTitleBar::ApplyCollection(const TValue& value, bool buttons) {
    const auto* items = std::get_if<TCollectionValue>(&value);
    if (!items) throw EConvertError("a collection is expected");
    buttons ? ClearButtons() : ClearSections();
    for (const auto& entry : items->Items) {
        TObject* item = buttons ? static_cast<TObject*>(AddButton()) : static_cast<TObject*>(AddSection());
        for (const TLayoutItem& property : entry) SetPropValue(item, property.Name, property.Value);
    }
}

TskTitleBarButton* TskTitleBar::FindButton(TskTitleBarBtnType type) const {
    for (TskTitleBarButton* button : FButtonPtrs)
        if (button->ButtonType() == type) return button;
    return nullptr;
}

void TskTitleBar::UpdateMaxPictures() {
    for (TskTitleBarButton* button : FButtonPtrs)
        if (button->ButtonType() == TskTitleBarBtnType::skMax) button->UpdateMaxPicture();
}

bool TskTitleBar::HasControlBoxOtherThan(const TskTitleBarButton* button) const {
    for (const TskTitleBarButton* other : FButtonPtrs)
        if (other != button && other->ButtonType() == TskTitleBarBtnType::skControlBox) return true;
    return false;
}

// --- properties ------------------------------------------------------------

void TskTitleBar::SetButtonInterval(int interval) {
    FButtonInterval = interval;
    Invalidate();
}

void TskTitleBar::SetFormActive(bool active) {
    FFormActive = active;
    Invalidate();
}

void TskTitleBar::SetLeftBtnXOffset(int offset) {
    FLeftBtnXOffset = offset;
    Invalidate();
}

void TskTitleBar::SetRightBtnXOffset(int offset) {
    FRightBtnXOffset = offset;
    Invalidate();
}

void TskTitleBar::SetDrawAppIcon(bool draw) {
    FDrawAppIcon = draw;
    Invalidate();
}

void TskTitleBar::SetFileTheme(TskFileTheme* theme) {
    if (FFileTheme) FFileTheme->RemoveFreeNotification(this);
    FFileTheme = theme;
    if (theme) theme->FreeNotification(this);
    FAssigningFileTheme = true;
    try {
        SetUIStyle(FUIStyle);
    } catch (...) {
        FAssigningFileTheme = false;
        throw;
    }
    FAssigningFileTheme = false;
}

void TskTitleBar::ApplyCaptionColour(const TskThemeLookup& theme) {
    if (FAssigningFileTheme) return;
    bool dark = FUIStyle == TskUIStyle::MacOS;
    if (!dark && theme.UsesFile()) dark = IsDarkCaptionCode(theme.Color(ThemeItem::ControlFontColor));
    Font().SetColor(dark ? clBlack : clWhite);
}

void TskTitleBar::SetUIStyle(TskUIStyle style) {
    FUIStyle = style;
    if (FCustom) return;
    ClearSections();
    const TskThemeLookup theme(FFileTheme, style);
    const int inset = OnSkinForm() ? kFrameInset : 0;
    auto section = [&](int item, TskTitleBarAlign align, bool autoSize) {
        TPicture picture;
        theme.Bitmap(item, &picture);
        TskTitleBarSection* added = AddSection();
        added->SetAutoSize(autoSize);
        added->SetPicture(picture);
        added->SetAlign(align);
    };
    section(ThemeItem::TitleBarLeftImage, TskTitleBarAlign::skLeft, true);
    section(ThemeItem::TitleBarRightImage, TskTitleBarAlign::skRight, true);
    section(ThemeItem::TitleBarClientImage, TskTitleBarAlign::skClient, false);

    FLeftBtnXOffset = theme.Int(ThemeItem::TitleBarButtonLeftOffsetInt);
    FRightBtnXOffset = theme.Int(ThemeItem::TitleBarButtonRightOffsetInt);
    FStyleBorderColor = theme.Color(ThemeItem::FormBorderColor);
    TBitmap strip;
    theme.Bitmap(ThemeItem::TitleBarButtonImage, &strip);
    FButtonHeight = strip.Height();
    FButtonTop = theme.Int(ThemeItem::TitleBarButtonTopInt) - inset;
    if (TCustomForm* host = HostWindow()) host->SetMinWidth(theme.Int(ThemeItem::FormMinWidthInt));
    FRoundCorner = theme.Int(ThemeItem::FormRoundCornerInt);

    const TskUIStyle resolved = theme.UsesFile() ? TskUIStyle::FromThemeFile : theme.Style();
    for (TskTitleBarButton* button : FButtonPtrs) button->SetUIStyle(resolved);
    FSystemMenu->SetFileTheme(FFileTheme);
    FSystemMenu->SetUIStyle(resolved);
    ApplyCaptionColour(theme);

    FAutoSize = !FSectionPtrs.empty();
    if (FAutoSize) SetHeight(FSectionPtrs.front()->Picture().Height() - inset);
    Invalidate();
}

void TskTitleBar::Notification(TComponent* component, TOperation operation) {
    TCustomPanel::Notification(component, operation);
    if (operation != TOperation::opRemove) return;
    for (TskTitleBarButton* button : FButtonPtrs) button->MenuDestroyed(component);
    if (component == FSystemMenu) FSystemMenu = nullptr;
    if (component == FFileTheme) {
        FFileTheme = nullptr;
        SetUIStyle(TskUIStyle::DeepBlue);
    }
}

// --- painting --------------------------------------------------------------

void TskTitleBar::Paint(TCanvas& canvas) {
    if (Width() <= 0 || Height() <= 0) return;
    // Composed at the back buffer's scale, so its text stays sharp.
    TBitmap bitmap(Width(), Height());
    bitmap.SetScale(canvas.Target().Scale());
    bitmap.Canvas().Brush().SetStyle(bsClear);
    bitmap.Canvas().Font().Assign(Font());
    DrawSections(bitmap);
    DrawButtons(bitmap);
    canvas.Draw(0, 0, bitmap);
}

void TskTitleBar::DrawSections(TBitmap& bitmap) {
    const int d = OnSkinForm() ? -kFrameInset : 0;
    TCanvas& canvas = bitmap.Canvas();
    const TskTitleBarSection* left = FSectionPtrs.size() > 0 ? FSectionPtrs[0] : nullptr;
    const TskTitleBarSection* right = FSectionPtrs.size() > 1 ? FSectionPtrs[1] : nullptr;
    const TskTitleBarSection* middle = FSectionPtrs.size() > 2 ? FSectionPtrs[2] : nullptr;
    const int rightEdge = right ? bitmap.Width() - right->Picture().Width() - d : bitmap.Width();
    if (left && !left->Picture().Empty()) canvas.Draw(d, d, left->Picture().Bitmap());
    if (right && !right->Picture().Empty()) canvas.Draw(rightEdge, d, right->Picture().Bitmap());
    if (middle && !middle->Picture().Empty()) {
        const int from = d + (left ? left->Picture().Width() : 0);
        canvas.StretchDraw({from, d, rightEdge, d + middle->Picture().Height()}, middle->Picture().Bitmap());
    }
}

const TPicture& TskTitleBar::StatePicture(const TskTitleBarButton& button, bool hot) const {
    if (!hot) return button.PicNormal();
    return FMouseDown ? button.PicMouseDown() : button.PicMouseOn();
}

// Through a bitmap of the normal picture's size, so that every state
// takes the same place; its bottom-left pixel is the transparent colour.
void TskTitleBar::DrawButtonPicture(TBitmap& bitmap, const TskTitleBarButton& button, int x, int y, bool hot) {
    const TPicture& normal = button.PicNormal();
    if (normal.Empty()) return;
    TBitmap state(normal.Width(), normal.Height());
    state.Canvas().Draw(0, 0, StatePicture(button, hot).Bitmap());
    state.SetTransparentMode(tmAuto);
    state.SetTransparent(button.Transparent());
    bitmap.Canvas().Draw(x, y, state);
}

TRect TskTitleBar::RightButtonRect(TskTitleBarBtnType type) const {
    int x = Width() + FRightBtnXOffset + 1;
    for (const TskTitleBarButton* button : FButtonPtrs) {
        if (!button->Visible() || button->ButtonType() == TskTitleBarBtnType::skControlBox) continue;
        const int w = button->PicNormal().Width();
        x -= w + FButtonInterval + 1;
        if (button->ButtonType() == type)
            return {x, FButtonTop, x + w, FButtonTop + button->PicNormal().Height()};
    }
    return {};
}

void TskTitleBar::DrawButtons(TBitmap& bitmap) {
    const TPoint mouse = Application ? ScreenToClient(Application->Host().CursorPos()) : TPoint{-1, -1};
    FHotIndex = -1;
    int x = bitmap.Width() + FRightBtnXOffset + 1;
    const int y = FButtonTop;
    int controlBox = -1;
    for (int i = 0; i < static_cast<int>(FButtonPtrs.size()); ++i) {
        const TskTitleBarButton& button = *FButtonPtrs[static_cast<size_t>(i)];
        if (!button.Visible()) continue;
        if (button.ButtonType() == TskTitleBarBtnType::skControlBox) {
            controlBox = i;
            continue;
        }
        const int w = button.PicNormal().Width();
        x -= w + FButtonInterval + 1;
        const bool hot = InRect(mouse, {x, y, x + w, y + button.PicNormal().Height()});
        if (hot) FHotIndex = i;
        DrawButtonPicture(bitmap, button, x, y, hot);
    }
    int x0 = FLeftBtnXOffset;
    if (controlBox >= 0) {
        const TskTitleBarButton& button = *FButtonPtrs[static_cast<size_t>(controlBox)];
        const TRect rect{x0, y, x0 + button.PicNormal().Width(), y + button.PicNormal().Height()};
        const bool hot = InRect(mouse, rect);
        if (FDrawAppIcon) {
            if (hot) FHotIndex = controlBox;
            TBitmap icon;
            if (LoadResourceBitmap("MAINICON", icon)) {
                TBitmap small(kIconSize, kIconSize);
                small.Canvas().StretchDraw({0, 0, kIconSize, kIconSize}, icon);
                bitmap.Canvas().Draw(x0 + 3, y, small);
            }
            x0 += 21;
        } else {
            if (hot) FHotIndex = controlBox;
            DrawButtonPicture(bitmap, button, x0, y, hot);
            x0 += button.PicNormal().Width() + 5;
        }
    }
    if (x0 == 0) x0 = 6;
    DrawCaption(bitmap, x0, x);
}

// A caption that does not fit loses characters from its end and ends in
// "..."; when not even that fits it is drawn as "..." alone.
void TskTitleBar::DrawCaption(TBitmap& bitmap, int left, int right) {
    TCanvas& canvas = bitmap.Canvas();
    canvas.Font().Assign(Font());
    if (!FFormActive) canvas.Font().SetColor(clInactiveCaptionText);
    canvas.Brush().SetStyle(bsClear);
    std::string text = Caption();
    const int room = right - left;
    if (canvas.TextWidth(text) > room) {
        std::u16string units = platform::Utf8ToUtf16(text);
        while (!units.empty()) {
            units.pop_back();
            if (!units.empty() && units.back() >= 0xD800 && units.back() <= 0xDBFF) units.pop_back();
            if (canvas.TextWidth(platform::Utf16ToUtf8(units) + "...") <= room) break;
        }
        text = platform::Utf16ToUtf8(units) + "...";
    }
    canvas.TextOut(left, FButtonTop + (FButtonHeight - canvas.TextHeight(text)) / 2, text);
    FCaptionLeft = left;
    FShownCaption = text;
}

// --- mouse -----------------------------------------------------------------

void TskTitleBar::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
    TCustomPanel::MouseDown(button, shift, x, y);
    if (button != TMouseButton::mbLeft) return;
    FMouseDown = true;
    Invalidate();
    Update();
    TCustomForm* host = HostWindow();
    if (FHotIndex == -1 && host && host->WindowState() != TWindowState::wsMaximized) {
        SetMouseCapture(false);
        FMouseDown = false;
        host->Perform(WM_NCLBUTTONDOWN, HTCAPTION, 0);
    }
}

void TskTitleBar::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
    TCustomPanel::MouseUp(button, shift, x, y);
    if (button != TMouseButton::mbLeft) return;
    TSafeRef<TskTitleBar> self(this);
    const int hot = FHotIndex;
    FMouseDown = false;
    if (hot >= 0 && hot < static_cast<int>(FButtonPtrs.size())) {
        TskTitleBarButton* pressed = FButtonPtrs[static_cast<size_t>(hot)];
        const TskTitleBarBtnType type = pressed->ButtonType();
        if (type != TskTitleBarBtnType::skControlBox || pressed->ControlBoxMenu()) {
            pressed->DoClick();
            if (!self) return;
            if (type == TskTitleBarBtnType::skCustom && OnCustomBtnsClick)
                OnCustomBtnsClick(this, hot);
            else if (type == TskTitleBarBtnType::skHelp && OnHelpBtnClick)
                OnHelpBtnClick(this, hot);
        } else if (FSystemMenu) {
            const TPoint at = MenuPoint();
            FSystemMenu->Popup(at.X, at.Y);
        }
    }
    if (self) Invalidate();
}

void TskTitleBar::MouseMove(TShiftState shift, int x, int y) {
    TCustomPanel::MouseMove(shift, x, y);
    Invalidate();
}

void TskTitleBar::MouseLeave() {
    TCustomPanel::MouseLeave();
    Invalidate();
}

void TskTitleBar::DblClick() {
    TCustomPanel::DblClick();
    if (FHotIndex == -1) {
        if (TskTitleBarButton* max = FindButton(TskTitleBarBtnType::skMax)) max->DoClick();
    } else if (FButtonPtrs[static_cast<size_t>(FHotIndex)]->ButtonType() == TskTitleBarBtnType::skControlBox) {
        if (TCustomForm* host = HostWindow()) host->Close();
    }
}

// Frame messages that reach the bar belong to its window.
void TskTitleBar::WndProc(TMessage& message) {
    if (message.Msg == WM_NCLBUTTONDOWN || message.Msg == WM_NCLBUTTONUP || message.Msg == WM_NCMOUSEMOVE) {
        if (TCustomForm* host = HostWindow())
            message.Result = host->Perform(message.Msg, message.WParam, message.LParam);
        return;
    }
    TCustomPanel::WndProc(message);
}
