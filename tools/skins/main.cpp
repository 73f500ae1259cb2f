// Build-time tool: writes the seven skin files into a folder, or paints a
// sheet of their pictures (one row a skin) for a person to judge.
//   xf_mkskins <out-dir>
//   xf_mkskins --sheet <file.bmp>
#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "gui/graphics/TBitmap.h"
#include "skin/TskThemeFileWriter.h"
#include "tools/skins/TSkinRecipe.h"

namespace {

void WriteSkins(const std::string& folder) {
    std::filesystem::create_directories(folder);
    for (const TSkinRecipe& recipe : SkinRecipes()) {
        const std::string target = folder + "/" + recipe.File;
        const std::string partial = target + ".partial";
        BuildSkin(recipe).SaveToFile(partial);
        std::filesystem::rename(partial, target);
    }
}

void WriteSheet(const std::string& fileName) {
    constexpr int kGap = 6;
    std::vector<std::vector<std::unique_ptr<TBitmap>>> rows;
    int width = 0, height = 0;
    for (const TSkinRecipe& recipe : SkinRecipes()) {
        auto& row = rows.emplace_back();
        int rowWidth = 0, rowHeight = 0;
        for (int item = 1; item <= ThemeItemCount; ++item) {
            auto picture = std::make_unique<TBitmap>();
            GetInsideThemeBitmap(recipe.Base, item, picture.get(), 0, 0);
            if (picture->Empty()) continue;
            Recolor(recipe, *picture);
            rowWidth += picture->Width() + kGap;
            rowHeight = std::max(rowHeight, std::min(picture->Height(), 120));
            row.push_back(std::move(picture));
        }
        width = std::max(width, rowWidth);
        height += rowHeight + kGap;
    }
    TBitmap sheet;
    sheet.SetSize(width, height);
    for (int y = 0; y < height; ++y)
        std::fill_n(sheet.ScanLine(y), width, TBitmap::ToPixel(RGB(255, 255, 255)));
    int top = 0;
    for (const auto& row : rows) {
        int left = 0, rowHeight = 0;
        for (const auto& entry : row) {
            const TBitmap& picture = *entry;
            const int shown = std::min(picture.Height(), 120);
            for (int y = 0; y < shown; ++y)
                std::copy_n(picture.ScanLine(y), picture.Width(), sheet.ScanLine(top + y) + left);
            left += picture.Width() + kGap;
            rowHeight = std::max(rowHeight, shown);
        }
        top += rowHeight + kGap;
    }
    sheet.SaveToFile(fileName);
}

} // namespace

int main(int argc, char** argv) {
    const bool sheet = argc == 3 && std::string(argv[1]) == "--sheet";
    if (argc != 2 && !sheet) {
        std::fprintf(stderr, "usage: xf_mkskins <out-dir>\n       xf_mkskins --sheet <file.bmp>\n");
        return 2;
    }
    try {
        if (sheet)
            WriteSheet(argv[2]);
        else
            WriteSkins(argv[1]);
    } catch (const std::exception& error) {
        std::fprintf(stderr, "xf_mkskins: %s\n", error.what());
        return 1;
    }
    return 0;
}
