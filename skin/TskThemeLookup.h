#pragma once
// Where a skinned control takes its theme values from: its file theme when
// UsingFileTheme chooses it, else the built-in tables of the chosen style.
// Controls build one when they restyle and read every item through it.
#include "gui/Types.h"
#include "skin/SkinThemes.h"

class TBitmap;
class TPicture;
class TskFileTheme;

class TskThemeLookup {
public:
    TskThemeLookup(const TskFileTheme* fileTheme, TskUIStyle uiStyle);

    bool UsesFile() const { return FUsesFile; }
    // FromThemeFile when the file is used, else the built-in style.
    TskUIStyle Style() const { return FStyle; }

    TColor Color(int item) const;
    int Int(int item) const;
    bool Bool(int item) const;
    // The whole picture (count 0) or frame `index` of `count`.
    void Bitmap(int item, TBitmap* picture, int index = 0, int count = 0) const;
    void Bitmap(int item, TPicture* picture, int index = 0, int count = 0) const;

private:
    const TskFileTheme* FFileTheme;
    TskUIStyle FStyle = TskUIStyle::DeepBlue;
    bool FUsesFile = false;
};
