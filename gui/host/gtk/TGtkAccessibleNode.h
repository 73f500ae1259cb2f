#pragma once
// The accessible object of one skinned control, menu item or tab: an
// AtkObject whose role, states, place, action and text are read from the
// window's TGtkAccessibleMirror at the moment a reader asks. Objects with
// text (edits) are of a subtype that also gives AtkText and
// AtkEditableText.
#include <atk/atk.h>

class TGtkAccessibleMirror;

struct XfAccessibleNode {
    AtkObject Parent;
    // None once the window went: the object is then defunct.
    TGtkAccessibleMirror* Mirror;
    const void* Key;
    int Part;
};

GType xf_accessible_node_get_type();
GType xf_accessible_text_node_get_type();

// A new object (one reference, the caller's) standing for (key, part).
AtkObject* NewAccessibleNode(TGtkAccessibleMirror* mirror, const void* key, int part, bool text);
