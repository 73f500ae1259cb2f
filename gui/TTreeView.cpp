#include "gui/TTreeView.h"

#include <algorithm>

#include "gui/ControlDraw.h"
#include "gui/TImageList.h"
#include "gui/graphics/TCanvas.h"
#include "gui/graphics/TTextRenderer.h"

namespace {
constexpr int ScrollBarWidth = 16;
constexpr int ButtonBox = 9;
constexpr int VK_MULTIPLY = 0x6A;
constexpr int VK_ADD = 0x6B;
constexpr int VK_SUBTRACT = 0x6D;

void DottedHLine(TCanvas& canvas, int x0, int x1, int y, TColor color) {
    for (int x = x0 + ((x0 + y) & 1); x < x1; x += 2)
        canvas.SetPixel(x, y, color);
}

void DottedVLine(TCanvas& canvas, int x, int y0, int y1, TColor color) {
    for (int y = y0 + ((x + y0) & 1); y < y1; y += 2)
        canvas.SetPixel(x, y, color);
}
} // namespace

const TClassInfo& TTreeView::StaticClass() {
    static const TClassInfo info =
        TClassBuilder<TTreeView>("TTreeView", &TWinControl::StaticClass())
            .Prop("Images", &TTreeView::Images, &TTreeView::SetImages)
            .Prop("Indent", &TTreeView::Indent, &TTreeView::SetIndent)
            .Prop("ShowButtons", &TTreeView::ShowButtons, &TTreeView::SetShowButtons)
            .Prop("ShowLines", &TTreeView::ShowLines, &TTreeView::SetShowLines)
            .Prop("ShowRoot", &TTreeView::ShowRoot, &TTreeView::SetShowRoot)
            .Prop("HideSelection", &TTreeView::HideSelection, &TTreeView::SetHideSelection)
            .Prop("RowSelect", &TTreeView::RowSelect, &TTreeView::SetRowSelect)
            .Prop("ReadOnly", &TTreeView::ReadOnly, &TTreeView::SetReadOnly)
            .Enum("BorderStyle", &TTreeView::BorderStyle, &TTreeView::SetBorderStyle,
                  BorderStyleNames())
            .Event("OnChange", &TTreeView::OnChange)
            .Event("OnChanging", &TTreeView::OnChanging)
            .Event("OnExpanding", &TTreeView::OnExpanding)
            .Event("OnExpanded", &TTreeView::OnExpanded)
            .Event("OnCollapsing", &TTreeView::OnCollapsing)
            .Event("OnCollapsed", &TTreeView::OnCollapsed)
            .Build();
    return info;
}

TTreeView::TTreeView(TComponent* owner)
    : TWinControl(owner), FItems(std::make_unique<TTreeNodes>(this)) {
    SetControlStyle(ControlStyle() | csOpaque);
    SetBounds(0, 0, 121, 97);
    SetColor(clWindow);
    SetTabStop(true);
    FVScroll = new TScrollBar(this);
    FVScroll->SetKind(TScrollBarKind::sbVertical);
    FVScroll->SetVisible(false);
    FVScroll->SetParent(this);
    FVScroll->OnChange = [this](TObject*) {
        if (!FSyncingBar) SetTopIndex(FVScroll->Position());
    };
}

TTreeView::~TTreeView() {
    Destroying();
    FItems.reset();
}

// --- properties ------------------------------------------------------------

void TTreeView::SetImages(TImageList* images) {
    if (images == FImages) return;
    if (FImages) FImages->RemoveFreeNotification(this);
    FImages = images;
    if (images) images->FreeNotification(this);
    NodesChanged();
}

void TTreeView::Notification(TComponent* component, TOperation operation) {
    TWinControl::Notification(component, operation);
    if (operation == TOperation::opRemove && component == FImages) {
        FImages = nullptr;
        if (!IsDestroying()) NodesChanged();
    }
}

void TTreeView::SetIndent(int indent) {
    indent = std::max(indent, 0);
    if (indent == FIndent) return;
    FIndent = indent;
    Invalidate();
}

void TTreeView::SetShowButtons(bool v) {
    FShowButtons = v;
    Invalidate();
}

void TTreeView::SetShowLines(bool v) {
    FShowLines = v;
    Invalidate();
}

