#include "gui/host/gtk/TSignalConnection.h"

#include <utility>

TSignalConnection::TSignalConnection(gpointer instance, const char* signal, GCallback handler,
                                     gpointer data, bool after)
    : FInstance(G_OBJECT(g_object_ref(instance))) {
    FId = after ? g_signal_connect_after(instance, signal, handler, data)
                : g_signal_connect(instance, signal, handler, data);
}

TSignalConnection::TSignalConnection(TSignalConnection&& other) noexcept
    : FInstance(std::exchange(other.FInstance, nullptr)), FId(std::exchange(other.FId, 0)) {}

TSignalConnection& TSignalConnection::operator=(TSignalConnection&& other) noexcept {
    if (this != &other) {
        Disconnect();
        FInstance = std::exchange(other.FInstance, nullptr);
        FId = std::exchange(other.FId, 0);
    }
    return *this;
}

void TSignalConnection::Disconnect() {
    if (FInstance && FId && g_signal_handler_is_connected(FInstance, FId))
        g_signal_handler_disconnect(FInstance, FId);
    FId = 0;
    if (GObject* instance = std::exchange(FInstance, nullptr)) g_object_unref(instance);
}
