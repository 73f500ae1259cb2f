#pragma once
// The skinned window frame. Dropped on a window, it fills the client area,
// takes the window manager's caption away and paints the window's thin
// remaining frame itself (continuing the title pictures into it), rounds
// the top corners and shows a skinned title bar and a menu bar for its main
// menu. Pictures, colours and sizes come from its style or file theme.
#include <string>

#include "gui/TCustomPanel.h"
#include "skin/SkinThemes.h"
#include "skin/TskTitleBar.h"

class TCustomForm;
class TskFileTheme;

class TskForm : public TCustomPanel {
    XF_CLASS(TskForm)
public:
    // The width of the frame the window keeps around its client area.
    static constexpr int WindowFrame = 3;

    explicit TskForm(TComponent* owner);
    ~TskForm() override;

    // The window the frame skins; nullptr when it stayed a plain panel.
    TCustomForm* Host() const { return FHost; }
    TskTitleBar* TitleBar() const { return FTitleBar; }
    int TitleBarHeight() const;

    bool TitleBarCustom() const { return FTitleBar->Custom(); }
    void SetTitleBarCustom(bool custom) { FTitleBar->SetCustom(custom); }
    TskUIStyle UIStyle() const { return FUIStyle; }
    void SetUIStyle(TskUIStyle style);
    TskFileTheme* FileTheme() const { return FFileTheme; }
    void SetFileTheme(TskFileTheme* theme);
    bool UIStyleAutoUpdateSub() const { return FAutoUpdateSub; }
    void SetUIStyleAutoUpdateSub(bool v) { FAutoUpdateSub = v; }
    TColor FrameBorderColor() const { return FBorderColor; }
    void SetFrameBorderColor(TColor color);
    int FrameBorderWidth() const { return FFrameBorderWidth; }
    void SetFrameBorderWidth(int width);
    bool TitleBarVisible() const { return FTitleBar->Visible(); }
    void SetTitleBarVisible(bool visible);
    bool TitleBarDrawAppIcon() const { return FTitleBar->DrawAppIcon(); }
    void SetTitleBarDrawAppIcon(bool v) { FTitleBar->SetDrawAppIcon(v); }
    // 0 while the title bar is hidden.
    int RoundCorner() const { return TitleBarVisible() ? FTitleBar->RoundCorner() : 0; }
    void SetRoundCorner(int value);
    TComponent* Menu() const { return FMenu; }
    void SetMenu(TComponent* menu);
    int MenuBarHeight() const { return FMenuBarHeight; }
    void SetMenuBarHeight(int height);
    TColor MenuBarColor() const { return FMenuBarColor; }
    void SetMenuBarColor(TColor color);
    TWinControl* MenuBar() const { return FMenuBar; }
    TControl* FormPanel() const { return FFormPanel; }
    // The frame itself is refused with a message box.
    void SetFormPanel(TControl* panel);
    // The title bar's caption font (white, bold): not the font of the
    // controls on the frame.
    TFont& TitleFont() { return FTitleBar->Font(); }
    const TFont& TitleFont() const { return FTitleBar->Font(); }
    std::string Version() const { return "1.0"; }
    void SetVersion(const std::string&) {}

    // Paints the window's frame on the window's canvas.
    void PaintBorder(TCanvas& windowCanvas);
    // Only the top corners rounded, RoundCorner wide.
    void ApplyRoundCorner();

    void SetText(const std::string& text) override;
    void Notification(TComponent* component, TOperation operation) override;
    void Loaded() override;
    void Paint(TCanvas& canvas) override;

protected:
    void Resize() override;
    void EraseBackground(TCanvas&) override {}

private:
    // The look of the current style and file theme, once per style push.
    void ApplyUIStyle();
    void Attach(TCustomForm* host);
    void UpdateMenuBar();
    void RepaintBorder();
    void ContinueTitlePictures(TCanvas& canvas, int width);

    TCustomForm* FHost = nullptr;
    TskTitleBar* FTitleBar = nullptr;
    TskUIStyle FUIStyle = TskUIStyle::DeepBlue;
    TskFileTheme* FFileTheme = nullptr;
    TColor FBorderColor = clBlack;
    int FFrameBorderWidth = 1;
    TComponent* FMenu = nullptr;
    int FMenuBarHeight = 22;
    TColor FMenuBarColor = clBtnFace;
    bool FAutoUpdateSub = false;
    TWinControl* FMenuBar = nullptr;
    TControl* FFormPanel = nullptr;
    bool FDestroying = false;
};
