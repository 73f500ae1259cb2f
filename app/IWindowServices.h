#pragma once
// What the tab manager and each tab's browser frame need of the window they
// live in. The main window implements it and hands itself over; a frame
// without a window (not yet adopted) does nothing that would need one.
#include <string>

#include "skin/SkinThemes.h"

class TDownloadIEInterface;
class TWebBrowser;
class TskFileTheme;

class IWindowServices {
public:
    virtual ~IWindowServices() = default;

    // The status line at the window's foot.
    virtual void ShowStatus(const std::string& text) = 0;
    // The address box's text.
    virtual std::string AddressText() const = 0;
    virtual void SetAddressText(const std::string& text) = 0;
    // The address the next tab opens on.
    virtual const std::string& PendingAddress() const = 0;
    // The active tab's browser; throws when its page was closed.
    virtual TWebBrowser* ActiveBrowser() = 0;
    virtual TDownloadIEInterface& Tabs() = 0;
    virtual int ActivePageIndex() const = 0;

    // Commands a page may set off.
    virtual void OpenTab(const std::string& url, int account) = 0;
    virtual void OpenBackgroundTab(const std::string& url, int account) = 0;
    virtual void ClosePageOf(TWebBrowser* browser) = 0;
    virtual void StepTextSize(int delta) = 0;
    virtual void RunMenuCommand(const std::string& name) = 0;
    virtual void ShowSound(TWebBrowser* browser) = 0;
    virtual void PageFullScreen(TWebBrowser* browser, bool enter) = 0;

    // The window's skin, for the bars the theme manager does not reach.
    virtual TskUIStyle SkinStyle() const = 0;
    virtual TskFileTheme* SkinFile() const = 0;
};
