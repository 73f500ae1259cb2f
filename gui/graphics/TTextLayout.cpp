#include "gui/graphics/TTextLayout.h"

#include "gui/graphics/TCanvas.h"
#include "gui/graphics/TTextRenderer.h"
#include "platform/Text.h"

namespace {

constexpr std::string_view Ellipsis = "...";

bool IsLead(char c) {
    return (static_cast<unsigned char>(c) & 0xC0) != 0x80;
}

size_t NextChar(std::string_view s, size_t i) {
    ++i;
    while (i < s.size() && !IsLead(s[i]))
        ++i;
    return i;
}

// Chinese text may break between any two characters.
bool IsWide(std::string_view s, size_t i) {
    const auto c = static_cast<unsigned char>(s[i]);
    if (c < 0xE0) return false;
    const unsigned cp = c < 0xF0 && i + 2 < s.size()
                            ? ((c & 0x0F) << 12) | ((s[i + 1] & 0x3F) << 6) | (s[i + 2] & 0x3F)
                            : 0x10000;
    return cp >= 0x2E80;
}

TTextLine Slice(const TTextLine& line, size_t from, size_t to) {
    TTextLine part;
    part.Text = line.Text.substr(from, to - from);
    if (line.Accel != std::string::npos && line.Accel >= from && line.Accel < to)
        part.Accel = line.Accel - from;
    return part;
}

size_t TrimRight(std::string_view s, size_t from, size_t to) {
    while (to > from && s[to - 1] == ' ')
        --to;
    return to;
}

// Places where a new line may start.
std::vector<size_t> BreakPoints(std::string_view s) {
    std::vector<size_t> points;
    for (size_t i = 0; i < s.size(); i = NextChar(s, i)) {
        const size_t next = NextChar(s, i);
        if (next >= s.size()) break;
        const bool afterSpace = s[i] == ' ' && s[next] != ' ';
        if (afterSpace || IsWide(s, i) || IsWide(s, next)) points.push_back(next);
    }
    points.push_back(s.size());
    return points;
}

std::vector<TTextLine> Wrap(const TFont& font, const TTextLine& line, int width) {
    std::vector<TTextLine> out;
    const std::string_view s = line.Text;
    const std::vector<size_t> points = BreakPoints(s);
    size_t start = 0;
    while (start < s.size()) {
        size_t end = 0;
        for (size_t p : points) {
            if (p <= start) continue;
            const size_t visible = TrimRight(s, start, p);
            if (end && TTextRenderer::TextWidth(font, s.substr(start, visible - start)) > width)
                break;
            end = p; // the first piece goes on the line even when too wide
        }
        out.push_back(Slice(line, start, TrimRight(s, start, end)));
        start = end;
        while (start < s.size() && s[start] == ' ')
            ++start;
    }
    if (out.empty()) out.push_back(line);
    return out;
}

std::vector<TTextLine> SplitLines(std::string_view text, size_t accel, bool single) {
    std::vector<TTextLine> lines(1);
    for (size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '\r' || c == '\n') {
            if (single) continue;
            if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
            lines.emplace_back();
            continue;
        }
        if (i == accel) lines.back().Accel = lines.back().Text.size();
        lines.back().Text.push_back(c);
    }
    return lines;
}

} // namespace

std::string TTextLayout::StripPrefix(std::string_view text, size_t& accel) {
    accel = std::string::npos;
    std::string out;
    out.reserve(text.size());
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '&') {
            out.push_back(text[i]);
            continue;
        }
        if (++i >= text.size()) break;
        if (text[i] != '&' && accel == std::string::npos) accel = out.size();
        out.push_back(text[i]);
    }
    return out;
}

char16_t TTextLayout::AccelChar(std::string_view text) {
    size_t accel = std::string::npos;
    std::string shown = StripPrefix(text, accel);
    if (accel == std::string::npos) return 0;
    std::u16string ch = platform::Utf8ToUtf16(shown.substr(accel, 4));
    if (ch.empty()) return 0;
    char16_t c = ch[0];
    return (c >= u'A' && c <= u'Z') ? static_cast<char16_t>(c - u'A' + u'a') : c;
}

TTextLine TTextLayout::EndEllipsis(const TFont& font, const TTextLine& line, int width) {
    std::vector<size_t> ends{0};
    for (size_t i = 0; i < line.Text.size(); i = NextChar(line.Text, i))
        if (i) ends.push_back(i);
    auto fits = [&](size_t end) {
        return TTextRenderer::TextWidth(font, line.Text.substr(0, end) + std::string(Ellipsis)) <=
               width;
    };
    size_t lo = 0, hi = ends.size(); // ends[lo] fits (or is 0); ends[hi..] do not
    while (hi - lo > 1) {
        const size_t mid = (lo + hi) / 2;
        (fits(ends[mid]) ? lo : hi) = mid;
    }
    TTextLine cut = Slice(line, 0, ends[lo]);
    cut.Text += Ellipsis;
    cut.Width = TTextRenderer::TextWidth(font, cut.Text);
    return cut;
}

std::vector<TTextLine> TTextLayout::Lines(const TFont& font, std::string_view text, unsigned flags,
                                          int width) {
    std::string clean = TTextRenderer::Clean(text);
    size_t accel = std::string::npos;
    if (!(flags & DT_NOPREFIX)) clean = StripPrefix(clean, accel);
    if (flags & DT_HIDEPREFIX) accel = std::string::npos;
    const bool single = flags & DT_SINGLELINE;
    std::vector<TTextLine> lines;
    for (TTextLine& line : SplitLines(clean, accel, single)) {
        line.Width = TTextRenderer::TextWidth(font, line.Text);
        if ((flags & DT_WORDBREAK) && !single && line.Width > width) {
            for (TTextLine& part : Wrap(font, line, width)) {
                part.Width = TTextRenderer::TextWidth(font, part.Text);
                lines.push_back(std::move(part));
            }
        } else {
            lines.push_back(std::move(line));
        }
    }
    if (flags & DT_END_ELLIPSIS)
        for (TTextLine& line : lines)
            if (line.Width > width) line = EndEllipsis(font, line, width);
    return lines;
}
