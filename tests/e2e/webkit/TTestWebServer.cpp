#include "TTestWebServer.h"

#include <gtest/gtest.h>

namespace e2e {

TTestWebServer::TTestWebServer() {
    FServer = soup_server_new(nullptr, nullptr);
    soup_server_add_handler(FServer, nullptr, OnRequest, this, nullptr);
    GError* error = nullptr;
    if (!soup_server_listen_local(FServer, 0, SOUP_SERVER_LISTEN_IPV4_ONLY, &error)) {
        ADD_FAILURE() << "the test web server cannot listen: " << (error ? error->message : "");
        if (error) g_error_free(error);
        return;
    }
    GSList* uris = soup_server_get_uris(FServer);
    if (uris) FPort = g_uri_get_port(static_cast<GUri*>(uris->data));
    g_slist_free_full(uris, reinterpret_cast<GDestroyNotify>(g_uri_unref));
}

TTestWebServer::~TTestWebServer() {
    soup_server_disconnect(FServer);
    g_object_unref(FServer);
}

void TTestWebServer::Add(const std::string& path, const std::string& body, const std::string& type,
                         int delayMs) {
    FPages[path] = TPage{body, type, delayMs};
}

std::string TTestWebServer::URL(const std::string& path) const {
    return "http://127.0.0.1:" + std::to_string(FPort) + path;
}

void TTestWebServer::OnRequest(SoupServer*, SoupServerMessage* message, const char* path,
                               GHashTable*, gpointer data) {
    auto* self = static_cast<TTestWebServer*>(data);
    GUri* uri = soup_server_message_get_uri(message);
    const char* query = g_uri_get_query(uri);
    self->FRequests.push_back(std::string(path) + (query ? std::string("?") + query : ""));
    auto it = self->FPages.find(path);
    if (it == self->FPages.end()) {
        soup_server_message_set_status(message, 404, nullptr);
        return;
    }
    const TPage& page = it->second;
    soup_server_message_set_status(message, 200, nullptr);
    soup_server_message_set_response(message, page.Type.c_str(), SOUP_MEMORY_COPY,
                                     page.Body.data(), page.Body.size());
    if (page.DelayMs <= 0) return;
    soup_server_message_pause(message);
    g_object_ref(message);
    g_timeout_add(static_cast<guint>(page.DelayMs), [](gpointer held) -> gboolean {
        auto* delayed = static_cast<SoupServerMessage*>(held);
        soup_server_message_unpause(delayed);
        g_object_unref(delayed);
        return G_SOURCE_REMOVE;
    }, message);
}

} // namespace e2e
