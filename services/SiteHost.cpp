#include "services/SiteHost.h"

#include "platform/browser/BrowserURL.h"

namespace {

// Host names are short; anything longer is not an address worth a name.
constexpr size_t kMaxHost = 253;

char Lower(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

bool IsHostChar(char c) {
    return (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '-' || c == '.' || c == '_' ||
           c == ':' || c == '[' || c == ']';
}

// The authority's host: after any "user@", before any ":port"; an IPv6
// address keeps its brackets.
std::string HostOfAuthority(std::string_view authority) {
    if (size_t at = authority.rfind('@'); at != std::string_view::npos)
        authority.remove_prefix(at + 1);
    std::string_view host = authority;
    if (!host.empty() && host.front() == '[') {
        size_t close = host.find(']');
        if (close == std::string_view::npos) return {};
        host = host.substr(0, close + 1);
    } else if (size_t colon = host.find(':'); colon != std::string_view::npos) {
        host = host.substr(0, colon);
    }
    if (host.empty() || host.size() > kMaxHost) return {};
    std::string out;
    for (char c : host) {
        char l = Lower(c);
        if (!IsHostChar(l)) return {};
        out += l;
    }
    while (!out.empty() && out.back() == '.')
        out.pop_back(); // "example.com." is example.com
    return out;
}

} // namespace

bool IsLocalPage(std::string_view url) {
    return platform::URLScheme(url) == "file";
}

std::string SiteOf(std::string_view url) {
    const std::string scheme = platform::URLScheme(url);
    if (scheme == "file") return std::string(kLocalSite);
    if (scheme != "http" && scheme != "https") return {};
    std::string_view rest = url.substr(scheme.size() + 1);
    if (rest.substr(0, 2) != "//") return {};
    rest.remove_prefix(2);
    size_t end = rest.find_first_of("/?#\\");
    return HostOfAuthority(rest.substr(0, end));
}

bool IsHostWithin(std::string_view host, std::string_view domain) {
    if (host.empty() || domain.empty()) return false;
    if (host == domain) return true;
    return host.size() > domain.size() + 1 && host.ends_with(domain) &&
           host[host.size() - domain.size() - 1] == '.';
}

std::string SiteDisplayName(std::string_view site) {
    return site == kLocalSite ? std::string("本地网页") : std::string(site);
}
