#include "platform/browser/ErrorPage.h"

#include "platform/browser/BrowserURL.h"

namespace platform {

std::string ErrorPageHTML(std::string_view url, std::string_view reason) {
    std::string html = "<!DOCTYPE html>\n<html><head><meta charset=\"utf-8\"><title>";
    html += kErrorPageTitle;
    html += "</title></head>\n<body style=\"font-family:sans-serif;margin:2em\">\n<h2>";
    html += kErrorPageTitle;
    html += "</h2>\n<p>" + HtmlEscape(reason) + "</p>\n<p>";
    html += HtmlEscape(url);
    html += "</p>\n<p>请按“刷新”重新打开这个网页。</p>\n</body></html>\n";
    return html;
}

} // namespace platform