void TTreeView::SetShowRoot(bool v) {
    FShowRoot = v;
    Invalidate();
}

void TTreeView::SetHideSelection(bool v) {
    FHideSelection = v;
    Invalidate();
}

void TTreeView::SetRowSelect(bool v) {
    FRowSelect = v;
    Invalidate();
}

void TTreeView::SetBorderStyle(TBorderStyle style) {
    if (!ChangeSunkenBorder(FBorderStyle, style)) return;
    UpdateScrollBar();
    PlacementChanged();
}

TRect TTreeView::NonClientInsets() const {
    return WithSunkenBorder(TWinControl::NonClientInsets(), FBorderStyle);
}

// --- selection and expansion -----------------------------------------------

void TTreeView::SetSelected(TTreeNode* node) {
    if (node == FSelected) return;
    if (node && OnChanging) {
        bool allow = true;
        OnChanging(this, node, allow);
        if (!allow) return;
    }
    FSelected = node;
    if (node) node->MakeVisible();
    Invalidate();
    if (OnChange) OnChange(this, node);
}

bool TTreeView::CanChangeExpanded(TTreeNode* node, bool expanding) {
    bool allow = true;
    if (expanding && OnExpanding) OnExpanding(this, node, allow);
    if (!expanding && OnCollapsing) OnCollapsing(this, node, allow);
    return allow;
}

void TTreeView::ExpandedChanged(TTreeNode* node) {
    // A selection hidden by the collapse moves up to the collapsed node.
    if (!node->Expanded() && FSelected && FSelected->HasAsParent(node)) SetSelected(node);
    if (node->Expanded() && OnExpanded) OnExpanded(this, node);
    if (!node->Expanded() && OnCollapsed) OnCollapsed(this, node);
}

void TTreeView::FullExpand() {
    FItems->BeginUpdate();
    for (auto& root : FItems->Roots())
        root->Expand(true);
    FItems->EndUpdate();
}

void TTreeView::FullCollapse() {
    FItems->BeginUpdate();
    for (auto& root : FItems->Roots())
        root->Collapse(true);
    FItems->EndUpdate();
}

void TTreeView::NodesChanged() {
    FRowsValid = false;
    if (IsDestroying()) return;
    UpdateScrollBar();
    Invalidate();
}

// The selection does not stay on a node that goes away: it moves to a
// neighbour, without events (the node is half removed).
void TTreeView::NodeDeleting(TTreeNode* node) {
    FRowsValid = false;
    if (!FSelected || (FSelected != node && !FSelected->HasAsParent(node))) return;
    TTreeNode* next = node->GetNextSibling();
    if (!next) next = node->GetPrevSibling();
    if (!next) next = node->Parent();
    FSelected = next;
}

// --- rows ----------------------------------------------------------------

void TTreeView::RebuildRows() const {
    if (FRowsValid) return;
    FRows.clear();
    for (TTreeNode* n = FItems ? FItems->GetFirstNode() : nullptr; n;) {
        FRows.push_back(n);
        if (n->Expanded() && n->Count() > 0) {
            n = n->GetFirstChild();
            continue;
        }
        // Past the subtree: the next sibling of the nearest ancestor that has one.
        while (n && !n->GetNextSibling())
            n = n->Parent();
        if (n) n = n->GetNextSibling();
    }
    FRowsValid = true;
}

int TTreeView::RowCount() const {
    RebuildRows();
    return static_cast<int>(FRows.size());
}

TTreeNode* TTreeView::RowNode(int row) const {
    RebuildRows();
    return row >= 0 && row < static_cast<int>(FRows.size()) ? FRows[static_cast<size_t>(row)]
                                                            : nullptr;
}

int TTreeView::RowOf(const TTreeNode* node) const {
    RebuildRows();
    auto it = std::find(FRows.begin(), FRows.end(), node);
    return it == FRows.end() ? -1 : static_cast<int>(it - FRows.begin());
}

int TTreeView::ItemHeight() const {
    int height = TTextRenderer::Metrics(Font()).Height;
    if (FImages) height = std::max(height, FImages->Height());
    return height + 2;
}

int TTreeView::VisibleRows() const {
    return std::max(1, ClientHeight() / ItemHeight());
}

