#pragma once
// A button drawn from four pictures of its own (normal, mouse on, pressed,
// disabled); a state without a picture shows the normal one. Styles do not
// change it.
#include <memory>
#include <string>

#include "skin/TskCustomButton.h"

class TPicture;

class TskImageButton : public TskCustomButton {
    XF_CLASS(TskImageButton)
public:
    explicit TskImageButton(TComponent* owner);
    ~TskImageButton() override;

    TskUIStyle UIStyle() const override { return TskUIStyle::FromThemeFile; }
    void SetUIStyle(TskUIStyle) override {}

    enum TState { PicNormal, PicMouseOn, PicMouseDown, PicDisabled, StateCount };
    TPicture& Pic(TState state) const { return *FPictures[state]; }
    // The picture from a picture source (see PictureSource.h).
    const std::string& PicSource(TState state) const { return FSources[state]; }
    void SetPicSource(TState state, const std::string& source);
    bool Stretch() const { return FStretch; }
    void SetStretch(bool stretch);
    bool DrawFocused() const { return FDrawFocused; }
    void SetDrawFocused(bool drawFocused);

protected:
    void ApplyAutoSize() override;
    void DrawImage(TCanvas& canvas, TBitmap& image) override;
    void DrawFocus(TCanvas& canvas) override;
    void GetNormalImage(TBitmap& image) override;
    void GetMouseOnImage(TBitmap& image) override;
    void GetMouseDownImage(TBitmap& image) override;
    void GetDisabledImage(TBitmap& image) override;

private:
    void GetImage(TState state, TBitmap& image) const;
    void PictureChanged(TState state);

    std::unique_ptr<TPicture> FPictures[StateCount];
    std::string FSources[StateCount];
    bool FStretch = false;
    bool FDrawFocused = false;
};
