#pragma once
// The tab manager: opens a tab per browser frame on the page control and
// closes them again. It owns its two lists only; sheets and frames belong to
// the page control's window tree.
#include <cstdint>
#include <string>
#include <vector>

class IBrowserAutomation;
class IWindowServices;
class TFrameWebBrowser;
class TskPageControl;
class TskTabSheet;

class TDownloadIEInterface {
public:
    explicit TDownloadIEInterface(IWindowServices& window) : FWindow(window) {}
    void SetPageControl(TskPageControl* pageControl) { FPageControl = pageControl; }
    // Opens a tab on the window's pending address, in account slot `account`
    // (0: the common store); errors reach the caller.
    void NewPage(int account = 0);
    // Closes the tab at page index `index`; 0 and bad indexes do nothing.
    void ClosePage(int index);
    // The automation object of the newest tab's browser.
    void GetLastBrowser(IBrowserAutomation*& disp);
    void SetPageTitle(const std::string& title, intptr_t tag, int account = 0);
    const std::vector<TFrameWebBrowser*>& Frames() const { return FFrames; }
    const std::vector<TskTabSheet*>& Sheets() const { return FSheets; }

    // The caption a title gives a tab: ten UTF-16 units and "...", except
    // "about:blank", which a blank tab must keep whole.
    static std::string TabCaption(const std::string& title);
    // A tab of an account slot shows the slot before that caption.
    static std::string TabCaption(const std::string& title, int account);

    // The lowest account slot no tab uses, given the slots of the open
    // tabs; 0 when all are taken.
    static int FreeAccountSlot(const std::vector<int>& open);
    // The slots of the open tabs, 0 for those of the common store.
    std::vector<int> OpenAccounts() const;

private:
    IWindowServices& FWindow;
    TskPageControl* FPageControl = nullptr;
    std::vector<TskTabSheet*> FSheets;
    std::vector<TFrameWebBrowser*> FFrames;
};
