#pragma once
// The picture panel of the window's layout regions: a picture at natural
// size, stretched or tiled, an optional transparent background (the parent
// shows through) and its caption. Layouts name the picture by its source
// (see PictureSource.h).
#include <string>

#include "skin/TskCustomPanel.h"

class TskImagePanel : public TskCustomPanel {
    XF_CLASS(TskImagePanel)
public:
    explicit TskImagePanel(TComponent* owner);

    const std::string& PictureSource() const { return FPictureSource; }
    // An empty source clears the picture; a missing one raises and leaves
    // the picture empty.
    void SetPictureSource(const std::string& source);

private:
    std::string FPictureSource;
};
