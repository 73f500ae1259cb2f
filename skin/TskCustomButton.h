#pragma once
// The base of the skinned buttons: a focusable window that paints a state
// picture (normal, mouse on, pressed, disabled) with its caption and focus
// mark into a bitmap of its own size. It keeps the hover and pressed states
// apart from painting, repeats OnMouseContinuouslyDown while the left button
// is held, answers Space and Enter, its "&" letter, and Enter / Escape as the
// form's default / cancel button.
#include <memory>

#include "gui/TWinControl.h"
#include "skin/TskThemeLink.h"

class TBitmap;
class TTimer;

// The names layouts use for a ModalResult value.
const TEnumTable& ModalResultNames();

class TskCustomButton : public TWinControl {
    XF_CLASS(TskCustomButton)
public:
    explicit TskCustomButton(TComponent* owner);
    ~TskCustomButton() override;

    TskThemeLink& Theme() { return FTheme; }
    const TskThemeLink& Theme() const { return FTheme; }
    virtual TskUIStyle UIStyle() const { return FTheme.UIStyle(); }
    virtual void SetUIStyle(TskUIStyle style);

    bool Transparent() const { return FTransparent; }
    void SetTransparent(bool transparent);
    bool AutoSize() const { return FAutoSize; }
    void SetAutoSize(bool autoSize);
    bool Default() const { return FDefault; }
    void SetDefault(bool value);
    bool Cancel() const { return FCancel; }
    void SetCancel(bool value) { FCancel = value; }
    int ModalResult() const { return FModalResult; }
    void SetModalResult(int result) { FModalResult = result; }
    int FocusedRectMargin() const { return FFocusedRectMargin; }
    void SetFocusedRectMargin(int margin);
    int MouseContinuouslyDownInterval() const { return FMouseContinuouslyDownInterval; }
    void SetMouseContinuouslyDownInterval(int interval) {
        FMouseContinuouslyDownInterval = interval;
    }

    // Behaviour state, apart from painting.
    bool Hover() const { return FHover; }
    bool Pressed() const { return FPressed; }
    bool Repeating() const { return FTimer != nullptr; }
    // Whether Enter clicks this button now: the focused button when the
    // focus is on a push button, else the one marked Default.
    bool ActiveDefault() const;

    void Paint(TCanvas& canvas) override;
    void Click() override;
    void Loaded() override;
    void Notification(TComponent* component, TOperation operation) override;

    TNotifyEvent OnMouseExit;
    TNotifyEvent OnMouseContinuouslyDown;

protected:
    virtual void ApplyAutoSize();
    virtual void CaptionChanged() {}
    void FontChanged() override;
    virtual void TransparentChanged();
    void EnabledChanged() override;
    virtual void UIStyleChanged() {}
    virtual void DrawImage(TCanvas& canvas, TBitmap& image);
    virtual void DrawCaption(TCanvas& canvas, const std::string& caption);
    virtual void DrawFocus(TCanvas& canvas);
    virtual void GetNormalImage(TBitmap& image);
    virtual void GetMouseOnImage(TBitmap& image);
    virtual void GetMouseDownImage(TBitmap& image);
    virtual void GetDisabledImage(TBitmap& image);
    // True for a button that becomes the default one while it has the focus.
    virtual bool TakesDefaultWhenFocused() const { return false; }

    // Frame `index` of the theme's three-frame button picture.
    void GetButtonFrame(TBitmap& image, int index) const;
    // The caption's font on `canvas`, bold once when a style asked for it.
    void SelectCaptionFont(TCanvas& canvas);
    // One caption in `rect` with a clear brush: moved by a pixel while
    // pressed; disabled, a white copy a pixel down and right under grey.
    void DrawCaptionIn(TCanvas& canvas, const std::string& caption, TRect rect, unsigned flags);
    void RequestBoldCaption() { FBoldCaption = true; }
    void SetTransparentField(bool transparent) { FTransparent = transparent; }

    void TextChanged() override;
    void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
    void MouseMove(TShiftState shift, int x, int y) override;
    void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override;
    void MouseEnter() override;
    void MouseLeave() override;
    void KeyDown(int& key, TShiftState shift) override;
    void KeyUp(int& key, TShiftState shift) override;
    void WndProc(TMessage& message) override;

private:
    void GetStateImage(TBitmap& image);
    void StartRepeat();
    void StopRepeat();
    void RepeatTick();
    void Release();
    bool DialogKey(int key, TShiftState shift);
    bool DialogChar(char16_t ch);

    TskThemeLink FTheme;
    bool FTransparent = false;
    bool FAutoSize = false;
    bool FDefault = false;
    bool FCancel = false;
    int FModalResult = 0;
    int FFocusedRectMargin = 2;
    int FMouseContinuouslyDownInterval = 100;
    bool FHover = false;
    bool FPressed = false;
    bool FBoldCaption = false;
    bool FInRepeatTick = false;
    std::unique_ptr<TTimer> FTimer;
    std::unique_ptr<TTimer> FStoppedTimer;
};
