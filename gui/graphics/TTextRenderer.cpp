#include "gui/graphics/TTextRenderer.h"

#include <cairo.h>
#include <cmath>
#include <memory>
#include <pango/pangocairo.h>
#include <unordered_map>

#include "gui/graphics/TBitmap.h"
#include "gui/graphics/TFont.h"
#include "gui/graphics/TFontMapper.h"
#include "platform/Text.h"

namespace {

constexpr int DefaultEm = 12;
constexpr int ReferenceEm = 100;
// Shaped lines kept for reuse; a paint of a whole window draws the same
// captions again and again.
constexpr size_t LayoutCacheLimit = 2048;
// Measured once per font so that every text shares one cell and baseline.
constexpr const char* CellSample = "Ag\xE4\xB8\xAD"; // "Ag中"

struct TGObjectUnref {
    void operator()(void* object) const { g_object_unref(object); }
};
struct TFontDescriptionFree {
    void operator()(PangoFontDescription* d) const { pango_font_description_free(d); }
};
struct TCairoDestroy {
    void operator()(cairo_t* cr) const { cairo_destroy(cr); }
};
struct TSurfaceDestroy {
    void operator()(cairo_surface_t* s) const { cairo_surface_destroy(s); }
};
using TLayoutPtr = std::unique_ptr<PangoLayout, TGObjectUnref>;
using TDescriptionPtr = std::unique_ptr<PangoFontDescription, TFontDescriptionFree>;

int PixelsFloor(int units) {
    return static_cast<int>(std::floor(double(units) / PANGO_SCALE));
}
int PixelsCeil(int units) {
    return static_cast<int>(std::ceil(double(units) / PANGO_SCALE));
}
int PixelsRound(int units) {
    return static_cast<int>(std::lround(double(units) / PANGO_SCALE));
}

struct TFontEntry {
    TDescriptionPtr Description;
    std::string LatinFamily; // for runs of ASCII, when the face wants one
    TFontMetrics Metrics;
};

struct TLine {
    TLayoutPtr Layout;
    int Width = 0;
    int Baseline = 0;
};

// Per thread: Pango objects are not thread-safe.
class TPangoState {
public:
    TPangoState() {
        FFontMap.reset(pango_cairo_font_map_new());
        FContext.reset(pango_font_map_create_context(FFontMap.get()));
        cairo_font_options_t* options = cairo_font_options_create();
        cairo_font_options_set_antialias(options, CAIRO_ANTIALIAS_GRAY);
        cairo_font_options_set_hint_style(options, CAIRO_HINT_STYLE_SLIGHT);
        // Whole-pixel advances: the same text measures the same anywhere.
        cairo_font_options_set_hint_metrics(options, CAIRO_HINT_METRICS_ON);
        pango_cairo_context_set_font_options(FContext.get(), options);
        cairo_font_options_destroy(options);
        pango_context_set_language(FContext.get(), pango_language_from_string("zh-cn"));
    }

