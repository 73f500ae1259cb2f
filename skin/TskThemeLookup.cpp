#include "skin/TskThemeLookup.h"

#include "skin/TskFileTheme.h"

TskThemeLookup::TskThemeLookup(const TskFileTheme* fileTheme, TskUIStyle uiStyle)
    : FFileTheme(fileTheme) {
    FUsesFile = UsingFileTheme(fileTheme, uiStyle, FStyle);
}

TColor TskThemeLookup::Color(int item) const {
    return FUsesFile ? FFileTheme->GetColor(item) : GetInsideThemeColor(FStyle, item);
}

int TskThemeLookup::Int(int item) const {
    return FUsesFile ? FFileTheme->GetInt(item) : GetInsideThemeInt(FStyle, item);
}

bool TskThemeLookup::Bool(int item) const {
    return FUsesFile ? FFileTheme->GetBool(item) : GetInsideThemeBool(FStyle, item);
}

void TskThemeLookup::Bitmap(int item, TBitmap* picture, int index, int count) const {
    if (!FUsesFile) return GetInsideThemeBitmap(FStyle, item, picture, index, count);
    if (count == 0)
        FFileTheme->GetBitmap(item, picture);
    else
        FFileTheme->GetBitmapPart(item, picture, index, count);
}

void TskThemeLookup::Bitmap(int item, TPicture* picture, int index, int count) const {
    if (!FUsesFile) return GetInsideThemeBitmap(FStyle, item, picture, index, count);
    if (count == 0)
        FFileTheme->GetBitmap(item, picture);
    else
        FFileTheme->GetBitmapPart(item, picture, index, count);
}
