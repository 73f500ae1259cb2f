#include "skin/SkinThemes.h"

#include <array>

#include "gui/graphics/TBitmap.h"
#include "gui/graphics/TPicture.h"
#include "platform/Resources.h"
#include "skin/SkinPublic.h"
#include "skin/TskFileTheme.h"

namespace {

// A picture cell holds a resource name, every other cell a value.
struct TThemeCell {
    int32_t Value;
    const char* Picture;
};

constexpr TThemeCell Pic(const char* name) {
    return {0, name};
}
constexpr TThemeCell Int(int32_t value) {
    return {value, nullptr};
}
constexpr TThemeCell Bool(bool value) {
    return {value ? 1 : 0, nullptr};
}
constexpr TThemeCell Rgb(int r, int g, int b) {
    return {RGB(r, g, b), nullptr};
}

constexpr std::array<std::string_view, ThemeItemCount> ItemKeys = {
    "ButtonImage",
    "ButtonTransparentBool",
    "CheckBoxImage",
    "RadioButtonImage",
    "TitleBarButtonImage",
    "TitleBarButtonTransparentBool",
    "TitleBarButtonLeftOffsetInt",
    "TitleBarButtonRightOffsetInt",
    "TitleBarButtonTopInt",
    "TitleBarLeftImage",
    "TitleBarClientImage",
    "TitleBarRightImage",
    "FormMinWidthInt",
    "FormRoundCornerInt",
    "FormBackgroundColor",
    "FormBorderColor",
    "FormBorderWidthInt",
    "MenuSelectedBorderColor",
    "MenuSelectedBackgroundColor",
    "MenuSelectedFontColor",
    "MenuBackgroundColor",
    "MenuFontColor",
    "MenuBarColor",
    "ProgressBarImage",
    "ControlBorderColor",
    "ControlBackgroundColor",
    "ControlFontColor",
    "TrackBarBarImage",
    "TrackBarSliderImage",
    "TrackBarSliderVImage",
    "ScrollBarBackgroundColor",
    "ScrollBarButtonImage",
    "ScrollBarSliderImage",
    "CheckListBoxImage",
    "ToolBarButtonBorderColor",
    "ToolBarButtonBackgroundColor",
    "ToolBarButtonDownBackgroundColor",
    "ScrollButtonImage",
    "TabControlTabImage",
    "TabControlBarImage",
    "SideChannelHandleImage",
    "SideChannelBarImage",
};

// 0 integer, 1 colour, 2 picture, 3 boolean.
constexpr uint8_t KindTable[ThemeItemCount] = {
    2, 3, 2, 2, 2, 3, 0, 0, 0, 2, 2, 2, 0, 0, 1, 1, 0, 1, 1, 1, 1,
    1, 1, 2, 1, 1, 1, 2, 2, 2, 1, 2, 2, 2, 1, 1, 1, 2, 2, 2, 2, 2,
};

// clang-format off
constexpr TThemeCell MacOSTable[ThemeItemCount] = {
    Pic("MACOS_BUTTON"), Bool(true), Pic("MACOS_CHECKBOX"), // 1-3
    Pic("MACOS_RADIOBUTTON"), Pic("MACOS_TITLEBTN"), Bool(false), // 4-6
    Int(3), Int(-2), Int(4), // 7-9
    Pic("MACOS_TITLE_LEFT"), Pic("MACOS_TITLE_CLIENT"), Pic("MACOS_TITLE_RIGHT"), // 10-12
    Int(130), Int(0), Rgb(231,231,231), // 13-15
    Rgb(127,127,127), Int(1), Rgb(57,115,196), // 16-18
    Rgb(57,115,196), Rgb(255,255,255), Rgb(0,0,0), // 19-21
    Rgb(0,0,0), Rgb(0,0,0), Pic("MACOS_PROGRESSBAR"), // 22-24
    Rgb(127,127,127), Rgb(231,231,231), Rgb(0,0,0), // 25-27
    Pic("MACOS_TRACKBAR_BAR"), Pic("MACOS_TRACKBAR_SLIDER"), Pic("MACOS_TRACKBAR_SLIDER_V"), // 28-30
    Rgb(201,201,201), Pic("MACOS_SCROLLBAR_BUTTON"), Pic("MACOS_SCROLLBAR_TRACK"), // 31-33
    Pic("MACOS_CHECKLIST"), Rgb(71,71,71), Rgb(239,239,239), // 34-36
    Rgb(216,216,216), Pic("MACOS_SCROLLBUTTON"), Pic("MACOS_TAB"), // 37-39
    Pic("MACOS_TAB_LINE"), Pic("MACOS_SIDECHENNEL_HANDLE"), Pic("MACOS_SIDECHENNEL_BAR"), // 40-42
};

constexpr TThemeCell WinXPTable[ThemeItemCount] = {
    Pic("WINXP_BUTTON"), Bool(false), Pic("WINXP_CHECKBOX"), // 1-3
    Pic("WINXP_RADIOBUTTON"), Pic("WINXP_TITLEBTN"), Bool(false), // 4-6
    Int(2), Int(-2), Int(5), // 7-9
    Pic("WINXP_TITLE_LEFT"), Pic("WINXP_TITLE_CLIENT"), Pic("WINXP_TITLE_RIGHT"), // 10-12
    Int(150), Int(13), Rgb(239,235,222), // 13-15
    Rgb(0,44,200), Int(3), Rgb(49,105,198), // 16-18
    Rgb(198,211,239), Rgb(0,0,0), Rgb(255,255,255), // 19-21
    Rgb(0,0,0), Rgb(214,211,206), Pic("WINXP_PROGRESSBAR"), // 22-24
    Rgb(104,104,104), Rgb(239,235,222), Rgb(2,70,207), // 25-27
    Pic("WINXP_TRACKBAR_BAR"), Pic("WINXP_TRACKBAR_SLIDER"), Pic("WINXP_TRACKBAR_SLIDER_V"), // 28-30
    Rgb(249,249,249), Pic("WINXP_SCROLLBAR_BUTTON"), Pic("WINXP_SCROLLBAR_TRACK"), // 31-33
    Pic("WINXP_CHECKLIST"), Rgb(49,105,198), Rgb(198,211,239), // 34-36
    Rgb(147,172,225), Pic("WINXP_SCROLLBUTTON"), Pic("WINXP_TAB"), // 37-39
    Pic("WINXP_TAB_LINE"), Pic("WINXP_SIDECHENNEL_HANDLE"), Pic("WINXP_SIDECHENNEL_BAR"), // 40-42
};

constexpr TThemeCell DeepBlueTable[ThemeItemCount] = {
    Pic("DEEPBLUE_BUTTON"), Bool(false), Pic("DEEPBLUE_CHECKBOX"), // 1-3
    Pic("DEEPBLUE_RADIOBUTTON"), Pic("DEEPBLUE_TITLEBTN"), Bool(false), // 4-6
    Int(0), Int(0), Int(2), // 7-9
    Pic("DEEPBLUE_TITLE_LEFT"), Pic("DEEPBLUE_TITLE_CLIENT"), Pic("DEEPBLUE_TITLE_RIGHT"), // 10-12
    Int(130), Int(0), Rgb(232,232,232), // 13-15
    Rgb(0,0,0), Int(1), Rgb(68,74,160), // 16-18
    Rgb(68,74,160), Rgb(255,255,255), Rgb(255,255,255), // 19-21
    Rgb(0,0,0), Rgb(214,211,206), Pic("DEEPBLUE_PROGRESSBAR"), // 22-24
    Rgb(0,0,0), Rgb(232,232,232), Rgb(0,0,0), // 25-27
    Pic("DEEPBLUE_TRACKBAR_BAR"), Pic("DEEPBLUE_TRACKBAR_SLIDER"), Pic("DEEPBLUE_TRACKBAR_SLIDER_V"), // 28-30
    Rgb(245,245,245), Pic("DEEPBLUE_SCROLLBAR_BUTTON"), Pic("DEEPBLUE_SCROLLBAR_TRACK"), // 31-33
    Pic("DEEPBLUE_CHECKLIST"), Rgb(71,71,71), Rgb(239,239,239), // 34-36
    Rgb(216,216,216), Pic("MORE_SCROLLBUTTON"), Pic("DEEPBLUE_TAB"), // 37-39
    Pic("DEEPBLUE_TAB_LINE"), Pic("DEEPBLUE_SIDECHENNEL_HANDLE"), Pic("DEEPBLUE_SIDECHENNEL_BAR"), // 40-42
};

constexpr TThemeCell ProteinTable[ThemeItemCount] = {
    Pic("PROTEIN_BUTTON"), Bool(false), Pic("PROTEIN_CHECKBOX"), // 1-3
    Pic("PROTEIN_RADIOBUTTON"), Pic("PROTEIN_TITLEBTN"), Bool(true), // 4-6
    Int(0), Int(0), Int(2), // 7-9
    Pic("PROTEIN_TITLE_LEFT"), Pic("PROTEIN_TITLE_CLIENT"), Pic("PROTEIN_TITLE_RIGHT"), // 10-12
    Int(130), Int(0), Rgb(251,251,251), // 13-15
    Rgb(0,0,0), Int(1), Rgb(45,48,196), // 16-18
    Rgb(45,48,196), Rgb(255,255,255), Rgb(255,255,255), // 19-21
    Rgb(0,0,0), Rgb(214,211,206), Pic("PROTEIN_PROGRESSBAR"), // 22-24
    Rgb(0,0,0), Rgb(251,251,251), Rgb(0,0,0), // 25-27
    Pic("PROTEIN_TRACKBAR_BAR"), Pic("PROTEIN_TRACKBAR_SLIDER"), Pic("PROTEIN_TRACKBAR_SLIDER_V"), // 28-30
    Rgb(245,245,245), Pic("PROTEIN_SCROLLBAR_BUTTON"), Pic("PROTEIN_SCROLLBAR_TRACK"), // 31-33
    Pic("PROTEIN_CHECKLIST"), Rgb(71,71,71), Rgb(239,239,239), // 34-36
    Rgb(216,216,216), Pic("MORE_SCROLLBUTTON"), Pic("PROTEIN_TAB"), // 37-39
    Pic("PROTEIN_TAB_LINE"), Pic("PROTEIN_SIDECHENNEL_HANDLE"), Pic("PROTEIN_SIDECHENNEL_BAR"), // 40-42
};

constexpr TThemeCell BlueGlassTable[ThemeItemCount] = {
    Pic("BLUEGLASS_BUTTON"), Bool(true), Pic("BLUEGLASS_CHECKBOX"), // 1-3
    Pic("BLUEGLASS_RADIOBUTTON"), Pic("BLUEGLASS_TITLEBTN"), Bool(true), // 4-6
    Int(4), Int(-3), Int(6), // 7-9
    Pic("BLUEGLASS_TITLE_LEFT"), Pic("BLUEGLASS_TITLE_CLIENT"), Pic("BLUEGLASS_TITLE_RIGHT"), // 10-12
    Int(270), Int(11), Rgb(231,231,231), // 13-15
    Rgb(0,0,0), Int(1), Rgb(94,94,236), // 16-18
    Rgb(94,94,236), Rgb(255,255,255), Rgb(231,231,231), // 19-21
    Rgb(0,0,0), Rgb(214,211,206), Pic("BLUEGLASS_PROGRESSBAR"), // 22-24
    Rgb(0,0,0), Rgb(231,231,231), Rgb(0,0,0), // 25-27
    Pic("BLUEGLASS_TRACKBAR_BAR"), Pic("BLUEGLASS_TRACKBAR_SLIDER"), Pic("BLUEGLASS_TRACKBAR_SLIDER_V"), // 28-30
    Rgb(244,244,244), Pic("BLUEGLASS_SCROLLBAR_BUTTON"), Pic("BLUEGLASS_SCROLLBAR_TRACK"), // 31-33
    Pic("BLUEGLASS_CHECKLIST"), Rgb(71,71,71), Rgb(239,239,239), // 34-36
    Rgb(216,216,216), Pic("MORE_SCROLLBUTTON"), Pic("BLUEGLASS_TAB"), // 37-39
    Pic("BLUEGLASS_TAB_LINE"), Pic("BLUEGLASS_SIDECHENNEL_HANDLE"), Pic("BLUEGLASS_SIDECHENNEL_BAR"), // 40-42
};

// clang-format on

constexpr const TThemeCell* StyleTables[] = {MacOSTable, WinXPTable, DeepBlueTable, ProteinTable,
                                             BlueGlassTable};

bool ValidItem(int item) {
    return item >= 1 && item <= ThemeItemCount;
}

// The table of a built-in style, or nullptr for a style that has none.
const TThemeCell* TableOf(TskUIStyle style) {
    const int value = static_cast<uint8_t>(style) % 128;
    if (value < 1 || value > 5) return nullptr;
    return StyleTables[value - 1];
}

const TThemeCell* CellOf(TskUIStyle style, int item) {
    const TThemeCell* table = TableOf(style);
    if (!table || !ValidItem(item)) return nullptr;
    return &table[item - 1];
}

// Decodes the resource (and cuts out one frame) into a scratch bitmap, so
// that a failure leaves the caller's picture as it was.
bool LoadInsideBitmap(TskUIStyle style, int item, TBitmap& out, int index, int count) {
    std::string_view name = InsideThemePictureName(style, item);
    if (name.empty()) return false;
    TBitmap loaded;
    if (!LoadResourceBitmap(name, loaded)) return false;
    if (count == 0) {
        out.Swap(loaded);
        return true;
    }
    if (count < 0) return false;
    SplitBitmap(loaded, out, count, index);
    return true;
}

} // namespace

