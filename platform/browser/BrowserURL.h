#pragma once
// Addresses as the browser takes them: what the user typed or a program
// path becomes an absolute URL, and a page gets a file name for saving.
#include <string>
#include <string_view>

namespace platform {

inline constexpr std::string_view kBlankURL = "about:blank";

// Trims the text; empty text is the blank page; an absolute path becomes a
// file URL (its query, after the first '?', kept exactly as written); an
// address with a scheme stays as it is; anything else is taken as a web
// address and gets "http://".
std::string NormalizeURL(std::string_view text);
// "file://" + the path with every byte outside the unreserved set and '/'
// percent-encoded.
std::string FilePathToURL(std::string_view path);
// The scheme of an absolute URL in lower case ("http"), or "" when the text
// does not start with one.
std::string URLScheme(std::string_view url);
// True for an absolute address whose scheme the embedded view cannot show
// ("mailto:", "tencent://"): such links belong to the desktop's programs.
// Relative addresses and the schemes of pages and their parts are false.
bool IsExternalURL(std::string_view url);
// HTML text with &, <, >, " and ' escaped.
std::string HtmlEscape(std::string_view text);
// A name for saving the page: its title with characters that file systems
// refuse replaced, else the last part of the address path, else "index";
// always ending in ".htm" or ".html".
std::string SuggestedFileName(std::string_view title, std::string_view url);

} // namespace platform
