#include "tools/skins/TSkinRecipe.h"

#include <algorithm>
#include <cmath>

#include "gui/graphics/TBitmap.h"
#include "skin/TskThemeFileWriter.h"

namespace {

constexpr TColor kTransparentKey = RGB(255, 0, 255);

struct THsl {
    double H = 0, S = 0, L = 0;
};

THsl ToHsl(int r8, int g8, int b8) {
    const double r = r8 / 255.0, g = g8 / 255.0, b = b8 / 255.0;
    const double hi = std::max({r, g, b}), lo = std::min({r, g, b});
    THsl out;
    out.L = (hi + lo) / 2;
    const double d = hi - lo;
    if (d <= 0) return out;
    out.S = out.L > 0.5 ? d / (2 - hi - lo) : d / (hi + lo);
    if (hi == r) out.H = std::fmod((g - b) / d + 6, 6);
    else if (hi == g) out.H = (b - r) / d + 2;
    else out.H = (r - g) / d + 4;
    out.H *= 60;
    return out;
}

int Channel(double p, double q, double t) {
    if (t < 0) t += 1;
    if (t > 1) t -= 1;
    double v = t < 1.0 / 6 ? p + (q - p) * 6 * t : t < 0.5 ? q : t < 2.0 / 3 ? p + (q - p) * (2.0 / 3 - t) * 6 : p;
    return static_cast<int>(std::lround(std::clamp(v, 0.0, 1.0) * 255));
}

TColor FromHsl(const THsl& c) {
    if (c.S <= 0) {
        int v = static_cast<int>(std::lround(c.L * 255));
        return RGB(v, v, v);
    }
    const double q = c.L < 0.5 ? c.L * (1 + c.S) : c.L + c.S - c.L * c.S;
    const double p = 2 * c.L - q;
    const double h = c.H / 360;
    return RGB(Channel(p, q, h + 1.0 / 3), Channel(p, q, h), Channel(p, q, h - 1.0 / 3));
}

} // namespace

const std::array<TSkinRecipe, 7>& SkinRecipes() {
    static const std::array<TSkinRecipe, 7> recipes = {{
        {"msn.skn", TskUIStyle::WinXP, -1, 0.12, 0.04},
        {"Xpgreen.skn", TskUIStyle::WinXP, 100, 0.62, -0.04},
        {"Royale.skn", TskUIStyle::BlueGlass, 218, 1.1, 0.0},
        {"MacOS.skn", TskUIStyle::MacOS, -1, 1.0, 0.0},
        {"md_asgold.skn", TskUIStyle::WinXP, 40, 0.78, -0.02},
        {"mdb_summer.skn", TskUIStyle::BlueGlass, 125, 0.7, 0.0},
        {"mdd_winter.skn", TskUIStyle::DeepBlue, 205, 1.0, -0.06},
    }};
    return recipes;
}

TColor Recolor(const TSkinRecipe& recipe, TColor color) {
    if (color < 0 || (color & 0xFF000000) != 0 || color == kTransparentKey) return color;
    THsl hsl = ToHsl(GetRValue(color), GetGValue(color), GetBValue(color));
    if (recipe.Hue >= 0) hsl.H = recipe.Hue;
    hsl.S = std::clamp(hsl.S * recipe.Saturation, 0.0, 1.0);
    hsl.L = std::clamp(hsl.L + recipe.Lightness, 0.0, 1.0);
    return FromHsl(hsl);
}

void Recolor(const TSkinRecipe& recipe, TBitmap& bitmap) {
    for (int y = 0; y < bitmap.Height(); ++y) {
        uint32_t* row = bitmap.ScanLine(y);
        for (int x = 0; x < bitmap.Width(); ++x)
            row[x] = TBitmap::ToPixel(Recolor(recipe, TBitmap::FromPixel(row[x])));
    }
}

TskThemeFileWriter BuildSkin(const TSkinRecipe& recipe) {
    TskThemeFileWriter writer;
    for (int item = 1; item <= ThemeItemCount; ++item) {
        const std::string_view key = ThemeItemKey(item);
        switch (ThemeItemKind(recipe.Base, item)) {
        case TskThemeItemKind::Picture: {
            TBitmap picture;
            GetInsideThemeBitmap(recipe.Base, item, &picture, 0, 0);
            if (picture.Empty()) break;
            Recolor(recipe, picture);
            writer.AddStream(key, picture.SaveToBmp());
            break;
        }
        case TskThemeItemKind::Color:
            writer.AddInteger(key, Recolor(recipe, GetInsideThemeColor(recipe.Base, item)));
            break;
        case TskThemeItemKind::Boolean:
            writer.AddBool(key, GetInsideThemeBool(recipe.Base, item));
            break;
        case TskThemeItemKind::Integer:
            // Also the kind of an item the style has no cell for: only the
            // integer items are written as integers.
            if (key.ends_with("Int")) writer.AddInteger(key, GetInsideThemeInt(recipe.Base, item));
            break;
        }
    }
    return writer;
}
