#include "skin/TskForm.h"

#include "gui/TApplication.h"
#include "gui/TCustomForm.h"
#include "gui/TMainMenu.h"
#include "gui/graphics/TBitmap.h"
#include "gui/graphics/TCanvas.h"
#include "gui/graphics/TPicture.h"
#include "gui/graphics/TRegion.h"
#include "skin/SkinPublic.h"
#include "skin/SkinStyle.h"
#include "skin/TskFileTheme.h"
#include "skin/TskImagePanel.h"
#include "skin/TskMainMenu.h"
#include "skin/TskMenuBar.h"
#include "skin/TskStylePush.h"
#include "skin/TskThemeLookup.h"

namespace {

bool HasFrameAlready(const TCustomForm* form) {
    for (const TControl* c : form->Controls())
        if (dynamic_cast<const TskForm*>(c)) return true;
    return false;
}

} // namespace

const TClassInfo& TskForm::StaticClass() {
    static const TClassInfo info =
        TClassBuilder<TskForm>("TskForm", &TCustomPanel::StaticClass())
            .Prop("TitleBarCustom", &TskForm::TitleBarCustom, &TskForm::SetTitleBarCustom)
            .Prop("FileTheme", &TskForm::FileTheme, &TskForm::SetFileTheme)
            .Enum("UIStyle", &TskForm::UIStyle, &TskForm::SetUIStyle, UIStyleNames())
            .Prop("UIStyleAutoUpdateSub", &TskForm::UIStyleAutoUpdateSub,
                  &TskForm::SetUIStyleAutoUpdateSub)
            .Prop("BorderColor", &TskForm::FrameBorderColor, &TskForm::SetFrameBorderColor,
                  &ColorNames())
            .Prop("BorderWidth", &TskForm::FrameBorderWidth, &TskForm::SetFrameBorderWidth)
            .Prop("TitleBarVisible", &TskForm::TitleBarVisible, &TskForm::SetTitleBarVisible)
            .Prop("FormPanel", &TskForm::FormPanel, &TskForm::SetFormPanel)
            .Custom("TitleBarButtons", TPropKind::Collection, nullptr,
                    [](TskForm* f, const TValue& v) { f->TitleBar()->ApplyCollection(v, true); })
            .Custom("TitleBarSections", TPropKind::Collection, nullptr,
                    [](TskForm* f, const TValue& v) { f->TitleBar()->ApplyCollection(v, false); })
            .Prop("TitleBarDrawAppIcon", &TskForm::TitleBarDrawAppIcon,
                  &TskForm::SetTitleBarDrawAppIcon)
            .Custom(
                "Font.Name", TPropKind::String,
                [](const TskForm* f) -> TValue { return f->TitleFont().Name(); },
                [](TskForm* f, const TValue& v) { f->TitleFont().SetName(ValueToString(v)); })
            .Custom(
                "Font.Color", TPropKind::Integer,
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
            .Prop("Menu", &TskForm::Menu, &TskForm::SetMenu)
            .Prop("MenuBarColor", &TskForm::MenuBarColor, &TskForm::SetMenuBarColor, &ColorNames())
            .Prop("MenuBarHeight", &TskForm::MenuBarHeight, &TskForm::SetMenuBarHeight)
            .Prop("RoundCorner", &TskForm::RoundCorner, &TskForm::SetRoundCorner)
            .Prop("Version", &TskForm::Version, &TskForm::SetVersion)
            .Build();
    return info;
}

TskForm::TskForm(TComponent* owner) : TCustomPanel(owner) {
    SetBevelOuter(TBevelCut::bvNone);
    SetBevelInner(TBevelCut::bvNone);
    SetBorderWidth(0);
    FTitleBar = new TskTitleBar(this);
    FTitleBar->SetParent(this);
    auto* host = dynamic_cast<TCustomForm*>(owner);
    if (host && !HasFrameAlready(host)) Attach(host);
    FMenuBarColor = Color();
    SetUIStyle(TskUIStyle::DeepBlue);
}

// The window keeps a thin frame of its own instead of the window manager's
// decorations; the frame paints it and follows its activation.
void TskForm::Attach(TCustomForm* host) {
    FHost = host;
    host->SetMinHeight(50);
    host->SetMinWidth(125);
    host->SetBorderWidth(0);
    SetAlign(TAlign::alClient);
    if (!host->Caption().empty()) FTitleBar->SetCaption(host->Caption());
    TCustomPanel::SetText(" ");
    const TBorderStyle style = host->BorderStyle();
    if (style == TBorderStyle::bsNone || style == TBorderStyle::bsSingle ||
        style == TBorderStyle::bsToolWindow)
        host->SetBorderStyle(TBorderStyle::bsDialog);
    host->SetCaptionBits(false);
    host->SetFrameWidth(WindowFrame);
    host->FramePainter = [this](TCanvas& canvas) { PaintBorder(canvas); };
    host->FrameActivated = [this](bool active) {
        if (FTitleBar) FTitleBar->SetFormActive(active);
    };
    // A maximised window leaves the work area's bottom row free.
    host->MaximizedArea = [](const TRect& work) {
        return TRect{work.Left, work.Top, work.Right, work.Bottom - 1};
    };
    host->FrameStateChanged = [this] {
        if (FTitleBar) FTitleBar->UpdateMaxPictures();
        Invalidate();
    };
}

TskForm::~TskForm() {
    FDestroying = true;
    if (auto* menu = dynamic_cast<TMainMenu*>(FMenu)) menu->RemoveFreeNotification(this);
    if (FHost) {
        FHost->FramePainter = nullptr;
        FHost->FrameActivated = nullptr;
        FHost->MaximizedArea = nullptr;
        FHost->FrameStateChanged = nullptr;
    }
    // A window that stays gets its own caption and shape back.
    if (FHost && !FHost->IsDestroying()) {
        FHost->SetFrameWidth(0);
        FHost->SetCaptionBits(true);
        if (FHost->HostWindow()) Application->Host().SetWindowRegion(FHost->HostWindow(), nullptr);
    }
    Destroying();
}

int TskForm::TitleBarHeight() const {
    return FTitleBar->Visible() ? FTitleBar->Height() : 0;
}

// --- style -----------------------------------------------------------------

void TskForm::SetUIStyle(TskUIStyle style) {
    FUIStyle = style;
    TskStylePush::Restyle(this, [this] { ApplyUIStyle(); });
}

void TskForm::ApplyUIStyle() {
    const TskUIStyle style = FUIStyle;
    const TskThemeLookup theme(FFileTheme, style);
    FBorderColor = theme.Color(ThemeItem::FormBorderColor);
    FFrameBorderWidth = theme.Int(ThemeItem::FormBorderWidthInt);
    SetColor(theme.Color(ThemeItem::FormBackgroundColor));
    TColor menuColor = Color();
    if (theme.UsesFile()) {
        const TColor font = theme.Color(ThemeItem::ControlFontColor);
        if (font == 0x20000)
            menuColor = RGB(59, 91, 172);
        else if (font == 0x30000)
            menuColor = RGB(51, 103, 153);
    }
    FMenuBarColor = menuColor;
    if (FMenuBar) {
        FMenuBar->SetColor(menuColor);
        FMenuBar->Invalidate();
    }
    FTitleBar->SetFileTheme(FFileTheme);
    FTitleBar->SetUIStyle(style);
    FTitleBar->SetRoundCorner(theme.Int(ThemeItem::FormRoundCornerInt));
    // A menu that already has both (the theme manager's push gave them)
    // is not restyled a second time for them.
    auto* menu = dynamic_cast<TskMainMenu*>(FMenu);
    if (menu && (menu->Theme().UIStyle() != style || menu->Theme().FileTheme() != FFileTheme)) {
        menu->SetUIStyle(style);
        menu->SetFileTheme(FFileTheme);
    }
    if (FAutoUpdateSub) ApplyStyleToChildren(this, style, FFileTheme);
    Invalidate();
    RepaintBorder();
    ApplyRoundCorner();
}

void TskForm::SetFileTheme(TskFileTheme* theme) {
    if (theme == FFileTheme) return;
    if (FFileTheme) FFileTheme->RemoveFreeNotification(this);
    FFileTheme = theme;
    if (theme) theme->FreeNotification(this);
    SetUIStyle(FUIStyle);
}

void TskForm::SetFrameBorderColor(TColor color) {
    FBorderColor = color;
    RepaintBorder();
}

void TskForm::SetFrameBorderWidth(int width) {
    FFrameBorderWidth = width;
    RepaintBorder();
}

void TskForm::SetTitleBarVisible(bool visible) {
    if (visible == FTitleBar->Visible()) return;
    FTitleBar->SetVisible(visible);
    FTitleBar->SetTop(0);
    RepaintBorder();
    ApplyRoundCorner();
}

void TskForm::SetRoundCorner(int value) {
    FTitleBar->SetRoundCorner(value);
    ApplyRoundCorner();
}

void TskForm::SetFormPanel(TControl* panel) {
    if (panel == this) {
        Application->MessageBox("Sorry, you can't select the Form assign to FormPanel property",
                                "Error", MB_OK | MB_ICONERROR);
        return;
    }
    if (FFormPanel) FFormPanel->RemoveFreeNotification(this);
    FFormPanel = panel;
    if (!panel) return;
    panel->FreeNotification(this);
    panel->SetAlign(TAlign::alClient);
    if (auto* picture = dynamic_cast<TskImagePanel*>(panel)) {
        picture->SetCaption("");
    } else if (auto* plain = dynamic_cast<TCustomPanel*>(panel)) {
        plain->SetBevelOuter(TBevelCut::bvNone);
        plain->SetBevelInner(TBevelCut::bvNone);
        plain->SetBorderWidth(0);
        plain->SetCaption("");
    }
}

// The frame's caption is the window's.
void TskForm::SetText(const std::string& text) {
    if (!FHost) return TCustomPanel::SetText(text);
    if (text == " ") return TCustomPanel::SetText(text);
    FTitleBar->SetCaption(text);
    if (!text.empty()) FHost->SetCaption(text);
}

// --- painting --------------------------------------------------------------

void TskForm::RepaintBorder() {
    if (FHost && !FDestroying) FHost->InvalidateWindowArea({0, 0, FHost->Width(), FHost->Height()});
}

void TskForm::Paint(TCanvas& canvas) {
    if (FDestroying) return;
    const char* pattern = FUIStyle == TskUIStyle::MacOS     ? "MACOS_FORM_BACKGROUND"
                          : FUIStyle == TskUIStyle::Protein ? "PROTEIN_FORM_BACKGROUND"
                                                            : nullptr;
    TBitmap tile;
    if (pattern && LoadResourceBitmap(pattern, tile) && !tile.Empty()) {
        TileDraw(canvas, tile, ClientRect());
        return;
    }
    FillRectColor(canvas, ClientRect(), Color());
}

void TskForm::PaintBorder(TCanvas& canvas) {
    if (FDestroying || !FHost || FHost->WindowState() == TWindowState::wsMinimized) return;
    const int w = FHost->Width(), h = FHost->Height(), bw = FFrameBorderWidth,
              th = TitleBarHeight();
    TCanvasSaver saver(canvas);
    FillRectColor(canvas, {0, 0, bw, h}, FBorderColor);
    FillRectColor(canvas, {0, h - bw, w, h}, FBorderColor);
    FillRectColor(canvas, {w - bw, 0, w, h}, FBorderColor);
    if (bw < 4) {
        FillRectColor(canvas, {bw, th, WindowFrame, h - bw}, Color());
        FillRectColor(canvas, {bw, h - WindowFrame, w - bw, h - bw}, Color());
        FillRectColor(canvas, {w - WindowFrame, th, w - bw, h - bw}, Color());
        if (FMenuBar && FMenuBar->Visible()) {
            const int top = th + WindowFrame, m = FMenuBarHeight;
            FillRectColor(canvas, {bw, top, WindowFrame, top + m}, FMenuBarColor);
            FillRectColor(canvas, {w - WindowFrame, top, w - bw, top + m}, FMenuBarColor);
        }
    }
    const auto& sections = FTitleBar->SectionList();
    const bool pictures = sections.size() >= 3 && !sections[0]->Picture().Empty() &&
                          !sections[1]->Picture().Empty() && !sections[2]->Picture().Empty();
    if (FTitleBar->Visible() && pictures && bw < 4) {
        ContinueTitlePictures(canvas, w);
    } else if (!FTitleBar->Visible()) {
        FillRectColor(canvas, {0, 0, w, 1}, FBorderColor);
        FillRectColor(canvas, {bw, 1, w - bw, 3}, Color());
    }
}

// The title pictures' first rows and columns, where the window's frame
// runs beside and above the title bar.
void TskForm::ContinueTitlePictures(TCanvas& canvas, int w) {
    const auto& sections = FTitleBar->SectionList();
    const TBitmap& left = sections[0]->Picture().Bitmap();
    const TBitmap& right = sections[1]->Picture().Bitmap();
    const TBitmap& middle = sections[2]->Picture().Bitmap();
    const int bw = FFrameBorderWidth;
    if (WindowFrame - bw > 0) {
        TBitmap side(WindowFrame - bw, left.Height());
        side.Canvas().Draw(0, 0, left);
        canvas.Draw(bw, 0, side);
        if (right.Width() > 2)
            side.Canvas().Draw(2 - right.Width(), 0, right);
        else
            side.Canvas().StretchDraw({0, 0, side.Width(), side.Height()}, right);
        canvas.Draw(w - WindowFrame, 0, side);
    }
    if (w - 5 <= 0) return;
    TBitmap top(w - 5, WindowFrame);
    top.Canvas().Draw(-2, 0, left);
    top.Canvas().Draw(top.Width() - right.Width() + 3, 0, right);
    top.Canvas().StretchDraw(
        {left.Width() - 2, 0, top.Width() - right.Width() + 3, middle.Height()}, middle);
    canvas.Draw(2, 0, top);
}

void TskForm::ApplyRoundCorner() {
    if (!FHost || FDestroying || !Application) return;
    if (FHost->FullScreenMode()) {
        if (FHost->HostWindow()) Application->Host().SetWindowRegion(FHost->HostWindow(), nullptr);
        return;
    }
    const int w = FHost->Width(), h = FHost->Height(), r = RoundCorner();
    TRegion region = TRegion::RoundRect(0, 0, w + 1, h + 1, r, r);
    if (r > 0) {
        region = region.Union(TRegion(TRect{0, h - 2 * r, 2 * r, h}));
        region = region.Union(TRegion(TRect{w - 2 * r, h - 2 * r, w, h}));
    }
    Application->Host().SetWindowRegion(FHost->HostWindow(), &region);
}

// --- menu bar ----------------------------------------------------------------

void TskForm::SetMenu(TComponent* menu) {
    if (menu == FMenu) return;
    if (FMenu) FMenu->RemoveFreeNotification(this);
    FMenu = menu;
    if (menu) menu->FreeNotification(this);
    if (!IsLoading()) UpdateMenuBar();
}

void TskForm::SetMenuBarHeight(int height) {
    FMenuBarHeight = height;
    if (FMenuBar) FMenuBar->SetHeight(height);
}

void TskForm::SetMenuBarColor(TColor color) {
    FMenuBarColor = color;
    if (FMenuBar) FMenuBar->SetColor(color);
}

void TskForm::Loaded() {
    TCustomPanel::Loaded();
    UpdateMenuBar();
}

// The bar sits right under the title bar, above every other control.
void TskForm::UpdateMenuBar() {
    auto* menu = dynamic_cast<TMainMenu*>(FMenu);
    if (!menu) {
        delete FMenuBar;
        FMenuBar = nullptr;
        return;
    }
    auto* bar = dynamic_cast<TskMenuBar*>(FMenuBar);
    if (!bar) {
        bar = new TskMenuBar(this);
        bar->SetParent(this);
        FMenuBar = bar;
    }
    bar->SetMenu(menu);
    bar->UpdateFont();
    bar->SetColor(FMenuBarColor);
    bar->SetHeight(FMenuBarHeight);
    bar->SetAlign(TAlign::alTop);
    bar->SetTop(TitleBarHeight());
    FTitleBar->SetTop(0);
}

void TskForm::Notification(TComponent* component, TOperation operation) {
    TCustomPanel::Notification(component, operation);
    if (operation != TOperation::opRemove) return;
    if (component == FTitleBar) FTitleBar = nullptr;
    if (component == FMenuBar) FMenuBar = nullptr;
    if (component == FFormPanel) FFormPanel = nullptr;
    if (component == FMenu) {
        FMenu = nullptr;
        if (!IsDestroying()) UpdateMenuBar();
    }
    if (component == FFileTheme) {
        FFileTheme = nullptr;
        if (!IsDestroying()) {
            ApplyStyleToChildren(this, TskUIStyle::DeepBlue, nullptr);
            SetUIStyle(TskUIStyle::DeepBlue);
        }
    }
}

// A maximised window stays over its part of the work area.
void TskForm::Resize() {
    TCustomPanel::Resize();
    if (FHost && FHost->WindowState() == TWindowState::wsMaximized && !FHost->FullScreenMode() &&
        Application) {
        TRect area = FHost->MaximizedBounds();
        if (FHost->BoundsRect() != area) FHost->SetBoundsRect(area);
    }
    if (FTitleBar) {
        FTitleBar->SetTop(0);
        FTitleBar->UpdateMaxPictures();
    }
    ApplyRoundCorner();
}
