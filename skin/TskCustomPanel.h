#pragma once
// The base of the skinned picture panels: a picture (at natural size,
// stretched or tiled), an optional transparent background through which the
// parent shows, and a one-line caption. Paints into a bitmap of its own size
// and copies that in one block, so nothing is erased first.
#include <memory>

#include "gui/TCustomPanel.h"

class TBitmap;
class TPicture;

enum class TskDrawStyle { skNormal, skStretch, skTile };
const TEnumTable& DrawStyleNames();

class TskCustomPanel : public TCustomPanel {
    XF_CLASS(TskCustomPanel)
public:
    explicit TskCustomPanel(TComponent* owner);
    ~TskCustomPanel() override;

    TPicture& Picture() const { return *FPicture; }
    // Copies the given picture; the panel's own picture reports the change.
    void SetPicture(const TPicture& picture);
    TskDrawStyle DrawStyle() const { return FDrawStyle; }
    void SetDrawStyle(TskDrawStyle style);
    bool Transparent() const { return FTransparent; }
    virtual void SetTransparent(bool transparent);
    bool AutoSize() const { return FAutoSize; }
    void SetAutoSize(bool autoSize);
    // Where the caption went at the last paint (empty before any caption).
    const TRect& CaptionRect() const { return FCaptionRect; }

    void Paint(TCanvas& canvas) override;

protected:
    // A panel in a window of another toolkit would have to clear its area
    // itself; every parent here repaints what lies under the panel.
    virtual void ClearBackground() {}
    // The caption text changed; `lastRect` is where the old one was drawn.
    virtual void CaptionChanged(const TRect& lastRect) { (void)lastRect; }
    virtual void PictureChanged();

    void TextChanged() override;
    void Resize() override;
    void ApplyAutoSize();
    void PaintPicture(TCanvas& canvas, const TRect& client) const;
    void PaintPanelCaption(TCanvas& canvas, const TRect& client);

private:
    std::unique_ptr<TPicture> FPicture;
    TskDrawStyle FDrawStyle = TskDrawStyle::skNormal;
    bool FTransparent = false;
    bool FAutoSize = false;
    TRect FCaptionRect;
};
