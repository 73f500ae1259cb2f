#pragma once
// UI styles and the 42 numbered theme items every style answers: the five
// built-in styles' tables, the kind of each item, the lookups into those
// tables, and the rule by which a control picks between a file theme and a
// built-in style.
#include <cstdint>
#include <string_view>

#include "gui/TClassInfo.h"
#include "gui/Types.h"

class TBitmap;
class TPicture;
class TskFileTheme;

enum class TskUIStyle : uint8_t { FromThemeFile, MacOS, WinXP, DeepBlue, Protein, BlueGlass };

// The identifiers layouts use for a UIStyle property, in value order.
const TEnumTable& UIStyleNames();

// How an item's value is held; the codes are the ones of the kind table.
enum class TskThemeItemKind : uint8_t { Integer = 0, Color = 1, Picture = 2, Boolean = 3 };

constexpr int ThemeItemCount = 42;

// Item numbers by their skin-file key.
namespace ThemeItem {
constexpr int ButtonImage = 1;
constexpr int ButtonTransparentBool = 2;
constexpr int CheckBoxImage = 3;
constexpr int RadioButtonImage = 4;
constexpr int TitleBarButtonImage = 5;
constexpr int TitleBarButtonTransparentBool = 6;
constexpr int TitleBarButtonLeftOffsetInt = 7;
constexpr int TitleBarButtonRightOffsetInt = 8;
constexpr int TitleBarButtonTopInt = 9;
constexpr int TitleBarLeftImage = 10;
constexpr int TitleBarClientImage = 11;
constexpr int TitleBarRightImage = 12;
constexpr int FormMinWidthInt = 13;
constexpr int FormRoundCornerInt = 14;
constexpr int FormBackgroundColor = 15;
constexpr int FormBorderColor = 16;
constexpr int FormBorderWidthInt = 17;
constexpr int MenuSelectedBorderColor = 18;
constexpr int MenuSelectedBackgroundColor = 19;
constexpr int MenuSelectedFontColor = 20;
constexpr int MenuBackgroundColor = 21;
constexpr int MenuFontColor = 22;
constexpr int MenuBarColor = 23;
constexpr int ProgressBarImage = 24;
constexpr int ControlBorderColor = 25;
constexpr int ControlBackgroundColor = 26;
constexpr int ControlFontColor = 27;
constexpr int TrackBarBarImage = 28;
constexpr int TrackBarSliderImage = 29;
constexpr int TrackBarSliderVImage = 30;
constexpr int ScrollBarBackgroundColor = 31;
constexpr int ScrollBarButtonImage = 32;
constexpr int ScrollBarSliderImage = 33;
constexpr int CheckListBoxImage = 34;
constexpr int ToolBarButtonBorderColor = 35;
constexpr int ToolBarButtonBackgroundColor = 36;
constexpr int ToolBarButtonDownBackgroundColor = 37;
constexpr int ScrollButtonImage = 38;
constexpr int TabControlTabImage = 39;
constexpr int TabControlBarImage = 40;
constexpr int SideChannelHandleImage = 41;
constexpr int SideChannelBarImage = 42;
} // namespace ThemeItem

// The skin-file key of an item; empty outside 1 to 42.
std::string_view ThemeItemKey(int item);
// The kind of an item in a style's table. A style without a table
// (FromThemeFile and anything past BlueGlass) and an item outside 1 to 42
// answer Integer: such a cell reads as -1.
TskThemeItemKind ThemeItemKind(TskUIStyle style, int item);
// The resource name of a picture cell; empty for any other cell.
std::string_view InsideThemePictureName(TskUIStyle style, int item);

// Built-in lookups. The style is taken modulo 128.
// Picture items only, and only when `picture` is given: the style's bitmap
// resource, or with `count` not 0 frame `index` of `count` of it. Any other
// kind, a missing resource or one that does not decode leaves the picture as
// it was.
void GetInsideThemeBitmap(TskUIStyle style, int item, TBitmap* picture, int index = 0,
                          int count = 0);
void GetInsideThemeBitmap(TskUIStyle style, int item, TPicture* picture, int index = 0,
                          int count = 0);
// The cell for a colour item, else 0.
TColor GetInsideThemeColor(TskUIStyle style, int item);
// The cell for an integer item, else -1.
int GetInsideThemeInt(TskUIStyle style, int item);
// The cell for a boolean item, else false.
bool GetInsideThemeBool(TskUIStyle style, int item);

// Loads a named bitmap resource of the executable into `bitmap`; false (and
// the bitmap untouched) when there is none or it does not decode.
bool LoadResourceBitmap(std::string_view name, TBitmap& bitmap);

// True (style = FromThemeFile) when the control should take its values from
// `fileTheme`: the UI style asks for the file and the theme has a file
// loaded. Otherwise `style` is the built-in style to use: uiStyle itself, or
// DeepBlue when the file was asked for but cannot be used.
bool UsingFileTheme(const TskFileTheme* fileTheme, TskUIStyle uiStyle, TskUIStyle& style);
