#include "gui/TCustomMemo.h"

#include <algorithm>

#include "gui/ControlDraw.h"
#include "gui/graphics/TCanvas.h"
#include "gui/graphics/TTextRenderer.h"
#include "platform/Text.h"

namespace {
constexpr int BarSize = 16;

bool IsIdeograph(char16_t c) {
    return c >= 0x2E80;
}
} // namespace

const TClassInfo& TCustomMemo::StaticClass() {
    auto getLines = [](const TCustomMemo* m) -> TValue {
        return TStringsValue{m->Lines().Items()};
    };
    auto setLines = [](TCustomMemo* m, const TValue& v) { m->Lines().Assign(ValueToStrings(v)); };
    static const TClassInfo info =
        TClassBuilder<TCustomMemo>("TCustomMemo", &TCustomEdit::StaticClass())
            .Custom("Lines", TPropKind::Strings, getLines, setLines)
            .Custom("Lines.Strings", TPropKind::Strings, getLines, setLines)
            .Prop("WordWrap", &TCustomMemo::WordWrap, &TCustomMemo::SetWordWrap)
            .Enum("ScrollBars", &TCustomMemo::ScrollBars, &TCustomMemo::SetScrollBars,
                  ScrollStyleNames())
            .Prop("WantReturns", &TCustomMemo::WantReturns, &TCustomMemo::SetWantReturns)
            .Prop("WantTabs", &TCustomMemo::WantTabs, &TCustomMemo::SetWantTabs)
            .Build();
    return info;
}

TCustomMemo::TCustomMemo(TComponent* owner) : TCustomEdit(owner) {
    SetBounds(0, 0, 185, 89);
    SetAutoSelect(false);
    FLines.OnChange = [this] { LinesChanged(); };
    FVScroll = new TScrollBar(this);
    FVScroll->SetKind(TScrollBarKind::sbVertical);
    FVScroll->SetVisible(false);
    FVScroll->SetParent(this);
    FVScroll->OnScroll = [this](TObject*, int code, int& pos) { Scrolled(FVScroll, code, pos); };
    FHScroll = new TScrollBar(this);
    FHScroll->SetVisible(false);
    FHScroll->SetParent(this);
    FHScroll->OnScroll = [this](TObject*, int code, int& pos) { Scrolled(FHScroll, code, pos); };
}

TCustomMemo::~TCustomMemo() {
    FLines.OnChange = nullptr;
}

// --- properties ------------------------------------------------------------

void TCustomMemo::SetWordWrap(bool wrap) {
    if (wrap == FWordWrap) return;
    FWordWrap = wrap;
    FScrollLeft = 0;
    RowsChanged();
}

void TCustomMemo::SetScrollBars(TScrollStyle bars) {
    if (bars == FScrollBars) return;
    FScrollBars = bars;
    RowsChanged();
}

void TCustomMemo::LinesChanged() {
    if (FSyncingLines) return;
    std::string text;
    for (int i = 0; i < FLines.Count(); ++i) {
        if (i > 0) text += "\r\n";
        text += FLines[i];
    }
    FSyncingLines = true;
    try {
        SetText(text);
    } catch (...) {
        FSyncingLines = false;
        throw;
    }
    FSyncingLines = false;
}

void TCustomMemo::TextChanged() {
    TCustomEdit::TextChanged();
    FDesiredX = -1;
    RowsChanged();
    if (FSyncingLines) return;
    FSyncingLines = true;
    FLines.SetText(Text());
    FSyncingLines = false;
}

std::string TCustomMemo::ToExternal(const std::u16string& text) const {
    std::u16string out;
    out.reserve(text.size());
    for (char16_t c : text) {
        if (c == u'\n') out += u'\r';
        out += c;
    }
    return platform::Utf16ToUtf8(out);
}

std::u16string TCustomMemo::ToInternal(const std::string& text) const {
    std::u16string in = platform::Utf8ToUtf16(text);
    std::u16string out;
    out.reserve(in.size());
    for (size_t i = 0; i < in.size(); ++i) {
        if (in[i] == u'\r') {
            out += u'\n';
            if (i + 1 < in.size() && in[i + 1] == u'\n') ++i;
        } else {
            out += in[i];
        }
    }
    return out;
}

