#pragma once
// One tab's browser frame: the browser control and the application hook that
// notices a page closing its own window.
#include <string>

#include "gui/Messages.h"
#include "gui/TApplicationEvents.h"
#include "gui/TFrame.h"
#include "gui/TWebBrowser.h"

// A private message that closes the active tab, from any sender.
constexpr uint32_t WM_CLOSEPAGE = WM_USER + 6;

class TFrameWebBrowser : public TFrame {
    XF_CLASS(TFrameWebBrowser)
public:
    explicit TFrameWebBrowser(TComponent* owner);

    TWebBrowser* WebAction = nullptr;
    TApplicationEvents* ApplicationEventsWebClose = nullptr;

    void WebActionNewWindow2(TObject* sender, IBrowserAutomation*& ppDisp, bool& cancel);
    void WebActionTitleChange(TObject* sender, const std::string& text);
    void WebActionStatusTextChange(TObject* sender, const std::string& text);
    void WebActionBeforeNavigate2(TObject* sender, const std::string& url, bool& cancel);
    void WebActionDocumentComplete(TObject* sender, IBrowserAutomation* pDisp, const std::string& url);
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

    bool FLoading = false;
    bool FTitleSeen = false; // the page's title came during this load
    std::string FLoadNotice; // what the page said on the status line while it loaded
};
