#pragma once
// One item of a tree view: text, image indices, user data, children and
// whether they are shown. Nodes belong to their tree's TTreeNodes.
#include <memory>
#include <string>
#include <vector>

class TTreeNodes;
class TTreeView;

class TTreeNode {
public:
    TTreeNode(TTreeNodes* owner, TTreeNode* parent);
    ~TTreeNode();
    TTreeNode(const TTreeNode&) = delete;
    TTreeNode& operator=(const TTreeNode&) = delete;

    const std::string& Text() const { return FText; }
    void SetText(const std::string& text);
    int ImageIndex() const { return FImageIndex; }
    void SetImageIndex(int index);
    // The image while selected (-1: the same as ImageIndex).
    int SelectedIndex() const { return FSelectedIndex; }
    void SetSelectedIndex(int index);
    void* Data() const { return FData; }
    void SetData(void* data) { FData = data; }

    TTreeNode* Parent() const { return FParent; }
    int Count() const { return static_cast<int>(FChildren.size()); }
    TTreeNode* Item(int index) const;
    // Position among its siblings.
    int Index() const;
    int Level() const;
    // Shows a button even before children are added.
    bool HasChildren() const { return FHasChildren || !FChildren.empty(); }
    void SetHasChildren(bool v);
    bool Expanded() const { return FExpanded; }
    // Goes through the tree's OnExpanding / OnCollapsing, which may refuse.
    void SetExpanded(bool expanded);
    void Expand(bool recurse);
    void Collapse(bool recurse);
    // Every ancestor expanded.
    bool IsVisible() const;
    void MakeVisible();
    bool Selected() const;
    // The tree's selection moves here (through OnChanging / OnChange).
    void Select();

    TTreeNode* GetFirstChild() const {
        return FChildren.empty() ? nullptr : FChildren.front().get();
    }
    TTreeNode* GetLastChild() const { return FChildren.empty() ? nullptr : FChildren.back().get(); }
    TTreeNode* GetNextSibling() const;
    TTreeNode* GetPrevSibling() const;
    // The next node in pre-order (children first), nullptr after the last.
    TTreeNode* GetNext() const;
    // Pre-order position in the whole tree.
    int AbsoluteIndex() const;
    bool HasAsParent(const TTreeNode* node) const;

    // Removes the node (and its children) from the tree and destroys it.
    void Delete();
    void DeleteChildren();

    TTreeNodes* Owner() const { return FOwner; }
    TTreeView* TreeView() const;

private:
    friend class TTreeNodes;
    std::vector<std::unique_ptr<TTreeNode>>& Siblings() const;
    void Changed();

    TTreeNodes* FOwner;
    TTreeNode* FParent;
    std::string FText;
    int FImageIndex = -1;
    int FSelectedIndex = -1;
    void* FData = nullptr;
    bool FHasChildren = false;
    bool FExpanded = false;
    std::vector<std::unique_ptr<TTreeNode>> FChildren;
};
