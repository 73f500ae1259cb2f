// The desktop-wide key chord (the boss key), held by one grab at a time.
#include "gui/host/gtk/TGlobalKey.h"
#include "gui/host/gtk/TGtkHost.h"

TGlobalKeyGrab TGtkHost::GrabGlobalKey(int virtualKey, TShiftState shift,
                                       std::function<void()> pressed) {
    if (!FGlobalKey) FGlobalKey = std::make_unique<TGlobalKey>();
    return FGlobalKey->Grab(virtualKey, shift, std::move(pressed));
}

void TGtkHost::ReleaseGlobalKey() {
    if (FGlobalKey) FGlobalKey->Release();
}
