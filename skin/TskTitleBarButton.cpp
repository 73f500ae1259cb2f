#include "skin/TskTitleBarButton.h"

#include "gui/TApplication.h"
#include "gui/TCustomForm.h"
#include "gui/TPopupMenu.h"
#include "gui/graphics/TBitmap.h"
#include "gui/graphics/TPicture.h"
#include "skin/TskThemeLookup.h"
#include "skin/TskTitleBar.h"

namespace {

// First frame of each type in the style's 18-frame strip (1-based).
constexpr int kControlBoxFrame = 1, kHelpFrame = 4, kMaxFrame = 7, kRestoreFrame = 10, kMinFrame = 13,
              kCloseFrame = 16;

} // namespace

const TEnumTable& TitleBarBtnTypeNames() {
    static const TEnumTable names = {{"skMax", 0},  {"skMin", 1},        {"skClose", 2},
                                     {"skHelp", 3}, {"skControlBox", 4}, {"skCustom", 5}};
    return names;
}

const TClassInfo& TskTitleBarButton::StaticClass() {
    static const TClassInfo info =
        TClassBuilder<TskTitleBarButton>("TskTitleBarButton", &TObject::StaticClass())
            .Enum("UIStyle", &TskTitleBarButton::UIStyle, &TskTitleBarButton::SetUIStyle, UIStyleNames())
            .Enum("ButtonType", &TskTitleBarButton::ButtonType, &TskTitleBarButton::SetButtonType,
                  TitleBarBtnTypeNames())
            .Prop("Transparent", &TskTitleBarButton::Transparent, &TskTitleBarButton::SetTransparent)
            .Prop("Top", &TskTitleBarButton::Top, &TskTitleBarButton::SetTop)
            .Prop("ControlBoxMenu", &TskTitleBarButton::ControlBoxMenu, &TskTitleBarButton::SetControlBoxMenu)
            .Prop("Visible", &TskTitleBarButton::Visible, &TskTitleBarButton::SetVisible)
            .Build();
    return info;
}

TskTitleBarButton::TskTitleBarButton(TskTitleBar* bar)
    : FBar(bar), FPicNormal(std::make_unique<TPicture>()), FPicMouseOn(std::make_unique<TPicture>()),
      FPicMouseDown(std::make_unique<TPicture>()) {}

TskTitleBarButton::~TskTitleBarButton() = default;

void TskTitleBarButton::Changed() {
    if (FBar) FBar->Invalidate();
}

void TskTitleBarButton::SetUIStyle(TskUIStyle style) {
    FUIStyle = style;
    LoadPictures();
    Changed();
}

void TskTitleBarButton::SetButtonType(TskTitleBarBtnType type) {
    if (type == FButtonType) return;
    if (type == TskTitleBarBtnType::skControlBox && FBar && FBar->HasControlBoxOtherThan(this)) {
        Application->MessageBox("Sorry, only one button's ButtonType property can be \"skControlBox\"", "Error",
                                MB_OK | MB_ICONERROR);
        return;
    }
    FButtonType = type;
    LoadPictures();
    Changed();
}

void TskTitleBarButton::SetTransparent(bool transparent) {
    FTransparent = transparent;
    Changed();
}

void TskTitleBarButton::SetTop(int top) {
    FTop = top;
    Changed();
}

void TskTitleBarButton::SetControlBoxMenu(TComponent* menu) {
    FControlBoxMenu = menu;
    if (menu && FBar) menu->FreeNotification(FBar);
    Changed();
}

void TskTitleBarButton::MenuDestroyed(const TComponent* menu) {
    if (menu == FControlBoxMenu) FControlBoxMenu = nullptr;
}

void TskTitleBarButton::SetVisible(bool visible) {
    FVisible = visible;
    Changed();
}

void TskTitleBarButton::Assign(const TskTitleBarButton& source) {
    FVisible = source.FVisible;
    FButtonType = source.FButtonType;
    FTransparent = source.FTransparent;
    FTop = source.FTop;
    FUIStyle = source.FUIStyle;
    FPicNormal->Assign(*source.FPicNormal);
    FPicMouseOn->Assign(*source.FPicMouseOn);
    FPicMouseDown->Assign(*source.FPicMouseDown);
    FControlBoxMenu = source.FControlBoxMenu;
    Changed();
}

void TskTitleBarButton::LoadFrames(int first) {
    const TskThemeLookup theme(FBar ? FBar->FileTheme() : nullptr, FUIStyle);
    theme.Bitmap(ThemeItem::TitleBarButtonImage, FPicNormal.get(), first, 18);
    theme.Bitmap(ThemeItem::TitleBarButtonImage, FPicMouseOn.get(), first + 1, 18);
    theme.Bitmap(ThemeItem::TitleBarButtonImage, FPicMouseDown.get(), first + 2, 18);
}

void TskTitleBarButton::LoadPictures() {
    const TskThemeLookup theme(FBar ? FBar->FileTheme() : nullptr, FUIStyle);
    FTransparent = theme.Bool(ThemeItem::TitleBarButtonTransparentBool);
    switch (FButtonType) {
    case TskTitleBarBtnType::skCustom:
        return;
    case TskTitleBarBtnType::skControlBox:
        LoadFrames(kControlBoxFrame);
        break;
    case TskTitleBarBtnType::skHelp:
        LoadFrames(kHelpFrame);
        break;
    case TskTitleBarBtnType::skMin:
        LoadFrames(kMinFrame);
        break;
    case TskTitleBarBtnType::skClose:
        LoadFrames(kCloseFrame);
        break;
    case TskTitleBarBtnType::skMax:
        LoadFrames(kMaxFrame);
        break;
    }
    FTop = theme.Int(ThemeItem::TitleBarButtonTopInt);
    if (FButtonType == TskTitleBarBtnType::skMax) UpdateMaxPicture();
}

void TskTitleBarButton::UpdateMaxPicture() {
    if (!FBar || FBar->Custom() || FButtonType != TskTitleBarBtnType::skMax) return;
    TCustomForm* host = FBar->HostWindow();
    LoadFrames(host && host->WindowState() == TWindowState::wsMaximized ? kRestoreFrame : kMaxFrame);
    Changed();
}

void TskTitleBarButton::DoClick() {
    TCustomForm* host = FBar ? FBar->HostWindow() : nullptr;
    if (!host) return;
    switch (FButtonType) {
    case TskTitleBarBtnType::skMax:
        host->SetWindowState(host->WindowState() == TWindowState::wsMaximized ? TWindowState::wsNormal
                                                                               : TWindowState::wsMaximized);
        UpdateMaxPicture();
        break;
    case TskTitleBarBtnType::skMin:
        host->SetWindowState(TWindowState::wsMinimized);
        break;
    case TskTitleBarBtnType::skClose:
        host->Close();
        break;
    case TskTitleBarBtnType::skControlBox:
        if (auto* menu = dynamic_cast<TPopupMenu*>(FControlBoxMenu)) {
            const TPoint at = FBar->MenuPoint();
            menu->Popup(at.X, at.Y);
        }
        break;
    case TskTitleBarBtnType::skHelp:
    case TskTitleBarBtnType::skCustom:
        break;
    }
}
