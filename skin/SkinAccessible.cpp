#include "skin/SkinAccessible.h"

#include <string>

#include "gui/TAccessibleTree.h"
#include "gui/TCustomForm.h"
#include "skin/TskCustomButton.h"
#include "skin/TskPageControl.h"
#include "skin/TskTabControlTopPanel.h"
#include "skin/TskTabSheet.h"
#include "skin/TskTitleBar.h"
#include "skin/TskTitleBarButton.h"

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
    // The control disables the pages behind the shown one; their tabs
    // are still there to choose.
    tab.Enabled = pages.EnabledInTree();
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
    // What a click on the tab does: the choice, then the control's click.
    tab.Activate = [&pages, index] {
        if (!pages.PageAt(index) || !pages.Strip()) return;
        TSafeRef<TskPageControl> alive(&pages);
        pages.Strip()->SelectByUser(index);
        if (alive) pages.Click();
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

std::string TitleButtonName(TskTitleBarBtnType type, const TskTitleBar& bar) {
    const TCustomForm* form = bar.HostWindow();
    const bool maximized = form && form->WindowState() == TWindowState::wsMaximized;
    switch (type) {
    case TskTitleBarBtnType::skMax:
        return maximized ? "还原" : "最大化";
    case TskTitleBarBtnType::skMin:
        return "最小化";
    case TskTitleBarBtnType::skClose:
        return "关闭";
    case TskTitleBarBtnType::skHelp:
        return "帮助";
    default:
        return "";
    }
}

// The bar's own buttons are painted, not controls: each is told as one.
void DescribeTitleBar(TControl& control, TAccessibleNode& node, const TAccessibleTree&) {
    auto& bar = static_cast<TskTitleBar&>(control);
    node.Role = TAccessibleRole::Panel;
    node.Name = TAccessibleTree::PlainCaption(bar.ShownCaption().empty() ? control.Caption()
                                                                         : bar.ShownCaption());
    for (TskTitleBarButton* button : bar.ButtonList()) {
        const TskTitleBarBtnType type = button->ButtonType();
        if (!button->Visible() || type == TskTitleBarBtnType::skControlBox) continue;
        TAccessibleNode item;
        item.Key = button;
        item.Role = TAccessibleRole::PushButton;
        item.Name = TitleButtonName(type, bar);
        item.Enabled = node.Enabled;
        item.Showing = node.Showing;
        const TRect rect = bar.RightButtonRect(type);
        if (item.Showing && !rect.IsEmpty()) {
            const TPoint at = bar.ClientToScreen({rect.Left, rect.Top});
            item.Bounds = TRect::FromSize(at.X, at.Y, rect.Width(), rect.Height());
        }
        item.Activate = [button] { button->DoClick(); };
        node.Children.push_back(std::move(item));
    }
}

} // namespace

void RegisterSkinAccessibility() {
    TAccessibleTree::Register(TskTitleBar::StaticClass(), DescribeTitleBar);
    TAccessibleTree::Register(TskCustomButton::StaticClass(), DescribeButton);
    TAccessibleTree::Register(TskPageControl::StaticClass(), DescribePageControl);
}
