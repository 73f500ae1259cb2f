#pragma once
// One key chord taken from the whole X desktop: a passive grab on the root
// window, so the chord reaches the program whichever window has the
// keyboard. Kept apart from the host's code: the X11 headers' macros clash
// with the framework's names.
#include <gdk/gdk.h>

#include <functional>

#include "gui/THost.h"

class TGlobalKey {
public:
    TGlobalKey() = default;
    ~TGlobalKey();
    TGlobalKey(const TGlobalKey&) = delete;
    TGlobalKey& operator=(const TGlobalKey&) = delete;

    TGlobalKeyGrab Grab(int virtualKey, TShiftState shift, std::function<void()> pressed);
    void Release();

    // The X keysym of a virtual key (0: none); pure, tested without a display.
    static unsigned KeySymOf(int virtualKey);

private:
    static GdkFilterReturn Filter(GdkXEvent* xevent, GdkEvent* event, gpointer self);
    GdkFilterReturn Handle(void* xevent);
    // Grabs (or ungrabs) the chord under every combination of the lock keys,
    // which X counts as modifiers; returns the X error the server sent, 0 if none.
    int Apply(bool grab);

    GdkDisplay* FDisplay = nullptr;
    unsigned FKeyCode = 0;
    unsigned FModifiers = 0;
    unsigned FLockMasks[3] = {0, 0, 0};
    std::function<void()> FPressed;
    bool FFilterInstalled = false;
    bool FDown = false;
    unsigned long FReleaseTime = 0;
};
