#pragma once
// A reusable piece of window: a subclass loads its own stored layout in its
// constructor (LoadLayout) and can then be placed in any parent, any number
// of times. The layout gives the frame's children and its default size; the
// name it stores for the frame is not taken, so that several frames can
// live side by side under one owner.
#include <string>
#include <string_view>

#include "gui/TWinControl.h"

class TFrame : public TWinControl {
    XF_CLASS(TFrame)
public:
    explicit TFrame(TComponent* owner);

    void LoadLayout(const std::string& resourceName);
    void LoadLayoutText(std::string_view text, const std::string& fileName);
    void SetName(const std::string& name) override;

private:
    bool FLoadingOwnLayout = false;
};
