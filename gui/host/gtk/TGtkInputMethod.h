#pragma once
// The one input-method context of a window. Keys pass through it first;
// what it commits is either the plain character of the key just pressed
// (the framework then sees an ordinary key-down with that character) or
// composed text (the framework gets it as characters only, like text from
// the platform's IME).
#include <gtk/gtk.h>

#include <functional>
#include <string>

#include "gui/Types.h"
#include "platform/glib/GlibPtr.h"
#include "gui/host/gtk/TSignalConnection.h"

class TGtkInputMethod {
public:
    struct TFilterResult {
        bool Consumed = false;    // the input method took the key
        std::u16string Committed; // text it committed while doing so
    };

    TGtkInputMethod();
    ~TGtkInputMethod();
    TGtkInputMethod(const TGtkInputMethod&) = delete;
    TGtkInputMethod& operator=(const TGtkInputMethod&) = delete;

    GtkIMContext* Context() const { return FContext.Get(); }
    void SetClientWindow(GdkWindow* window);
    void SetFocused(bool focused);
    bool Focused() const { return FFocused; }
    void Reset();
    // Where the caret is, in the client window's coordinates (candidate
    // windows open beside it).
    void SetCursorRect(const TRect& rect);

    TFilterResult Filter(GdkEventKey* event);
    // Text committed outside Filter (an input method finishing on its own).
    std::function<void(const std::u16string& text)> OnCommit;
    // The text being composed changed (empty: the composition ended); the
    // cursor counts UTF-16 units into it.
    std::function<void(const std::u16string& text, int cursor)> OnPreedit;

private:
    static void OnCommitSignal(GtkIMContext* context, const gchar* text, gpointer self);
    static void OnPreeditSignal(GtkIMContext* context, gpointer self);

    platform::TGObjectPtr<GtkIMContext> FContext;
    TSignalConnection FCommit;
    TSignalConnection FPreeditChanged;
    TSignalConnection FPreeditEnd;
    std::u16string FPreedit;
    bool FFocused = false;
    bool FFiltering = false;
    std::u16string FFilterText;
};
