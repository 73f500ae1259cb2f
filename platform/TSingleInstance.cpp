#include "platform/TSingleInstance.h"

#include <gio/gio.h>

#include "platform/glib/GlibPtr.h"

#include <cstdio>
#include <exception>

namespace platform {

namespace {

// The action a later start calls with the addresses it was given.
constexpr const char* kOpenAction = "open-addresses";

void Warn(const char* what, const TGErrorPtr& error) {
    std::fprintf(stderr, "星帆IE: %s: %s\n", what, error ? error.Message().c_str() : "?");
}

} // namespace

TSingleInstance::TSingleInstance(const std::string& id)
    : FApp(g_application_new(id.c_str(), G_APPLICATION_HANDLES_OPEN)) {
    GSimpleAction* action = g_simple_action_new(kOpenAction, G_VARIANT_TYPE_STRING_ARRAY);
    g_signal_connect(action, "activate", G_CALLBACK(OpenAction), this);
    g_action_map_add_action(G_ACTION_MAP(FApp), G_ACTION(action));
    g_object_unref(action);
    g_signal_connect(FApp, "open", G_CALLBACK(OpenFiles), this);
    g_signal_connect(FApp, "activate", G_CALLBACK(Activate), this);
}

TSingleInstance::~TSingleInstance() {
    g_signal_handlers_disconnect_by_data(FApp, this);
    g_object_unref(FApp);
}

bool TSingleInstance::Register() {
    TGErrorPtr error;
    if (!g_application_register(FApp, nullptr, error.Out())) {
        // Another start is not told about this one then; it still works alone.
        Warn("cannot register on the session bus", error);
        return true;
    }
    return !g_application_get_is_remote(FApp);
}

bool TSingleInstance::HandOver(const std::vector<std::string>& addresses) {
    if (addresses.empty()) {
        g_application_activate(FApp);
    } else {
        GVariantBuilder list;
        g_variant_builder_init(&list, G_VARIANT_TYPE_STRING_ARRAY);
        for (const std::string& address : addresses)
            g_variant_builder_add(&list, "s", address.c_str());
        g_action_group_activate_action(G_ACTION_GROUP(FApp), kOpenAction,
                                       g_variant_builder_end(&list));
    }
    // Both calls only queue their message; it must leave before we exit.
    GDBusConnection* bus = g_application_get_dbus_connection(FApp);
    if (!bus) return false;
    TGErrorPtr error;
    if (!g_dbus_connection_flush_sync(bus, nullptr, error.Out())) {
        Warn("cannot reach the running program", error);
        return false;
    }
    return true;
}

void TSingleInstance::Deliver(const std::vector<std::string>& addresses) noexcept {
    try {
        if (OnAddresses) OnAddresses(addresses);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "星帆IE: %s\n", e.what());
    } catch (...) {
        std::fprintf(stderr, "星帆IE: cannot open the addresses handed over\n");
    }
}

void TSingleInstance::OpenAction(void*, void* parameter, void* self) {
    std::vector<std::string> addresses;
    gsize count = 0;
    const gchar** items = g_variant_get_strv(static_cast<GVariant*>(parameter), &count);
    for (gsize i = 0; i < count; ++i)
        addresses.emplace_back(items[i]);
    g_free(items);
    static_cast<TSingleInstance*>(self)->Deliver(addresses);
}

void TSingleInstance::OpenFiles(GApplication*, void** files, int count, const char*, void* self) {
    std::vector<std::string> addresses;
    for (int i = 0; i < count; ++i) {
        TGCharPtr uri(g_file_get_uri(static_cast<GFile*>(files[i])));
        if (uri) addresses.push_back(uri.Str());
    }
    static_cast<TSingleInstance*>(self)->Deliver(addresses);
}

void TSingleInstance::Activate(GApplication*, void* self) {
    static_cast<TSingleInstance*>(self)->Deliver({});
}

} // namespace platform
