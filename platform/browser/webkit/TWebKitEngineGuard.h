#pragma once
// How the engine's signal handlers in the files beside TWebKitEngine.cpp
// guard themselves (the same rules as the handlers there).
#include "platform/browser/webkit/TWebKitEngine.h"
#include "platform/glib/TCallbackGuard.h"

namespace platform {

template <class R, class F> R TWebKitEngine::Guard(gpointer instance, R fallback, F&& fn) {
    CallbackDepth(1);
    TGObjectPtr<GObject> hold = TGObjectPtr<GObject>::Ref(G_OBJECT(instance));
    R result = fallback;
    if (!TCallbackGuard::Run([&] { result = fn(); })) result = fallback;
    CallbackDepth(-1);
    return result;
}

} // namespace platform
