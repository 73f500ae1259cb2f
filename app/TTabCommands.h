#pragma once
// What the window does with its tabs: opening them (in front, behind, in a
// free account slot), closing them (after the page agreed), moving between
// them, the active page's text size and fullscreen.
#include <memory>
#include <string>

class TFrmMain;
class TFullScreen;
class TWebBrowser;

class TTabCommands {
public:
    explicit TTabCommands(TFrmMain& form);
    ~TTabCommands();

    void OpenTab(const std::string& url, int account);
    void OpenBackgroundTab(const std::string& url, int account);
    void NewAccountPage();
    // The first tab goes blank; another asks its page first.
    void CloseActivePage();
    // Every tab but the first.
    void CloseAllButFirst();
    void ClosePageOf(TWebBrowser* browser);
    void SelectNextTab(int delta);
    // The address box shows the active page's address (not a local file's).
    void ShowActiveAddress();
    void StepTextSize(int delta);
    void FocusAddressBox();
    void ToggleFullScreen();
    void PageFullScreen(TWebBrowser* browser, bool enter);
    TFullScreen& FullScreen();

private:
    TFrmMain& F;
    std::unique_ptr<TFullScreen> FFullScreen;
};
