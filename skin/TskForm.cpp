#include "skin/TskForm.h"

#include "gui/TCustomForm.h"
#include "gui/TMainMenu.h"
#include "gui/TMenuBar.h"
#include "skin/TskFileTheme.h"

const TClassInfo& TskForm::StaticClass() {
    // The title-bar collections are stored in layouts; the plain frame keeps
    // the window manager's title bar and does not use them yet.
    auto acceptCollection = [](TskForm*, const TValue& v) {
        if (!std::holds_alternative<TCollectionValue>(v))
            throw EConvertError("a collection is expected");
    };
    static const TClassInfo info =
        TClassBuilder<TskForm>("TskForm", &TCustomPanel::StaticClass())
            .Enum("UIStyle", &TskForm::UIStyle, &TskForm::SetUIStyle, UIStyleNames())
            .Prop("FileTheme", &TskForm::FileTheme, &TskForm::SetFileTheme)
            .Prop("UIStyleAutoUpdateSub", &TskForm::UIStyleAutoUpdateSub, &TskForm::SetUIStyleAutoUpdateSub)
            .Prop("BorderColor", &TskForm::FrameBorderColor, &TskForm::SetFrameBorderColor, &ColorNames())
            .Prop("BorderWidth", &TskForm::FrameBorderWidth, &TskForm::SetFrameBorderWidth)
            .Prop("TitleBarVisible", &TskForm::TitleBarVisible, &TskForm::SetTitleBarVisible)
            .Prop("TitleBarDrawAppIcon", &TskForm::TitleBarDrawAppIcon, &TskForm::SetTitleBarDrawAppIcon)
            .Prop("RoundCorner", &TskForm::RoundCorner, &TskForm::SetRoundCorner)
            .Prop("Menu", &TskForm::Menu, &TskForm::SetMenu)
            .Prop("MenuBarHeight", &TskForm::MenuBarHeight, &TskForm::SetMenuBarHeight)
            .Prop("MenuBarColor", &TskForm::MenuBarColor, &TskForm::SetMenuBarColor, &ColorNames())
            .Prop("Version", &TskForm::Version, &TskForm::SetVersion)
            .Custom("Font.Name", TPropKind::String,
                    [](const TskForm* f) -> TValue { return f->TitleFont().Name(); },
                    [](TskForm* f, const TValue& v) { f->TitleFont().SetName(ValueToString(v)); })
            .Custom("Font.Color", TPropKind::Integer,
                    [](const TskForm* f) -> TValue { return int64_t{f->TitleFont().Color()}; },
                    [](TskForm* f, const TValue& v) {
                        f->TitleFont().SetColor(static_cast<TColor>(ValueToInt(v, &ColorNames())));
                    })
            .Custom("Font.Style", TPropKind::Set, nullptr,
                    [](TskForm* f, const TValue& v) {
                        uint32_t bits = ValueToSet(v, FontStyleNames());
                        TFontStyles styles;
                        for (int i = 0; i < 4; ++i)
                            if (bits & (1u << i)) styles.Include(static_cast<TFontStyle>(1 << i));
                        f->TitleFont().SetStyle(styles);
                    })
            .Custom("TitleBarButtons", TPropKind::Collection, nullptr, acceptCollection)
            .Custom("TitleBarSections", TPropKind::Collection, nullptr, acceptCollection)
            .Build();
    return info;
}

TskForm::TskForm(TComponent* owner) : TCustomPanel(owner) {
    FTitleFont.SetName("Tahoma");
    FTitleFont.SetColor(clWhite);
    FTitleFont.SetStyle(TFontStyles{fsBold});
    SetBevelOuter(TBevelCut::bvNone);
    SetBevelInner(TBevelCut::bvNone);
    SetAlign(TAlign::alClient);
    if (auto* form = dynamic_cast<TCustomForm*>(owner)) {
        form->SetMinWidth(125);
        form->SetMinHeight(50);
    }
}

TskForm::~TskForm() { Destroying(); }

void TskForm::SetUIStyle(TskUIStyle style) {
    FUIStyle = style;
    Invalidate();
}

void TskForm::SetFileTheme(TskFileTheme* theme) {
    if (theme == FFileTheme) return;
    if (FFileTheme) FFileTheme->RemoveFreeNotification(this);
    FFileTheme = theme;
    if (theme) theme->FreeNotification(this);
}

// The frame's caption is the window's.
void TskForm::SetText(const std::string& text) {
    TCustomPanel::SetText(text);
    if (auto* form = dynamic_cast<TCustomForm*>(Owner()); form && !text.empty() && text != " ")
        form->SetCaption(text);
}

void TskForm::SetMenu(TComponent* menu) {
    if (menu == FMenu) return;
    if (FMenu) FMenu->RemoveFreeNotification(this);
    FMenu = menu;
    if (menu) menu->FreeNotification(this);
    if (!IsLoading()) UpdateMenuBar();
}

void TskForm::SetMenuBarHeight(int height) {
    FMenuBarHeight = height;
    if (!IsLoading()) UpdateMenuBar();
}

void TskForm::Loaded() {
    TCustomPanel::Loaded();
    UpdateMenuBar();
}

void TskForm::AdjustClientRect(TRect& rect) const {
    TCustomPanel::AdjustClientRect(rect);
    if (FMenuBar && FMenuBar->Visible()) rect.Top += FMenuBarHeight;
}

void TskForm::UpdateMenuBar() {
    auto* menu = dynamic_cast<TMainMenu*>(FMenu);
    if (!menu) {
        delete FMenuBar;
        FMenuBar = nullptr;
        Realign();
        return;
    }
    auto* bar = dynamic_cast<TMenuBar*>(FMenuBar);
    if (!bar) {
        bar = new TMenuBar(this);
        bar->SetParent(this);
        FMenuBar = bar;
    }
    bar->SetMenu(menu);
    bar->SetColor(FMenuBarColor);
    bar->SetBounds(0, 0, ClientWidth(), FMenuBarHeight);
    Realign();
}

void TskForm::Notification(TComponent* component, TOperation operation) {
    TCustomPanel::Notification(component, operation);
    if (operation != TOperation::opRemove) return;
    if (component == FMenuBar) FMenuBar = nullptr;
    if (component == FMenu) {
        FMenu = nullptr;
        if (!IsDestroying()) UpdateMenuBar();
    }
    if (component == FFileTheme) {
        FFileTheme = nullptr;
        FUIStyle = TskUIStyle::DeepBlue;
    }
}

void TskForm::Resize() {
    TCustomPanel::Resize();
    if (FMenuBar) FMenuBar->SetBounds(0, 0, ClientWidth(), FMenuBarHeight);
}
