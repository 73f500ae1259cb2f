#include "skin/SkinPublic.h"

#include <algorithm>

#include "gui/graphics/TBitmap.h"
#include "gui/graphics/TCanvas.h"
#include "gui/graphics/TPicture.h"

namespace {

void CopyTransparency(const TBitmap& from, TBitmap& to) {
    to.SetTransparent(from.Transparent());
    to.SetTransparentColor(from.TransparentMode() == tmFixed ? from.TransparentColor() : clDefault);
}

// Unscaled, from `part` of the source; `key` clNone draws every pixel.
void DrawPiece(TCanvas& canvas, const TBitmap& source, const TRect& part, TPoint at, TColor key) {
    if (part.IsEmpty()) return;
    canvas.TransparentStretch(TRect::FromSize(at.X, at.Y, part.Width(), part.Height()), source,
                              part, key);
}

// Nine-slice edges and centre: stretched, magenta always left out. Source
// pixels outside the picture are left out as well.
void StretchPiece(TCanvas& canvas, const TBitmap& source, const TRect& part, const TRect& target) {
    if (target.IsEmpty() || part.IsEmpty()) return;
    canvas.TransparentStretch(target, source, part, SkinTransparentColor);
}

// The source rectangles of the nine-slice pieces and the rectangles they
// land in, in the order they are drawn. Sizes may come out 0 or negative;
// such pieces are skipped, but their rectangles still place their
// neighbours.
struct TNineSlice {
    int SW, SH, K, M, W, H;
    TRect TL, BL, TR, BR;

    TNineSlice(const TBitmap& source, int width, int height)
        : SW(source.Width()), SH(source.Height()), K(SW / 2), M(SH / 2), W(width), H(height) {
        const int w1 = std::min(K, W / 2), h1 = std::min(M, H / 2);
        TL = {0, 0, w1, h1};
        const int h2 = std::min(M - 1, H / 2 - 1);
        BL = {0, H - h2, w1, H};
        const int w4 = std::min(K - 1, W / 2 - 1);
        TR = {W - w4, 0, W, h1};
        BR = {W - w4, H - h2, W, H};
    }
    // Where each corner comes from: cut to the piece size, keeping the side
    // of the picture the corner belongs to.
    TRect TLSource() const { return {0, 0, TL.Width(), TL.Height()}; }
    TRect BLSource() const { return {0, SH - BL.Height(), BL.Width(), SH}; }
    TRect TRSource() const { return {SW - TR.Width(), 0, SW, TR.Height()}; }
    TRect BRSource() const { return {SW - BR.Width(), SH - BR.Height(), SW, SH}; }

    TRect LeftTarget() const { return {0, TL.Bottom, TL.Right, BL.Top}; }
    TRect LeftSource(const TRect& target) const {
        return {0, M, std::min(K, target.Width()), SH - M};
    }
    TRect RightTarget() const { return {TR.Left, TR.Bottom, TR.Right, BR.Top}; }
    // Not the rows of the left edge: SH - M to M + 1.
    TRect RightSource(const TRect& target) const {
        return {SW - std::min(K - 1, target.Width()), SH - M, SW, M + 2};
    }
    TRect TopTarget() const { return {TL.Right, 0, TR.Left, TL.Bottom}; }
    TRect TopSource(const TRect& target) const {
        return {K, 0, SW - K + 1, std::min(M, target.Height())};
    }
    TRect CentreTarget() const { return {TL.Right, TL.Bottom, TR.Left, BR.Top - 1}; }
    TRect CentreSource() const { return {K, M, SW - K + 1, SH - M}; }
    // One pixel left of TL.Right and one above BL.Top.
    TRect BottomTarget() const { return {TL.Right - 1, BL.Top - 1, BR.Left, BR.Bottom}; }
    TRect BottomSource(const TRect& target) const {
        return {K, SH - std::min(M, target.Height()), SW - K + 1, SH};
    }
};

void DrawCorner(TCanvas& canvas, const TBitmap& source, const TRect& part, const TRect& at,
                bool transparent) {
    if (at.Width() <= 0 || at.Height() <= 0) return;
    DrawPiece(canvas, source, part, at.TopLeft(), transparent ? SkinTransparentColor : clNone);
}

} // namespace

