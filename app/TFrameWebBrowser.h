#pragma once
// One tab's browser frame: the browser control and the application hook that
// notices a page closing its own window.
#include <string>

#include "gui/Messages.h"
#include "gui/TApplicationEvents.h"
#include "gui/TFrame.h"
#include "gui/TWebBrowser.h"
#include "layouts/FrameWebBrowser.fields.h"

// A private message that closes the active tab, from any sender.
constexpr uint32_t WM_CLOSEPAGE = WM_USER + 6;

class IWindowServices;
class TFrameSiteBar;
class TskTabSheet;

// The components of its layout are the fields of TFrameWebBrowserFields.
class TFrameWebBrowser : public TFrame, public TFrameWebBrowserFields {
    XF_CLASS(TFrameWebBrowser)
public:
    explicit TFrameWebBrowser(TComponent* owner);
    // The window the frame's tab is in; not owned.
    void SetWindow(IWindowServices* window) { FWindow = window; }
    // Shows this page's loading state on the status line whenever `sheet`,
    // its tab, comes to the front.
    void FollowSheet(TskTabSheet& sheet);
    void ShowLoadStatus();

    void WebActionNewWindow2(TObject* sender, IBrowserAutomation*& ppDisp, bool& cancel);
    void WebActionTitleChange(TObject* sender, const std::string& text);
    void WebActionStatusTextChange(TObject* sender, const std::string& text);
    void WebActionBeforeNavigate2(TObject* sender, const std::string& url, bool& cancel);
    void WebActionDocumentComplete(TObject* sender, IBrowserAutomation* pDisp,
                                   const std::string& url);
    void WebActionDownloadStart(TObject* sender, const std::string& url);
    void ApplicationEventsWebCloseMessage(TMsg& msg, bool& handled);
    void WMClosePage();

    // What a player does with the page (TFrameWebBrowserPlayer.cpp).
    void WebActionOpenInNewTab(TObject* sender, const std::string& url);
    void WebActionTextSizeStep(TObject* sender, int delta);
    void WebActionOpenRequest(TObject* sender);
    void WebActionCloseAllowed(TObject* sender);
    void WebActionProgressChange(TObject* sender, bool loading, int percent);
    void WebActionFullScreen(TObject* sender, bool enter);

    // What the page may do on its own (TFrameWebBrowserSites.cpp): open
    // windows without the user's click, and use the rights it asks for.
    void WebActionPermissionRequest(TObject* sender, platform::TPermissionKind kind,
                                    std::function<void(bool allow)> answer);
    // The bar on this tab's page; nullptr until the page needed it.
    TFrameSiteBar* SiteBar() const { return FSiteBar; }
    // Takes the window's skin.
    void RestyleSiteBar();

    void WndProc(TMessage& message) override;
    void Notification(TComponent* component, TOperation operation) override;

private:
    // What the address box showed before this frame's navigations wrote
    // into it, and the last address they wrote: a navigation that turns
    // into a download gives the box back.
    std::string FAddressBefore;
    std::string FAddressShown;

    void ConnectPlayerEvents();
    bool IsActiveBrowser() const;
    bool WindowAllowed(const TNewWindowRequest& request) const;
    void BlockWindow(const std::string& url);
    TFrameSiteBar& NeedSiteBar();
    void SiteBarAnswered(const std::string& site, int right, bool allow,
                         const std::string& lastURL);
    void ForgetSiteQuestions();
    void ShowNotice(const std::string& text);

    bool FLoading = false;
    int FPercent = 0;
    bool FTitleSeen = false;           // the page's title came during this load
    std::string FLoadNotice;           // what the page said on the status line while it loaded
    TFrameSiteBar* FSiteBar = nullptr; // owned
    IWindowServices* FWindow = nullptr;
};