std::u16string TCustomMemo::FilterPaste(std::u16string text) const {
    std::u16string clean = ToInternal(platform::Utf16ToUtf8(text));
    std::erase_if(clean, [this](char16_t c) {
        return (c < 0x20 && c != u'\n' && !(c == u'\t' && FWantTabs)) || c == 0x7F;
    });
    return clean;
}

// --- rows ----------------------------------------------------------------

int TCustomMemo::Measure(int from, int to) const {
    if (to <= from) return 0;
    const std::u16string& text = Buffer().Text();
    return TTextRenderer::TextWidth(
        Font(), platform::Utf16ToUtf8(
                    text.substr(static_cast<size_t>(from), static_cast<size_t>(to - from))));
}

void TCustomMemo::WrapLine(int start, int end, int width) const {
    const TEditBuffer& buffer = Buffer();
    const std::u16string& text = buffer.Text();
    int pos = start;
    if (start == end) FRows.push_back({start, end});
    while (pos < end) {
        if (!FWordWrap || width <= 0) {
            FRows.push_back({pos, end});
            return;
        }
        std::vector<int> bounds;
        for (int b = buffer.NextBoundary(pos); b <= end; b = buffer.NextBoundary(b)) {
            bounds.push_back(b);
            if (b == end) break;
        }
        // The longest start of the rest that fits (at least one character):
        // gallop to a bound that does not fit, then halve, so that only
        // short pieces are measured.
        size_t lo = 0, hi = 1;
        while (hi <= bounds.size() && Measure(pos, bounds[hi - 1]) <= width) {
            lo = hi;
            hi *= 2;
        }
        hi = std::min(hi - 1, bounds.size());
        while (lo < hi) { // bounds[lo - 1] fits (or lo == 0); bounds[hi] does not
            size_t mid = (lo + hi) / 2;
            if (Measure(pos, bounds[mid]) <= width)
                lo = mid + 1;
            else
                hi = mid;
        }
        if (lo == bounds.size()) {
            FRows.push_back({pos, end});
            return;
        }
        int fit = lo == 0 ? bounds[0] : bounds[lo - 1];
        // Break after a blank, or between ideographs; a long word breaks anywhere.
        int brk = fit;
        for (int p = fit; p > pos; p = buffer.PrevBoundary(p)) {
            const char16_t before = text[static_cast<size_t>(p - 1)];
            const char16_t after = p < end ? text[static_cast<size_t>(p)] : u' ';
            if (before == u' ' || before == u'\t' || IsIdeograph(before) || IsIdeograph(after)) {
                brk = p;
                break;
            }
        }
        FRows.push_back({pos, brk});
        pos = brk;
    }
}

void TCustomMemo::RebuildRows() const {
    if (FRowsValid) return;
    FRows.clear();
    const std::u16string& text = Buffer().Text();
    const int width = TextArea().Width() - 1;
    int start = 0;
    for (int i = 0; i <= static_cast<int>(text.size()); ++i) {
        if (i < static_cast<int>(text.size()) && text[static_cast<size_t>(i)] != u'\n') continue;
        WrapLine(start, i, width);
        start = i + 1;
    }
    FRowsValid = true;
}

int TCustomMemo::RowCount() const {
    RebuildRows();
    return static_cast<int>(FRows.size());
}

TCustomMemo::TRow TCustomMemo::Row(int index) const {
    RebuildRows();
    if (index < 0 || index >= static_cast<int>(FRows.size())) return {};
    return FRows[static_cast<size_t>(index)];
}

int TCustomMemo::RowOfPos(int pos) const {
    RebuildRows();
    auto it = std::upper_bound(FRows.begin(), FRows.end(), pos,
                               [](int p, const TRow& row) { return p < row.Start; });
    return std::max(0, static_cast<int>(it - FRows.begin()) - 1);
}

int TCustomMemo::RowHeight() const {
    return std::max(1, TTextRenderer::Metrics(Font()).Height);
}

int TCustomMemo::VisibleRows() const {
    return std::max(1, TextArea().Height() / RowHeight());
}

