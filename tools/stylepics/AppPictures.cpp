#include "tools/stylepics/AppPictures.h"

#include "tools/stylepics/Glyphs.h"
#include "tools/stylepics/TIconPainter.h"

namespace stylepics {

namespace {

// The toolbar and menus stand on light, warm grey.
const TRgba Ground = Rgb(236, 233, 216);

void Glyph(TPictureSet& set, const char* name, int width, int height, TIconPainter::TIcon icon,
           float size, float x, float y) {
    TBitmap& picture = set.Add(name, "APP", width, height);
    TLayer layer(width, height);
    TIconPainter(layer, x, y, size).Paint(icon);
    layer.FlattenInto(picture, 0, 0, Ground);
}

void IconStrip(TPictureSet& set, const char* name, int size, const TIconPainter::TIcon* icons,
               int count) {
    TBitmap& strip = set.Add(name, "APP", size * count, size, count);
    for (int i = 0; i < count; ++i) {
        TLayer layer(size, size);
        TIconPainter(layer, 0, 0, static_cast<float>(size)).Paint(icons[i]);
        layer.FlattenInto(strip, i * size, 0, Ground);
    }
}

// The left-pane button: a pane edge with a double chevron pointing the way
// the pane will go.
void PaneButton(TPictureSet& set, const char* name, bool show) {
    TBitmap& picture = set.Add(name, "APP", 23, 17);
    TLayer layer(23, 17);
    const TRgba ink = Rgb(40, 70, 140);
    const TDirection to = show ? TDirection::Right : TDirection::Left;
    layer.Fill(Box(4, 3, 6, 14), Rgb(120, 136, 170));
    layer.Fill(ChevronGlyph(11.5f, 8.5f, 8, 1.9f, to), ink);
    layer.Fill(ChevronGlyph(16, 8.5f, 8, 1.9f, to), ink);
    layer.FlattenInto(picture, 0, 0, Ground);
}

void ClosePageButton(TPictureSet& set) {
    TBitmap& picture = set.Add("APP_BTN_CLOSEPAGE", "APP", 23, 17);
    TLayer layer(23, 17);
    layer.Fill(CrossGlyph(11.5f, 8.5f, 9.5f, 3.4f), Rgb(120, 20, 10, 0.5f));
    layer.Fill(CrossGlyph(11.5f, 8.5f, 9, 2.4f),
               Vertical(4, 13, {{0.0f, Rgb(246, 100, 80)}, {1.0f, Rgb(190, 30, 20)}}));
    layer.FlattenInto(picture, 0, 0, Ground);
}

// Stretched over the status bar: a light edge under a dark line, then a
// soft ramp.
void StatusBar(TPictureSet& set) {
    TBitmap& picture = set.Add("APP_STATUSBAR", "APP", 16, 22);
    TLayer layer(16, 22);
    layer.Flood(Vertical(2, 21, {{0.0f, Rgb(246, 244, 236)}, {1.0f, Rgb(218, 214, 198)}}));
    layer.Fill(Box(0, 0, 16, 1), Rgb(160, 156, 140));
    layer.Fill(Box(0, 1, 16, 2), Rgb(255, 255, 255));
    layer.FlattenOpaque(picture, 0, 0, [](int, int) { return Ground; });
}

// The about window's banner, stretched over 628 x 73: a night sky over the
// sea, a sail under a few stars.
void AboutBanner(TPictureSet& set) {
    constexpr int w = 628, h = 73;
    TBitmap& picture = set.Add("APP_ABOUT_BANNER", "APP", w, h);
    TLayer layer(w, h);
    layer.Flood(Vertical(0, h, {{0.0f, Rgb(16, 42, 120)}, {0.62f, Rgb(46, 110, 200)}, {1.0f, Rgb(120, 180, 235)}}));
    layer.Fill(HalfPlaneBelow(56), Vertical(56, h, {{0.0f, Rgb(28, 84, 170)}, {1.0f, Rgb(14, 50, 120)}}));
    for (int i = 0; i < 6; ++i)
        layer.Fill(Segment({60.0f + i * 90, 60.0f + (i % 3) * 4}, {100.0f + i * 90, 60.0f + (i % 3) * 4}, 1.2f),
                   Rgb(170, 210, 245), 0.7f);
    const TPt stars[] = {{40, 14}, {118, 26}, {205, 10}, {300, 22}, {388, 12}, {470, 30}, {560, 16}, {600, 34}};
    for (const TPt& star : stars) layer.Fill(Circle(star.X, star.Y, 1.4f), Rgb(255, 250, 220));
    // The boat: a hull on the water and two sails, the larger one lit.
    layer.Fill(Polygon({{480, 52}, {552, 52}, {540, 60}, {492, 60}}), Rgb(60, 40, 30));
    layer.Fill(Segment({516, 14}, {516, 52}, 1.6f), Rgb(90, 70, 50));
    layer.Fill(Polygon({{518, 14}, {548, 48}, {518, 48}}), Vertical(14, 48, {{0.0f, Rgb(255, 255, 255)}, {1.0f, Rgb(255, 226, 150)}}));
    layer.Fill(Polygon({{514, 20}, {514, 48}, {492, 48}}), Rgb(236, 240, 250));
    layer.FlattenOpaque(picture, 0, 0, [](int, int) { return Ground; });
}

} // namespace

void PaintAppPictures(TPictureSet& set) {
    AboutBanner(set);
    using P = TIconPainter;
    Glyph(set, "APP_BTN_BACK", 24, 24, P::icBack, 24, 0, 0);
    Glyph(set, "APP_BTN_FORWARD", 24, 24, P::icForward, 24, 0, 0);
    Glyph(set, "APP_BTN_STOP", 24, 24, P::icStop, 24, 0, 0);
    Glyph(set, "APP_BTN_REFRESH", 24, 24, P::icRefresh, 24, 0, 0);
    Glyph(set, "APP_BTN_FAVORITES", 24, 24, P::icFavourite, 24, 0, 0);
    Glyph(set, "APP_BTN_WEB", 24, 24, P::icGlobe, 24, 0, 0);
    Glyph(set, "APP_BTN_CLEAR", 24, 24, P::icClear, 24, 0, 0);
    Glyph(set, "APP_BTN_FEEDBACK", 24, 24, P::icContact, 24, 0, 0);
    Glyph(set, "APP_BTN_GO", 20, 20, P::icGo, 20, 0, 0);
    Glyph(set, "APP_BTN_FIND", 20, 20, P::icFind, 20, 0, 0);
    PaneButton(set, "APP_BTN_LEFTHIDE", false);
    PaneButton(set, "APP_BTN_LEFTSHOW", true);
    Glyph(set, "APP_BTN_NEWPAGE", 23, 17, P::icNewPage, 16, 3.5f, 0.5f);
    ClosePageButton(set);
    StatusBar(set);

    P::TIcon list16[AppImageCount16];
    for (int i = 0; i < AppImageCount16; ++i)
        list16[i] = static_cast<P::TIcon>(i);
    IconStrip(set, "APP_IMAGELIST16", 16, list16, AppImageCount16);
    const P::TIcon list24[AppImageCount24] = {
        P::icBack,  P::icForward, P::icStop, P::icRefresh, P::icFavourite, P::icGlobe,
        P::icClear, P::icContact, P::icHome, P::icPrint,   P::icFind,      P::icGo};
    IconStrip(set, "APP_IMAGELIST24", 24, list24, AppImageCount24);
}

} // namespace stylepics
