#pragma once
// The skinned caption strip of a window frame: three pictures (left,
// stretched middle, right), the caption, a control-box button or the
// program's icon on the left and the window buttons on the right, each with
// normal, pointer-over and pressed pictures. Dragging it moves the window,
// a double click maximises or restores it, the control box opens the
// system menu. On a TskForm its pictures start 3 pixels up and left, where
// the frame's outer border continues them.
#include <functional>
#include <memory>
#include <vector>

#include "gui/TCustomPanel.h"
#include "skin/SkinThemes.h"
#include "skin/TskThemeLink.h"
#include "skin/TskTitleBarButton.h"
#include "skin/TskTitleBarSection.h"

class TBitmap;
class TskTitleBarPopupMenu;

using TskTitleBarButtonClickEvent = std::function<void(TObject* sender, int buttonIndex)>;

class TskTitleBar : public TCustomPanel {
    XF_CLASS(TskTitleBar)
public:
    explicit TskTitleBar(TComponent* owner);
    ~TskTitleBar() override;

    bool Custom() const { return FCustom; }
    void SetCustom(bool custom) { FCustom = custom; }
    TskUIStyle UIStyle() const { return FUIStyle; }
    void SetUIStyle(TskUIStyle style);
    TskFileTheme* FileTheme() const { return FFileTheme; }
    void SetFileTheme(TskFileTheme* theme);
    int ButtonInterval() const { return FButtonInterval; }
    void SetButtonInterval(int interval);
    bool FormActive() const { return FFormActive; }
    void SetFormActive(bool active);
    int LeftBtnXOffset() const { return FLeftBtnXOffset; }
    void SetLeftBtnXOffset(int offset);
    int RightBtnXOffset() const { return FRightBtnXOffset; }
    void SetRightBtnXOffset(int offset);
    bool DrawAppIcon() const { return FDrawAppIcon; }
    void SetDrawAppIcon(bool draw);
    int RoundCorner() const { return FRoundCorner; }
    void SetRoundCorner(int value) { FRoundCorner = value; }
    bool AutoSize() const { return FAutoSize; }
    void SetAutoSize(bool autoSize) { FAutoSize = autoSize; }

    // The collections, in order.
    const std::vector<TskTitleBarButton*>& ButtonList() const { return FButtonPtrs; }
    TskTitleBarButton* AddButton();
    void ClearButtons();
    const std::vector<TskTitleBarSection*>& SectionList() const { return FSectionPtrs; }
    TskTitleBarSection* AddSection();
    void ClearSections();
    // The first visible-or-not button of a type, or nullptr.
    TskTitleBarButton* FindButton(TskTitleBarBtnType type) const;
    // Where the first visible right-hand button of a type is drawn, in the
    // bar's coordinates (empty when there is none).
    TRect RightButtonRect(TskTitleBarBtnType type) const;
    bool HasControlBoxOtherThan(const TskTitleBarButton* button) const;
    // Every maximise button shows maximise or restore for the window's state.
    void UpdateMaxPictures();

    // A stored collection replaces the buttons or the sections.
    void ApplyCollection(const TValue& value, bool buttons);

    TskTitleBarPopupMenu* SystemMenu() const { return FSystemMenu; }
    // The form the bar moves, maximises and closes.
    TCustomForm* HostWindow() const { return ParentForm(); }
    bool OnSkinForm() const;
    // Where the bar's menus open: its bottom-left corner on the screen.
    TPoint MenuPoint() const { return ClientToScreen({0, Height()}); }
    int ButtonTop() const { return FButtonTop; }
    int ButtonHeight() const { return FButtonHeight; }
    int HotIndex() const { return FHotIndex; }
    TColor StyleBorderColor() const { return FStyleBorderColor; }
    // Where the last paint put the caption, and the text it showed.
    int CaptionLeft() const { return FCaptionLeft; }
    const std::string& ShownCaption() const { return FShownCaption; }

    void Paint(TCanvas& canvas) override;
    void Notification(TComponent* component, TOperation operation) override;

    TskTitleBarButtonClickEvent OnCustomBtnsClick;
    TskTitleBarButtonClickEvent OnHelpBtnClick;

protected:
    virtual void DrawSections(TBitmap& bitmap);
    virtual void DrawButtons(TBitmap& bitmap);
    void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
    void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override;
    void MouseMove(TShiftState shift, int x, int y) override;
    void MouseLeave() override;
    void DblClick() override;
    void WndProc(TMessage& message) override;
    void FontChanged() override { Invalidate(); }

private:
    void AddDefaultButtons();
    void ApplyCaptionColour(const class TskThemeLookup& theme);
    const TPicture& StatePicture(const TskTitleBarButton& button, bool hot) const;
    void DrawButtonPicture(TBitmap& bitmap, const TskTitleBarButton& button, int x, int y, bool hot);
    void DrawCaption(TBitmap& bitmap, int left, int right);

    bool FCustom = false;
    TskUIStyle FUIStyle = TskUIStyle::DeepBlue;
    TskFileTheme* FFileTheme = nullptr;
    bool FAutoSize = false;
    int FButtonInterval = 0;
    bool FFormActive = true;
    int FLeftBtnXOffset = 0;
    int FRightBtnXOffset = 0;
    bool FDrawAppIcon = false;
    int FRoundCorner = 0;
    std::vector<std::unique_ptr<TskTitleBarButton>> FButtons;
    std::vector<TskTitleBarButton*> FButtonPtrs;
    std::vector<std::unique_ptr<TskTitleBarSection>> FSections;
    std::vector<TskTitleBarSection*> FSectionPtrs;
    TskTitleBarPopupMenu* FSystemMenu = nullptr;
    int FHotIndex = -1;
    bool FMouseDown = false;
    int FButtonHeight = 0;
    int FButtonTop = 0;
    TColor FStyleBorderColor = clBlack;
    bool FAssigningFileTheme = false;
    int FCaptionLeft = 0;
    std::string FShownCaption;
};
