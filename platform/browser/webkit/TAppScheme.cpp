#include "platform/browser/webkit/TAppScheme.h"

#include <webkit2/webkit2.h>

#include <algorithm>
#include <vector>

#include "platform/glib/GlibPtr.h"

namespace platform {

namespace {

TAppScheme::THandler& Handler() {
    static TAppScheme::THandler handler;
    return handler;
}

TAppSchemeReply Answer(const std::string& uri) {
    std::string host, query;
    {
        TGErrorPtr error;
        GUri* parsed = g_uri_parse(uri.c_str(), G_URI_FLAGS_ENCODED, error.Out());
        if (!parsed) return {400, "text/plain; charset=utf-8", "bad address"};
        host = g_uri_get_host(parsed) ? g_uri_get_host(parsed) : "";
        query = g_uri_get_query(parsed) ? g_uri_get_query(parsed) : "";
        g_uri_unref(parsed);
    }
    if (!Handler()) return {404, "text/plain; charset=utf-8", "not found"};
    try {
        return Handler()(host, query);
    } catch (const std::exception& e) {
        return {500, "text/plain; charset=utf-8", e.what()};
    }
}

void OnRequest(WebKitURISchemeRequest* request, gpointer) {
    TAppSchemeReply reply = Answer(webkit_uri_scheme_request_get_uri(request));
    GBytes* bytes = g_bytes_new(reply.Body.data(), reply.Body.size());
    TGObjectPtr<GInputStream> stream(g_memory_input_stream_new_from_bytes(bytes));
    g_bytes_unref(bytes); // the stream's now
    TGObjectPtr<WebKitURISchemeResponse> response(
        webkit_uri_scheme_response_new(stream.Get(), static_cast<gint64>(reply.Body.size())));
    webkit_uri_scheme_response_set_status(response.Get(), static_cast<guint>(reply.Status),
                                          nullptr);
    webkit_uri_scheme_response_set_content_type(response.Get(), reply.ContentType.c_str());
    SoupMessageHeaders* headers = soup_message_headers_new(SOUP_MESSAGE_HEADERS_RESPONSE);
    soup_message_headers_append(headers, "Access-Control-Allow-Origin", "*");
    soup_message_headers_append(headers, "Cache-Control", "no-store");
    webkit_uri_scheme_response_set_http_headers(response.Get(), headers); // takes the headers
    webkit_uri_scheme_request_finish_with_response(request, response.Get());
}

} // namespace

void TAppScheme::Register(WebKitWebContext* context, THandler handler) {
    Handler() = std::move(handler);
    Serve(context);
}

void TAppScheme::Serve(WebKitWebContext* context) {
    static std::vector<WebKitWebContext*> served; // contexts live as long as the process
    if (std::find(served.begin(), served.end(), context) != served.end()) return;
    served.push_back(context);
    webkit_web_context_register_uri_scheme(context, Name, OnRequest, nullptr, nullptr);
    WebKitSecurityManager* security = webkit_web_context_get_security_manager(context);
    // Secure, so pages from the web may fetch it without mixed-content
    // blocks; CORS-enabled, so fetch() from a page of another scheme works.
    webkit_security_manager_register_uri_scheme_as_secure(security, Name);
    webkit_security_manager_register_uri_scheme_as_cors_enabled(security, Name);
}

} // namespace platform