const TEnumTable& UIStyleNames() {
    static const TEnumTable names = {{"FromThemeFile", 0}, {"MacOS", 1},   {"WinXP", 2},
                                     {"DeepBlue", 3},      {"Protein", 4}, {"BlueGlass", 5}};
    return names;
}

std::string_view ThemeItemKey(int item) {
    return ValidItem(item) ? ItemKeys[static_cast<size_t>(item - 1)] : std::string_view();
}

TskThemeItemKind ThemeItemKind(TskUIStyle style, int item) {
    if (!CellOf(style, item)) return TskThemeItemKind::Integer;
    return static_cast<TskThemeItemKind>(KindTable[item - 1]);
}

std::string_view InsideThemePictureName(TskUIStyle style, int item) {
    if (ThemeItemKind(style, item) != TskThemeItemKind::Picture) return {};
    return CellOf(style, item)->Picture;
}

bool LoadResourceBitmap(std::string_view name, TBitmap& bitmap) {
    auto bytes = platform::FindResource(name);
    if (!bytes) return false;
    TBitmap decoded;
    try {
        TPicture::Decode(*bytes, decoded);
    } catch (const std::exception&) {
        return false;
    }
    bitmap.Swap(decoded);
    return true;
}

void GetInsideThemeBitmap(TskUIStyle style, int item, TBitmap* picture, int index, int count) {
    if (!picture) return;
    TBitmap result;
    if (!LoadInsideBitmap(style, item, result, index, count)) return;
    TakePixels(*picture, result);
}

