#include "gui/TTreeNodes.h"

#include "gui/Exception.h"
#include "gui/TTreeNode.h"
#include "gui/TTreeView.h"

TTreeNodes::TTreeNodes(TTreeView* tree) : FTree(tree) {}

TTreeNodes::~TTreeNodes() {
    FTree = nullptr;
    FRoots.clear();
}

std::vector<std::unique_ptr<TTreeNode>>& TTreeNodes::ChildList(TTreeNode* parent) {
    return parent ? parent->FChildren : FRoots;
}

TTreeNode* TTreeNodes::InsertAt(TTreeNode* parent, int index, const std::string& text) {
    auto& list = ChildList(parent);
    auto node = std::make_unique<TTreeNode>(this, parent);
    node->FText = text;
    TTreeNode* raw = node.get();
    index = std::max(0, std::min(index, static_cast<int>(list.size())));
    list.insert(list.begin() + index, std::move(node));
    Changed();
    return raw;
}

TTreeNode* TTreeNodes::Add(TTreeNode* sibling, const std::string& text) {
    TTreeNode* parent = sibling ? sibling->Parent() : nullptr;
    return InsertAt(parent, static_cast<int>(ChildList(parent).size()), text);
}

TTreeNode* TTreeNodes::AddFirst(TTreeNode* sibling, const std::string& text) {
    return InsertAt(sibling ? sibling->Parent() : nullptr, 0, text);
}

TTreeNode* TTreeNodes::AddChild(TTreeNode* parent, const std::string& text) {
    return InsertAt(parent, static_cast<int>(ChildList(parent).size()), text);
}

TTreeNode* TTreeNodes::AddChildFirst(TTreeNode* parent, const std::string& text) {
    return InsertAt(parent, 0, text);
}

TTreeNode* TTreeNodes::Insert(TTreeNode* sibling, const std::string& text) {
    if (!sibling) return Add(nullptr, text);
    return InsertAt(sibling->Parent(), sibling->Index(), text);
}

void TTreeNodes::Delete(TTreeNode* node) {
    if (!node || node->FOwner != this) return;
    if (FTree) FTree->NodeDeleting(node);
    auto& list = ChildList(node->Parent());
    const int index = node->Index();
    if (index < 0) return;
    std::unique_ptr<TTreeNode> doomed = std::move(list[static_cast<size_t>(index)]);
    list.erase(list.begin() + index);
    doomed.reset();
    Changed();
}

void TTreeNodes::Clear() {
    if (FRoots.empty()) return;
    BeginUpdate();
    while (!FRoots.empty())
        Delete(FRoots.back().get());
    EndUpdate();
}

int TTreeNodes::Count() const {
    int count = 0;
    for (TTreeNode* n = GetFirstNode(); n; n = n->GetNext())
        ++count;
    return count;
}

TTreeNode* TTreeNodes::Item(int index) const {
    int i = 0;
    if (index >= 0)
        for (TTreeNode* n = GetFirstNode(); n; n = n->GetNext(), ++i)
            if (i == index) return n;
    throw EComponentError("Tree node index out of bounds (" + std::to_string(index) + ")");
}

void TTreeNodes::BeginUpdate() {
    ++FUpdating;
}

void TTreeNodes::EndUpdate() {
    if (FUpdating > 0) --FUpdating;
    if (FUpdating == 0 && FChangedWhileUpdating) {
        FChangedWhileUpdating = false;
        Changed();
    }
}

void TTreeNodes::Changed() {
    if (FUpdating > 0) {
        FChangedWhileUpdating = true;
        return;
    }
    if (FTree) FTree->NodesChanged();
}