void TakePixels(TBitmap& target, TBitmap& pixels) {
    CopyTransparency(target, pixels);
    target.Swap(pixels);
}

void TakePixels(TPicture& target, TBitmap& pixels) {
    CopyTransparency(target.Bitmap(), pixels);
    target.Assign(pixels);
}

void SplitBitmap(const TBitmap& source, TBitmap& dest, int count, int index) {
    if (count <= 0) return;
    const int w = source.Width() / count, h = source.Height();
    TBitmap frame(w, h);
    const int left = (index - 1) * w;
    if (index >= 1 && index <= count)
        for (int y = 0; y < h; ++y)
            std::copy_n(source.ScanLine(y) + left, w, frame.ScanLine(y));
    TakePixels(dest, frame);
}

void DrawNineSlice(const TBitmap& source, TCanvas& canvas, const TRect& rect, bool transparent) {
    if (source.Empty() || rect.IsEmpty()) return;
    const TNineSlice s(source, rect.Width(), rect.Height());
    const int dx = rect.Left, dy = rect.Top;
    auto at = [&](const TRect& r) { return r.Offset(dx, dy); };

    DrawCorner(canvas, source, s.TLSource(), at(s.TL), transparent);
    DrawCorner(canvas, source, s.BLSource(), at(s.BL), transparent);
    const TRect left = s.LeftTarget();
    StretchPiece(canvas, source, s.LeftSource(left), at(left));
    DrawCorner(canvas, source, s.TRSource(), at(s.TR), transparent);
    DrawCorner(canvas, source, s.BRSource(), at(s.BR), transparent);
    const TRect right = s.RightTarget();
    StretchPiece(canvas, source, s.RightSource(right), at(right));
    const TRect top = s.TopTarget();
    StretchPiece(canvas, source, s.TopSource(top), at(top));
    StretchPiece(canvas, source, s.CentreSource(), at(s.CentreTarget()));
    const TRect bottom = s.BottomTarget();
    StretchPiece(canvas, source, s.BottomSource(bottom), at(bottom));
}

void DrawThreeSlice(const TBitmap& source, TCanvas& canvas, const TRect& rect,
                    bool cornerPixelTransparent) {
    if (source.Empty()) return;
    const int w = source.Width() / 3, h = source.Height();
    const TColor key = cornerPixelTransparent ? source.GetPixel(0, 0) : SkinTransparentColor;
    DrawPiece(canvas, source, {0, 0, w, h}, rect.TopLeft(), key);
    DrawPiece(canvas, source, {2 * w, 0, 3 * w, h}, {rect.Right - w, rect.Top}, key);
    const TRect middle{rect.Left + w, rect.Top, rect.Right - w, rect.Bottom};
    if (!middle.IsEmpty() && w > 0)
        canvas.TransparentStretch(middle, source, {w, 0, 2 * w, h}, clNone);
}

void TileDraw(TCanvas& canvas, const TBitmap& picture, const TRect& rect) {
    const int pw = picture.Width(), ph = picture.Height();
    if (pw <= 0 || ph <= 0) return;
    for (int x = 0; x < pw + rect.Width(); x += pw)
        for (int y = 0; y < ph + rect.Height(); y += ph)
            canvas.Draw(x, y, picture);
}

void RotateBitmapLeft(TBitmap& bitmap) {
    const int w = bitmap.Width(), h = bitmap.Height();
    TBitmap turned(h, w);
    for (int y = 0; y < h; ++y) {
        const uint32_t* row = bitmap.ScanLine(y);
        for (int x = 0; x < w; ++x)
            turned.ScanLine(w - 1 - x)[y] = row[x];
    }
    TakePixels(bitmap, turned);
}

void RotateBitmapRight(TBitmap& bitmap) {
    const int w = bitmap.Width(), h = bitmap.Height();
    TBitmap turned(h, w);
    for (int y = 0; y < h; ++y) {
        const uint32_t* row = bitmap.ScanLine(h - 1 - y);
        for (int x = 0; x < w; ++x)
            turned.ScanLine(x)[y] = row[x];
    }
    TakePixels(bitmap, turned);
}
