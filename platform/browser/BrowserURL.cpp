#include "platform/browser/BrowserURL.h"

#include <array>

#include "platform/Text.h"

namespace platform {

namespace {

// Schemes that never take "//" after the colon but are still absolute.
constexpr std::array kOpaqueSchemes = {"about", "javascript",  "mailto", "data", "file",
                                       "blob",  "view-source", "tel",    "news"};

// What the view loads itself: pages, local files, inline and script
// addresses, and the view's own resources.
constexpr std::array kEngineSchemes = {"http", "https",      "file",    "about", "data",
                                       "blob", "javascript", "resource"};

bool IsSchemeChar(char c, bool first) {
    bool alpha = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
    if (first) return alpha;
    return alpha || (c >= '0' && c <= '9') || c == '+' || c == '-' || c == '.';
}

bool IsUnreserved(unsigned char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '-' ||
           c == '.' || c == '_' || c == '~';
}

bool HasAbsoluteScheme(std::string_view text) {
    std::string scheme = URLScheme(text);
    if (scheme.empty()) return false;
    std::string_view rest = text.substr(scheme.size() + 1);
    if (rest.starts_with("//")) return true;
    for (const char* known : kOpaqueSchemes)
        if (scheme == known) return true;
    return false;
}

bool IsRefusedInFileName(unsigned char c) {
    return c < 0x20 || c == 0x7F || c == '/' || c == '\\' || c == ':' || c == '*' || c == '?' ||
           c == '"' || c == '<' || c == '>' || c == '|';
}

std::string CleanFileName(std::string_view name) {
    std::string out;
    for (char c : name)
        out += IsRefusedInFileName(static_cast<unsigned char>(c)) ? '_' : c;
    out = Trim(out);
    while (!out.empty() && out.back() == '.')
        out.pop_back();
    // Keep names short enough for every file system, never splitting a
    // multi-byte character.
    constexpr size_t kMaxBytes = 120;
    if (out.size() > kMaxBytes) {
        size_t cut = kMaxBytes;
        while (cut > 0 && (static_cast<unsigned char>(out[cut]) & 0xC0) == 0x80)
            --cut;
        out.resize(cut);
    }
    return out;
}

std::string LastPathSegment(std::string_view url) {
    size_t start = url.find("://");
    start = start == std::string_view::npos ? 0 : start + 3;
    size_t end = url.find_first_of("?#", start);
    std::string_view path =
        url.substr(start, end == std::string_view::npos ? url.npos : end - start);
    size_t slash = path.find('/');
    if (slash == std::string_view::npos) return "";
    path = path.substr(slash);
    size_t last = path.find_last_of('/');
    return std::string(path.substr(last + 1));
}

// Blanks and control characters (pasted line ends) around an address.
std::string TrimAddress(std::string_view text) {
    auto blank = [](char c) { return static_cast<unsigned char>(c) <= 0x20; };
    size_t begin = 0, end = text.size();
    while (begin < end && blank(text[begin]))
        ++begin;
    while (end > begin && blank(text[end - 1]))
        --end;
    return std::string(text.substr(begin, end - begin));
}

} // namespace

std::string URLScheme(std::string_view url) {
    size_t colon = url.find(':');
    if (colon == std::string_view::npos || colon == 0) return "";
    for (size_t i = 0; i < colon; ++i)
        if (!IsSchemeChar(url[i], i == 0)) return "";
    return AsciiLower(url.substr(0, colon));
}

std::string FilePathToURL(std::string_view path) {
    static const char* hex = "0123456789ABCDEF";
    std::string out = "file://";
    for (char ch : path) {
        auto c = static_cast<unsigned char>(ch);
        if (IsUnreserved(c) || c == '/') {
            out += ch;
        } else {
            out += '%';
            out += hex[c >> 4];
            out += hex[c & 15];
        }
    }
    return out;
}

std::string NormalizeURL(std::string_view text) {
    std::string url = TrimAddress(text);
    if (url.empty()) return std::string(kBlankURL);
    if (url.front() == '/') {
        size_t query = url.find('?');
        std::string out = FilePathToURL(std::string_view(url).substr(0, query));
        if (query != std::string::npos) out += url.substr(query);
        return out;
    }
    if (HasAbsoluteScheme(url)) return url;
    return "http://" + url;
}

std::string HtmlEscape(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (char c : text) {
        switch (c) {
        case '&':
            out += "&amp;";
            break;
        case '<':
            out += "&lt;";
            break;
        case '>':
            out += "&gt;";
            break;
        case '"':
            out += "&quot;";
            break;
        case '\'':
            out += "&#39;";
            break;
        case '\r':
            out += "&#13;";
            break;
        case '\n':
            out += "&#10;";
            break;
        default:
            out += c;
        }
    }
    return out;
}

std::string SuggestedFileName(std::string_view title, std::string_view url) {
    std::string name = title == url ? "" : CleanFileName(title);
    if (name.empty()) name = CleanFileName(LastPathSegment(url));
    if (name.empty()) name = "index";
    std::string lower = AsciiLower(name);
    if (lower.ends_with(".htm") || lower.ends_with(".html")) return name;
    return name + ".htm";
}

bool IsExternalURL(std::string_view url) {
    std::string scheme = URLScheme(url);
    if (scheme.empty()) return false;
    for (const char* known : kEngineSchemes)
        if (scheme == known) return false;
    return true;
}

} // namespace platform
