#include "gui/host/gtk/TDisplayBackend.h"

#include <string_view>

namespace {

bool Set(const char* value) {
    return value && *value;
}

// GDK_BACKEND is a comma-separated list of preferences ("wayland,x11").
bool Names(const char* list, std::string_view backend) {
    return Set(list) && std::string_view(list).find(backend) != std::string_view::npos;
}

bool WaylandSession(const char* gdkBackend, const char* waylandDisplay) {
    if (Set(gdkBackend)) return !Names(gdkBackend, "x11") || Names(gdkBackend, "wayland");
    return Set(waylandDisplay);
}

} // namespace

TDisplayBackend::TVerdict TDisplayBackend::Choose(const char* gdkBackend,
                                                  const char* waylandDisplay, const char* display) {
    if (!Set(display)) return TVerdict::NoDisplay;
    return WaylandSession(gdkBackend, waylandDisplay) ? TVerdict::ThroughXWayland : TVerdict::X11;
}

std::string TDisplayBackend::FallbackNotice(const char* display) {
    return std::string("Wayland session: running through XWayland on X display ") +
           (Set(display) ? display : "?") +
           " (pop-up placement, pointer queries and window shapes need X11)";
}

std::string TDisplayBackend::NoDisplayError(const char* gdkBackend, const char* waylandDisplay) {
    if (WaylandSession(gdkBackend, waylandDisplay))
        return "this Wayland session has no X display (DISPLAY is not set): the program needs "
               "X11, start the compositor with XWayland enabled";
    return "no X display (DISPLAY is not set)";
}