    PangoContext* Context() const { return FContext.get(); }
    std::unordered_map<std::string, TFontEntry> Fonts;
    std::unordered_map<std::string, int> CellAtReference;
    std::unordered_map<std::string, TLine> Lines;

private:
    std::unique_ptr<PangoFontMap, TGObjectUnref> FFontMap;
    std::unique_ptr<PangoContext, TGObjectUnref> FContext;
};

TPangoState& State() {
    thread_local TPangoState state;
    return state;
}

TDescriptionPtr Describe(const TFont& font, int em) {
    TDescriptionPtr d(pango_font_description_new());
    pango_font_description_set_family(d.get(), TFontMapper::Families(font.Name()).c_str());
    pango_font_description_set_weight(d.get(), font.Style().Contains(fsBold) ? PANGO_WEIGHT_BOLD
                                                                             : PANGO_WEIGHT_NORMAL);
    pango_font_description_set_style(d.get(), font.Style().Contains(fsItalic) ? PANGO_STYLE_ITALIC
                                                                              : PANGO_STYLE_NORMAL);
    pango_font_description_set_absolute_size(d.get(), double(em) * PANGO_SCALE);
    return d;
}

// What decides the glyphs: face, em size, weight and slant.
std::string FontKey(const TFont& font, int em) {
    std::string key = font.Name();
    key += '\n';
    key += std::to_string(em);
    key += font.Style().Contains(fsBold) ? 'b' : '-';
    key += font.Style().Contains(fsItalic) ? 'i' : '-';
    return key;
}

// Runs of ASCII in `latinFamily`, the rest in the description's families.
void SetLatinRuns(PangoLayout* layout, std::string_view text, const std::string& latinFamily) {
    if (latinFamily.empty()) return;
    PangoAttrList* runs = pango_attr_list_new();
    size_t i = 0;
    while (i < text.size()) {
        while (i < text.size() && static_cast<unsigned char>(text[i]) >= 0x80) ++i;
        const size_t start = i;
        while (i < text.size() && static_cast<unsigned char>(text[i]) < 0x80) ++i;
        if (i == start) continue;
        PangoAttribute* family = pango_attr_family_new(latinFamily.c_str());
        family->start_index = static_cast<guint>(start);
        family->end_index = static_cast<guint>(i);
        pango_attr_list_insert(runs, family);
    }
    pango_layout_set_attributes(layout, runs);
    pango_attr_list_unref(runs);
}

TLayoutPtr MakeLayout(const PangoFontDescription* d, const std::string& latinFamily, std::string_view text) {
    TLayoutPtr layout(pango_layout_new(State().Context()));
    pango_layout_set_font_description(layout.get(), d);
    pango_layout_set_single_paragraph_mode(layout.get(), TRUE);
    pango_layout_set_text(layout.get(), text.data(), static_cast<int>(text.size()));
    SetLatinRuns(layout.get(), text, latinFamily);
    return layout;
}

TFontMetrics MeasureMetrics(const PangoFontDescription* d, const std::string& latinFamily) {
    TLayoutPtr layout = MakeLayout(d, latinFamily, CellSample);
    PangoRectangle logical;
    pango_layout_get_extents(layout.get(), nullptr, &logical);
    TFontMetrics m;
    m.Ascent = PixelsRound(pango_layout_get_baseline(layout.get()));
    m.Height = std::max(PixelsCeil(logical.height), m.Ascent + 1);
    m.Descent = m.Height - m.Ascent;
    PangoFontMetrics* fm = pango_context_get_metrics(State().Context(), d, nullptr);
    m.LineThickness = std::max(1, PixelsRound(pango_font_metrics_get_underline_thickness(fm)));
    m.UnderlineTop = std::clamp(PixelsRound(-pango_font_metrics_get_underline_position(fm)), 1,
                                std::max(1, m.Descent - m.LineThickness));
    m.StrikeTop = std::max(1, PixelsRound(pango_font_metrics_get_strikethrough_position(fm)));
    pango_font_metrics_unref(fm);
    return m;
}

const TFontEntry& EntryFor(const TFont& font, std::string& key) {
    const int em = TTextRenderer::EmPixels(font);
    key = FontKey(font, em);
    auto& fonts = State().Fonts;
    auto it = fonts.find(key);
    if (it == fonts.end()) {
        TFontEntry entry{Describe(font, em), TFontMapper::LatinFamily(font.Name()), {}};
        entry.Metrics = MeasureMetrics(entry.Description.get(), entry.LatinFamily);
        it = fonts.emplace(key, std::move(entry)).first;
    }
    return it->second;
}

// The shaped line for already clean text.
const TLine& LineFor(const TFont& font, std::string_view text) {
    std::string key;
    const TFontEntry& entry = EntryFor(font, key);
    key += '\n';
    key.append(text);
    auto& lines = State().Lines;
    if (auto it = lines.find(key); it != lines.end()) return it->second;
    if (lines.size() >= LayoutCacheLimit) lines.clear();
    TLine line{MakeLayout(entry.Description.get(), entry.LatinFamily, text), 0, 0};
    PangoRectangle logical;
    pango_layout_get_extents(line.Layout.get(), nullptr, &logical);
    line.Width = PixelsCeil(logical.x + logical.width) - PixelsFloor(logical.x);
    line.Baseline = PixelsRound(pango_layout_get_baseline(line.Layout.get()));
    return lines.emplace(std::move(key), std::move(line)).first->second;
}

} // namespace

