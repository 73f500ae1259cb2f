#include "gui/host/gtk/TGtkAccessibleMirror.h"

#include <algorithm>
#include <iterator>

#include "gui/TAccessibleTree.h"
#include "gui/TCustomForm.h"
#include "platform/glib/TCallbackGuard.h"
#include "gui/host/gtk/TGtkAccessibleArea.h"
#include "gui/host/gtk/TGtkAccessibleNode.h"

namespace {

// A reader asking many questions in a row sees one snapshot.
constexpr gint64 kSnapshotUs = 100000;
// After a repaint, the changes are told this much later, once.
constexpr const char* kMirrorKey = "xf-accessible-mirror";
constexpr guint kAfterDrawMs = 150;

AtkRole RoleOf(TAccessibleRole role, bool checkable) {
    switch (role) {
    case TAccessibleRole::Panel:
        return ATK_ROLE_PANEL;
    case TAccessibleRole::PushButton:
        return ATK_ROLE_PUSH_BUTTON;
    case TAccessibleRole::Label:
        return ATK_ROLE_LABEL;
    case TAccessibleRole::Entry:
        return ATK_ROLE_ENTRY;
    case TAccessibleRole::ComboBox:
        return ATK_ROLE_COMBO_BOX;
    case TAccessibleRole::PageTabList:
        return ATK_ROLE_PAGE_TAB_LIST;
    case TAccessibleRole::PageTab:
        return ATK_ROLE_PAGE_TAB;
    case TAccessibleRole::MenuBar:
        return ATK_ROLE_MENU_BAR;
    case TAccessibleRole::Menu:
        return ATK_ROLE_MENU;
    case TAccessibleRole::MenuItem:
        return checkable ? ATK_ROLE_CHECK_MENU_ITEM : ATK_ROLE_MENU_ITEM;
    case TAccessibleRole::Separator:
        return ATK_ROLE_SEPARATOR;
    case TAccessibleRole::Tree:
        return ATK_ROLE_TREE;
    }
    return ATK_ROLE_UNKNOWN;
}

// The states a reader follows as they change.
constexpr AtkStateType kToldStates[] = {
    ATK_STATE_ENABLED, ATK_STATE_SENSITIVE, ATK_STATE_SHOWING,  ATK_STATE_VISIBLE,
    ATK_STATE_FOCUSED, ATK_STATE_CHECKED,   ATK_STATE_SELECTED, ATK_STATE_EDITABLE,
};

int Characters(const std::string& text) {
    return static_cast<int>(g_utf8_strlen(text.c_str(), -1));
}

struct TPendingAction {
    AtkObject* Area; // a reference, so the mirror lives until the action ran
    TGtkAccessibleMirror* Mirror;
    const void* Key;
    int Part;
};

} // namespace

TGtkAccessibleMirror::TGtkAccessibleMirror(AtkObject* area) : FArea(area) {
    FWidget = gtk_accessible_get_widget(GTK_ACCESSIBLE(area));
    if (FWidget) g_object_set_data(G_OBJECT(FWidget), kMirrorKey, this);
}

TGtkAccessibleMirror::~TGtkAccessibleMirror() {
    if (FWidget && gtk_accessible_get_widget(GTK_ACCESSIBLE(FArea)) == FWidget)
        g_object_set_data(G_OBJECT(FWidget), kMirrorKey, nullptr);
    Clear();
}

void TGtkAccessibleMirror::Clear() {
    if (FTimeout) g_source_remove(FTimeout);
    FTimeout = 0;
    // Taken out first: letting a node go may let the area go too.
    std::map<TKey, TEntry> entries = std::exchange(FEntries, {});
    FRoot = TAccessibleNode{};
    FRootChildren.clear();
    for (auto& [key, entry] : entries) {
        reinterpret_cast<XfAccessibleNode*>(entry.Object)->Mirror = nullptr;
        if (entry.States) g_object_unref(entry.States);
        g_object_unref(entry.Object);
    }
}

TCustomForm* TGtkAccessibleMirror::Form() const {
    GtkWidget* widget = gtk_accessible_get_widget(GTK_ACCESSIBLE(FArea));
    return dynamic_cast<TCustomForm*>(TGtkAccessibleArea::Client(widget));
}

void TGtkAccessibleMirror::EnsureFresh() {
    if (!FRefreshing && (FBuiltAt == 0 || g_get_monotonic_time() - FBuiltAt > kSnapshotUs))
        Refresh();
}

const TAccessibleNode* TGtkAccessibleMirror::Node(const void* key, int part) {
    EnsureFresh();
    if (!key && part == 0) return &FRoot;
    auto found = FEntries.find({key, part});
    return found == FEntries.end() ? nullptr : found->second.Node;
}

int TGtkAccessibleMirror::ChildCount(const void* key, int part) {
    const TAccessibleNode* node = Node(key, part);
    return node ? static_cast<int>(node->Children.size()) : 0;
}

