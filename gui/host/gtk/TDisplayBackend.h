#pragma once
// Which window system the GTK host opens. Pop-up placement by screen
// coordinates, global pointer queries and window shapes are X11 matters,
// so a Wayland session is served through its XWayland server when it has
// one; without any X display the program stops with an error that says so.
#include <string>

class TDisplayBackend {
public:
    enum class TVerdict {
        X11,             // an X session: GDK's own choice is ours
        ThroughXWayland, // a Wayland session with an X display beside it
        NoDisplay,       // nothing we can draw on
    };

    // From the values of GDK_BACKEND, WAYLAND_DISPLAY and DISPLAY (nullptr
    // or empty: unset).
    static TVerdict Choose(const char* gdkBackend, const char* waylandDisplay, const char* display);
    // The one log line of a Wayland session run through XWayland.
    static std::string FallbackNotice(const char* display);
    // Why no window can open.
    static std::string NoDisplayError(const char* gdkBackend, const char* waylandDisplay);
};