void GetInsideThemeBitmap(TskUIStyle style, int item, TPicture* picture, int index, int count) {
    if (!picture) return;
    TBitmap result;
    if (!LoadInsideBitmap(style, item, result, index, count)) return;
    TakePixels(*picture, result);
}

TColor GetInsideThemeColor(TskUIStyle style, int item) {
    if (ThemeItemKind(style, item) != TskThemeItemKind::Color) return 0;
    return CellOf(style, item)->Value;
}

int GetInsideThemeInt(TskUIStyle style, int item) {
    if (ThemeItemKind(style, item) != TskThemeItemKind::Integer) return -1;
    const TThemeCell* cell = CellOf(style, item);
    return cell ? cell->Value : -1;
}

bool GetInsideThemeBool(TskUIStyle style, int item) {
    if (ThemeItemKind(style, item) != TskThemeItemKind::Boolean) return false;
    return CellOf(style, item)->Value != 0;
}

bool UsingFileTheme(const TskFileTheme* fileTheme, TskUIStyle uiStyle, TskUIStyle& style) {
    if (uiStyle != TskUIStyle::FromThemeFile) {
        style = uiStyle;
        return false;
    }
    if (fileTheme && fileTheme->CanUse()) {
        style = TskUIStyle::FromThemeFile;
        return true;
    }
    style = TskUIStyle::DeepBlue;
    return false;
}
