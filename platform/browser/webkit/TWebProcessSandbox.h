#pragma once
// Shuts each web process into its own view of the file system (bubblewrap),
// where the system allows it. Without user namespaces (some containers,
// hardened kernels) the sandbox cannot start, and WebKit would fail to show
// any page: the views then run without it, and the program says so once.
#include <string>
#include <vector>

typedef struct _WebKitWebContext WebKitWebContext;

namespace platform {

class TWebProcessSandbox {
public:
    struct TCheck {
        bool Usable = false;
        std::string Reason; // why not, in the user's words; empty when usable
    };
    // Whether a sandbox of the kind WebKit makes can start here: bubblewrap
    // and the D-Bus proxy installed, and a trial run of bubblewrap with new
    // user, process and network namespaces succeeding.
    static TCheck Check();

    // Once per context, before its first web process starts: turns the
    // sandbox on in `context` with `readable` folders visible (read only)
    // inside, or leaves it off. The first call decides for the process (and
    // writes the reason to stderr when off); later ones, for other contexts,
    // follow that decision without trying again.
    static bool Apply(WebKitWebContext* context, const std::vector<std::string>& readable);
    // What Apply decided; false before it ran.
    static bool Enabled();
};

} // namespace platform
