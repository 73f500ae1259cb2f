#pragma once
// The skinned window frame. It fills its form, carries the frame's style,
// colours, title-bar settings and the menu shown in its menu bar. Until the
// frame paints its own title bar the window keeps the window manager's
// caption and the menu bar is the framework's plain one.
#include <string>

#include "gui/TCustomPanel.h"
#include "skin/SkinThemes.h"

class TskFileTheme;

class TskForm : public TCustomPanel {
    XF_CLASS(TskForm)
public:
    explicit TskForm(TComponent* owner);
    ~TskForm() override;

    TskUIStyle UIStyle() const { return FUIStyle; }
    void SetUIStyle(TskUIStyle style);
    TskFileTheme* FileTheme() const { return FFileTheme; }
    void SetFileTheme(TskFileTheme* theme);
    TColor FrameBorderColor() const { return FBorderColor; }
    void SetFrameBorderColor(TColor color) { FBorderColor = color; }
    int FrameBorderWidth() const { return FFrameBorderWidth; }
    void SetFrameBorderWidth(int width) { FFrameBorderWidth = width; }
    int RoundCorner() const { return FRoundCorner; }
    void SetRoundCorner(int value) { FRoundCorner = value; }
    TComponent* Menu() const { return FMenu; }
    void SetMenu(TComponent* menu);
    int MenuBarHeight() const { return FMenuBarHeight; }
    void SetMenuBarHeight(int height);
    TColor MenuBarColor() const { return FMenuBarColor; }
    void SetMenuBarColor(TColor color) { FMenuBarColor = color; }
    bool TitleBarVisible() const { return FTitleBarVisible; }
    void SetTitleBarVisible(bool v) { FTitleBarVisible = v; }
    bool TitleBarDrawAppIcon() const { return FDrawAppIcon; }
    void SetTitleBarDrawAppIcon(bool v) { FDrawAppIcon = v; }
    bool UIStyleAutoUpdateSub() const { return FAutoUpdateSub; }
    void SetUIStyleAutoUpdateSub(bool v) { FAutoUpdateSub = v; }
    // The title bar's caption font (white, bold): not the font of the
    // controls on the frame.
    TFont& TitleFont() { return FTitleFont; }
    const TFont& TitleFont() const { return FTitleFont; }
    std::string Version() const { return "1.0"; }
    void SetVersion(const std::string&) {}

    void SetText(const std::string& text) override;
    void AdjustClientRect(TRect& rect) const override;
    void Notification(TComponent* component, TOperation operation) override;
    void Loaded() override;

protected:
    void Resize() override;

private:
    void UpdateMenuBar();

    TskUIStyle FUIStyle = TskUIStyle::DeepBlue;
    TskFileTheme* FFileTheme = nullptr;
    TColor FBorderColor = clBlack;
    int FFrameBorderWidth = 1;
    int FRoundCorner = 0;
    TComponent* FMenu = nullptr;
    int FMenuBarHeight = 22;
    TColor FMenuBarColor = clBtnFace;
    bool FTitleBarVisible = true;
    bool FDrawAppIcon = false;
    bool FAutoUpdateSub = false;
    TWinControl* FMenuBar = nullptr;
    TFont FTitleFont;
};
