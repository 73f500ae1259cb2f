#include "app/TFullScreen.h"

#include "gui/TApplication.h"
#include "gui/TCustomForm.h"
#include "gui/TWebBrowser.h"
#include "skin/TskHintWindow.h"

namespace {
constexpr int kHintMs = 3000;
constexpr const char* kPageHint = "按 Esc 键退出全屏";
constexpr const char* kWindowHint = "按 F11 或 Esc 键退出全屏";
} // namespace

TFullScreen::TFullScreen(TCustomForm& form) : FForm(form) {}

std::string TFullScreen::HintText() const {
    TskHintWindow* hint = FHint.Get();
    return hint && FActive ? hint->Text() : std::string();
}

void TFullScreen::Enter(TWebBrowser* browser, bool fromPage, const TskFileTheme* theme,
                        TskUIStyle style) {
    if (!browser) return;
    if (FActive) {
        // A page asking again while F11 holds the screen: it is the page's now.
        FFromPage = FFromPage || fromPage;
        return;
    }
    THost& host = Application->Host();
    FActive = true;
    FFromPage = fromPage;
    FBrowser = browser;
    FFocus = FForm.ActiveControl();
    FBounds = FForm.BoundsRect();
    TRect screen = host.ScreenArea();
    FForm.SetFullScreenMode(true);
    if (FForm.HostWindow()) host.SetWindowFullScreen(FForm.HostWindow(), true);
    FForm.SetBoundsRect(screen);
    browser->SetCoverWindow(true);
    if (browser->CanFocus()) browser->SetFocus();
    if (!FHint) FHint = new TskHintWindow(&FForm);
    FHint->ShowHint(fromPage ? kPageHint : kWindowHint, screen, kHintMs, theme, style);
}

// The bounds saved on entering are the maximised or normal bounds the
// window had; its state flag was never changed, so both come back as one.
void TFullScreen::Leave() {
    if (!FActive) return;
    FActive = false;
    THost& host = Application->Host();
    if (TskHintWindow* hint = FHint.Get()) hint->HideHint();
    TWebBrowser* browser = FBrowser.Get();
    if (browser) {
        browser->SetCoverWindow(false);
        if (FFromPage) browser->ExitFullScreen();
    }
    if (FForm.HostWindow()) host.SetWindowFullScreen(FForm.HostWindow(), false);
    FForm.SetFullScreenMode(false);
    FForm.SetBoundsRect(FBounds);
    FFromPage = false;
    FBrowser = nullptr;
    if (TWinControl* focus = FFocus.Get(); focus && focus->CanFocus()) focus->SetFocus();
    FFocus = nullptr;
}
