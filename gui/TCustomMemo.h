#pragma once
// A multi-line edit box: the lines as a string list (Lines), rows wrapped
// at the box's width or scrolled sideways, vertical scrolling, selection
// and copying across lines, Enter for a new line, and SaveToFile writing
// every line followed by "\r\n". Inside, lines are separated by '\n';
// Text() and the clipboard use "\r\n".
#include <vector>

#include "gui/TCustomEdit.h"
#include "gui/TScrollBar.h"
#include "gui/TStringList.h"

class TCustomMemo : public TCustomEdit {
    XF_CLASS(TCustomMemo)
public:
    explicit TCustomMemo(TComponent* owner);
    ~TCustomMemo() override;

    TStringList& Lines() { return FLines; }
    const TStringList& Lines() const { return FLines; }
    // Raises EFOpenError naming the file.
    void SaveToFile(const std::string& fileName) const { FLines.SaveToFile(fileName); }
    bool WordWrap() const { return FWordWrap; }
    void SetWordWrap(bool wrap);
    TScrollStyle ScrollBars() const { return FScrollBars; }
    void SetScrollBars(TScrollStyle bars);
    bool WantReturns() const { return FWantReturns; }
    void SetWantReturns(bool v) { FWantReturns = v; }
    bool WantTabs() const { return FWantTabs; }
    void SetWantTabs(bool v) { FWantTabs = v; }

    // Display rows: [Start, End) of the text, without the line break.
    struct TRow {
        int Start = 0;
        int End = 0;
    };
    int RowCount() const;
    TRow Row(int index) const;
    int RowOfPos(int pos) const;
    int RowHeight() const;
    int VisibleRows() const;
    int TopRow() const { return FTopRow; }
    void SetTopRow(int row);
    // The caret's line and column (UTF-16 units) in Lines.
    TPoint CaretLineCol() const;
    // Client coordinates of the top-left of the caret boundary at `pos`.
    TPoint PosToPoint(int pos) const;
    int PosAtPoint(TPoint p) const override;

    TRect TextArea() const override;
    bool GetScrollInfo(TScrollBarKind kind, TScrollInfo& info) const;
    TScrollBar* VertScrollBar() const { return FVScroll; }
    TScrollBar* HorzScrollBar() const { return FHScroll; }
    void WndProc(TMessage& message) override;

protected:
    void EditKey(int& key, TShiftState shift) override;
    void EditChar(char16_t ch) override;
    bool WantsKey(int key) const override;
    void ScrollCaretIntoView() override;
    std::u16string FilterPaste(std::u16string text) const override;
    std::string ToExternal(const std::u16string& text) const override;
    std::u16string ToInternal(const std::string& text) const override;
    void TextChanged() override;
    void Resize() override;
    void FontChanged() override;
    void PaintText(TCanvas& canvas) override;
    void PaintCaret(TCanvas& canvas) override;

private:
    void RebuildRows() const;
    void WrapLine(int start, int end, int width) const;
    int Measure(int from, int to) const;
    int PosInRowAt(int row, int x) const;
    void RowsChanged();
    void UpdateScrollBars();
    void LinesChanged();
    void MoveToRow(int row, bool extend);
    void Scrolled(TScrollBar* bar, int code, int position);

    TStringList FLines;
    bool FWordWrap = true;
    TScrollStyle FScrollBars = TScrollStyle::ssNone;
    bool FWantReturns = true;
    bool FWantTabs = false;
    int FTopRow = 0;
    int FScrollLeft = 0;
    int FDesiredX = -1;
    bool FSyncingLines = false;
    bool FSyncingBars = false;
    TScrollBar* FVScroll = nullptr;
    TScrollBar* FHScroll = nullptr;
    mutable std::vector<TRow> FRows;
    mutable bool FRowsValid = false;
};