AtkObject* TGtkAccessibleMirror::RefChild(const void* key, int part, int index) {
    const TAccessibleNode* node = Node(key, part);
    if (!node || index < 0 || index >= static_cast<int>(node->Children.size())) return nullptr;
    const TAccessibleNode& child = node->Children[static_cast<size_t>(index)];
    AtkObject* object = ObjectOf({child.Key, child.Part});
    return object ? ATK_OBJECT(g_object_ref(object)) : nullptr;
}

int TGtkAccessibleMirror::IndexInParent(const void* key, int part) {
    EnsureFresh();
    auto found = FEntries.find({key, part});
    if (found == FEntries.end()) return -1;
    const TKey parent = found->second.Parent;
    const TAccessibleNode* parentNode = Node(parent.first, parent.second);
    if (!parentNode) return -1;
    for (size_t i = 0; i < parentNode->Children.size(); ++i)
        if (parentNode->Children[i].SameKey(key, part)) return static_cast<int>(i);
    return -1;
}

AtkObject* TGtkAccessibleMirror::ParentOf(const void* key, int part) {
    EnsureFresh();
    auto found = FEntries.find({key, part});
    if (found == FEntries.end()) return nullptr;
    const TKey parent = found->second.Parent;
    return !parent.first && parent.second == 0 ? FArea : ObjectOf(parent);
}

AtkObject* TGtkAccessibleMirror::ObjectOf(TKey key) const {
    auto found = FEntries.find(key);
    return found == FEntries.end() ? nullptr : found->second.Object;
}

bool TGtkAccessibleMirror::Act(const void* key, int part) {
    const TAccessibleNode* node = Node(key, part);
    if (!node || !node->Activate) return false;
    auto* pending = new TPendingAction{ATK_OBJECT(g_object_ref(FArea)), this, key, part};
    g_idle_add_full(
        G_PRIORITY_DEFAULT_IDLE,
        [](gpointer data) -> gboolean {
            auto* action = static_cast<TPendingAction*>(data);
            platform::TCallbackGuard::Run([&] {
                TCustomForm* form = action->Mirror->Form();
                if (!form) return;
                // The tree of this moment: the control may have gone since.
                const TAccessibleNode root = TAccessibleTree::Build(*form);
                const TAccessibleNode* target =
                    TAccessibleTree::Find(root, action->Key, action->Part);
                if (target && target->Activate) target->Activate();
            });
            return G_SOURCE_REMOVE;
        },
        pending,
        [](gpointer data) {
            auto* action = static_cast<TPendingAction*>(data);
            g_object_unref(action->Area);
            delete action;
        });
    return true;
}

bool TGtkAccessibleMirror::SetText(const void* key, int part, const std::string& text) {
    TCustomForm* form = Form();
    if (!form || !g_utf8_validate(text.c_str(), -1, nullptr)) return false;
    const TAccessibleNode root = TAccessibleTree::Build(*form);
    const TAccessibleNode* target = TAccessibleTree::Find(root, key, part);
    if (!target || !target->SetText) return false;
    target->SetText(text);
    Refresh();
    return true;
}

TPoint TGtkAccessibleMirror::WindowOrigin() const {
    GtkWidget* widget = gtk_accessible_get_widget(GTK_ACCESSIBLE(FArea));
    GdkWindow* window = widget ? gtk_widget_get_window(gtk_widget_get_toplevel(widget)) : nullptr;
    int x = 0, y = 0;
    if (window) gdk_window_get_origin(window, &x, &y);
    return {x, y};
}

void TGtkAccessibleMirror::Index(const TAccessibleNode& node, TKey parent,
                                 std::map<TKey, TEntry>& into) {
    TEntry entry;
    entry.Node = &node;
    entry.Parent = parent;
    entry.Text = node.HasText;
    entry.Name = node.Name;
    entry.TextValue = node.Text;
    entry.Caret = node.Caret;
    const TKey key{node.Key, node.Part};
    for (const TAccessibleNode& child : node.Children)
        entry.Children.push_back({child.Key, child.Part});
    if (!into.emplace(key, std::move(entry)).second) return;
    for (const TAccessibleNode& child : node.Children)
        Index(child, key, into);
}

