#include "gui/graphics/TFontMapper.h"

#include <array>

#include "platform/Text.h"

namespace {

// The bitmap strikes of this face keep 12-16 px Chinese text crisp; its
// Latin strikes do not (letters touch, dots sit off centre), so ASCII text in
// these faces is drawn by the outline face of the same design instead.
constexpr const char* ChineseFamilies = "WenQuanYi Zen Hei Sharp,WenQuanYi Micro Hei,DejaVu Sans";
constexpr const char* ChineseLatinFamily = "WenQuanYi Micro Hei,DejaVu Sans";
constexpr const char* SansFamilies = "DejaVu Sans,WenQuanYi Zen Hei Sharp";
constexpr const char* SerifFamilies = "DejaVu Serif,WenQuanYi Zen Hei Sharp";
constexpr const char* MonoFamilies = "DejaVu Sans Mono,WenQuanYi Zen Hei Mono";

struct TFaceEntry {
    const char* Face;
    const char* Families;
};

constexpr std::array<TFaceEntry, 36> Faces = {{
    {"宋体", ChineseFamilies},
    {"SimSun", ChineseFamilies},
    {"新宋体", ChineseFamilies},
    {"NSimSun", ChineseFamilies},
    {"宋体-18030", ChineseFamilies},
    {"黑体", ChineseFamilies},
    {"SimHei", ChineseFamilies},
    {"微软雅黑", ChineseFamilies},
    {"Microsoft YaHei", ChineseFamilies},
    {"楷体", ChineseFamilies},
    {"楷体_GB2312", ChineseFamilies},
    {"KaiTi", ChineseFamilies},
    {"仿宋", ChineseFamilies},
    {"仿宋_GB2312", ChineseFamilies},
    {"FangSong", ChineseFamilies},
    {"隶书", ChineseFamilies},
    {"幼圆", ChineseFamilies},
    {"Tahoma", SansFamilies},
    {"Arial", SansFamilies},
    {"Verdana", SansFamilies},
    {"MS Sans Serif", SansFamilies},
    {"Microsoft Sans Serif", SansFamilies},
    {"MS Shell Dlg", SansFamilies},
    {"MS Shell Dlg 2", SansFamilies},
    {"Segoe UI", SansFamilies},
    {"System", SansFamilies},
    {"Helvetica", SansFamilies},
    {"Times New Roman", SerifFamilies},
    {"MS Serif", SerifFamilies},
    {"Georgia", SerifFamilies},
    {"Courier New", MonoFamilies},
    {"Courier", MonoFamilies},
    {"Fixedsys", MonoFamilies},
    {"Lucida Console", MonoFamilies},
    {"Consolas", MonoFamilies},
    {"Terminal", MonoFamilies},
}};

const TFaceEntry* Find(std::string_view faceName) {
    const std::string name = platform::Trim(faceName);
    for (const TFaceEntry& e : Faces)
        if (platform::SameText(name, e.Face)) return &e;
    return nullptr;
}

} // namespace

std::string TFontMapper::Families(std::string_view faceName) {
    if (const TFaceEntry* e = Find(faceName)) return e->Families;
    const std::string name = platform::Trim(faceName);
    // Unknown faces may still be installed; keep our fallbacks behind them.
    // Commas would split the list, so such names are not passed on.
    if (name.empty() || name.find(',') != std::string::npos) return SansFamilies;
    return name + "," + SansFamilies;
}

std::string TFontMapper::LatinFamily(std::string_view faceName) {
    return IsChineseFace(faceName) ? ChineseLatinFamily : "";
}

bool TFontMapper::IsChineseFace(std::string_view faceName) {
    const TFaceEntry* e = Find(faceName);
    return e && e->Families == ChineseFamilies;
}
