#pragma once
// The picture panel of the window's layout regions: a picture at natural
// size, stretched or tiled, an optional transparent background (the parent
// shows through) and its caption.
#include <memory>
#include <string>

#include "gui/TCustomPanel.h"

class TPicture;

enum class TskDrawStyle { skNormal, skStretch, skTile };
const TEnumTable& DrawStyleNames();

class TskImagePanel : public TCustomPanel {
    XF_CLASS(TskImagePanel)
public:
    explicit TskImagePanel(TComponent* owner);
    ~TskImagePanel() override;

    TPicture& Picture() const { return *FPicture; }
    const std::string& PictureSource() const { return FPictureSource; }
    void SetPictureSource(const std::string& source);
    TskDrawStyle DrawStyle() const { return FDrawStyle; }
    void SetDrawStyle(TskDrawStyle style);
    bool Transparent() const { return FTransparent; }
    void SetTransparent(bool transparent);
    bool AutoSize() const { return FAutoSize; }
    void SetAutoSize(bool autoSize);

protected:
    void PaintBackground(TCanvas& canvas, const TRect& rect) override;
    void EraseBackground(TCanvas& canvas) override;
    void PictureChanged();

private:
    std::unique_ptr<TPicture> FPicture;
    std::string FPictureSource;
    TskDrawStyle FDrawStyle = TskDrawStyle::skNormal;
    bool FTransparent = false;
    bool FAutoSize = false;
};
