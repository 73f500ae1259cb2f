#pragma once
// The image-list component of layouts: Width x Height images cut from
// picture strips (each a picture source, see PictureSource.h), masked by a
// colour key. Menus, tree views and tool bars refer to it by name.
#include <string>
#include <vector>

#include "gui/Events.h"
#include "gui/TComponent.h"
#include "gui/graphics/TCustomImageList.h"

class TImageList : public TComponent, public TCustomImageList {
    XF_CLASS(TImageList)
public:
    explicit TImageList(TComponent* owner = nullptr);
    TImageList(int width, int height);

    // Changing a side keeps the strips and cuts them again.
    void SetWidth(int width);
    void SetHeight(int height);
    // Pixels of this colour are left out; clDefault: each strip's
    // bottom-left pixel; clNone: nothing is left out.
    TColor MaskColor() const { return FMaskColor; }
    void SetMaskColor(TColor color);
    // The strips, in order; loading a strip that fails raises and keeps the
    // strips before it.
    const std::vector<std::string>& Sources() const { return FSources; }
    void SetSources(const std::vector<std::string>& sources);
    void AddSource(const std::string& source);

    // Fired after the images changed (users repaint).
    TNotifyEvent OnChange;

private:
    void Rebuild();
    void AddStripFrom(const std::string& source);
    void Changed();

    TColor FMaskColor = clDefault;
    std::vector<std::string> FSources;
};
