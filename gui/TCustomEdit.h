#pragma once
// A single-line edit box: a blinking caret placed by measured text widths,
// selection by Shift+keys and by dragging, the clipboard, input-method
// text arriving as WM_CHAR units, OnKeyPress before each character with a
// changeable key (0 swallows it), OnChange, MaxLength, ReadOnly, a password
// mask and horizontal scrolling. Text() is UTF-8; positions (SelStart,
// SelLength) count UTF-16 units.
//
// Painting goes in steps (background, text, caret) so that subclasses can
// draw over or beside them; the text lives in TextArea().
#include <string>

#include "gui/ControlTypes.h"
#include "gui/TEditBuffer.h"
#include "gui/TWinControl.h"

class TCustomEdit : public TWinControl {
    XF_CLASS(TCustomEdit)
public:
    explicit TCustomEdit(TComponent* owner);
    ~TCustomEdit() override;

    const std::string& Text() const override { return TWinControl::Text(); }
    void SetText(const std::string& text) override;
    int MaxLength() const { return FMaxLength; }
    void SetMaxLength(int length);
    bool ReadOnly() const { return FReadOnly; }
    void SetReadOnly(bool readOnly) { FReadOnly = readOnly; }
    char16_t PasswordChar() const { return FPasswordChar; }
    void SetPasswordChar(char16_t ch);
    TEditCharCase CharCase() const { return FCharCase; }
    void SetCharCase(TEditCharCase charCase);
    bool AutoSelect() const { return FAutoSelect; }
    void SetAutoSelect(bool v) { FAutoSelect = v; }
    bool HideSelection() const { return FHideSelection; }
    void SetHideSelection(bool v);
    // bsSingle: a sunken client edge inside BorderWidth.
    TBorderStyle BorderStyle() const { return FBorderStyle; }
    void SetBorderStyle(TBorderStyle style);
    bool Modified() const { return FModified; }
    void SetModified(bool v) { FModified = v; }

    int SelStart() const { return FBuffer.SelStart(); }
    void SetSelStart(int start);
    int SelLength() const { return FBuffer.SelLength(); }
    void SetSelLength(int length);
    std::string SelText() const;
    // Replaces the selection (as if typed, but without OnKeyPress).
    void SetSelText(const std::string& text);
    void SelectAll();
    void ClearSelection();
    void CopyToClipboard();
    void CutToClipboard();
    void PasteFromClipboard();
    // The caret position in UTF-16 units.
    int CaretPos() const { return FBuffer.CaretPos(); }
    bool CaretShown() const { return FCaretOn && Focused(); }
    // Text an input method is composing: shown at the caret, underlined,
    // not yet part of Text().
    const std::u16string& Preedit() const { return FPreedit; }
    void SetPreedit(const std::u16string& text, int cursor);
    // The caret's rectangle in client coordinates (inside the pre-edit text
    // while there is one).
    TRect CaretRect() const;
    // Pastes the PRIMARY selection at a position (a middle click).
    void PastePrimary(int pos);
    const TEditBuffer& Buffer() const { return FBuffer; }

    // Geometry, in client coordinates.
    virtual TRect TextArea() const;
    // x of the caret boundary at `pos` (scroll applied).
    int PosToX(int pos) const;
    int XToPos(int x) const;
    int ScrollX() const { return FScrollX; }

    TRect NonClientInsets() const override;
    void Paint(TCanvas& canvas) override;
    void WndProc(TMessage& message) override;

    TNotifyEvent OnChange;

protected:
    void KeyDown(int& key, TShiftState shift) override;
    void KeyPress(char16_t& key) override;
    void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
    void MouseMove(TShiftState shift, int x, int y) override;
    void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override;
    void DoEnter() override;
    void DoExit() override;
    bool WantsKey(int key) const override;
    void FontChanged() override;
    void Resize() override;
    void PaintNonClient(TCanvas& canvas) override;
    void EraseBackground(TCanvas& canvas) override;

    // The editing keys after OnKeyDown; set key to 0 when used.
    virtual void EditKey(int& key, TShiftState shift);
    // A character after OnKeyPress (never 0).
    virtual void EditChar(char16_t ch);
    virtual void PaintBackground(TCanvas& canvas);
    virtual void PaintText(TCanvas& canvas);
    virtual void PaintCaret(TCanvas& canvas);
    // Whether typing changes the text (csDropDownList combos say no).
    virtual bool Editable() const { return !FReadOnly; }
    // After the user changed the text: OnChange and repaint.
    virtual void Change();
    // Inserts typed text at the caret; returns whether the text changed.
    bool InsertTyped(const std::u16string& text);
    // The text as shown (masked by PasswordChar).
    std::u16string DisplayText() const;
    int TextTop() const;
    void MoveCaret(int pos, bool extend);
    virtual void ScrollCaretIntoView();
    // The position a mouse point stands for.
    virtual int PosAtPoint(TPoint p) const { return XToPos(p.X); }
    // What a paste inserts: one line without control characters.
    virtual std::u16string FilterPaste(std::u16string text) const;
    // Between the buffer (UTF-16) and the outside (Text, clipboard: UTF-8).
    virtual std::string ToExternal(const std::u16string& text) const;
    virtual std::u16string ToInternal(const std::string& text) const;
    void RestartCaretBlink();
    void TextEdited();
    void ClaimPrimary();
    TEditBuffer& MutableBuffer() { return FBuffer; }

private:
    int MeasureTo(int pos) const;
    // Widths and positions in the text as shown (pre-edit text included).
    int MeasureShown(int shownPos) const;
    int ShownPos(int pos) const;
    int ShownCaret() const;
    void PaintPreeditLine(TCanvas& canvas, int top);
    void UpdateImeCursor();
    std::u16string ApplyCharCase(std::u16string text) const;

    TEditBuffer FBuffer;
    int FMaxLength = 0;
    bool FReadOnly = false;
    char16_t FPasswordChar = 0;
    TEditCharCase FCharCase = TEditCharCase::ecNormal;
    bool FAutoSelect = true;
    bool FHideSelection = true;
    TBorderStyle FBorderStyle = TBorderStyle::bsSingle;
    bool FModified = false;
    int FScrollX = 0;
    bool FCaretOn = false;
    bool FSelecting = false;
    bool FMouseEntering = false;
    bool FSettingText = false;
    bool FDropLowSurrogate = false;
    bool FSysChar = false;
    std::u16string FPreedit;
    int FPreeditCursor = 0;
    TRect FImeRect;
};
