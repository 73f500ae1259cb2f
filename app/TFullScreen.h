#pragma once
// One page on the whole screen: a game that asked for it, or the current
// page by F11. Everything else of the main window is covered; leaving gives
// back the window as it was (place and size, maximised or not, the control
// that had the keyboard).
#include <string>

#include "gui/TComponent.h"
#include "gui/Types.h"

class TCustomForm;
class TWebBrowser;
class TWinControl;
class TskHintWindow;
class TskFileTheme;
enum class TskUIStyle : uint8_t;

class TFullScreen {
public:
    explicit TFullScreen(TCustomForm& form);

    bool Active() const { return FActive; }
    // The page asked for it (it ends when the page leaves it).
    bool FromPage() const { return FFromPage; }
    TWebBrowser* Browser() const { return FBrowser.Get(); }
    // The notice on how to leave shown on entering; empty when not fullscreen.
    std::string HintText() const;

    void Enter(TWebBrowser* browser, bool fromPage, const TskFileTheme* theme, TskUIStyle style);
    void Leave();

private:
    TCustomForm& FForm;
    TSafeRef<TWebBrowser> FBrowser;
    TSafeRef<TWinControl> FFocus;
    TSafeRef<TskHintWindow> FHint;
    TRect FBounds;
    bool FActive = false;
    bool FFromPage = false;
};
