#pragma once
// The text of an edit box with its caret and selection, in UTF-16 units as
// the input methods deliver them. Positions are always code-point
// boundaries: the caret never lands inside a surrogate pair.
#include <string>
#include <string_view>

class TEditBuffer {
public:
    const std::u16string& Text() const { return FText; }
    // Replaces the text; caret and selection go to the start.
    void SetText(std::u16string text);
    int Length() const { return static_cast<int>(FText.size()); }

    int CaretPos() const { return FCaret; }
    int Anchor() const { return FAnchor; }
    int SelStart() const { return FCaret < FAnchor ? FCaret : FAnchor; }
    int SelLength() const { return FCaret < FAnchor ? FAnchor - FCaret : FCaret - FAnchor; }
    bool HasSelection() const { return FCaret != FAnchor; }
    std::u16string SelectedText() const;

    // Moves the caret (snapped to a boundary); `extend` keeps the anchor.
    void SetCaret(int pos, bool extend);
    void Select(int start, int length);
    void SelectAll() { Select(0, Length()); }

    // Replaces the selection by `text`; with maxLength > 0 the result is cut
    // to that many units, never between the halves of a pair. Returns
    // whether the text changed.
    bool Insert(std::u16string_view text, int maxLength = 0);
    // The selection, or the code point before (after) the caret.
    bool DeleteBackward();
    bool DeleteForward();

    int SnapToBoundary(int pos) const;
    int PrevBoundary(int pos) const;
    int NextBoundary(int pos) const;
    // Start of the word before / after `pos` (Ctrl+Left / Ctrl+Right).
    int WordLeft(int pos) const;
    int WordRight(int pos) const;
    // The word (or run of blanks) around `pos`, for double clicks.
    void WordAt(int pos, int& start, int& end) const;

    static bool IsHighSurrogate(char16_t c) { return c >= 0xD800 && c <= 0xDBFF; }
    static bool IsLowSurrogate(char16_t c) { return c >= 0xDC00 && c <= 0xDFFF; }

private:
    int CharClass(int pos) const;

    std::u16string FText;
    int FCaret = 0;
    int FAnchor = 0;
};
