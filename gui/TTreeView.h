#pragma once
// A tree of nodes with images, expand/collapse buttons, dotted lines, one
// selected node and vertical scrolling. The plain scroll bar lives at the
// right of the client area; GetScrollInfo and WM_VSCROLL let a skinned bar
// laid over it stay in step.
#include <functional>
#include <memory>
#include <vector>

#include "gui/TScrollBar.h"
#include "gui/TTreeNode.h"
#include "gui/TTreeNodes.h"
#include "gui/TWinControl.h"

class TImageList;

using TTVChangedEvent = std::function<void(TObject* sender, TTreeNode* node)>;
using TTVChangingEvent = std::function<void(TObject* sender, TTreeNode* node, bool& allow)>;

enum THitPart : uint32_t {
    htNowhere = 1,
    htOnButton = 2,
    htOnIcon = 4,
    htOnIndent = 8,
    htOnLabel = 16,
    htOnRight = 32,
};

class TTreeView : public TWinControl {
    XF_CLASS(TTreeView)
public:
    explicit TTreeView(TComponent* owner);
    ~TTreeView() override;

    TTreeNodes& Items() { return *FItems; }
    const TTreeNodes& Items() const { return *FItems; }
    TImageList* Images() const { return FImages; }
    void SetImages(TImageList* images);
    int Indent() const { return FIndent; }
    void SetIndent(int indent);
    bool ShowButtons() const { return FShowButtons; }
    void SetShowButtons(bool v);
    bool ShowLines() const { return FShowLines; }
    void SetShowLines(bool v);
    bool ShowRoot() const { return FShowRoot; }
    void SetShowRoot(bool v);
    bool HideSelection() const { return FHideSelection; }
    void SetHideSelection(bool v);
    bool RowSelect() const { return FRowSelect; }
    void SetRowSelect(bool v);
    bool ReadOnly() const { return FReadOnly; }
    void SetReadOnly(bool v) { FReadOnly = v; }
    TBorderStyle BorderStyle() const { return FBorderStyle; }
    void SetBorderStyle(TBorderStyle style);

    TTreeNode* Selected() const { return FSelected; }
    // Through OnChanging (which may refuse) and OnChange.
    void SetSelected(TTreeNode* node);
    void FullExpand();
    void FullCollapse();

    // Rows: the visible nodes, top to bottom.
    int RowCount() const;
    TTreeNode* RowNode(int row) const;
    int RowOf(const TTreeNode* node) const;
    int ItemHeight() const;
    int VisibleRows() const;
    int TopIndex() const { return FTopIndex; }
    void SetTopIndex(int row);
    TTreeNode* TopItem() const { return RowNode(FTopIndex); }
    void ScrollIntoView(const TTreeNode* node);

    // Geometry, client coordinates.
    TRect ContentRect() const;
    TRect RowRect(int row) const;
    // x where a node's image (or text, without images) starts.
    int NodeLeft(const TTreeNode* node) const;
    TRect ButtonRect(const TTreeNode* node) const;
    TRect ImageRect(const TTreeNode* node) const;
    TRect TextRect(const TTreeNode* node) const;
    TTreeNode* GetNodeAt(int x, int y) const;
    uint32_t GetHitTestInfoAt(int x, int y) const;

    bool GetScrollInfo(TScrollBarKind kind, TScrollInfo& info) const;
    TScrollBar* VertScrollBar() const { return FVScroll; }

    TRect NonClientInsets() const override;
    void Paint(TCanvas& canvas) override;
    void WndProc(TMessage& message) override;
    void Notification(TComponent* component, TOperation operation) override;

    TTVChangedEvent OnChange;
    TTVChangingEvent OnChanging;
    TTVChangingEvent OnExpanding;
    TTVChangedEvent OnExpanded;
    TTVChangingEvent OnCollapsing;
    TTVChangedEvent OnCollapsed;

    // Called by the nodes.
    void NodesChanged();
    void NodeDeleting(TTreeNode* node);
    bool CanChangeExpanded(TTreeNode* node, bool expanding);
    void ExpandedChanged(TTreeNode* node);

protected:
    void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
    void KeyDown(int& key, TShiftState shift) override;
    bool WantsKey(int key) const override;
    void Resize() override;
    void FontChanged() override;
    void PaintNonClient(TCanvas& canvas) override;
    void EraseBackground(TCanvas& canvas) override;

    virtual void PaintItem(TCanvas& canvas, TTreeNode* node, const TRect& row);
    virtual void PaintLines(TCanvas& canvas, TTreeNode* node, const TRect& row);
    virtual void PaintExpandButton(TCanvas& canvas, TTreeNode* node, const TRect& rect);

private:
    void RebuildRows() const;
    void UpdateScrollBar();
    void Scrolled(int code, int position);
    bool ShowsButton(const TTreeNode* node) const;
    int IndentLevel(const TTreeNode* node) const;
    void SelectRow(int row);
    void ToggleAt(int x, int y);

    std::unique_ptr<TTreeNodes> FItems;
    TImageList* FImages = nullptr;
    int FIndent = 19;
    bool FShowButtons = true;
    bool FShowLines = true;
    bool FShowRoot = true;
    bool FHideSelection = true;
    bool FRowSelect = false;
    bool FReadOnly = false;
    TBorderStyle FBorderStyle = TBorderStyle::bsSingle;
    TTreeNode* FSelected = nullptr;
    int FTopIndex = 0;
    TScrollBar* FVScroll = nullptr;
    mutable std::vector<TTreeNode*> FRows;
    mutable bool FRowsValid = false;
    bool FSyncingBar = false;
};
