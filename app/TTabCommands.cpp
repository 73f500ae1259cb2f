#include "app/TTabCommands.h"

#include <algorithm>

#include "app/TDownloadIEInterface.h"
#include "app/TFrameWebBrowser.h"
#include "app/TFrmMain.h"
#include "app/TFullScreen.h"
#include "gui/TLabel.h"
#include "gui/TWebBrowser.h"
#include "platform/browser/OleCommands.h"
#include "skin/TskComboBox.h"
#include "skin/TskPageControl.h"
#include "skin/TskTabSheet.h"
#include "skin/TskThemeManager.h"

namespace {

// The text size items from the smallest level to the largest.
constexpr const char* kTextSizeItems[] = {"mnuMin", "mnuSmaller", "mnuIn", "mnuMore", "mnuMax"};

} // namespace

TTabCommands::TTabCommands(TFrmMain& form) : F(form) {}
TTabCommands::~TTabCommands() = default;

void TTabCommands::OpenTab(const std::string& url, int account) {
    F.PendingURL = url;
    F.DownloadIE->NewPage(account);
    IBrowserAutomation* ignored = nullptr;
    F.DownloadIE->GetLastBrowser(ignored);
}

void TTabCommands::OpenBackgroundTab(const std::string& url, int account) {
    TSafeRef<TskTabSheet> current(F.PclParent->ActivePage());
    OpenTab(url, account);
    if (TskTabSheet* page = current.Get()) F.PclParent->SetActivePage(page);
}

void TTabCommands::NewAccountPage() {
    int slot = TDownloadIEInterface::FreeAccountSlot(F.DownloadIE->OpenAccounts());
    if (slot == 0) {
        F.labText->SetCaption("九个小号页都已打开，请先关闭一个小号页再新建。");
        return;
    }
    OpenTab("about:blank", slot);
}

void TTabCommands::CloseActivePage() {
    int index = F.PclParent->ActivePageIndex();
    if (index == 0)
        F.FrameWebBrowserDefault->WebAction->Navigate("about:blank");
    else if (F.ActiveBrowser()->TryClose())
        F.DownloadIE->ClosePage(index);
}

// Closing the active tab activates the one to its left, so tabs right of the
// starting one are closed afterwards from the end.
void TTabCommands::CloseAllButFirst() {
    int rounds = F.PclParent->ControlCount();
    for (int i = 0; i < rounds; ++i)
        if (F.PclParent->PageCount() > 1 && F.PclParent->ActivePage() != F.skTabSheet1)
            F.DownloadIE->ClosePage(F.PclParent->ActivePageIndex());
    for (int index = F.PclParent->PageCount() - 1; index >= 1; --index)
        F.DownloadIE->ClosePage(index);
    if (F.PclParent->ActivePageIndex() == 0)
        F.FrameWebBrowserDefault->WebAction->Navigate("about:blank");
}

// The page may have agreed after its tab lost the front: its own tab goes,
// made active first so that the tab manager's rules hold.
void TTabCommands::ClosePageOf(TWebBrowser* browser) {
    const auto& frames = F.DownloadIE->Frames();
    for (size_t i = 0; i < frames.size(); ++i) {
        if (frames[i]->WebAction != browser) continue;
        int index = static_cast<int>(i) + 1;
        if (FullScreen().Active() && FullScreen().Browser() == browser) FullScreen().Leave();
        F.PclParent->SetActivePageIndex(index);
        F.DownloadIE->ClosePage(index);
        return;
    }
}

// The address box follows the tab as after a click on the strip.
void TTabCommands::SelectNextTab(int delta) {
    int count = F.PclParent->PageCount();
    if (count < 2) return;
    int next = ((F.PclParent->ActivePageIndex() + delta) % count + count) % count;
    F.PclParent->SetActivePageIndex(next);
    ShowActiveAddress();
}

void TTabCommands::ShowActiveAddress() {
    std::string url = F.ActiveBrowser()->LocationURL();
    if (url.find("file") == std::string::npos) F.cmbAddr->SetText(url);
}

void TTabCommands::StepTextSize(int delta) {
    TValue level;
    F.ActiveBrowser()->ExecWB(OLECMDID_ZOOM, OLECMDEXECOPT_DONTPROMPTUSER, {}, &level);
    int now =
        std::holds_alternative<int64_t>(level) ? static_cast<int>(std::get<int64_t>(level)) : 2;
    int next = std::clamp(now + delta, 0, 4);
    if (next != now) F.RunMenuCommand(kTextSizeItems[next]);
}

void TTabCommands::FocusAddressBox() {
    if (!F.cmbAddr->CanFocus()) return;
    F.cmbAddr->SetFocus();
    F.cmbAddr->SelectAll();
}

TFullScreen& TTabCommands::FullScreen() {
    if (!FFullScreen) FFullScreen = std::make_unique<TFullScreen>(F);
    return *FFullScreen;
}

void TTabCommands::ToggleFullScreen() {
    if (FullScreen().Active()) return FullScreen().Leave();
    FullScreen().Enter(F.ActiveBrowser(), false, F.fthFileTheme, F.thmThemeManager->UIStyle());
}

void TTabCommands::PageFullScreen(TWebBrowser* browser, bool enter) {
    if (!enter) {
        if (FullScreen().Browser() == browser) FullScreen().Leave();
        return;
    }
    FullScreen().Enter(browser, true, F.fthFileTheme, F.thmThemeManager->UIStyle());
}
