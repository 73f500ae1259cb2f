#pragma once
// Drawing on a TBitmap (window back buffers are TBitmaps too). Pixel
// operations are our own and exact; text goes through Pango onto the same
// pixels. All coordinates given to a canvas are logical: the pixel touched
// is (x, y) + Origin(). Every primitive is clipped to the clip and to the
// bitmap, and returns early on empty input.
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "gui/Types.h"
#include "gui/graphics/TBrush.h"
#include "gui/graphics/TFont.h"
#include "gui/graphics/TPen.h"
#include "gui/graphics/TRegion.h"
#include "gui/graphics/TShapeRaster.h"

class TBitmap;
struct TTextLine;

// DrawText flags, with the platform's values.
constexpr unsigned DT_TOP = 0x0;
constexpr unsigned DT_LEFT = 0x0;
constexpr unsigned DT_CENTER = 0x1;
constexpr unsigned DT_RIGHT = 0x2;
constexpr unsigned DT_VCENTER = 0x4;
constexpr unsigned DT_BOTTOM = 0x8;
constexpr unsigned DT_WORDBREAK = 0x10;
constexpr unsigned DT_SINGLELINE = 0x20;
constexpr unsigned DT_EXPANDTABS = 0x40;
constexpr unsigned DT_NOCLIP = 0x100;
constexpr unsigned DT_CALCRECT = 0x400;
constexpr unsigned DT_NOPREFIX = 0x800;
constexpr unsigned DT_END_ELLIPSIS = 0x8000;
constexpr unsigned DT_HIDEPREFIX = 0x100000;

class TCanvas {
public:
    explicit TCanvas(TBitmap& target);

    TBitmap& Target() { return FTarget; }
    TPen& Pen() { return FState.Pen; }
    TBrush& Brush() { return FState.Brush; }
    TFont& Font() { return FState.Font; }

    // The device pixel that logical (0, 0) stands for.
    TPoint Origin() const { return FState.Origin; }
    void SetOrigin(TPoint origin);
    void MoveOrigin(int dx, int dy) { SetOrigin({FState.Origin.X + dx, FState.Origin.Y + dy}); }

    // Clipping, in logical coordinates of the moment of the call; the clip
    // itself stays on the same device pixels when the origin moves later.
    void IntersectClipRect(const TRect& rect);
    void ExcludeClipRect(const TRect& rect);
    // Replaces the clip by `region` (logical coordinates).
    void SelectClipRegion(const TRegion& region);
    void ResetClip();
    // The paintable area (clip and bitmap) in logical coordinates.
    TRegion ClipRegion() const;
    TRect ClipRect() const { return ClipRegion().Bounds(); }

    // Pen, brush, font, origin, clip and pen position; Restore without a
    // matching Save does nothing.
    void Save();
    void Restore();
    int SaveDepth() const { return static_cast<int>(FSaved.size()); }

    // Lines never draw their last pixel.
    TPoint PenPos() const { return FState.PenPos; }
    void MoveTo(int x, int y);
    void LineTo(int x, int y);
    void Polyline(std::span<const TPoint> points);
    // Filled with the brush (alternate rule), outlined with the pen.
    void Polygon(std::span<const TPoint> points);

    // Fills with the brush (nothing when it is clear).
    void FillRect(const TRect& rect);
    void FillRegion(const TRegion& region);
    // One pixel wide, in the brush colour.
    void FrameRect(const TRect& rect);
    // Outline with the pen, inside with the brush. Without a pen the shape
    // is one pixel smaller to the right and bottom, as on the platform.
    void Rectangle(const TRect& rect);
    void Rectangle(int x1, int y1, int x2, int y2) { Rectangle(TRect(x1, y1, x2, y2)); }
    void Ellipse(const TRect& rect);
    void Ellipse(int x1, int y1, int x2, int y2) { Ellipse(TRect(x1, y1, x2, y2)); }
    void RoundRect(const TRect& rect, int ellipseWidth, int ellipseHeight);
    void RoundRect(int x1, int y1, int x2, int y2, int ellipseWidth, int ellipseHeight) {
        RoundRect(TRect(x1, y1, x2, y2), ellipseWidth, ellipseHeight);
    }
    // Part of the ellipse in (x1, y1, x2, y2), counter-clockwise from the ray
    // through (x3, y3) to the ray through (x4, y4); equal rays: all of it.
    void Arc(int x1, int y1, int x2, int y2, int x3, int y3, int x4, int y4);

    // clNone outside the bitmap; ignores the clip like the platform does
    // for reading, honours it for writing.
    TColor Pixel(int x, int y) const;
    void SetPixel(int x, int y, TColor color);

