#pragma once
// Which site a page belongs to, as the remembered rights of pages name it:
// the host of a web address in lower case (without user, port or path),
// and one name shared by every local page.
#include <string>
#include <string_view>

// The site every local page (file:) shares.
inline constexpr std::string_view kLocalSite = "file://";

// The site of `url`: the lower-case host of an http(s) address, kLocalSite
// for a local page, "" for anything else (about:, data:, a bad address).
std::string SiteOf(std::string_view url);
// True for a local page of the machine (file:).
bool IsLocalPage(std::string_view url);
// True when `host` is `domain` itself or one of its subdomains; both in
// lower case, neither empty.
bool IsHostWithin(std::string_view host, std::string_view domain);
// The site as the user reads it: "本地网页" for local pages.
std::string SiteDisplayName(std::string_view site);
