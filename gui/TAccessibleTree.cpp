#include "gui/TAccessibleTree.h"

#include <algorithm>
#include <climits>
#include <map>
#include <vector>

#include "gui/IMenuBarView.h"
#include "gui/ShortCut.h"
#include "gui/TClassInfo.h"
#include "gui/TCustomComboBox.h"
#include "gui/TCustomEdit.h"
#include "gui/TCustomForm.h"
#include "gui/TLabel.h"
#include "gui/TMenuItem.h"
#include "gui/TMenuTracker.h"
#include "gui/TMenuWindow.h"
#include "gui/TSpeedButton.h"
#include "gui/TToolButton.h"
#include "gui/TTreeView.h"
#include "platform/Text.h"

namespace {

std::map<const TClassInfo*, TAccessibleTree::TDescriber>& Describers() {
    static std::map<const TClassInfo*, TAccessibleTree::TDescriber> describers;
    return describers;
}

const TAccessibleTree::TDescriber* DescriberOf(const TControl& control) {
    for (const TClassInfo* cls = &control.ClassInfo(); cls; cls = cls->Parent())
        if (auto found = Describers().find(cls); found != Describers().end()) return &found->second;
    return nullptr;
}

bool IsAccessKeyLetter(char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9');
}

std::string Trim(const std::string& text) {
    const auto first = text.find_first_not_of(" \t");
    if (first == std::string::npos) return "";
    return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

// A label beside an edit names it: the one that focuses it, else the
// nearest one to its left on the same row of the same parent.
const TLabel* LabelFor(const TControl& control) {
    TWinControl* parent = control.Parent();
    if (!parent) return nullptr;
    const TLabel* nearest = nullptr;
    int distance = INT_MAX;
    for (TControl* sibling : parent->Controls()) {
        auto* label = dynamic_cast<TLabel*>(sibling);
        if (!label || !label->Visible()) continue;
        if (label->FocusControl() == &control) return label;
        const bool sameRow = label->Top() < control.Top() + control.Height() &&
                             control.Top() < label->Top() + label->Height();
        const int gap = control.Left() - (label->Left() + label->Width());
        if (sameRow && gap >= -4 && gap < distance) nearest = label, distance = gap;
    }
    return nearest;
}

// A tool bar of plain buttons is no menu bar.
bool HasMenus(const IMenuBarView* bar) {
    for (int i = 0; bar && i < bar->BarItemCount(); ++i)
        if (bar->BarItem(i)) return true;
    return false;
}

// The caret's place in characters (code points) from UTF-16 units.
int CaretCharacters(const std::string& text, int units) {
    const std::u16string wide = platform::Utf8ToUtf16(text);
    units = std::clamp(units, 0, static_cast<int>(wide.size()));
    int characters = 0;
    for (int i = 0; i < units; ++i)
        if ((wide[static_cast<size_t>(i)] & 0xFC00) != 0xDC00) ++characters;
    return characters;
}

struct TOpenItem {
    TRect Bounds;
    bool Hot = false;
};

// Where each item of an open menu lies now.
std::map<const TMenuItem*, TOpenItem> OpenItems() {
    std::map<const TMenuItem*, TOpenItem> open;
    TMenuTracker* tracker = TMenuTracker::Current();
    if (!tracker) return open;
    for (TMenuWindow* window : tracker->Levels()) {
        TMenuItem* parent = window->ParentItem();
        for (int i = 0; parent && i < parent->Count(); ++i) {
            TMenuItem* item = parent->Items(i);
            const int shown = window->IndexOf(item);
            if (shown >= 0)
                open[item] = {window->ItemScreenRect(shown), shown == window->HotIndex()};
        }
    }
    return open;
}

TAccessibleNode MenuItemNode(TMenuItem& item, const std::map<const TMenuItem*, TOpenItem>& open) {
    TAccessibleNode node;
    node.Key = &item;
    node.Name = TAccessibleTree::PlainCaption(item.Caption());
    node.Description = item.Hint();
    node.Enabled = item.Enabled();
    node.Checkable = item.Checked() || item.RadioItem() || item.AutoCheck();
    node.Checked = item.Checked();
    node.Selectable = true;
    if (item.ShortCut() != 0) node.KeyBinding = ShortCutToText(item.ShortCut());
    auto shown = open.find(&item);
    node.Showing = shown != open.end();
    if (node.Showing) {
        node.Bounds = shown->second.Bounds;
        node.Selected = node.Focused = shown->second.Hot;
    }
    if (item.IsLine()) {
        node.Role = TAccessibleRole::Separator;
        node.Name.clear();
        return node;
    }
    node.Role = item.Count() > 0 ? TAccessibleRole::Menu : TAccessibleRole::MenuItem;
    for (int i = 0; i < item.Count(); ++i)
        if (TMenuItem* child = item.Items(i); child->Visible())
            node.Children.push_back(MenuItemNode(*child, open));
    if (item.Count() == 0)
        node.Activate = [&item] {
            if (!item.Enabled()) return;
            TMenuTracker::CloseMenus();
            item.Click();
        };
    return node;
}

} // namespace

void TAccessibleTree::Register(const TClassInfo& cls, TDescriber describer) {
    Describers()[&cls] = std::move(describer);
}

TAccessibleNode TAccessibleTree::Build(TCustomForm& form) {
    TAccessibleTree tree(form);
    TAccessibleNode root;
    root.Key = &form;
    root.Name = PlainCaption(form.Caption());
    root.Bounds = form.BoundsRect();
    root.Showing = form.Showing();
    if (!form.IsDestroying()) tree.AddChildren(form, root);
    return root;
}

const TAccessibleNode* TAccessibleTree::Find(const TAccessibleNode& root, const void* key,
                                             int part) {
    if (root.SameKey(key, part)) return &root;
    for (const TAccessibleNode& child : root.Children)
        if (const TAccessibleNode* found = Find(child, key, part)) return found;
    return nullptr;
}

std::string TAccessibleTree::PlainCaption(const std::string& caption) {
    std::string text = Trim(caption);
    // "打开(&O)" and "文件(F)": the bracketed key is a hint for the eye.
    const size_t n = text.size();
    if (n >= 4 && text[n - 1] == ')' && IsAccessKeyLetter(text[n - 2])) {
        if (text[n - 3] == '(')
            text.resize(n - 3);
        else if (n >= 5 && text[n - 3] == '&' && text[n - 4] == '(')
            text.resize(n - 4);
    }
    std::string plain;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '&') {
            if (i + 1 < text.size() && text[i + 1] == '&') plain += '&', ++i;
            continue;
        }
        plain += text[i];
    }
    return Trim(plain);
}

