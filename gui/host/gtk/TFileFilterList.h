#pragma once
// The open/save dialog's filter string, "Name|*.a;*.b|Other|*.c": pairs of
// a display name and a semicolon-separated pattern list.
#include <string>
#include <string_view>
#include <vector>

struct TFileFilter {
    std::string Name;
    std::vector<std::string> Patterns;
};

class TFileFilterList {
public:
    // Names without any pattern (a trailing "Name|" or "Name") are dropped;
    // blanks around patterns go.
    static std::vector<TFileFilter> Parse(std::string_view filter);
    // A glob that matches file names regardless of ASCII case, as the
    // platform's patterns do: "*.htm" -> "*.[hH][tT][mM]". "*.*" means
    // every file there, with or without a dot.
    static std::string CaseInsensitiveGlob(std::string_view pattern);
};
