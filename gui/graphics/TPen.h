#pragma once
// The pen of a canvas: outlines and lines.
#include <functional>

#include "gui/Types.h"

enum TPenStyle { psSolid, psDash, psDot, psClear };

class TPen {
public:
    TColor Color() const { return FColor; }
    void SetColor(TColor color);
    // At least 1; styles other than psClear only apply to width 1, as on the
    // platform the layouts come from.
    int Width() const { return FWidth; }
    void SetWidth(int width);
    TPenStyle Style() const { return FStyle; }
    void SetStyle(TPenStyle style);
    void Assign(const TPen& source);

    std::function<void()> OnChange;

private:
    void Changed();

    TColor FColor = clBlack;
    int FWidth = 1;
    TPenStyle FStyle = psSolid;
};
