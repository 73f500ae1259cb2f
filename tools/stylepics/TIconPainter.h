#pragma once
// The program's icons, drawn on a 16-unit grid and scaled to the layer, so
// the 16 x 16 menu images, the 24 x 24 list and the toolbar glyphs share
// one drawing.
#include "tools/stylepics/TLayer.h"

namespace stylepics {

class TIconPainter {
public:
    enum TIcon {
        icOrganiseFavourites,
        icFolder,
        icFolderOpen,
        icPage,
        icGame,
        icGlobe,
        icHome,
        icOptions,
        icAbout,
        icHelp,
        icOffline,
        icExit,
        icProperties,
        icPrint,
        icPrintPreview,
        icPageSetup,
        icCut,
        icCopy,
        icPaste,
        icSelectAll,
        icBack,
        icForward,
        icMail,
        icHistory,
        icFavourite,
        icAddFavourite,
        icSkin,
        icOpen,
        icSearchWeb,
        icNewWindow,
        icSave,
        icTextSize,
        icStop,
        icSource,
        icFeedback,
        icFind,
        icNewPage,
        icRefresh,
        icCurrentPage,
        icContact,
        icUpdate,
        icClear,
        icGo,
        icCount
    };

    // Draws `icon` filling a square of `size` pixels at (x, y) of the layer.
    TIconPainter(TLayer& layer, float x, float y, float size);
    void Paint(TIcon icon);

private:
    TPt P(float x, float y) const { return {FX + x * FK, FY + y * FK}; }
    float L(float v) const { return v * FK; }
    TSdf Rect(float l, float t, float r, float b, float radius = 0) const;
    TSdf Disc(float cx, float cy, float r) const;
    TSdf Line(std::initializer_list<TPt> units, float width) const;
    TSdf Shape(std::initializer_list<TPt> units) const;
    TPaint Ramp(float top, float bottom, TRgba upper, TRgba lower) const;
    void Fill(const TSdf& shape, const TPaint& paint);
    void Fill(const TSdf& shape, TRgba colour);
    void Outlined(const TSdf& shape, const TPaint& paint, TRgba outline);

    // Pieces several icons share.
    void PageShape(float l, float t, float r, float b, bool lines);
    void FolderShape(bool open);
    void GlobeShape(float cx, float cy, float r, bool grey);
    void StarShape(float cx, float cy, float r);
    void Ball(float cx, float cy, float r, TRgba base);
    void ArrowBall(bool forward);
    void Magnifier(float cx, float cy, float r);
    void Badge(float cx, float cy, TRgba base, TIcon sign);
    void Clock(float cx, float cy, float r);
    void Bubble();
    void Envelope(float l, float t, float r, float b);
    void Gear(float cx, float cy, float r);
    void RefreshArrows();
    void Printer();
    void Letter(float x, float y, float height, TRgba colour);

    TLayer& FLayer;
    float FX, FY, FK;
};

} // namespace stylepics
