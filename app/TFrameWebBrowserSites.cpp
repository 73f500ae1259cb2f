// What a tab's page may do on its own: windows it opens without the user's
// click, and the rights it asks for. The portal's pages and local pages
// open windows freely (the portal opens its games that way); any other
// site does so once the user allowed it in the bar on the tab. Rights are
// asked in that bar and remembered per site.
#include "app/IWindowServices.h"
#include "app/TFrameSiteBar.h"
#include "app/TFrameWebBrowser.h"
#include "app/TFrmMain.h" // AppPath
#include "gui/TApplication.h"
#include "platform/Text.h"
#include "services/SiteHost.h"
#include "services/TPortalConfig.h"
#include "services/TSitePermissions.h"
#include "skin/TskFileTheme.h"

namespace {

constexpr const char* kBlockedStatus = "已阻止网页自动弹出的窗口";

// Runs `fn` from the queue while the frame lives: the engine's callbacks
// are no place to change the layout or answer the page.
void Soon(TFrameWebBrowser* frame, std::function<void(TFrameWebBrowser&)> fn) {
    if (!Application) return;
    TSafeRef<TFrameWebBrowser> ref(frame);
    Application->Queue([ref, fn = std::move(fn)] {
        if (TFrameWebBrowser* f = ref.Get()) fn(*f);
    });
}

} // namespace

bool TFrameWebBrowser::WindowAllowed(const TNewWindowRequest& request) const {
    if (request.UserGesture || !WebAction) return true;
    const std::string opener = WebAction->LocationURL();
    if (IsLocalPage(opener)) return true;
    const std::string site = SiteOf(opener);
    if (TPortalConfig::Load(AppPath).IsPortalHost(site)) return true;
    return TSitePermissions().Read(TSiteRight::Popups, site) == TSiteAnswer::Allow;
}

void TFrameWebBrowser::BlockWindow(const std::string& url) {
    const std::string site = WebAction ? SiteOf(WebAction->LocationURL()) : std::string();
    Soon(this, [site, url](TFrameWebBrowser& frame) {
        const std::string shown = platform::FirstUtf16Units(url, 200);
        frame.ShowNotice(shown.empty() || shown == "about:blank"
                             ? std::string(kBlockedStatus)
                             : kBlockedStatus + std::string("：") + shown);
        frame.NeedSiteBar().AddBlockedWindow(site, url);
    });
}

// The status line keeps the notice through the end of the page's load.
void TFrameWebBrowser::ShowNotice(const std::string& text) {
    if (FLoading) FLoadNotice = text;
    if (FWindow) FWindow->ShowStatus(text);
}

void TFrameWebBrowser::WebActionPermissionRequest(TObject*, platform::TPermissionKind kind,
                                                  std::function<void(bool allow)> answer) {
    if (!WebAction) return answer(false);
    const std::string site = SiteOf(WebAction->LocationURL());
    const TSiteRight right = TSitePermissions::RightOf(kind);
    switch (TSitePermissions().Read(right, site)) {
    case TSiteAnswer::Allow:
        return answer(true);
    case TSiteAnswer::Deny:
        return answer(false);
    case TSiteAnswer::Ask:
        break;
    }
    NeedSiteBar().AddPermissionRequest(right, site, std::move(answer));
}

TFrameSiteBar& TFrameWebBrowser::NeedSiteBar() {
    if (FSiteBar) return *FSiteBar;
    FSiteBar = new TFrameSiteBar(this);
    FSiteBar->SetParent(this);
    FSiteBar->OnAnswer = [this](const TFrameSiteBar::TQuestion& q, bool allow) {
        SiteBarAnswered(q.Site, static_cast<int>(q.Right), allow, q.LastURL);
    };
    RestyleSiteBar();
    return *FSiteBar;
}

void TFrameWebBrowser::RestyleSiteBar() {
    if (!FSiteBar || !FWindow) return;
    FSiteBar->Theme().SetUIStyle(FWindow->SkinStyle());
    FSiteBar->Theme().SetFileTheme(FWindow->SkinFile());
    FSiteBar->ThemeChanged();
}

// An allowed site opens the last window it was refused, as the user
// expects after saying yes; a refusal of windows is the default and needs
// no record. A site without a name (a page of no address) is not recorded.
void TFrameWebBrowser::SiteBarAnswered(const std::string& site, int rightCode, bool allow,
                                       const std::string& lastURL) {
    const auto right = static_cast<TSiteRight>(rightCode);
    const bool popups = right == TSiteRight::Popups;
    if (popups && !allow) return;
    if (!site.empty())
        TSitePermissions().Write(right, site, allow ? TSiteAnswer::Allow : TSiteAnswer::Deny);
    if (popups && !lastURL.empty() && lastURL != "about:blank" && FWindow)
        FWindow->OpenTab(lastURL, 0);
}

void TFrameWebBrowser::ForgetSiteQuestions() {
    if (!FSiteBar) return;
    Soon(this, [](TFrameWebBrowser& frame) {
        if (frame.FSiteBar) frame.FSiteBar->Clear();
    });
}