TPoint TCustomMemo::CaretLineCol() const {
    const std::u16string& text = Buffer().Text();
    int line = 0, lineStart = 0;
    for (int i = 0; i < Buffer().CaretPos(); ++i)
        if (text[static_cast<size_t>(i)] == u'\n') {
            ++line;
            lineStart = i + 1;
        }
    return {Buffer().CaretPos() - lineStart, line};
}

void TCustomMemo::RowsChanged() {
    FRowsValid = false;
    if (IsDestroying()) return;
    UpdateScrollBars();
    Invalidate();
}

// --- geometry ------------------------------------------------------------

TRect TCustomMemo::TextArea() const {
    const bool v = FScrollBars == TScrollStyle::ssVertical || FScrollBars == TScrollStyle::ssBoth;
    const bool h = FScrollBars == TScrollStyle::ssHorizontal || FScrollBars == TScrollStyle::ssBoth;
    return {1, 0, std::max(1, ClientWidth() - 1 - (v ? BarSize : 0)),
            std::max(1, ClientHeight() - (h ? BarSize : 0))};
}

TPoint TCustomMemo::PosToPoint(int pos) const {
    const int row = RowOfPos(pos);
    const TRect area = TextArea();
    return {area.Left + Measure(Row(row).Start, pos) - FScrollLeft,
            area.Top + (row - FTopRow) * RowHeight()};
}

int TCustomMemo::PosInRowAt(int row, int x) const {
    const TRow r = Row(row);
    const TEditBuffer& buffer = Buffer();
    int last = r.End;
    // A wrapped row's end is the next row's start: stay on this row.
    if (row + 1 < RowCount() && Row(row + 1).Start == r.End && r.End > r.Start)
        last = buffer.PrevBoundary(r.End);
    const int target = x - TextArea().Left + FScrollLeft;
    std::vector<int> bounds{r.Start};
    for (int b = r.Start; b < last;) {
        b = buffer.NextBoundary(b);
        bounds.push_back(std::min(b, last));
    }
    size_t lo = 0, hi = bounds.size() - 1;
    while (lo < hi) {
        size_t mid = (lo + hi) / 2;
        if (Measure(r.Start, bounds[mid]) < target)
            lo = mid + 1;
        else
            hi = mid;
    }
    if (lo > 0 && target - Measure(r.Start, bounds[lo - 1]) < Measure(r.Start, bounds[lo]) - target)
        --lo;
    return bounds[lo];
}

int TCustomMemo::PosAtPoint(TPoint p) const {
    const int rows = RowCount();
    int row = FTopRow + (p.Y - TextArea().Top) / RowHeight();
    if (p.Y < TextArea().Top) row = FTopRow - 1;
    return PosInRowAt(std::clamp(row, 0, rows - 1), p.X);
}

// --- scrolling -----------------------------------------------------------

void TCustomMemo::SetTopRow(int row) {
    row = std::clamp(row, 0, std::max(0, RowCount() - VisibleRows()));
    if (row != FTopRow) {
        FTopRow = row;
        Invalidate();
    }
    FSyncingBars = true;
    FVScroll->SetPosition(FTopRow);
    FSyncingBars = false;
}

void TCustomMemo::UpdateScrollBars() {
    if (!FVScroll || !FHScroll) return;
    const bool v = FScrollBars == TScrollStyle::ssVertical || FScrollBars == TScrollStyle::ssBoth;
    const bool h = FScrollBars == TScrollStyle::ssHorizontal || FScrollBars == TScrollStyle::ssBoth;
    const int cw = ClientWidth(), ch = ClientHeight();
    FSyncingBars = true;
    FVScroll->SetVisible(v);
    FVScroll->SetBounds(cw - BarSize, 0, BarSize, ch - (h ? BarSize : 0));
    FVScroll->SetParams(FTopRow, 0, std::max(0, RowCount() - 1));
    FVScroll->SetPageSize(std::min(VisibleRows(), RowCount()));
    FHScroll->SetVisible(h);
    FHScroll->SetBounds(0, ch - BarSize, cw - (v ? BarSize : 0), BarSize);
    int widest = 0;
    if (!FWordWrap && h)
        for (int i = 0; i < RowCount(); ++i)
            widest = std::max(widest, Measure(Row(i).Start, Row(i).End));
    FHScroll->SetParams(FScrollLeft, 0, std::max(0, widest));
    FHScroll->SetPageSize(std::min(TextArea().Width(), widest + 1));
    FSyncingBars = false;
    SetTopRow(FTopRow);
}