void TTreeView::SetTopIndex(int row) {
    row = std::clamp(row, 0, std::max(0, RowCount() - VisibleRows()));
    if (row != FTopIndex) {
        FTopIndex = row;
        Invalidate();
    }
    FSyncingBar = true;
    FVScroll->SetPosition(FTopIndex);
    FSyncingBar = false;
}

void TTreeView::ScrollIntoView(const TTreeNode* node) {
    const int row = RowOf(node);
    if (row < 0) return;
    if (row < FTopIndex)
        SetTopIndex(row);
    else if (row >= FTopIndex + VisibleRows())
        SetTopIndex(row - VisibleRows() + 1);
}

void TTreeView::UpdateScrollBar() {
    if (!FVScroll) return;
    const int rows = RowCount();
    const int visible = VisibleRows();
    FSyncingBar = true;
    FVScroll->SetVisible(rows > visible);
    FVScroll->SetBounds(ClientWidth() - ScrollBarWidth, 0, ScrollBarWidth, ClientHeight());
    FVScroll->SetParams(FTopIndex, 0, std::max(0, rows - 1));
    FVScroll->SetPageSize(std::min(visible, rows));
    FSyncingBar = false;
    SetTopIndex(FTopIndex);
}

bool TTreeView::GetScrollInfo(TScrollBarKind kind, TScrollInfo& info) const {
    info = TScrollInfo{};
    if (kind != TScrollBarKind::sbVertical) return false;
    info.Visible = FVScroll->Visible();
    info.Min = 0;
    info.Max = std::max(0, RowCount() - 1);
    info.Page = std::min(VisibleRows(), RowCount());
    info.Pos = FTopIndex;
    info.ThumbLength = info.Visible ? FVScroll->ThumbLength() : 0;
    return info.Visible;
}

void TTreeView::Scrolled(int code, int position) {
    const int page = std::max(1, VisibleRows() - 1);
    switch (code) {
    case SB_LINEUP:
        SetTopIndex(FTopIndex - 1);
        break;
    case SB_LINEDOWN:
        SetTopIndex(FTopIndex + 1);
        break;
    case SB_PAGEUP:
        SetTopIndex(FTopIndex - page);
        break;
    case SB_PAGEDOWN:
        SetTopIndex(FTopIndex + page);
        break;
    case SB_THUMBPOSITION:
    case SB_THUMBTRACK:
        SetTopIndex(position);
        break;
    case SB_TOP:
        SetTopIndex(0);
        break;
    case SB_BOTTOM:
        SetTopIndex(RowCount());
        break;
    default:
        break;
    }
}

void TTreeView::Resize() {
    TWinControl::Resize();
    UpdateScrollBar();
}

void TTreeView::FontChanged() {
    TWinControl::FontChanged();
    UpdateScrollBar();
}

// --- geometry --------------------------------------------------------------

TRect TTreeView::ContentRect() const {
    TRect rect = ClientRect();
    if (FVScroll && FVScroll->Visible()) rect.Right = std::max(0, rect.Right - FVScroll->Width());
    return rect;
}

TRect TTreeView::RowRect(int row) const {
    TRect content = ContentRect();
    return TRect::FromSize(0, (row - FTopIndex) * ItemHeight(), content.Width(), ItemHeight());
}

int TTreeView::IndentLevel(const TTreeNode* node) const {
    return node->Level() + (FShowRoot ? 1 : 0);
}

int TTreeView::NodeLeft(const TTreeNode* node) const {
    return IndentLevel(node) * FIndent + 2;
}

bool TTreeView::ShowsButton(const TTreeNode* node) const {
    return FShowButtons && node->HasChildren() && IndentLevel(node) > 0;
}

TRect TTreeView::ButtonRect(const TTreeNode* node) const {
    const int row = RowOf(node);
    if (row < 0 || !ShowsButton(node)) return {};
    TRect r = RowRect(row);
    const int cx = IndentLevel(node) * FIndent - FIndent / 2;
    const int cy = r.Top + r.Height() / 2;
    return TRect::FromSize(cx - ButtonBox / 2, cy - ButtonBox / 2, ButtonBox, ButtonBox);
}

TRect TTreeView::ImageRect(const TTreeNode* node) const {
    const int row = RowOf(node);
    if (row < 0 || !FImages) return {};
    TRect r = RowRect(row);
    const int top = r.Top + (r.Height() - FImages->Height()) / 2;
    return TRect::FromSize(NodeLeft(node), top, FImages->Width(), FImages->Height());
}

