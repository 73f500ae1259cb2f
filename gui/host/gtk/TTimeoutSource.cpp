#include "gui/host/gtk/TTimeoutSource.h"

void TTimeoutSource::StartOnce(unsigned ms, bool* fired) {
    Stop();
    FFired = fired;
    FId = g_timeout_add(ms, &TTimeoutSource::OnTimeout, this);
}

void TTimeoutSource::Stop() {
    if (FId) g_source_remove(FId);
    FId = 0;
}

gboolean TTimeoutSource::OnTimeout(gpointer self) {
    auto* source = static_cast<TTimeoutSource*>(self);
    source->FId = 0;
    if (source->FFired) *source->FFired = true;
    return G_SOURCE_REMOVE;
}
