#include "tools/stylepics/TContactSheet.h"

#include <algorithm>
#include <stdexcept>
#include <vector>

#include "gui/graphics/TCanvas.h"
#include "tools/stylepics/Rgba.h"
#include "tools/stylepics/TPreview.h"

namespace stylepics {

namespace {

constexpr int Margin = 12;
constexpr int LabelHeight = 16;
constexpr int FrameGap = 3;
constexpr int PageWidth = 1500;

} // namespace

TContactSheet::TContactSheet(const TPictureSet& set, int zoom, bool keyed, bool annotated)
    : FSet(set), FZoom(std::max(zoom, 1)), FKeyed(keyed), FAnnotated(annotated) {}

std::string TContactSheet::Label(const TPictureSet::TEntry& e) {
    if (e.Group != "APP" && e.Name.starts_with(e.Group + "_"))
        return e.Name.substr(e.Group.size() + 1);
    return e.Name;
}

int TContactSheet::PlacedWidth(const TPictureSet::TEntry& e) const {
    TBitmap scratch(1, 1);
    const int label = FAnnotated ? scratch.Canvas().TextWidth(Label(e)) : 0;
    return std::max(label, e.Picture->Width() * FZoom + (e.Frames - 1) * FrameGap);
}

int TContactSheet::PlacedHeight(const TPictureSet::TEntry& e) const {
    return e.Picture->Height() * FZoom + LabelHeight;
}

void TContactSheet::Render(const std::string& group, TBitmap& out) const {
    TBitmap preview;
    TPreview mockUp(FSet, group);
    if (FAnnotated && mockUp.Available()) mockUp.Render(preview);
    std::vector<TPlace> places;
    int x = Margin, y = Margin + preview.Height(), rowHeight = 0, width = preview.Width();
    for (const TPictureSet::TEntry& e : FSet.Entries()) {
        if (group != "ALL" && e.Group != group) continue;
        const int w = PlacedWidth(e);
        if (x > Margin && x + w > PageWidth) {
            x = Margin;
            y += rowHeight + Margin;
            rowHeight = 0;
        }
        places.push_back({&e, x, y});
        x += w + Margin;
        width = std::max(width, x);
        rowHeight = std::max(rowHeight, PlacedHeight(e));
    }
    if (places.empty()) throw std::invalid_argument("no pictures in group " + group);
    out.SetSize(width, y + rowHeight + Margin);
    out.Canvas().Brush().SetColor(RGB(96, 100, 108));
    out.Canvas().FillRect(out.BoundsRect());
    out.Canvas().Draw(0, 0, preview);
    for (const TPlace& place : places)
        DrawEntry(out, place);
}

void TContactSheet::DrawEntry(TBitmap& out, const TPlace& place) const {
    const TPictureSet::TEntry& e = *place.Entry;
    TCanvas& canvas = out.Canvas();
    canvas.Font().SetColor(RGB(235, 235, 235));
    canvas.Brush().SetStyle(bsClear);
    if (FAnnotated) canvas.TextOut(place.X, place.Y, Label(e));
    canvas.Brush().SetStyle(bsSolid);
    const TBitmap& picture = *e.Picture;
    const int frameWidth = picture.Width() / e.Frames;
    for (int py = 0; py < picture.Height(); ++py) {
        for (int px = 0; px < picture.Width(); ++px) {
            const int frame = std::min(px / std::max(frameWidth, 1), e.Frames - 1);
            TColor colour = picture.GetPixel(px, py);
            const int ox = place.X + px * FZoom + frame * FrameGap;
            const int oy = place.Y + LabelHeight + py * FZoom;
            for (int dy = 0; dy < FZoom; ++dy) {
                for (int dx = 0; dx < FZoom; ++dx) {
                    TColor c = colour;
                    if (FKeyed && colour == clMagenta)
                        c = (((ox + dx) / 4 + (oy + dy) / 4) % 2) ? RGB(200, 200, 200)
                                                                  : RGB(160, 160, 160);
                    out.SetPixel(ox + dx, oy + dy, c);
                }
            }
        }
    }
}

} // namespace stylepics
