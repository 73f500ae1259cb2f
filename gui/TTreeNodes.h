#pragma once
// The nodes of a tree view: adding at a level or under a parent, removal,
// and pre-order indexing over the whole tree.
#include <memory>
#include <string>
#include <vector>

class TTreeNode;
class TTreeView;

class TTreeNodes {
public:
    explicit TTreeNodes(TTreeView* tree);
    ~TTreeNodes();
    TTreeNodes(const TTreeNodes&) = delete;
    TTreeNodes& operator=(const TTreeNodes&) = delete;

    TTreeView* Tree() const { return FTree; }
    // A last sibling of `sibling` (nullptr: a last root).
    TTreeNode* Add(TTreeNode* sibling, const std::string& text);
    TTreeNode* AddFirst(TTreeNode* sibling, const std::string& text);
    // A last child of `parent` (nullptr: a last root).
    TTreeNode* AddChild(TTreeNode* parent, const std::string& text);
    TTreeNode* AddChildFirst(TTreeNode* parent, const std::string& text);
    // Before `sibling`.
    TTreeNode* Insert(TTreeNode* sibling, const std::string& text);
    void Delete(TTreeNode* node);
    void Clear();

    // Every node, in pre-order.
    int Count() const;
    // Raises EComponentError outside 0..Count()-1.
    TTreeNode* Item(int index) const;
    TTreeNode* GetFirstNode() const { return FRoots.empty() ? nullptr : FRoots.front().get(); }
    const std::vector<std::unique_ptr<TTreeNode>>& Roots() const { return FRoots; }

    // Changes made between these repaint once.
    void BeginUpdate();
    void EndUpdate();
    bool Updating() const { return FUpdating > 0; }
    // A node changed its structure, text or expansion.
    void Changed();

private:
    friend class TTreeNode;
    TTreeNode* InsertAt(TTreeNode* parent, int index, const std::string& text);
    std::vector<std::unique_ptr<TTreeNode>>& ChildList(TTreeNode* parent);

    TTreeView* FTree;
    std::vector<std::unique_ptr<TTreeNode>> FRoots;
    int FUpdating = 0;
    bool FChangedWhileUpdating = false;
};
