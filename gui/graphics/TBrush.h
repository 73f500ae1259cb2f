#pragma once
// The brush of a canvas: fills, and the text background when solid.
#include <functional>
#include <memory>

#include "gui/Types.h"

class TBitmap;

enum TBrushStyle { bsSolid, bsClear };

class TBrush {
public:
    TColor Color() const { return FColor; }
    // Choosing a colour on a clear brush makes it solid again; clNone makes
    // it clear.
    void SetColor(TColor color);
    TBrushStyle Style() const { return FStyle; }
    void SetStyle(TBrushStyle style);
    // A pattern brush: the brush keeps its own copy of the top-left 8x8
    // pixels (a smaller picture repeats), laid from the device origin.
    // While it is set it is what the brush paints, whatever Color is.
    const TBitmap* Bitmap() const { return FBitmap.get(); }
    void SetBitmap(const TBitmap* bitmap);
    // Nothing to paint: bsClear without a pattern.
    bool IsClear() const { return FStyle == bsClear && !FBitmap; }
    void Assign(const TBrush& source);

    std::function<void()> OnChange;

private:
    void Changed();

    TColor FColor = clWhite;
    TBrushStyle FStyle = bsSolid;
    std::shared_ptr<const TBitmap> FBitmap;
};