    // Honour the bitmap's Transparent / TransparentColor.
    void Draw(int x, int y, const TBitmap& bitmap);
    // Nearest neighbour: each target pixel shows the source pixel under its
    // centre.
    void StretchDraw(const TRect& rect, const TBitmap& bitmap);
    // From `source`'s logical sourceRect (no colour key), stretched when the
    // sizes differ. `source` may be this canvas.
    void CopyRect(const TRect& dest, TCanvas& source, const TRect& sourceRect);
    // sourceRect of `bitmap` into dest, pixels of colour `key` left out
    // (clNone: none left out).
    void TransparentStretch(const TRect& dest, const TBitmap& bitmap, const TRect& sourceRect,
                            TColor key);
    // The disabled look: every dark opaque pixel as a button-shadow pixel
    // with a highlight one pixel down and right. Opaque means not the
    // colour key when the bitmap is Transparent.
    void DrawGreyed(int x, int y, const TBitmap& bitmap);
    // `opaque` has one byte per pixel of `image` (non-zero: drawn); an empty
    // span means all opaque. Used by image lists.
    void DrawMasked(int x, int y, const TBitmap& image, std::span<const uint8_t> opaque,
                    bool greyed);

    // Text, top-left at (x, y); a solid brush fills the text cell first.
    // The pen position moves to the end of the text.
    void TextOut(int x, int y, std::string_view text);
    // Clipped to rect, which a solid brush fills first.
    void TextRect(const TRect& rect, int x, int y, std::string_view text);
    int TextWidth(std::string_view text);
    int TextHeight(std::string_view text);
    TSize TextExtent(std::string_view text);
    // Returns the height of the text (with DT_VCENTER or DT_BOTTOM: from
    // rect.Top to the bottom of the text); DT_CALCRECT only measures and
    // sets rect.Right and rect.Bottom.
    int DrawText(std::string_view text, TRect& rect, unsigned flags);

private:
    struct TState {
        TPen Pen;
        TBrush Brush;
        TFont Font;
        TPoint Origin;
        bool Clipped = false;
        TRegion Clip; // device coordinates, when Clipped
        TPoint PenPos;
    };
    class TSourceMask;
    class TClipKeeper;

    // Device-space work.
    const std::vector<TRect>& DeviceClip();
    void ClipChanged() { FClipValid = false; }
    void FillSpan(int y, int x0, int x1, uint32_t pixel);
    void FillBrushSpan(int y, int x0, int x1);
    void FillDeviceRect(const TRect& rect, uint32_t pixel);
    void FillBrushRect(const TRect& rect);
    void FillClippedSpan(int y, int x0, int x1, uint32_t pixel);
    void FillClippedBrushSpan(int y, int x0, int x1);
    bool InClip(int x, int y);
    void Plot(int x, int y, uint32_t pixel);
    void PlotPen(int x, int y);
    void PlotCurve(int x, int y);
    void Stamp(int x, int y, uint32_t pixel);
    bool DashOn();
    void StrokeLine(TPoint from, TPoint to);
    void StrokePath(std::span<const TPoint> devicePoints, bool closed);
    void FillRows(TPoint at, const std::vector<TSpan>& rows);
    void StrokeRows(TPoint at, const std::vector<TSpan>& rows);
    using TRowMaker = std::vector<TSpan> (*)(int width, int height, int ew, int eh);
    void DrawShape(TRect rect, TRowMaker rows, int ew, int eh);
    void FillPolygon(std::span<const TPoint> devicePoints);
    void Blit(const TRect& dest, const TBitmap& source, const TRect& sourceRect,
              const TSourceMask& mask, int ink);
    void BlitScaled(const TRect& deviceDest, const TBitmap& source, const TRect& sourceRect,
                    const TSourceMask& mask, int ink);
    // `dest`, `sourceRect` and `clipRects` in the bitmaps' own pixels.
    void BlitPixels(const TRect& dest, const TBitmap& source, const TRect& sourceRect,
                    const TSourceMask& mask, int ink, std::span<const TRect> clipRects);
    TPoint ToDevice(int x, int y) const { return {x + FState.Origin.X, y + FState.Origin.Y}; }
    TRect ToDevice(const TRect& r) const { return r.Offset(FState.Origin.X, FState.Origin.Y); }

    // Text.
    void DrawTextLine(int x, int y, const TTextLine& line);
    void FillTextCell(const TRect& logical);

    TBitmap& FTarget;
    TState FState;
    std::vector<TState> FSaved;
    std::vector<TRect> FClipRects;
    bool FClipValid = false;
    TSize FClipSize;
    int FDashPos = 0;
    std::vector<TPoint> FStamp;
    int FStampWidth = 0;
};

// Restores the canvas state it saved when it goes out of scope.
class TCanvasSaver {
public:
    explicit TCanvasSaver(TCanvas& canvas) : FCanvas(canvas) { FCanvas.Save(); }
    ~TCanvasSaver() { FCanvas.Restore(); }
    TCanvasSaver(const TCanvasSaver&) = delete;
    TCanvasSaver& operator=(const TCanvasSaver&) = delete;

private:
    TCanvas& FCanvas;
};
