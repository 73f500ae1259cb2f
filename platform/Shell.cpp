#include "platform/Shell.h"

#include <gio/gio.h>

#include "platform/glib/GlibPtr.h"

#include <memory>
#include <stdexcept>

namespace platform {

void OpenDocument(const std::string& fileOrUri) {
    std::string uri = fileOrUri;
    if (!fileOrUri.empty() && fileOrUri[0] == '/') {
        TGCharPtr converted(g_filename_to_uri(fileOrUri.c_str(), nullptr, nullptr));
        if (!converted) throw std::runtime_error("无法打开 " + fileOrUri);
        uri = converted.Str();
    }
    TGErrorPtr error;
    if (g_app_info_launch_default_for_uri(uri.c_str(), nullptr, error.Out())) return;
    std::string reason = error.Message();
    throw std::runtime_error("无法打开 " + fileOrUri + (reason.empty() ? "" : "：" + reason));
}

namespace {

void OpenFinished(GObject*, GAsyncResult* result, gpointer data) {
    std::unique_ptr<TOpenDone> done(static_cast<TOpenDone*>(data));
    TGErrorPtr error;
    g_app_info_launch_default_for_uri_finish(result, error.Out());
    bool noProgram =
        error && (g_error_matches(error.Get(), G_IO_ERROR, G_IO_ERROR_NOT_SUPPORTED) ||
                  g_error_matches(error.Get(), G_IO_ERROR, G_IO_ERROR_NOT_FOUND));
    std::string reason = error ? error.Message() : "";
    if (error && reason.empty()) reason = "未知错误";
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
