#pragma once
// Pango and Cairo behind the canvas: measuring and drawing one line of text
// in a TFont onto a bitmap's pixels. One font map and context per thread;
// metrics and widths are cached so that measuring the same text always
// gives the same answer, quickly.
#include <span>
#include <string>
#include <string_view>

#include "gui/Types.h"
#include "gui/graphics/TShapeRaster.h"

class TBitmap;
class TFont;

struct TFontMetrics {
    int Ascent = 0;       // cell top to baseline
    int Descent = 0;      // baseline to cell bottom
    int Height = 0;       // the cell: Ascent + Descent
    int UnderlineTop = 1; // rows below the baseline
    int LineThickness = 1;
    int StrikeTop = 0; // rows above the baseline
};

class TTextRenderer {
public:
    // The same for every text in the font: the cell holds Latin and Chinese
    // glyphs, and every text's baseline sits at Ascent.
    static TFontMetrics Metrics(const TFont& font);
    static int TextWidth(const TFont& font, std::string_view text);
    // Pixels covered by the character starting at byte `index`, from the
    // text's left edge.
    static TSpan CharSpan(const TFont& font, std::string_view text, size_t index);
    // Draws the glyphs of one line with the cell's top-left at device (x, y),
    // inside `clip` (device rectangles), in the font's colour.
    static void Draw(TBitmap& target, std::span<const TRect> clip, int x, int y, const TFont& font,
                     std::string_view text);
    // The em height in pixels a font asks for, at the screen's resolution.
    static int EmPixels(const TFont& font);
    // The screen's font resolution (dots per inch, GDK_DPI_SCALE included):
    // font sizes are made for ReferenceDpi and grow or shrink with it. 0 or
    // less: the reference.
    static constexpr double ReferenceDpi = 96;
    static void SetResolution(double dpi);
    // Text Pango accepts: invalid UTF-8 becomes U+FFFD, NUL bytes go.
    static std::string Clean(std::string_view text);

private:
    static int UnscaledEmPixels(const TFont& font);
};
