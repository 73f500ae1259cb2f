#include "app/TFrameWebBrowser.h"

#include "app/IWindowServices.h"
#include "app/TDownloadIEInterface.h"
#include "app/TFrameSiteBar.h"
#include "gui/TWebBrowser.h"

const TClassInfo& TFrameWebBrowser::StaticClass() {
    static const TClassInfo info =
        TClassBuilder<TFrameWebBrowser>("TFrameWebBrowser", &TFrame::StaticClass()).Build();
    return info;
}

TFrameWebBrowser::TFrameWebBrowser(TComponent* owner) : TFrame(owner) {
    BindLayout(*this);
    LoadLayout("layouts/FrameWebBrowser.lay");
    if (WebAction)
        WebAction->OnDownloadStart = [this](TObject* sender, const std::string& url) {
            WebActionDownloadStart(sender, url);
        };
    ConnectPlayerEvents();
}

// The browser may be freed before its frame (closing a tab does that).
void TFrameWebBrowser::Notification(TComponent* component, TOperation operation) {
    TFrame::Notification(component, operation);
    if (operation != TOperation::opRemove) return;
    if (component == WebAction) WebAction = nullptr;
    if (component == ApplicationEventsWebClose) ApplicationEventsWebClose = nullptr;
    if (component == FSiteBar) FSiteBar = nullptr;
}

// A request for a new window becomes a new tab, which then shows the
// window the page asked for; a page outside the portal opens windows only
// when the user asked for them or allowed the site.
void TFrameWebBrowser::WebActionNewWindow2(TObject*, IBrowserAutomation*& ppDisp, bool& cancel) {
    try {
        if (WebAction && !WindowAllowed(WebAction->NewWindowRequest())) {
            BlockWindow(WebAction->NewWindowRequest().URL);
            cancel = true;
            return;
        }
        // The page of a second account opens its windows in its own store.
        if (!FWindow) return;
        FWindow->Tabs().NewPage(WebAction ? WebAction->Account() : 0);
        FWindow->Tabs().GetLastBrowser(ppDisp);
    } catch (...) {
    }
}

void TFrameWebBrowser::WebActionTitleChange(TObject*, const std::string& text) {
    FTitleSeen = true;
    try {
        if (WebAction && FWindow)
            FWindow->Tabs().SetPageTitle(text, WebAction->Tag(), WebAction->Account());
    } catch (...) {
    }
}

// What comes while the page loads (a refused request, the link under the
// mouse) is shown again when the load ends instead of the plain "done".
void TFrameWebBrowser::WebActionStatusTextChange(TObject*, const std::string& text) {
    if (FLoading) FLoadNotice = text;
    if (FWindow) FWindow->ShowStatus(text);
}

// Local files, program paths and script addresses stay out of the address
// box; every other navigation of a page, in any tab, shows there. The
// frames inside a page never do: the box names the page.
void TFrameWebBrowser::WebActionBeforeNavigate2(TObject*, const std::string& url, bool&) {
    if (WebAction && !WebAction->MainFrameNavigation()) return;
    ForgetSiteQuestions();
    if (url.find("file") != std::string::npos) return;
    if (url.find("Program") != std::string::npos) return;
    if (url.find("javascript") != std::string::npos || !FWindow) return;
    if (FWindow->AddressText() != FAddressShown) FAddressBefore = FWindow->AddressText();
    FAddressShown = url;
    FWindow->SetAddressText(url);
}

// The page stays; so does the address the user saw, unless the box has
// been changed since.
void TFrameWebBrowser::WebActionDownloadStart(TObject*, const std::string& url) {
    if (!FWindow || url != FAddressShown || FWindow->AddressText() != url) return;
    FWindow->SetAddressText(FAddressBefore);
    FAddressShown.clear();
}

void TFrameWebBrowser::WebActionDocumentComplete(TObject*, IBrowserAutomation*,
                                                 const std::string&) {}

void TFrameWebBrowser::ApplicationEventsWebCloseMessage(TMsg& msg, bool&) {
    try {
        if (msg.message != WM_CLOSE || !WebAction || msg.hwnd != WebAction->Handle()) return;
        if (WebAction->Tag() == 0) return; // the first tab is never closed
        // The page's own tab: by the time the request arrives another tab
        // (often the next window the page opened) may be in front.
        if (FWindow) FWindow->ClosePageOf(WebAction); // may free this frame
    } catch (...) {
    }
}

void TFrameWebBrowser::WMClosePage() {
    try {
        if (FWindow) FWindow->Tabs().ClosePage(FWindow->ActivePageIndex());
    } catch (...) {
    }
}

void TFrameWebBrowser::WndProc(TMessage& message) {
    if (message.Msg == WM_CLOSEPAGE) {
        WMClosePage(); // may free this frame: touch nothing afterwards
        return;
    }
    TFrame::WndProc(message);
}
