#include "gui/host/gtk/TGtkAccessibleNode.h"

#include <algorithm>
#include <string>

#include "platform/glib/TCallbackGuard.h"
#include "gui/host/gtk/TGtkAccessibleMirror.h"

namespace {

struct XfAccessibleNodeClass {
    AtkObjectClass ParentClass;
};
struct XfAccessibleTextNode {
    XfAccessibleNode Parent;
};
struct XfAccessibleTextNodeClass {
    XfAccessibleNodeClass ParentClass;
};

void InitComponent(AtkComponentIface* iface);
void InitAction(AtkActionIface* iface);
void InitText(AtkTextIface* iface);
void InitEditableText(AtkEditableTextIface* iface);

} // namespace

G_DEFINE_TYPE_WITH_CODE(XfAccessibleNode, xf_accessible_node, ATK_TYPE_OBJECT,
                        G_IMPLEMENT_INTERFACE(ATK_TYPE_COMPONENT, InitComponent)
                            G_IMPLEMENT_INTERFACE(ATK_TYPE_ACTION, InitAction))
G_DEFINE_TYPE_WITH_CODE(XfAccessibleTextNode, xf_accessible_text_node,
                        xf_accessible_node_get_type(),
                        G_IMPLEMENT_INTERFACE(ATK_TYPE_TEXT, InitText)
                            G_IMPLEMENT_INTERFACE(ATK_TYPE_EDITABLE_TEXT, InitEditableText))