TRect TTreeView::TextRect(const TTreeNode* node) const {
    const int row = RowOf(node);
    if (row < 0) return {};
    TRect r = RowRect(row);
    const int left = NodeLeft(node) + (FImages ? FImages->Width() + 2 : 0);
    const int width = TTextRenderer::TextWidth(Font(), node->Text()) + 4;
    return {left, r.Top, left + width, r.Bottom};
}

TTreeNode* TTreeView::GetNodeAt(int x, int y) const {
    if (!ContentRect().Contains({x, y})) return nullptr;
    return RowNode(FTopIndex + y / ItemHeight());
}

uint32_t TTreeView::GetHitTestInfoAt(int x, int y) const {
    TTreeNode* node = GetNodeAt(x, y);
    if (!node) return htNowhere;
    const int cellRight = IndentLevel(node) * FIndent;
    if (ShowsButton(node) && x >= cellRight - FIndent && x < cellRight) return htOnButton;
    if (x < NodeLeft(node)) return htOnIndent;
    if (ImageRect(node).Contains({x, y})) return htOnIcon;
    TRect text = TextRect(node);
    if (x < text.Left) return htOnIcon;
    return x < text.Right ? htOnLabel : htOnRight;
}

// --- input -----------------------------------------------------------------

void TTreeView::ToggleAt(int x, int y) {
    if (TTreeNode* node = GetNodeAt(x, y); node && node->HasChildren())
        node->SetExpanded(!node->Expanded());
}

void TTreeView::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
    auto alive = AliveToken();
    if (button == TMouseButton::mbLeft) {
        const uint32_t hit = GetHitTestInfoAt(x, y);
        TTreeNode* node = GetNodeAt(x, y);
        if (hit & htOnButton) {
            ToggleAt(x, y);
        } else if (node && ((hit & (htOnIcon | htOnLabel)) || FRowSelect)) {
            SetSelected(node);
            if (!alive.expired() && (shift & ssDouble)) ToggleAt(x, y);
        }
    }
    if (!alive.expired()) TWinControl::MouseDown(button, shift, x, y);
}

bool TTreeView::WantsKey(int key) const {
    return key == VK_UP || key == VK_DOWN || key == VK_LEFT || key == VK_RIGHT || key == VK_HOME ||
           key == VK_END || key == VK_PRIOR || key == VK_NEXT;
}

void TTreeView::SelectRow(int row) {
    const int count = RowCount();
    if (count == 0) return;
    SetSelected(RowNode(std::clamp(row, 0, count - 1)));
}

void TTreeView::KeyDown(int& key, TShiftState shift) {
    TWinControl::KeyDown(key, shift);
    if (key == 0) return;
    TTreeNode* sel = FSelected;
    const int row = sel ? RowOf(sel) : -1;
    const int page = std::max(1, VisibleRows() - 1);
    switch (key) {
    case VK_UP:
        SelectRow(row < 0 ? 0 : row - 1);
        break;
    case VK_DOWN:
        SelectRow(row + 1);
        break;
    case VK_HOME:
        SelectRow(0);
        break;
    case VK_END:
        SelectRow(RowCount() - 1);
        break;
    case VK_PRIOR:
        SelectRow(row - page);
        break;
    case VK_NEXT:
        SelectRow(row + page);
        break;
    case VK_LEFT:
        if (!sel) return;
        if (sel->Expanded() && sel->HasChildren())
            sel->Collapse(false);
        else if (sel->Parent())
            SetSelected(sel->Parent());
        break;
    case VK_RIGHT:
        if (!sel || !sel->HasChildren()) return;
        if (!sel->Expanded())
            sel->Expand(false);
        else if (sel->GetFirstChild())
            SetSelected(sel->GetFirstChild());
        break;
    case VK_ADD:
        if (sel) sel->Expand(false);
        break;
    case VK_SUBTRACT:
        if (sel) sel->Collapse(false);
        break;
    case VK_MULTIPLY:
        if (sel) sel->Expand(true);
        break;
    default:
        return;
    }
    key = 0;
}

