#pragma once
// What a screen reader is told of one control, menu or tab: its role, name,
// states, place on the screen, text and the one thing it does. A host
// builds its platform's accessible objects from a tree of these.
#include <functional>
#include <string>
#include <vector>

#include "gui/Types.h"

enum class TAccessibleRole {
    Panel,
    PushButton,
    Label,
    Entry,
    ComboBox,
    PageTabList,
    PageTab,
    MenuBar,
    Menu,
    MenuItem,
    Separator,
    Tree,
};

struct TAccessibleNode {
    // Identity across snapshots (the control or menu item, and which part
    // of it); the host compares it and never follows it.
    const void* Key = nullptr;
    int Part = 0;
    TAccessibleRole Role = TAccessibleRole::Panel;
    std::string Name;
    std::string Description;
    // Screen coordinates; empty while not on the screen.
    TRect Bounds;
    bool Enabled = true;
    bool Showing = true;
    bool Focusable = false;
    bool Focused = false;
    bool Checkable = false;
    bool Checked = false;
    bool Selectable = false;
    bool Selected = false;
    bool HasText = false;
    bool Editable = false;
    // UTF-8; only with HasText.
    std::string Text;
    // Where the caret is, in characters of Text; -1 for none.
    int Caret = -1;
    // The keys that do the same, as the framework writes them ("Ctrl+T").
    std::string KeyBinding;
    // What "press" or "activate" does; none for a node without an action.
    std::function<void()> Activate;
    // Replaces the whole text; only with Editable.
    std::function<void(const std::string&)> SetText;
    std::vector<TAccessibleNode> Children;

    bool SameKey(const void* key, int part) const { return Key == key && Part == part; }
};