std::optional<TAccessibleNode> TAccessibleTree::Describe(TControl& control) const {
    if (!control.Visible()) return std::nullopt;
    TAccessibleNode node;
    node.Key = &control;
    const TPoint at = control.Parent()
                          ? control.Parent()->ClientToScreen({control.Left(), control.Top()})
                          : TPoint{control.Left(), control.Top()};
    node.Showing = control.Showing();
    if (node.Showing) node.Bounds = TRect::FromSize(at.X, at.Y, control.Width(), control.Height());
    node.Enabled = control.EnabledInTree();
    if (auto* win = dynamic_cast<TWinControl*>(&control)) {
        node.Focusable = win->CanFocus();
        node.Focused = win->Focused();
    }
    if (const TDescriber* describer = DescriberOf(control)) {
        (*describer)(control, node, *this);
        return node;
    }
    if (HasMenus(dynamic_cast<IMenuBarView*>(&control))) {
        TAccessibleNode bar = MenuBarNode(control);
        bar.Key = node.Key, bar.Bounds = node.Bounds, bar.Showing = node.Showing;
        return bar;
    }
    DescribeStandard(control, node);
    const bool empty =
        node.Role == TAccessibleRole::Panel && node.Children.empty() && node.Name.empty();
    if (empty || (node.Role == TAccessibleRole::Label && node.Name.empty())) return std::nullopt;
    return node;
}