void TTreeView::WndProc(TMessage& message) {
    switch (message.Msg) {
    case WM_VSCROLL:
        Scrolled(static_cast<int>(message.WParam & 0xFFFF),
                 static_cast<int>((message.WParam >> 16) & 0xFFFF));
        return;
    case WM_MOUSEWHEEL: {
        const int delta = static_cast<int16_t>((message.WParam >> 16) & 0xFFFF);
        SetTopIndex(FTopIndex - delta / 120 * 3);
        return;
    }
    default:
        TWinControl::WndProc(message);
    }
}

// --- painting --------------------------------------------------------------

void TTreeView::PaintNonClient(TCanvas& canvas) {
    PaintSunkenBorder(canvas, *this, FBorderStyle == TBorderStyle::bsSingle);
}

void TTreeView::EraseBackground(TCanvas&) {}

void TTreeView::PaintLines(TCanvas& canvas, TTreeNode* node, const TRect& row) {
    if (!FShowLines || IndentLevel(node) == 0) return;
    const TColor color = clGray;
    const int cx = IndentLevel(node) * FIndent - FIndent / 2;
    const int cy = row.Top + row.Height() / 2;
    DottedHLine(canvas, cx, NodeLeft(node) - 1, cy, color);
    const bool above = node->GetPrevSibling() || node->Parent();
    if (above) DottedVLine(canvas, cx, row.Top, cy + 1, color);
    if (node->GetNextSibling()) DottedVLine(canvas, cx, cy, row.Bottom, color);
    for (TTreeNode* a = node->Parent(); a; a = a->Parent()) {
        if (IndentLevel(a) == 0 || !a->GetNextSibling()) continue;
        const int ax = IndentLevel(a) * FIndent - FIndent / 2;
        DottedVLine(canvas, ax, row.Top, row.Bottom, color);
    }
}

void TTreeView::PaintExpandButton(TCanvas& canvas, TTreeNode* node, const TRect& rect) {
    if (rect.IsEmpty()) return;
    FillSolid(canvas, rect, clWindow);
    {
        TCanvasSaver saver(canvas);
        canvas.Brush().SetColor(clGray);
        canvas.FrameRect(rect);
    }
    const int cx = rect.Left + rect.Width() / 2;
    const int cy = rect.Top + rect.Height() / 2;
    FillSolid(canvas, {cx - 2, cy, cx + 3, cy + 1}, clWindowText);
    if (!node->Expanded()) FillSolid(canvas, {cx, cy - 2, cx + 1, cy + 3}, clWindowText);
}

void TTreeView::PaintItem(TCanvas& canvas, TTreeNode* node, const TRect& row) {
    const bool selected = node == FSelected && (Focused() || !FHideSelection);
    if (FImages) {
        const int index = node == FSelected && node->SelectedIndex() >= 0 ? node->SelectedIndex()
                                                                          : node->ImageIndex();
        TRect image = ImageRect(node);
        FImages->Draw(canvas, image.Left, image.Top, index, EnabledInTree());
    }
    TRect text = TextRect(node);
    if (FRowSelect) text.Right = row.Right;
    TCanvasSaver saver(canvas);
    canvas.Font().Assign(Font());
    if (selected) {
        FillSolid(canvas, text, Focused() ? clHighlight : clBtnFace);
        canvas.Font().SetColor(Focused() ? clHighlightText : clWindowText);
    }
    if (!EnabledInTree()) canvas.Font().SetColor(clGrayText);
    canvas.Brush().SetStyle(bsClear);
    TRect inner{text.Left + 2, text.Top, text.Right - 2, text.Bottom};
    canvas.DrawText(node->Text(), inner, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
    if (node == FSelected && Focused()) DrawFocusRect(canvas, text);
}

void TTreeView::Paint(TCanvas& canvas) {
    FillSolid(canvas, ClientRect(), Color());
    TCanvasSaver saver(canvas);
    canvas.IntersectClipRect(ContentRect());
    const int last = std::min(RowCount(), FTopIndex + VisibleRows() + 1);
    for (int r = FTopIndex; r < last; ++r) {
        TTreeNode* node = RowNode(r);
        TRect row = RowRect(r);
        PaintLines(canvas, node, row);
        if (ShowsButton(node)) PaintExpandButton(canvas, node, ButtonRect(node));
        PaintItem(canvas, node, row);
    }
}
