#include "platform/Shell.h"

#include <gio/gio.h>

#include "platform/glib/GlibPtr.h"

#include <memory>
#include <stdexcept>

namespace platform {

namespace {

// An absolute file name becomes a file: address; anything else is taken as
// an address already. "" when the name cannot be written as an address.
std::string DocumentUri(const std::string& fileOrUri) {
    if (fileOrUri.empty() || fileOrUri[0] != '/') return fileOrUri;
    TGCharPtr converted(g_filename_to_uri(fileOrUri.c_str(), nullptr, nullptr));
    return converted ? converted.Str() : std::string();
}

} // namespace

void OpenDocument(const std::string& fileOrUri) {
    const std::string uri = DocumentUri(fileOrUri);
    if (uri.empty()) throw std::runtime_error("无法打开 " + fileOrUri);
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

void OpenDocumentAsync(const std::string& fileOrUri, TOpenDone done) {
    const std::string uri = DocumentUri(fileOrUri);
    if (uri.empty()) {
        g_idle_add_once(
            [](gpointer data) {
                std::unique_ptr<TOpenDone> later(static_cast<TOpenDone*>(data));
                try {
                    if (*later) (*later)(false, "文件名无法转换为地址");
                } catch (...) {
                }
            },
            new TOpenDone(std::move(done)));
        return;
    }
    g_app_info_launch_default_for_uri_async(uri.c_str(), nullptr, nullptr, OpenFinished,
                                            new TOpenDone(std::move(done)));
}

} // namespace platform
