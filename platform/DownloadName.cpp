#include "platform/DownloadName.h"

#include <cstdint>

namespace platform {

namespace {

// Length of the well-formed UTF-8 sequence at `i` and its code point, or 0.
size_t DecodeAt(std::string_view text, size_t i, uint32_t& code) {
    const auto byte = [&](size_t k) { return static_cast<unsigned char>(text[k]); };
    const unsigned char lead = byte(i);
    if (lead < 0x80) {
        code = lead;
        return 1;
    }
    size_t length = 0;
    uint32_t min = 0;
    if ((lead & 0xE0) == 0xC0) {
        length = 2, code = lead & 0x1F, min = 0x80;
    } else if ((lead & 0xF0) == 0xE0) {
        length = 3, code = lead & 0x0F, min = 0x800;
    } else if ((lead & 0xF8) == 0xF0) {
        length = 4, code = lead & 0x07, min = 0x10000;
    } else {
        return 0;
    }
    if (i + length > text.size()) return 0;
    for (size_t k = 1; k < length; ++k) {
        if ((byte(i + k) & 0xC0) != 0x80) return 0;
        code = (code << 6) | (byte(i + k) & 0x3F);
    }
    if (code < min || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF)) return 0;
    return length;
}

// Controls, and the marks that reverse how the rest of a name reads (a
// "txt.exe" shown as "exe.txt").
bool IsHidden(uint32_t code) {
    return code < 0x20 || (code >= 0x7F && code <= 0x9F) || (code >= 0x202A && code <= 0x202E) ||
           (code >= 0x2066 && code <= 0x2069) || code == 0x200E || code == 0x200F ||
           code == 0x061C || code == 0xFEFF;
}

std::string_view BaseName(std::string_view name) {
    size_t slash = name.find_last_of("/\\");
    return slash == std::string_view::npos ? name : name.substr(slash + 1);
}

std::string Sanitize(std::string_view name) {
    std::string out;
    for (size_t i = 0; i < name.size();) {
        uint32_t code = 0;
        size_t length = DecodeAt(name, i, code);
        if (length == 0) {
            out += '_';
            ++i;
            continue;
        }
        if (!IsHidden(code)) out.append(name.substr(i, length));
        i += length;
    }
    return out;
}

std::string StripEnds(std::string out) {
    size_t start = out.find_first_not_of(". ");
    if (start == std::string::npos) return {};
    out.erase(0, start);
    while (!out.empty() && (out.back() == ' ' || out.back() == '.'))
        out.pop_back();
    return out;
}

// Where a cut at `limit` bytes may go without splitting a character.
size_t CharBoundary(const std::string& text, size_t limit) {
    size_t cut = std::min(limit, text.size());
    while (cut > 0 && cut < text.size() && (static_cast<unsigned char>(text[cut]) & 0xC0) == 0x80)
        --cut;
    return cut;
}

// Short extensions survive the cut: "very...long.zip" stays a zip.
std::string Shorten(const std::string& name) {
    if (name.size() <= kMaxDownloadNameBytes) return name;
    constexpr size_t kMaxExtensionBytes = 16;
    size_t dot = name.rfind('.');
    std::string extension;
    if (dot != std::string::npos && dot > 0 && name.size() - dot <= kMaxExtensionBytes)
        extension = name.substr(dot);
    std::string stem = name.substr(0, name.size() - extension.size());
    stem.resize(CharBoundary(stem, kMaxDownloadNameBytes - extension.size()));
    return StripEnds(stem + extension);
}

} // namespace

std::string CleanDownloadName(std::string_view suggested) {
    std::string name = Shorten(StripEnds(Sanitize(BaseName(suggested))));
    return name.empty() ? std::string(kDefaultDownloadName) : name;
}

std::string NumberedDownloadName(std::string_view name, int number) {
    if (number <= 0) return std::string(name);
    const std::string mark = "(" + std::to_string(number) + ")";
    size_t dot = name.rfind('.');
    if (dot == std::string_view::npos || dot == 0) return std::string(name) + mark;
    return std::string(name.substr(0, dot)) + mark + std::string(name.substr(dot));
}

} // namespace platform
