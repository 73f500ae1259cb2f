#pragma once
// Walks a form's controls into a tree of TAccessibleNode: buttons, labels,
// edits and combo boxes, panels holding them, and the form's menu bar with
// its whole menu model. Layers above the framework describe their own
// classes (a page control's tabs) through Register.
#include <functional>
#include <optional>
#include <string>

#include "gui/TAccessibleNode.h"

class TClassInfo;
class TControl;
class TCustomForm;
class TWinControl;

class TAccessibleTree {
public:
    // Fills `node` (already holding the control's key, bounds and states)
    // for a control of the registered class or a descendant.
    using TDescriber =
        std::function<void(TControl& control, TAccessibleNode& node, const TAccessibleTree& tree)>;
    static void Register(const TClassInfo& cls, TDescriber describer);

    static TAccessibleNode Build(TCustomForm& form);
    // Depth first; nullptr when the key is gone.
    static const TAccessibleNode* Find(const TAccessibleNode& root, const void* key, int part);
    // A caption as spoken: without the access-key marker ("地址(&D)" is
    // "地址", "&File" is "File", "&&" stays one "&").
    static std::string PlainCaption(const std::string& caption);

    // For describers: a shown control's node, or none for one a reader
    // has no use for (hidden, an empty panel, a picture).
    std::optional<TAccessibleNode> Describe(TControl& control) const;
    // The nodes of a control's children in their order.
    void AddChildren(TWinControl& parent, TAccessibleNode& node) const;

private:
    explicit TAccessibleTree(TCustomForm& form) : FForm(form) {}
    void DescribeStandard(TControl& control, TAccessibleNode& node) const;
    void DescribeEdit(TControl& control, TAccessibleNode& node) const;
    TAccessibleNode MenuBarNode(TControl& bar) const;

    TCustomForm& FForm;
};