std::string TTextRenderer::Clean(std::string_view text) {
    std::string clean = platform::IsValidUtf8(text)
                            ? std::string(text)
                            : platform::Utf16ToUtf8(platform::Utf8ToUtf16(text));
    std::erase(clean, '\0');
    return clean;
}

namespace {
double TextScale = 1;
} // namespace

void TTextRenderer::SetResolution(double dpi) {
    TextScale = dpi > 0 ? std::clamp(dpi / ReferenceDpi, 0.25, 8.0) : 1;
}

int TTextRenderer::EmPixels(const TFont& font) {
    const int em = UnscaledEmPixels(font);
    if (TextScale == 1) return em;
    return std::max(1, static_cast<int>(std::lround(em * TextScale)));
}

int TTextRenderer::UnscaledEmPixels(const TFont& font) {
    const int height = font.Height();
    if (height < 0) return -height;
    if (height == 0) return DefaultEm;
    // A cell height: find the em whose cell is that tall.
    const std::string key = FontKey(font, ReferenceEm);
    auto& cache = State().CellAtReference;
    auto it = cache.find(key);
    if (it == cache.end())
        it = cache.emplace(key, MeasureMetrics(Describe(font, ReferenceEm).get(),
                                               TFontMapper::LatinFamily(font.Name()))
                                    .Height)
                 .first;
    return std::max(1, static_cast<int>(std::lround(double(height) * ReferenceEm / it->second)));
}

TFontMetrics TTextRenderer::Metrics(const TFont& font) {
    std::string key;
    return EntryFor(font, key).Metrics;
}

int TTextRenderer::TextWidth(const TFont& font, std::string_view text) {
    if (text.empty()) return 0;
    return LineFor(font, Clean(text)).Width;
}

TSpan TTextRenderer::CharSpan(const TFont& font, std::string_view text, size_t index) {
    const std::string clean = Clean(text);
    if (index >= clean.size() || clean != text) return {};
    PangoRectangle pos;
    pango_layout_index_to_pos(LineFor(font, clean).Layout.get(), static_cast<int>(index), &pos);
    const int a = pos.x, b = pos.x + pos.width;
    return {PixelsFloor(std::min(a, b)), PixelsCeil(std::max(a, b))};
}

void TTextRenderer::Draw(TBitmap& target, std::span<const TRect> clip, int x, int y,
                         const TFont& font, std::string_view text) {
    if (target.Empty() || clip.empty() || text.empty()) return;
    const TFontMetrics metrics = Metrics(font);
    const TLine& line = LineFor(font, Clean(text));
    std::unique_ptr<cairo_surface_t, TSurfaceDestroy> surface(cairo_image_surface_create_for_data(
        reinterpret_cast<unsigned char*>(target.Bits()), CAIRO_FORMAT_RGB24, target.DeviceWidth(),
        target.DeviceHeight(), target.Stride()));
    // On a HiDPI buffer the glyphs are drawn at the device resolution.
    if (target.Scale() != 1)
        cairo_surface_set_device_scale(surface.get(), target.Scale(), target.Scale());
    {
        std::unique_ptr<cairo_t, TCairoDestroy> cr(cairo_create(surface.get()));
        for (const TRect& r : clip)
            cairo_rectangle(cr.get(), r.Left, r.Top, r.Width(), r.Height());
        cairo_clip(cr.get());
        const TColor color = ColorToRGB(font.Color());
        cairo_set_source_rgb(cr.get(), GetRValue(color) / 255.0, GetGValue(color) / 255.0,
                             GetBValue(color) / 255.0);
        cairo_move_to(cr.get(), x, y + metrics.Ascent - line.Baseline);
        pango_cairo_show_layout(cr.get(), line.Layout.get());
    }
    cairo_surface_flush(surface.get());
}
