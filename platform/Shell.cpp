#include "platform/Shell.h"

#include <gio/gio.h>

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

} // namespace platform
