#pragma once
// The font of a canvas or a control. Face names are the ones the layouts and
// skins use ("宋体", "Tahoma"); TFontMapper turns them into installed fonts.
#include <cstdint>
#include <functional>
#include <initializer_list>
#include <string>

#include "gui/Types.h"

enum TFontStyle : uint8_t { fsBold = 1, fsItalic = 2, fsUnderline = 4, fsStrikeOut = 8 };

class TFontStyles {
public:
    constexpr TFontStyles() = default;
    constexpr TFontStyles(std::initializer_list<TFontStyle> styles) {
        for (TFontStyle s : styles)
            FBits |= s;
    }
    constexpr bool Contains(TFontStyle s) const { return (FBits & s) != 0; }
    constexpr TFontStyles& Include(TFontStyle s) {
        FBits |= s;
        return *this;
    }
    constexpr TFontStyles& Exclude(TFontStyle s) {
        FBits &= static_cast<uint8_t>(~s);
        return *this;
    }
    constexpr bool Empty() const { return FBits == 0; }
    constexpr bool operator==(const TFontStyles&) const = default;

private:
    uint8_t FBits = 0;
};

using TFontCharset = uint8_t;
constexpr TFontCharset ANSI_CHARSET = 0;
constexpr TFontCharset DEFAULT_CHARSET = 1;
constexpr TFontCharset GB2312_CHARSET = 134;

class TFont {
public:
    const std::string& Name() const { return FName; }
    void SetName(const std::string& name);
    // Negative: the em height in pixels; positive: the cell height (em plus
    // internal leading); 0: the default size.
    int Height() const { return FHeight; }
    void SetHeight(int height);
    // Points at 96 pixels per inch: Size 9 is Height -12.
    int Size() const;
    void SetSize(int points);
    TColor Color() const { return FColor; }
    void SetColor(TColor color);
    TFontStyles Style() const { return FStyle; }
    void SetStyle(TFontStyles style);
    TFontCharset Charset() const { return FCharset; }
    void SetCharset(TFontCharset charset);

    void Assign(const TFont& source);
    // Same face, size, colour, style and charset (OnChange not compared).
    bool SameAs(const TFont& other) const;

    std::function<void()> OnChange;

private:
    void Changed();

    std::string FName = "宋体";
    int FHeight = -12;
    TColor FColor = clWindowText;
    TFontStyles FStyle;
    TFontCharset FCharset = DEFAULT_CHARSET;
};