void TCustomMemo::Scrolled(TScrollBar* bar, int code, int position) {
    (void)code;
    if (FSyncingBars) return;
    if (bar == FVScroll) {
        SetTopRow(position);
    } else {
        FScrollLeft = std::max(0, position);
        Invalidate();
    }
}

bool TCustomMemo::GetScrollInfo(TScrollBarKind kind, TScrollInfo& info) const {
    TScrollBar* bar = kind == TScrollBarKind::sbVertical ? FVScroll : FHScroll;
    info = TScrollInfo{};
    info.Visible = bar->Visible();
    info.Min = bar->Min();
    info.Max = bar->Max();
    info.Page = bar->PageSize();
    info.Pos = bar->Position();
    info.ThumbLength = info.Visible ? bar->ThumbLength() : 0;
    return info.Visible;
}

void TCustomMemo::ScrollCaretIntoView() {
    const int caret = Buffer().CaretPos();
    const int row = RowOfPos(caret);
    if (row < FTopRow)
        SetTopRow(row);
    else if (row >= FTopRow + VisibleRows())
        SetTopRow(row - VisibleRows() + 1);
    if (FWordWrap) return;
    const int x = Measure(Row(row).Start, caret);
    const int width = TextArea().Width();
    const int old = FScrollLeft;
    if (x - FScrollLeft < 0)
        FScrollLeft = x;
    else if (x - FScrollLeft > width - 1)
        FScrollLeft = x - width + 1;
    if (FScrollLeft != old) {
        FSyncingBars = true;
        FHScroll->SetPosition(FScrollLeft);
        FSyncingBars = false;
        Invalidate();
    }
}

void TCustomMemo::Resize() {
    FRowsValid = false;
    TCustomEdit::Resize();
    RowsChanged();
}

void TCustomMemo::FontChanged() {
    FRowsValid = false;
    TCustomEdit::FontChanged();
    RowsChanged();
}

void TCustomMemo::WndProc(TMessage& message) {
    switch (message.Msg) {
    case WM_VSCROLL:
    case WM_HSCROLL: {
        TScrollBar* bar = message.Msg == WM_VSCROLL ? FVScroll : FHScroll;
        const int code = static_cast<int>(message.WParam & 0xFFFF);
        const int page =
            message.Msg == WM_VSCROLL ? std::max(1, VisibleRows() - 1) : TextArea().Width();
        const int line = message.Msg == WM_VSCROLL ? 1 : 8;
        int pos = message.Msg == WM_VSCROLL ? FTopRow : FScrollLeft;
        switch (code) {
        case SB_LINEUP:
            pos -= line;
            break;
        case SB_LINEDOWN:
            pos += line;
            break;
        case SB_PAGEUP:
            pos -= page;
            break;
        case SB_PAGEDOWN:
            pos += page;
            break;
        case SB_THUMBPOSITION:
        case SB_THUMBTRACK:
            pos = static_cast<int>((message.WParam >> 16) & 0xFFFF);
            break;
        case SB_TOP:
            pos = 0;
            break;
        case SB_BOTTOM:
            pos = bar->Max();
            break;
        default:
            return;
        }
        bar->SetPosition(pos);
        Scrolled(bar, code, bar == FVScroll ? pos : bar->Position());
        return;
    }
    case WM_MOUSEWHEEL: {
        const int delta = static_cast<int16_t>((message.WParam >> 16) & 0xFFFF);
        SetTopRow(FTopRow - delta / 120 * 3);
        return;
    }
    case WM_LBUTTONDOWN:
        FDesiredX = -1;
        break;
    default:
        break;
    }
    TCustomEdit::WndProc(message);
}

// --- keys ------------------------------------------------------------------

bool TCustomMemo::WantsKey(int key) const {
    return TCustomEdit::WantsKey(key) || key == VK_PRIOR || key == VK_NEXT ||
           (key == VK_RETURN && FWantReturns) || (key == VK_TAB && FWantTabs);
}

