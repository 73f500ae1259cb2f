#pragma once
// A picture on its parent, without a window: natural size at the top-left,
// centred, or stretched over the control; optionally colour-keyed by its
// bottom-left pixel; optionally sizing the control to the picture.
#include <memory>
#include <string>

#include "gui/TControl.h"

class TPicture;

class TImage : public TControl {
    XF_CLASS(TImage)
public:
    explicit TImage(TComponent* owner);
    ~TImage() override;

    TPicture& Picture() const { return *FPicture; }
    // A picture source (see PictureSource.h); raises for a missing picture.
    const std::string& PictureSource() const { return FSource; }
    void SetPictureSource(const std::string& source);
    bool Stretch() const { return FStretch; }
    void SetStretch(bool stretch);
    bool Center() const { return FCenter; }
    void SetCenter(bool center);
    bool Proportional() const { return FProportional; }
    void SetProportional(bool proportional);
    bool Transparent() const { return FTransparent; }
    void SetTransparent(bool transparent);
    bool AutoSize() const { return FAutoSize; }
    void SetAutoSize(bool autoSize);

    // Where the picture goes in client coordinates.
    TRect DestRect() const;
    void Paint(TCanvas& canvas) override;
    void Loaded() override;

private:
    void PictureChanged();
    void ApplyAutoSize();

    std::unique_ptr<TPicture> FPicture;
    std::string FSource;
    bool FStretch = false;
    bool FCenter = false;
    bool FProportional = false;
    bool FTransparent = false;
    bool FAutoSize = false;
};
