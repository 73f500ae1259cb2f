#include "gui/TFrame.h"

#include "gui/TLayoutLoader.h"

const TClassInfo& TFrame::StaticClass() {
    static const TClassInfo info =
        TClassBuilder<TFrame>("TFrame", &TWinControl::StaticClass()).Build();
    return info;
}

TFrame::TFrame(TComponent* owner) : TWinControl(owner) {
    SetControlStyle(ControlStyle() | csAcceptsControls);
    SetBounds(0, 0, 320, 240);
    SetTabStop(false);
}

void TFrame::SetName(const std::string& name) {
    if (FLoadingOwnLayout) return;
    TWinControl::SetName(name);
}

void TFrame::LoadLayout(const std::string& resourceName) {
    FLoadingOwnLayout = true;
    try {
        TLayoutLoader::LoadResource(this, resourceName);
    } catch (...) {
        FLoadingOwnLayout = false;
        throw;
    }
    FLoadingOwnLayout = false;
}

void TFrame::LoadLayoutText(std::string_view text, const std::string& fileName) {
    FLoadingOwnLayout = true;
    try {
        TLayoutLoader::LoadText(this, text, fileName);
    } catch (...) {
        FLoadingOwnLayout = false;
        throw;
    }
    FLoadingOwnLayout = false;
}
