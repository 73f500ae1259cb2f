#include "gui/TTreeNode.h"

#include <algorithm>

#include "gui/Exception.h"
#include "gui/TTreeNodes.h"
#include "gui/TTreeView.h"

TTreeNode::TTreeNode(TTreeNodes* owner, TTreeNode* parent) : FOwner(owner), FParent(parent) {}

TTreeNode::~TTreeNode() = default;

TTreeView* TTreeNode::TreeView() const {
    return FOwner->Tree();
}

void TTreeNode::Changed() {
    FOwner->Changed();
}

void TTreeNode::SetText(const std::string& text) {
    if (text == FText) return;
    FText = text;
    Changed();
}

void TTreeNode::SetImageIndex(int index) {
    if (index == FImageIndex) return;
    FImageIndex = index;
    Changed();
}

void TTreeNode::SetSelectedIndex(int index) {
    if (index == FSelectedIndex) return;
    FSelectedIndex = index;
    Changed();
}

void TTreeNode::SetHasChildren(bool v) {
    if (v == FHasChildren) return;
    FHasChildren = v;
    Changed();
}

TTreeNode* TTreeNode::Item(int index) const {
    if (index < 0 || index >= Count())
        throw EComponentError("Tree node index out of bounds (" + std::to_string(index) + ")");
    return FChildren[static_cast<size_t>(index)].get();
}

std::vector<std::unique_ptr<TTreeNode>>& TTreeNode::Siblings() const {
    return FOwner->ChildList(FParent);
}

int TTreeNode::Index() const {
    auto& list = Siblings();
    for (size_t i = 0; i < list.size(); ++i)
        if (list[i].get() == this) return static_cast<int>(i);
    return -1;
}

int TTreeNode::Level() const {
    int level = 0;
    for (TTreeNode* p = FParent; p; p = p->FParent)
        ++level;
    return level;
}

TTreeNode* TTreeNode::GetNextSibling() const {
    auto& list = Siblings();
    const int i = Index();
    return i + 1 < static_cast<int>(list.size()) ? list[static_cast<size_t>(i + 1)].get() : nullptr;
}

TTreeNode* TTreeNode::GetPrevSibling() const {
    const int i = Index();
    return i > 0 ? Siblings()[static_cast<size_t>(i - 1)].get() : nullptr;
}

TTreeNode* TTreeNode::GetNext() const {
    if (TTreeNode* child = GetFirstChild()) return child;
    for (const TTreeNode* n = this; n; n = n->FParent)
        if (TTreeNode* next = n->GetNextSibling()) return next;
    return nullptr;
}

int TTreeNode::AbsoluteIndex() const {
    int index = 0;
    for (TTreeNode* n = FOwner->GetFirstNode(); n; n = n->GetNext(), ++index)
        if (n == this) return index;
    return -1;
}

bool TTreeNode::HasAsParent(const TTreeNode* node) const {
    for (TTreeNode* p = FParent; p; p = p->FParent)
        if (p == node) return true;
    return false;
}

bool TTreeNode::IsVisible() const {
    for (TTreeNode* p = FParent; p; p = p->FParent)
        if (!p->FExpanded) return false;
    return true;
}

void TTreeNode::SetExpanded(bool expanded) {
    if (expanded == FExpanded) return;
    if (TTreeView* tree = TreeView(); tree && !tree->CanChangeExpanded(this, expanded)) return;
    FExpanded = expanded;
    Changed();
    if (TTreeView* tree = TreeView()) tree->ExpandedChanged(this);
}

void TTreeNode::Expand(bool recurse) {
    SetExpanded(true);
    if (!recurse) return;
    for (size_t i = 0; i < FChildren.size(); ++i)
        FChildren[i]->Expand(true);
}

void TTreeNode::Collapse(bool recurse) {
    if (recurse)
        for (size_t i = 0; i < FChildren.size(); ++i)
            FChildren[i]->Collapse(true);
    SetExpanded(false);
}

void TTreeNode::MakeVisible() {
    for (TTreeNode* p = FParent; p; p = p->FParent)
        p->Expand(false);
    if (TTreeView* tree = TreeView()) tree->ScrollIntoView(this);
}

bool TTreeNode::Selected() const {
    TTreeView* tree = TreeView();
    return tree && tree->Selected() == this;
}

void TTreeNode::Select() {
    if (TTreeView* tree = TreeView()) tree->SetSelected(this);
}

void TTreeNode::Delete() {
    FOwner->Delete(this);
}

void TTreeNode::DeleteChildren() {
    FOwner->BeginUpdate();
    while (!FChildren.empty())
        FOwner->Delete(FChildren.back().get());
    FOwner->EndUpdate();
}
