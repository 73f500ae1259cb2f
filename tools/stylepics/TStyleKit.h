#pragma once
// One built-in style's pictures. The base class lays every picture out as
// the skinned controls cut it (frame order, slices, colour key) and paints
// the small parts from a palette; each style paints its own title bar and
// title buttons and restyles whatever else makes it recognisable.
#include <functional>
#include <string>

#include "tools/stylepics/Glyphs.h"
#include "tools/stylepics/Looks.h"
#include "tools/stylepics/PictureSizes.h"
#include "tools/stylepics/TPictureSet.h"

namespace stylepics {

enum TButtonState { bsNormal, bsHot, bsDown };
// Check box, radio button and check list frames, in strip order.
enum TCheckState { csOff, csOn, csOffDisabled, csOnDisabled };
// Check list frames: the third is the greyed (undetermined) state.
constexpr int csGrayed = 2;
// Title-bar strip: three frames each, in this order.
enum TTitleButton { tbControlBox, tbHelp, tbMaximise, tbRestore, tbMinimise, tbClose };

struct TPalette {
    TRgba FormBack;   // what the controls stand on
    TRgba ScrollBack; // the scroll bar's channel
    TRgba Frame;      // control outlines
    TRgba FaceTop, FaceBottom;
    TRgba HotTop, HotBottom;
    TRgba DownTop, DownBottom;
    TRgba HotRing;             // hover accent; alpha 0 for none
    TRgba Accent;              // check marks, thumbs, progress
    TRgba Glyph;               // arrows on faces
    TRgba DownGlyph;           // arrows on a pressed face
    TRgba Disabled;            // outlines and marks of disabled frames
    TRgba RailTop, RailBottom; // the band under the tabs
    TRgba TabActiveTop, TabActiveBottom;
    TRgba TabAccent;  // top line of the active tab; alpha 0 for none
    TRgba TabFrame;   // tab outlines
    float Radius = 2; // control corners
};

struct TTitleGeometry {
    int ButtonTop = 0;  // picture row of the title buttons
    int LeftOffset = 0; // where the control box sits, right of the frame
    bool ButtonsTransparent = false;
};

class TStyleKit {
public:
    virtual ~TStyleKit() = default;
    const std::string& Prefix() const { return FPrefix; }
    void PaintAll(TPictureSet& set);

protected:
    TStyleKit(std::string prefix, TPalette palette, TTitleGeometry title, bool buttonTransparent);

    // Title bar: the three section pictures and one button frame, painted
    // on a clear layer; the base puts the title behind the buttons.
    virtual TLayer TitleLeft(int w, int h) = 0;
    virtual TLayer TitleClient(int w, int h) = 0;
    virtual TLayer TitleRight(int w, int h) = 0;
    virtual TLayer TitleButton(TTitleButton kind, TButtonState state, int size) = 0;

    // Clear-background layers unless said otherwise; the base flattens
    // them over the palette's colours.
    virtual TLayer Button(TButtonState state, int w, int h);
    virtual TLayer CheckBox(TCheckState state, int w, int h);
    virtual TLayer RadioButton(TCheckState state, int w, int h);
    virtual TLayer CheckList(int state, int w, int h);
    virtual TLayer ProgressBar(int w, int h);
    // The whole groove, cut into three slices by the base.
    virtual TLayer TrackBarBar(int w, int h);
    virtual TLayer TrackBarSlider(bool vertical, int w, int h);
    // Drawn for a vertical bar: back points up, forward down.
    virtual TLayer ScrollBarButton(bool forward, TButtonState state, int w, int h);
    // The whole thumb of a horizontal bar, cut into head, middle and tail.
    virtual TLayer ScrollBarTrack(int w, int h);
    virtual TLayer ScrollButton(bool forward, bool hot, int w, int h);
    virtual TLayer Tab(bool active, int w, int h);
    virtual TLayer TabLine(int w, int h);
    virtual TLayer SideChannelHandle(int w, int h);
    virtual TLayer SideChannelBar(int w, int h);
    // Pictures only this style has.
    virtual void PaintExtras(TPictureSet&) {}

    // A control face: ramp, outline and hover ring for the state.
    virtual void PaintFace(TLayer& layer, const TSdf& shape, float top, float bottom,
                           TButtonState state);
    void PaintArrow(TLayer& layer, float cx, float cy, float size, TDirection to, TRgba colour);

    TBitmap& NewPicture(TPictureSet& set, const std::string& part);
    const TPalette& Palette() const { return FPalette; }
    const TTitleGeometry& Title() const { return FTitle; }

    // Arrows on scroll buttons: chevrons when true, triangles otherwise.
    bool FChevronArrows = false;

private:
    using TFramePainter = std::function<TLayer(int frame, int w, int h)>;
    void Strip(TPictureSet& set, const std::string& part, const TFramePainter& paint,
               const TBackdrop& backdrop);
    void Sliced(TPictureSet& set, const std::string& part, const TLayer& whole,
                const TBackdrop& backdrop);
    void PaintTitle(TPictureSet& set);
    TBackdrop Flat(TRgba colour) const;

    std::string FPrefix;
    TPalette FPalette;
    TTitleGeometry FTitle;
    bool FButtonTransparent;
};

} // namespace stylepics
