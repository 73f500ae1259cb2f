#pragma once
// The drawing the skinned main menu and pop-up menu share: every item below
// the menu's top level is measured and painted here (an image bar on the
// left, the highlighted item, separators, captions, shortcut texts, check
// marks and item images; under MacOS the backgrounds are pictures). The
// colours and sizes are published properties that a style sets and the
// stored layout may then override.
#include <string>

#include "gui/TControl.h"
#include "gui/Types.h"
#include "skin/TskThemeLink.h"

class TCanvas;
class TCustomImageList;
class TMenu;
class TMenuItem;

class TskMenuLook {
public:
    TskMenuLook(TComponent* self, TMenu* menu);
    virtual ~TskMenuLook() = default;

    TskThemeLink& Theme() { return FTheme; }
    const TskThemeLink& Theme() const { return FTheme; }
    void SetUIStyle(TskUIStyle style);
    void SetFileTheme(TskFileTheme* theme);
    // Sizes and colours from the style and its theme values.
    void ApplyStyle();
    // The file theme went: the built-in DeepBlue style.
    void ThemeRemoved(TComponent* component);

    int MenuItemHeight() const { return FMenuItemHeight; }
    void SetMenuItemHeight(int height);
    int SeparatorHeight() const { return FSeparatorHeight; }
    void SetSeparatorHeight(int height);
    int BarWidth() const { return FBarWidth; }
    void SetBarWidth(int width) { FBarWidth = width; }
    TColor BarColor() const { return FBarColor; }
    void SetBarColor(TColor color) { FBarColor = color; }
    TColor Color() const { return FColor; }
    void SetColor(TColor color) { FColor = color; }
    TColor SeparatorColor() const { return FSeparatorColor; }
    void SetSeparatorColor(TColor color) { FSeparatorColor = color; }
    TColor SelectedBorderColor() const { return FSelectedBorderColor; }
    void SetSelectedBorderColor(TColor color) { FSelectedBorderColor = color; }
    TColor SelectedColor() const { return FSelectedColor; }
    void SetSelectedColor(TColor color) { FSelectedColor = color; }
    TColor SelectedFontColor() const { return FSelectedFontColor; }
    void SetSelectedFontColor(TColor color) { FSelectedFontColor = color; }
    TColor FontColor() const { return FFontColor; }
    void SetFontColor(TColor color) { FFontColor = color; }
    TColor BorderColor() const { return FBorderColor; }
    void SetBorderColor(TColor color) { FBorderColor = color; }
    bool FlatMenu() const { return FFlatMenu; }
    void SetFlatMenu(bool flat) { FFlatMenu = flat; }
    const std::string& FontName() const { return FFontName; }
    void SetFontName(const std::string& name) { FFontName = name; }
    int FontSize() const { return FFontSize; }
    void SetFontSize(int size) { FFontSize = size; }
    int FontCharset() const { return FFontCharset; }
    void SetFontCharset(int charset) { FFontCharset = charset; }
    bool UseSystemFont() const { return FUseSystemFont; }
    void SetUseSystemFont(bool use) { FUseSystemFont = use; }

    // Gives `item` and everything below it this menu's measure and draw.
    void InstallDrawHandlers(TMenuItem* item);
    void MeasureItem(const TMenuItem& item, TCanvas& canvas, int& width, int& height) const;
    void DrawItem(const TMenuItem& item, TCanvas& canvas, const TRect& rect, bool selected) const;

protected:
    // Where the item images come from; nullptr for none.
    virtual const TCustomImageList* ItemImages() const = 0;

private:
    bool IsMacOS() const { return FTheme.UIStyle() == TskUIStyle::MacOS; }
    void DrawBackground(TCanvas& canvas, const TRect& rect) const;
    void FlattenMenuWindow(const TCanvas& canvas) const;

    TComponent* FSelf;
    TskThemeLink FTheme;
    TMenu* FMenu;
    int FMenuItemHeight = 21;
    int FSeparatorHeight = 21;
    int FBarWidth = 0;
    TColor FBarColor = clBtnFace;
    TColor FColor = clWhite;
    TColor FSeparatorColor = clGray;
    TColor FSelectedBorderColor = clHighlight;
    TColor FSelectedColor = clHighlight;
    TColor FSelectedFontColor = clWhite;
    TColor FFontColor = clWhite;
    TColor FBorderColor = clBlack;
    bool FFlatMenu = false;
    std::string FFontName = "MS Sans Serif";
    int FFontSize = 8;
    int FFontCharset = 1;
    bool FUseSystemFont = true;
};

// The published properties of a class that derives from TskMenuLook.
template <class T> TClassBuilder<T>& WithMenuLookProperties(TClassBuilder<T>& builder) {
    return builder
        .Custom(
            "UIStyle", TPropKind::Enum,
            [](const T* c) -> TValue {
                return TIdent{EnumName(static_cast<int>(c->Theme().UIStyle()), UIStyleNames())};
            },
            [](T* c, const TValue& v) {
                c->SetUIStyle(static_cast<TskUIStyle>(ValueToEnum(v, UIStyleNames())));
            })
        .Custom(
            "FileTheme", TPropKind::Component,
            [](const T* c) -> TValue { return static_cast<TComponent*>(c->Theme().FileTheme()); },
            [](T* c, const TValue& v) {
                TPropInfo info;
                info.Name = "FileTheme";
                c->SetFileTheme(ValueAs<TskFileTheme*>(v, info));
            })
        .Prop("MenuItemHeight", &TskMenuLook::MenuItemHeight, &TskMenuLook::SetMenuItemHeight)
        .Prop("SeparatorHeight", &TskMenuLook::SeparatorHeight, &TskMenuLook::SetSeparatorHeight)
        .Prop("BarWidth", &TskMenuLook::BarWidth, &TskMenuLook::SetBarWidth)
        .Prop("BarColor", &TskMenuLook::BarColor, &TskMenuLook::SetBarColor, &ColorNames())
        .Prop("Color", &TskMenuLook::Color, &TskMenuLook::SetColor, &ColorNames())
        .Prop("SeparatorColor", &TskMenuLook::SeparatorColor, &TskMenuLook::SetSeparatorColor,
              &ColorNames())
        .Prop("SelectedBorderColor", &TskMenuLook::SelectedBorderColor,
              &TskMenuLook::SetSelectedBorderColor, &ColorNames())
        .Prop("SelectedColor", &TskMenuLook::SelectedColor, &TskMenuLook::SetSelectedColor,
              &ColorNames())
        .Prop("SelectedFontColor", &TskMenuLook::SelectedFontColor,
              &TskMenuLook::SetSelectedFontColor, &ColorNames())
        .Prop("FontColor", &TskMenuLook::FontColor, &TskMenuLook::SetFontColor, &ColorNames())
        .Prop("BorderColor", &TskMenuLook::BorderColor, &TskMenuLook::SetBorderColor, &ColorNames())
        .Prop("FlatMenu", &TskMenuLook::FlatMenu, &TskMenuLook::SetFlatMenu)
        .Prop("FontName", &TskMenuLook::FontName, &TskMenuLook::SetFontName)
        .Prop("FontSize", &TskMenuLook::FontSize, &TskMenuLook::SetFontSize)
        .Prop("FontCharset", &TskMenuLook::FontCharset, &TskMenuLook::SetFontCharset,
              &CharsetNames())
        .Prop("UseSystemFont", &TskMenuLook::UseSystemFont, &TskMenuLook::SetUseSystemFont);
}
