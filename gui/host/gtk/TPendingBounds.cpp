#include "gui/host/gtk/TPendingBounds.h"

void TPendingBounds::Requested(const TRect& bounds, uint64_t nowMs) {
    Expire(nowMs);
    // Asking for what the window already has produces no report at all.
    if (FPending.empty() && FKnown && bounds == FActual) return;
    if (!FPending.empty() && FPending.back().Bounds == bounds) return;
    if (FPending.size() == MaxPending) FPending.pop_front();
    FPending.push_back({bounds, nowMs});
}

bool TPendingBounds::Configured(const TRect& actual, uint64_t nowMs) {
    Expire(nowMs);
    bool changed = !FKnown || actual != FActual;
    FActual = actual;
    FKnown = true;
    for (size_t i = 0; i < FPending.size(); ++i) {
        if (FPending[i].Bounds != actual) continue;
        FPending.erase(FPending.begin(), FPending.begin() + static_cast<std::ptrdiff_t>(i) + 1);
        return false;
    }
    if (FPending.empty()) return changed;
    // The oldest request came back altered (a minimum size, the window
    // manager's placement). The form believes its request, so it hears the
    // truth unless newer requests are still on their way.
    FPending.pop_front();
    return FPending.empty();
}

void TPendingBounds::Expire(uint64_t nowMs) {
    while (!FPending.empty() && nowMs - FPending.front().Time > ExpiryMs)
        FPending.pop_front();
}
