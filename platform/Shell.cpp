#include "platform/Shell.h"

#include <gio/gio.h>

#include <memory>
#include <stdexcept>

namespace platform {

void OpenDocument(const std::string& fileOrUri) {
    std::string uri = fileOrUri;
    if (!fileOrUri.empty() && fileOrUri[0] == '/') {
        gchar* converted = g_filename_to_uri(fileOrUri.c_str(), nullptr, nullptr);
        if (!converted) throw std::runtime_error("无法打开 " + fileOrUri);
        uri = converted;
        g_free(converted);
    }
    GError* error = nullptr;
    if (g_app_info_launch_default_for_uri(uri.c_str(), nullptr, &error)) return;
    std::string reason = error ? error->message : "";
    if (error) g_error_free(error);
    throw std::runtime_error("无法打开 " + fileOrUri + (reason.empty() ? "" : "：" + reason));
}

namespace {

void OpenFinished(GObject*, GAsyncResult* result, gpointer data) {
    std::unique_ptr<TOpenDone> done(static_cast<TOpenDone*>(data));
    GError* error = nullptr;
    g_app_info_launch_default_for_uri_finish(result, &error);
    bool noProgram = error && (g_error_matches(error, G_IO_ERROR, G_IO_ERROR_NOT_SUPPORTED) ||
                               g_error_matches(error, G_IO_ERROR, G_IO_ERROR_NOT_FOUND));
    std::string reason = error ? (error->message && *error->message ? error->message : "未知错误") : "";
    if (error) g_error_free(error);
    try {
        if (*done) (*done)(noProgram, reason);
    } catch (...) {
    }
}

} // namespace

void OpenDocumentAsync(const std::string& uri, TOpenDone done) {
    g_app_info_launch_default_for_uri_async(uri.c_str(), nullptr, nullptr, OpenFinished,
                                            new TOpenDone(std::move(done)));
}

} // namespace platform
