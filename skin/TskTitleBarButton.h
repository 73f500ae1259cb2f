#pragma once
// One button of a skinned title bar: its type, its three pictures (normal,
// pointer over it, pressed) taken from the style's 18-frame button strip,
// and what a click on it does to the bar's window.
#include <memory>

#include "gui/TComponent.h"
#include "skin/SkinThemes.h"

class TComponent;
class TPicture;
class TskTitleBar;

enum class TskTitleBarBtnType { skMax, skMin, skClose, skHelp, skControlBox, skCustom };
const TEnumTable& TitleBarBtnTypeNames();

class TskTitleBarButton : public TObject {
    XF_CLASS(TskTitleBarButton)
public:
    explicit TskTitleBarButton(TskTitleBar* bar);
    ~TskTitleBarButton() override;

    TskTitleBar* Bar() const { return FBar; }
    TskUIStyle UIStyle() const { return FUIStyle; }
    // Reloads the pictures for the style.
    void SetUIStyle(TskUIStyle style);
    TskTitleBarBtnType ButtonType() const { return FButtonType; }
    // A second control-box button is refused with a message box.
    void SetButtonType(TskTitleBarBtnType type);
    bool Transparent() const { return FTransparent; }
    void SetTransparent(bool transparent);
    int Top() const { return FTop; }
    void SetTop(int top);
    TComponent* ControlBoxMenu() const { return FControlBoxMenu; }
    void SetControlBoxMenu(TComponent* menu);
    bool Visible() const { return FVisible; }
    void SetVisible(bool visible);
    TPicture& PicNormal() const { return *FPicNormal; }
    TPicture& PicMouseOn() const { return *FPicMouseOn; }
    TPicture& PicMouseDown() const { return *FPicMouseDown; }

    void Assign(const TskTitleBarButton& source);
    // The button's action on the bar's window.
    void DoClick();
    // Restore pictures while the window is maximised, maximise ones otherwise.
    void UpdateMaxPicture();
    // The menu went away.
    void MenuDestroyed(const TComponent* menu);

private:
    void LoadPictures();
    void LoadFrames(int first);
    void Changed();

    TskTitleBar* FBar;
    TskUIStyle FUIStyle = TskUIStyle::DeepBlue;
    TskTitleBarBtnType FButtonType = TskTitleBarBtnType::skCustom;
    bool FTransparent = false;
    int FTop = 2;
    TComponent* FControlBoxMenu = nullptr;
    bool FVisible = true;
    std::unique_ptr<TPicture> FPicNormal, FPicMouseOn, FPicMouseDown;
};