void TCustomMemo::MoveToRow(int row, bool extend) {
    if (FDesiredX < 0) FDesiredX = PosToPoint(Buffer().CaretPos()).X;
    const int desired = FDesiredX;
    MoveCaret(PosInRowAt(std::clamp(row, 0, RowCount() - 1), desired), extend);
    FDesiredX = desired;
}

void TCustomMemo::EditKey(int& key, TShiftState shift) {
    const bool extend = shift & ssShift;
    const bool ctrl = shift & ssCtrl;
    const int row = RowOfPos(Buffer().CaretPos());
    switch (key) {
    case VK_UP:
        MoveToRow(row - 1, extend);
        break;
    case VK_DOWN:
        MoveToRow(row + 1, extend);
        break;
    case VK_PRIOR:
        SetTopRow(FTopRow - VisibleRows());
        MoveToRow(row - VisibleRows(), extend);
        break;
    case VK_NEXT:
        SetTopRow(FTopRow + VisibleRows());
        MoveToRow(row + VisibleRows(), extend);
        break;
    case VK_HOME:
    case VK_END:
        if (ctrl) {
            FDesiredX = -1;
            TCustomEdit::EditKey(key, shift);
            return;
        }
        FDesiredX = -1;
        MoveCaret(key == VK_HOME ? Row(row).Start : PosInRowAt(row, 1 << 30), extend);
        break;
    default:
        FDesiredX = -1;
        TCustomEdit::EditKey(key, shift);
        return;
    }
    key = 0;
}

void TCustomMemo::EditChar(char16_t ch) {
    if (ch == u'\r' || ch == u'\n') {
        if (FWantReturns) InsertTyped(u"\n");
        return;
    }
    if (ch == u'\t') {
        if (FWantTabs) InsertTyped(u"\t");
        return;
    }
    TCustomEdit::EditChar(ch);
}

// --- painting --------------------------------------------------------------

void TCustomMemo::PaintText(TCanvas& canvas) {
    const std::u16string& text = Buffer().Text();
    const TRect area = TextArea();
    TCanvasSaver saver(canvas);
    canvas.IntersectClipRect(area);
    canvas.Font().Assign(Font());
    if (!EnabledInTree()) canvas.Font().SetColor(clGrayText);
    canvas.Brush().SetStyle(bsClear);
    const bool showSel = Buffer().HasSelection() && (Focused() || !HideSelection());
    const int selStart = showSel ? Buffer().SelStart() : 0;
    const int selEnd = showSel ? selStart + Buffer().SelLength() : 0;
    const int height = RowHeight();
    const int last = std::min(RowCount(), FTopRow + VisibleRows() + 1);
    auto part = [&](int from, int to) {
        return platform::Utf16ToUtf8(
            text.substr(static_cast<size_t>(from), static_cast<size_t>(to - from)));
    };
    for (int r = FTopRow; r < last; ++r) {
        const TRow row = Row(r);
        const int y = area.Top + (r - FTopRow) * height;
        const int x0 = area.Left - FScrollLeft;
        const int a = std::clamp(selStart, row.Start, row.End);
        const int b = std::clamp(selEnd, row.Start, row.End);
        if (a >= b) {
            canvas.TextOut(x0, y, part(row.Start, row.End));
            continue;
        }
        canvas.TextOut(x0, y, part(row.Start, a));
        const int xa = x0 + Measure(row.Start, a), xb = x0 + Measure(row.Start, b);
        FillSolid(canvas, {xa, y, xb, y + height}, clHighlight);
        {
            TCanvasSaver selSaver(canvas);
            canvas.Font().SetColor(clHighlightText);
            canvas.TextOut(xa, y, part(a, b));
        }
        canvas.TextOut(xb, y, part(b, row.End));
    }
}

void TCustomMemo::PaintCaret(TCanvas& canvas) {
    if (!CaretShown()) return;
    const TPoint p = PosToPoint(Buffer().CaretPos());
    TCanvasSaver saver(canvas);
    canvas.IntersectClipRect(TextArea().Inflate(1, 0));
    FillSolid(canvas, {p.X, p.Y, p.X + 1, p.Y + RowHeight()}, clWindowText);
}
