#pragma once
#include <glib.h>

// A GLib timeout; removed when the holder goes unless it already ran out.
class TTimeoutSource {
public:
    TTimeoutSource() = default;
    ~TTimeoutSource() { Stop(); }
    TTimeoutSource(const TTimeoutSource&) = delete;
    TTimeoutSource& operator=(const TTimeoutSource&) = delete;

    // Fires once after `ms`; `fired` is set then.
    void StartOnce(unsigned ms, bool* fired);
    void Stop();
    bool Active() const { return FId != 0; }

private:
    static gboolean OnTimeout(gpointer self);

    guint FId = 0;
    bool* FFired = nullptr;
};
