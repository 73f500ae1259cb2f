#pragma once
// The seven skin files shipped beside the program. Each is one built-in
// style's pictures and colours recoloured: every colour takes the recipe's
// hue (unless it keeps its own), its saturation scaled and its lightness
// shifted. The magenta that marks transparent pixels and the system colour
// codes pass unchanged, so the pictures keep their shapes and keys.
#include <array>
#include <cstdint>

#include "gui/Types.h"
#include "skin/SkinThemes.h"

class TBitmap;
class TskThemeFileWriter;

struct TSkinRecipe {
    const char* File;
    TskUIStyle Base;
    double Hue;        // degrees 0..360; negative keeps each colour's own hue
    double Saturation; // factor
    double Lightness;  // added, -1..1
};

const std::array<TSkinRecipe, 7>& SkinRecipes();

// The recipe's colour for `color`.
TColor Recolor(const TSkinRecipe& recipe, TColor color);
void Recolor(const TSkinRecipe& recipe, TBitmap& bitmap);
// All items the base style answers, recoloured, as a skin file's entries.
TskThemeFileWriter BuildSkin(const TSkinRecipe& recipe);
