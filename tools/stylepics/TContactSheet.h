#pragma once
// A page showing pictures enlarged side by side, frames apart, so that a
// person can judge them; with `keyed` the colour key shows as a checker.
// An annotated sheet also names each picture and opens with the style's
// mock-ups (both need text, hence fonts).
#include <string>

#include "gui/graphics/TBitmap.h"
#include "tools/stylepics/TPictureSet.h"

namespace stylepics {

class TContactSheet {
public:
    TContactSheet(const TPictureSet& set, int zoom, bool keyed, bool annotated = true);
    // Group "ALL" takes every picture. Raises std::invalid_argument for a
    // group without pictures.
    void Render(const std::string& group, TBitmap& out) const;

private:
    struct TPlace {
        const TPictureSet::TEntry* Entry;
        int X, Y;
    };
    static std::string Label(const TPictureSet::TEntry& e);
    int PlacedWidth(const TPictureSet::TEntry& e) const;
    int PlacedHeight(const TPictureSet::TEntry& e) const;
    void DrawEntry(TBitmap& out, const TPlace& place) const;

    const TPictureSet& FSet;
    int FZoom;
    bool FKeyed;
    bool FAnnotated;
};

} // namespace stylepics