namespace {

XfAccessibleNode* Self(gpointer object) {
    return reinterpret_cast<XfAccessibleNode*>(object);
}

// The node the object stands for now, or nullptr when it is gone.
const TAccessibleNode* NodeOf(gpointer object) {
    XfAccessibleNode* self = Self(object);
    return self->Mirror ? self->Mirror->Node(self->Key, self->Part) : nullptr;
}

template <class T, class F> T Guarded(T fallback, F&& body) {
    T result = fallback;
    platform::TCallbackGuard::Run([&] { result = body(); });
    return result;
}

AtkObject* NodeParent(AtkObject* object) {
    return Guarded<AtkObject*>(nullptr, [&]() -> AtkObject* {
        XfAccessibleNode* self = Self(object);
        return self->Mirror ? self->Mirror->ParentOf(self->Key, self->Part) : nullptr;
    });
}

gint NodeChildCount(AtkObject* object) {
    return Guarded(0, [&] {
        XfAccessibleNode* self = Self(object);
        return self->Mirror ? self->Mirror->ChildCount(self->Key, self->Part) : 0;
    });
}

AtkObject* NodeRefChild(AtkObject* object, gint index) {
    return Guarded<AtkObject*>(nullptr, [&]() -> AtkObject* {
        XfAccessibleNode* self = Self(object);
        return self->Mirror ? self->Mirror->RefChild(self->Key, self->Part, index) : nullptr;
    });
}

gint NodeIndexInParent(AtkObject* object) {
    return Guarded(-1, [&] {
        XfAccessibleNode* self = Self(object);
        return self->Mirror ? self->Mirror->IndexInParent(self->Key, self->Part) : -1;
    });
}

AtkStateSet* NodeStates(AtkObject* object) {
    AtkStateSet* states = atk_state_set_new();
    platform::TCallbackGuard::Run([&] {
        const TAccessibleNode* node = NodeOf(object);
        if (!node) {
            atk_state_set_add_state(states, ATK_STATE_DEFUNCT);
            return;
        }
        auto add = [&](bool on, AtkStateType state) {
            if (on) atk_state_set_add_state(states, state);
        };
        add(node->Enabled, ATK_STATE_ENABLED);
        add(node->Enabled, ATK_STATE_SENSITIVE);
        add(node->Showing, ATK_STATE_VISIBLE);
        add(node->Showing, ATK_STATE_SHOWING);
        add(node->Focusable, ATK_STATE_FOCUSABLE);
        add(node->Focused, ATK_STATE_FOCUSED);
        add(node->Checkable, ATK_STATE_CHECKABLE);
        add(node->Checked, ATK_STATE_CHECKED);
        add(node->Selectable, ATK_STATE_SELECTABLE);
        add(node->Selected, ATK_STATE_SELECTED);
        add(node->Editable, ATK_STATE_EDITABLE);
        add(node->HasText, ATK_STATE_SINGLE_LINE);
    });
    return states;
}

// --- AtkComponent ---------------------------------------------------------

void Extents(AtkComponent* component, gint* x, gint* y, gint* width, gint* height,
             AtkCoordType coordType) {
    *x = *y = *width = *height = 0;
    platform::TCallbackGuard::Run([&] {
        const TAccessibleNode* node = NodeOf(component);
        if (!node || node->Bounds.IsEmpty()) return;
        TPoint origin{0, 0};
        if (coordType == ATK_XY_WINDOW) origin = Self(component)->Mirror->WindowOrigin();
        *x = node->Bounds.Left - origin.X;
        *y = node->Bounds.Top - origin.Y;
        *width = node->Bounds.Width();
        *height = node->Bounds.Height();
    });
}

void InitComponent(AtkComponentIface* iface) {
    iface->get_extents = Extents;
}

// --- AtkAction ------------------------------------------------------------

gint ActionCount(AtkAction* action) {
    return Guarded(0, [&] {
        const TAccessibleNode* node = NodeOf(action);
        return node && node->Activate ? 1 : 0;
    });
}

gboolean DoAction(AtkAction* action, gint index) {
    return Guarded(FALSE, [&]() -> gboolean {
        XfAccessibleNode* self = Self(action);
        return index == 0 && self->Mirror && self->Mirror->Act(self->Key, self->Part);
    });
}

const gchar* ActionName(AtkAction* action, gint index) {
    return Guarded<const gchar*>(nullptr, [&]() -> const gchar* {
        const TAccessibleNode* node = NodeOf(action);
        if (index != 0 || !node || !node->Activate) return nullptr;
        return node->Role == TAccessibleRole::PushButton ? "press" : "activate";
    });
}

// The framework's "Ctrl+Shift+T" in the toolkit's "<Control><Shift>t".
std::string Accelerator(const std::string& keys) {
    static const std::pair<const char*, const char*> kNames[] = {
        {"Ctrl", "<Control>"}, {"Shift", "<Shift>"}, {"Alt", "<Alt>"},      {"Esc", "Escape"},
        {"Del", "Delete"},     {"Ins", "Insert"},    {"BkSp", "BackSpace"}, {"Enter", "Return"},
        {"Space", "space"},    {"PgUp", "Page_Up"},  {"PgDn", "Page_Down"},
    };
    std::string out;
    size_t start = 0;
    while (start <= keys.size()) {
        size_t end = keys.find('+', start + 1);
        if (end == std::string::npos) end = keys.size();
        std::string part = keys.substr(start, end - start);
        for (const auto& [from, to] : kNames)
            if (part == from) part = to;
        if (part.size() == 1) part[0] = static_cast<char>(g_ascii_tolower(part[0]));
        out += part;
        start = end + 1;
    }
    return out;
}

// "mnemonic;sequence;shortcut": only the shortcut is known here.
const gchar* KeyBinding(AtkAction* action, gint index) {
    return Guarded<const gchar*>(nullptr, [&]() -> const gchar* {
        const TAccessibleNode* node = NodeOf(action);
        if (index != 0 || !node || node->KeyBinding.empty()) return nullptr;
        // Kept on the object: the caller does not free it.
        const std::string binding = ";;" + Accelerator(node->KeyBinding);
        g_object_set_data_full(G_OBJECT(action), "xf-keybinding", g_strdup(binding.c_str()),
                               g_free);
        return static_cast<const gchar*>(g_object_get_data(G_OBJECT(action), "xf-keybinding"));
    });
}

void InitAction(AtkActionIface* iface) {
    iface->get_n_actions = ActionCount;
    iface->do_action = DoAction;
    iface->get_name = ActionName;
    iface->get_keybinding = KeyBinding;
}

// --- AtkText and AtkEditableText ------------------------------------------

std::string TextOf(gpointer object) {
    const TAccessibleNode* node = NodeOf(object);
    return node && node->HasText && g_utf8_validate(node->Text.c_str(), -1, nullptr)
               ? node->Text
               : std::string();
}

gchar* GetText(AtkText* text, gint start, gint end) {
    return Guarded<gchar*>(nullptr, [&]() -> gchar* {
        const std::string value = TextOf(text);
        const glong count = g_utf8_strlen(value.c_str(), -1);
        if (end < 0 || end > count) end = static_cast<gint>(count);
        start = std::max(0, std::min(start, end));
        return g_utf8_substring(value.c_str(), start, end);
    });
}

gint CharacterCount(AtkText* text) {
    return Guarded(0, [&] { return static_cast<gint>(g_utf8_strlen(TextOf(text).c_str(), -1)); });
}

gint CaretOffset(AtkText* text) {
    const gint caret = Guarded(-1, [&] {
        const TAccessibleNode* node = NodeOf(text);
        return node ? node->Caret : -1;
    });
    return caret >= 0 ? caret : CharacterCount(text);
}

gunichar CharacterAt(AtkText* text, gint offset) {
    return Guarded<gunichar>(0, [&]() -> gunichar {
        const std::string value = TextOf(text);
        if (offset < 0 || offset >= g_utf8_strlen(value.c_str(), -1)) return 0;
        return g_utf8_get_char(g_utf8_offset_to_pointer(value.c_str(), offset));
    });
}

// The edits hold one line: any unit longer than a character is all of it.
gchar* StringAt(AtkText* text, gint offset, AtkTextGranularity granularity, gint* start,
                gint* end) {
    *start = *end = 0;
    return Guarded<gchar*>(nullptr, [&]() -> gchar* {
        const std::string value = TextOf(text);
        const gint count = static_cast<gint>(g_utf8_strlen(value.c_str(), -1));
        if (granularity == ATK_TEXT_GRANULARITY_CHAR) {
            if (offset < 0 || offset >= count) return g_strdup("");
            *start = offset, *end = offset + 1;
        } else {
            *end = count;
        }
        return g_utf8_substring(value.c_str(), *start, *end);
    });
}

void InitText(AtkTextIface* iface) {
    iface->get_text = GetText;
    iface->get_character_count = CharacterCount;
    iface->get_caret_offset = CaretOffset;
    iface->get_character_at_offset = CharacterAt;
    iface->get_string_at_offset = StringAt;
}

void SetTextContents(AtkEditableText* text, const gchar* value) {
    platform::TCallbackGuard::Run([&] {
        XfAccessibleNode* self = Self(text);
        if (self->Mirror && value) self->Mirror->SetText(self->Key, self->Part, value);
    });
}

void InitEditableText(AtkEditableTextIface* iface) {
    iface->set_text_contents = SetTextContents;
}

} // namespace

static void xf_accessible_node_init(XfAccessibleNode* self) {
    self->Mirror = nullptr;
    self->Key = nullptr;
    self->Part = 0;
}

static void xf_accessible_node_class_init(XfAccessibleNodeClass* cls) {
    AtkObjectClass* atkClass = ATK_OBJECT_CLASS(cls);
    atkClass->get_parent = NodeParent;
    atkClass->get_n_children = NodeChildCount;
    atkClass->ref_child = NodeRefChild;
    atkClass->get_index_in_parent = NodeIndexInParent;
    atkClass->ref_state_set = NodeStates;
}

static void xf_accessible_text_node_init(XfAccessibleTextNode*) {}
static void xf_accessible_text_node_class_init(XfAccessibleTextNodeClass*) {}

AtkObject* NewAccessibleNode(TGtkAccessibleMirror* mirror, const void* key, int part, bool text) {
    GType type = text ? xf_accessible_text_node_get_type() : xf_accessible_node_get_type();
    auto* self = static_cast<XfAccessibleNode*>(g_object_new(type, nullptr));
    self->Mirror = mirror;
    self->Key = key;
    self->Part = part;
    atk_object_initialize(ATK_OBJECT(self), nullptr);
    return ATK_OBJECT(self);
}
