#pragma once
// A signal handler connected to a GObject, disconnected when the holder
// goes. The holder keeps the instance alive, so disconnecting after the
// widget was destroyed is still safe.
#include <glib-object.h>

class TSignalConnection {
public:
    TSignalConnection() = default;
    TSignalConnection(gpointer instance, const char* signal, GCallback handler, gpointer data,
                      bool after = false);
    ~TSignalConnection() { Disconnect(); }
    TSignalConnection(const TSignalConnection&) = delete;
    TSignalConnection& operator=(const TSignalConnection&) = delete;
    TSignalConnection(TSignalConnection&& other) noexcept;
    TSignalConnection& operator=(TSignalConnection&& other) noexcept;

    void Disconnect();
    bool Connected() const { return FId != 0; }

private:
    GObject* FInstance = nullptr;
    gulong FId = 0;
};