void TGtkAccessibleMirror::Refresh() {
    if (FRefreshing) return;
    FRefreshing = true;
    // The nodes let go below hold the area, and the area owns this.
    g_object_ref(FArea);
    const bool tell = FBuiltAt != 0;
    TCustomForm* form = Form();
    FRoot = form ? TAccessibleTree::Build(*form) : TAccessibleNode{};
    FBuiltAt = g_get_monotonic_time();
    std::map<TKey, TEntry> fresh;
    std::vector<TKey> rootChildren;
    for (const TAccessibleNode& child : FRoot.Children) {
        rootChildren.push_back({child.Key, child.Part});
        Index(child, {nullptr, 0}, fresh);
    }
    // The same key keeps its object; a control that turned into another
    // kind (text or not) is a new object.
    std::map<TKey, TEntry> before = std::exchange(FEntries, std::move(fresh));
    for (auto& [key, entry] : FEntries) {
        auto old = before.find(key);
        if (old != before.end() && old->second.Text == entry.Text)
            entry.Object = std::exchange(old->second.Object, nullptr);
        else
            entry.Object = NewAccessibleNode(this, key.first, key.second, entry.Text);
    }
    for (auto& [key, entry] : FEntries) {
        auto old = before.find(key);
        Notify(entry, tell && old != before.end() ? &old->second : nullptr);
    }
    std::vector<TKey> rootBefore = std::exchange(FRootChildren, std::move(rootChildren));
    if (tell) {
        NotifyChildren(FArea, rootBefore, FRootChildren, before);
        for (auto& [key, entry] : FEntries)
            if (auto old = before.find(key);
                old != before.end() && old->second.Children != entry.Children)
                NotifyChildren(entry.Object, old->second.Children, entry.Children, before);
    }
    for (auto& [key, entry] : before) {
        if (entry.States) g_object_unref(entry.States);
        if (!entry.Object) continue;
        // Gone: whoever still holds it learns so.
        reinterpret_cast<XfAccessibleNode*>(entry.Object)->Mirror = nullptr;
        if (tell) atk_object_notify_state_change(entry.Object, ATK_STATE_DEFUNCT, TRUE);
        g_object_unref(entry.Object);
    }
    FRefreshing = false;
    g_object_unref(FArea); // last: it may delete this
}

void TGtkAccessibleMirror::Notify(TEntry& entry, TEntry* before) {
    AtkObject* object = entry.Object;
    const TAccessibleNode& node = *entry.Node;
    if (!before || before->Name != entry.Name || !object->name)
        atk_object_set_name(object, entry.Name.c_str());
    if (g_strcmp0(atk_object_get_description(object), node.Description.c_str()) != 0)
        atk_object_set_description(object, node.Description.c_str());
    const AtkRole role = RoleOf(node.Role, node.Checkable);
    if (atk_object_get_role(object) != role) atk_object_set_role(object, role);
    AtkObject* parent = entry.Parent.first ? ObjectOf(entry.Parent) : FArea;
    if (object->accessible_parent != parent) atk_object_set_parent(object, parent);
    entry.States = atk_object_ref_state_set(object);
    if (!before) return;
    for (AtkStateType state : kToldStates) {
        const bool now = atk_state_set_contains_state(entry.States, state);
        if (!before->States || atk_state_set_contains_state(before->States, state) != now)
            atk_object_notify_state_change(object, state, now);
    }
    if (entry.Text && before->TextValue != entry.TextValue) {
        g_signal_emit_by_name(object, "text-remove", 0, Characters(before->TextValue),
                              before->TextValue.c_str());
        g_signal_emit_by_name(object, "text-insert", 0, Characters(entry.TextValue),
                              entry.TextValue.c_str());
    }
    if (entry.Text && entry.Caret >= 0 && before->Caret != entry.Caret)
        g_signal_emit_by_name(object, "text-caret-moved", entry.Caret);
}

void TGtkAccessibleMirror::NotifyChildren(AtkObject* object, const std::vector<TKey>& before,
                                          const std::vector<TKey>& after,
                                          const std::map<TKey, TEntry>& gone) {
    for (size_t i = before.size(); i-- > 0;) {
        if (std::find(after.begin(), after.end(), before[i]) != after.end()) continue;
        auto old = gone.find(before[i]);
        AtkObject* child =
            old != gone.end() && old->second.Object ? old->second.Object : ObjectOf(before[i]);
        g_signal_emit_by_name(object, "children-changed::remove", static_cast<guint>(i), child);
    }
    for (size_t i = 0; i < after.size(); ++i)
        if (std::find(before.begin(), before.end(), after[i]) == before.end())
            g_signal_emit_by_name(object, "children-changed::add", static_cast<guint>(i),
                                  ObjectOf(after[i]));
}

void TGtkAccessibleMirror::ScheduleRefresh() {
    if (!FTimeout) FTimeout = g_timeout_add(kAfterDrawMs, RefreshTimeout, this);
}

TGtkAccessibleMirror* TGtkAccessibleMirror::Of(GtkWidget* area) {
    return static_cast<TGtkAccessibleMirror*>(g_object_get_data(G_OBJECT(area), kMirrorKey));
}

gboolean TGtkAccessibleMirror::RefreshTimeout(gpointer self) {
    auto* mirror = static_cast<TGtkAccessibleMirror*>(self);
    mirror->FTimeout = 0;
    platform::TCallbackGuard::Run([&] { mirror->Refresh(); });
    return G_SOURCE_REMOVE;
}