void TAccessibleTree::DescribeStandard(TControl& control, TAccessibleNode& node) const {
    node.Name = PlainCaption(control.Caption());
    if (dynamic_cast<TCustomEdit*>(&control)) return DescribeEdit(control, node);
    if (dynamic_cast<TSpeedButton*>(&control) || dynamic_cast<TToolButton*>(&control)) {
        node.Role = TAccessibleRole::PushButton;
        if (node.Name.empty())
            node.Name = control.Hint();
        else
            node.Description = control.Hint();
        if (auto* speed = dynamic_cast<TSpeedButton*>(&control); speed && speed->GroupIndex() != 0)
            node.Checkable = true, node.Checked = speed->Down();
        node.Activate = [&control] {
            if (control.EnabledInTree()) control.Click();
        };
        return;
    }
    if (dynamic_cast<TLabel*>(&control)) {
        node.Role = TAccessibleRole::Label;
        return;
    }
    if (auto* win = dynamic_cast<TWinControl*>(&control)) {
        node.Role =
            dynamic_cast<TTreeView*>(&control) ? TAccessibleRole::Tree : TAccessibleRole::Panel;
        if (node.Role == TAccessibleRole::Tree && node.Name.empty()) node.Name = control.Hint();
        AddChildren(*win, node);
        return;
    }
    node.Name.clear(); // a picture: nothing to read
}

void TAccessibleTree::DescribeEdit(TControl& control, TAccessibleNode& node) const {
    auto& edit = static_cast<TCustomEdit&>(control);
    const TLabel* label = LabelFor(control);
    node.Name = label ? PlainCaption(label->Caption()) : control.Hint();
    TAccessibleNode text = node;
    text.Role = TAccessibleRole::Entry;
    text.HasText = true;
    text.Editable = !edit.ReadOnly();
    // A password's characters are never read out.
    text.Text = edit.PasswordChar() ? std::string(edit.Text().size() ? 1 : 0, '*') : edit.Text();
    if (!edit.PasswordChar()) text.Caret = CaretCharacters(edit.Text(), edit.CaretPos());
    if (text.Editable) text.SetText = [&edit](const std::string& value) { edit.SetText(value); };
    if (!dynamic_cast<TCustomComboBox*>(&control)) {
        node = std::move(text);
        return;
    }
    // A combo box holds its edit, as a reader expects of an editable one.
    node.Role = TAccessibleRole::ComboBox;
    node.Focused = false;
    text.Part = 1;
    node.Children.push_back(std::move(text));
}

// Read as the eye reads the window: the bars along the top from the top
// down (the title and menu bars a skinned window adds after its layout's
// controls included), then what lies between them in the layout's order,
// then the bars along the bottom (the status line last).
void TAccessibleTree::AddChildren(TWinControl& parent, TAccessibleNode& node) const {
    struct TPlaced {
        int Band;
        int Top;
        TAccessibleNode Node;
    };
    std::vector<TPlaced> placed;
    for (TControl* child : parent.Controls()) {
        auto described = Describe(*child);
        if (!described) continue;
        const TAlign align = child->Align();
        const int band = align == TAlign::alTop ? 0 : align == TAlign::alBottom ? 2 : 1;
        placed.push_back({band, band == 1 ? 0 : child->Top(), std::move(*described)});
    }
    std::stable_sort(placed.begin(), placed.end(), [](const TPlaced& a, const TPlaced& b) {
        return a.Band != b.Band ? a.Band < b.Band : a.Top < b.Top;
    });
    for (TPlaced& p : placed) node.Children.push_back(std::move(p.Node));
}

TAccessibleNode TAccessibleTree::MenuBarNode(TControl& control) const {
    auto* bar = dynamic_cast<IMenuBarView*>(&control);
    TAccessibleNode node;
    node.Role = TAccessibleRole::MenuBar;
    const auto open = OpenItems();
    for (int i = 0; i < bar->BarItemCount(); ++i) {
        TMenuItem* item = bar->BarItem(i);
        if (!item) continue;
        TAccessibleNode menu = MenuItemNode(*item, open);
        menu.Role = TAccessibleRole::Menu;
        menu.Showing = control.Showing();
        menu.Bounds = bar->BarItemScreenRect(i);
        TCustomForm& form = FForm;
        menu.Activate = [bar, i, &form] {
            if (TMenuTracker::BarOf(&form) == bar)
                TMenuTracker::Instance()->OpenBarItem(bar, i, true);
        };
        node.Children.push_back(std::move(menu));
    }
    return node;
}
