#include "gui/host/gtk/TFileFilterList.h"

#include "platform/Text.h"

namespace {

std::vector<std::string_view> Split(std::string_view text, char separator) {
    std::vector<std::string_view> parts;
    size_t start = 0;
    for (;;) {
        size_t end = text.find(separator, start);
        parts.push_back(text.substr(start, end == std::string_view::npos ? end : end - start));
        if (end == std::string_view::npos) return parts;
        start = end + 1;
    }
}

bool IsAsciiLetter(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

} // namespace

std::vector<TFileFilter> TFileFilterList::Parse(std::string_view filter) {
    std::vector<TFileFilter> filters;
    std::vector<std::string_view> parts = Split(filter, '|');
    for (size_t i = 0; i + 1 < parts.size(); i += 2) {
        TFileFilter entry;
        entry.Name = std::string(parts[i]);
        for (std::string_view pattern : Split(parts[i + 1], ';')) {
            std::string trimmed = platform::Trim(pattern);
            if (!trimmed.empty()) entry.Patterns.push_back(trimmed);
        }
        if (!entry.Patterns.empty()) filters.push_back(std::move(entry));
    }
    return filters;
}

std::string TFileFilterList::CaseInsensitiveGlob(std::string_view pattern) {
    if (pattern == "*.*") return "*";
    std::string glob;
    for (char c : pattern) {
        if (IsAsciiLetter(c)) {
            char lower = static_cast<char>(c | 0x20);
            glob += '[';
            glob += lower;
            glob += static_cast<char>(lower & ~0x20);
            glob += ']';
        } else if (c == '[') {
            glob += "[[]"; // a literal bracket, not the start of a class
        } else {
            glob += c;
        }
    }
    return glob;
}
