#pragma once
// The accessible side of one form's drawing area: a snapshot of the form's
// accessible tree (TAccessibleTree), rebuilt when a reader asks and it is
// a moment old, and after the form painted; one XfAccessibleNode per
// node, kept while its key stays, so a reader sees the same object from
// one question to the next. Each rebuild tells the reader what changed
// (name, states, text, children).
#include <gtk/gtk.h>

#include <map>
#include <string>
#include <utility>
#include <vector>

#include "gui/TAccessibleNode.h"

class TCustomForm;

class TGtkAccessibleMirror {
public:
    // `area` is the drawing area's accessible, which owns the mirror.
    explicit TGtkAccessibleMirror(AtkObject* area);
    ~TGtkAccessibleMirror();
    TGtkAccessibleMirror(const TGtkAccessibleMirror&) = delete;
    TGtkAccessibleMirror& operator=(const TGtkAccessibleMirror&) = delete;

    // The node as of now; nullptr when it is gone. (nullptr, 0) is the area.
    const TAccessibleNode* Node(const void* key, int part);
    int ChildCount(const void* key, int part);
    // A new reference, or nullptr.
    AtkObject* RefChild(const void* key, int part, int index);
    int IndexInParent(const void* key, int part);
    AtkObject* ParentOf(const void* key, int part);
    // Runs the node's action from the main loop, after the reader's call
    // returned (a click may open a modal dialog).
    bool Act(const void* key, int part);
    bool SetText(const void* key, int part, const std::string& text);
    // Screen coordinates of the area's toplevel window.
    TPoint WindowOrigin() const;

    // Rebuilds now and tells the reader what changed.
    void Refresh();
    // The widget went: every node is let go (they hold the area).
    void Clear();
    // The form painted something new: a refresh a moment later, once.
    void ScheduleRefresh();
    // The mirror of an area whose accessible exists, or nullptr.
    static TGtkAccessibleMirror* Of(GtkWidget* area);

private:
    using TKey = std::pair<const void*, int>;
    struct TEntry {
        AtkObject* Object = nullptr; // owned reference
        bool Text = false;
        const TAccessibleNode* Node = nullptr;
        TKey Parent;
        AtkStateSet* States = nullptr; // last told
        std::string Name;
        std::string TextValue;
        int Caret = -1;
        std::vector<TKey> Children;
    };

    TCustomForm* Form() const;
    void EnsureFresh();
    void Index(const TAccessibleNode& node, TKey parent, std::map<TKey, TEntry>& into);
    void Notify(TEntry& entry, TEntry* before);
    // `gone` holds the objects of children no longer there.
    void NotifyChildren(AtkObject* object, const std::vector<TKey>& before,
                        const std::vector<TKey>& after, const std::map<TKey, TEntry>& gone);
    AtkObject* ObjectOf(TKey key) const;
    static gboolean RefreshTimeout(gpointer self);

    AtkObject* FArea;
    TAccessibleNode FRoot;
    std::map<TKey, TEntry> FEntries;
    std::vector<TKey> FRootChildren;
    gint64 FBuiltAt = 0;
    bool FRefreshing = false;
    GtkWidget* FWidget = nullptr;
    guint FTimeout = 0;
};
