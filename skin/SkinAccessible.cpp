#include "skin/SkinAccessible.h"

#include "gui/TAccessibleTree.h"
#include "skin/TskCustomButton.h"
#include "skin/TskPageControl.h"
#include "skin/TskTabControlTopPanel.h"
#include "skin/TskTabSheet.h"

namespace {

void DescribeButton(TControl& control, TAccessibleNode& node, const TAccessibleTree&) {
    node.Role = TAccessibleRole::PushButton;
    node.Name = TAccessibleTree::PlainCaption(control.Caption());
    if (node.Name.empty()) node.Name = control.Hint();
    node.Activate = [&control] {
        if (control.EnabledInTree()) control.Click();
    };
}

TAccessibleNode TabNode(TskPageControl& pages, int index, bool stripShown,
                        const TAccessibleTree& tree) {
    TskTabSheet* sheet = pages.PageAt(index);
    TskTabControlTopPanel* strip = pages.Strip();
    TAccessibleNode tab;
    tab.Key = sheet;
    tab.Role = TAccessibleRole::PageTab;
    // A page's title is shown as it is: no access keys on tabs.
    tab.Name = sheet->Caption();
    tab.Enabled = sheet->EnabledInTree();
    tab.Selectable = true;
    tab.Selected = pages.ActivePage() == sheet;
    tab.Showing = stripShown && strip->TabShown(index);
    if (tab.Showing) {
        const TRect rect = strip->TabRect(index);
        const TPoint at = strip->ClientToScreen({rect.Left, rect.Top});
        tab.Bounds = TRect::FromSize(at.X, at.Y, rect.Width(), rect.Height());
    }
    // Only the shown page's controls are on the screen.
    if (tab.Selected) tree.AddChildren(*sheet, tab);
    tab.Activate = [&pages, index] {
        if (pages.PageAt(index)) pages.SetTabIndex(index);
    };
    return tab;
}

void DescribePageControl(TControl& control, TAccessibleNode& node, const TAccessibleTree& tree) {
    auto& pages = static_cast<TskPageControl&>(control);
    node.Role = TAccessibleRole::Panel;
    TskTabControlTopPanel* strip = pages.Strip();
    TAccessibleNode list;
    list.Key = &pages;
    list.Part = 1;
    list.Role = TAccessibleRole::PageTabList;
    list.Description = control.Hint();
    list.Enabled = node.Enabled;
    list.Showing = strip && strip->Showing();
    if (list.Showing) {
        const TPoint at = strip->ClientToScreen({0, 0});
        list.Bounds = TRect::FromSize(at.X, at.Y, strip->Width(), strip->Height());
    }
    for (int i = 0; strip && i < pages.PageCount() && i < strip->TabCount(); ++i)
        list.Children.push_back(TabNode(pages, i, list.Showing, tree));
    node.Children.push_back(std::move(list));
    for (TControl* child : pages.Controls()) {
        if (child == strip || dynamic_cast<TskTabSheet*>(child)) continue;
        if (auto described = tree.Describe(*child)) node.Children.push_back(std::move(*described));
    }
}

} // namespace

void RegisterSkinAccessibility() {
    TAccessibleTree::Register(TskCustomButton::StaticClass(), DescribeButton);
    TAccessibleTree::Register(TskPageControl::StaticClass(), DescribePageControl);
}
