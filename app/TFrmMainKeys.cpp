// The main window's own keys, a page's requests for tabs and the screen,
// and closing a tab after its page agreed.
#include <algorithm>

#include "app/TDownloadIEInterface.h"
#include "app/TFrameWebBrowser.h"
#include "app/TFrmMain.h"
#include "app/TFullScreen.h"
#include "app/TWindowKeys.h"
#include "gui/TApplication.h"
#include "gui/TCustomComboBox.h"
#include "gui/TCustomEdit.h"
#include "gui/TMenuItem.h"
#include "gui/TWebBrowser.h"
#include "platform/browser/OleCommands.h"
#include "skin/TskComboBox.h"
#include "skin/TskFileTheme.h"
#include "skin/TskPageControl.h"
#include "skin/TskTabSheet.h"
#include "skin/TskThemeManager.h"

namespace {

// The text size items from the smallest level to the largest.
constexpr const char* kTextSizeItems[] = {"mnuMin", "mnuSmaller", "mnuIn", "mnuMore", "mnuMax"};

// Editing chords an edit box answers itself before any menu shortcut.
bool IsEditingChord(int key, TShiftState shift) {
    TShiftState mods = shift & (ssShift | ssAlt | ssCtrl);
    if (mods == 0) return key == VK_ESCAPE || key == VK_BACK || key == VK_DELETE;
    if (mods == ssCtrl)
        return key == 'A' || key == 'C' || key == 'V' || key == 'X' || key == 'Z' || key == 'Y' ||
               key == VK_INSERT;
    if (mods == ssShift) return key == VK_INSERT || key == VK_DELETE;
    return false;
}

bool IsEditor(TWinControl* control) {
    return dynamic_cast<TCustomEdit*>(control) || dynamic_cast<TCustomComboBox*>(control);
}

} // namespace

TFullScreen& TFrmMain::FullScreen() {
    if (!FFullScreen) FFullScreen = std::make_unique<TFullScreen>(*this);
    return *FFullScreen;
}

bool TFrmMain::IsShortCut(int key, TShiftState shift) {
    if (RunWindowKey(key, shift)) return true;
    if (IsEditor(ActiveControl()) && IsEditingChord(key, shift)) return false;
    // Ctrl+F reaches the window only when no page has the keyboard (the
    // find command's own chord included): the active page's find bar.
    if (key == 'F' && (shift & (ssShift | ssAlt | ssCtrl)) == ssCtrl) {
        ActiveBrowser()->Engine().ShowFindBar();
        return true;
    }
    return TForm::IsShortCut(key, shift);
}

bool TFrmMain::NativeViewKey(int key, TShiftState shift) {
    bool leaveKey = key == VK_ESCAPE && (shift & (ssShift | ssAlt | ssCtrl)) == 0 &&
                    FullScreen().Active() && !FullScreen().FromPage();
    if (!leaveKey && TWindowKeys::Command(key, shift) == TWindowKey::None) return false;
    TSafeRef<TFrmMain> self(this);
    Application->Queue([self, key, shift] {
        if (TFrmMain* form = self.Get()) form->RunWindowKey(key, shift);
    });
    return true;
}

bool TFrmMain::RunWindowKey(int key, TShiftState shift) {
    if (key == VK_ESCAPE && (shift & (ssShift | ssAlt | ssCtrl)) == 0 && FullScreen().Active() &&
        !FullScreen().FromPage()) {
        FullScreen().Leave();
        return true;
    }
    TWindowKey command = TWindowKeys::Command(key, shift);
    if (command == TWindowKey::None) return false;
    // A screenshot of a fullscreen game is taken as the game is shown.
    if (command != TWindowKey::FullScreen && command != TWindowKey::Screenshot && FullScreen().Active())
        FullScreen().Leave();
    switch (command) {
    case TWindowKey::NewTab:
        OpenTab("about:blank");
        break;
    case TWindowKey::CloseTab:
        CloseActivePage();
        break;
    case TWindowKey::Address:
        FocusAddressBox();
        break;
    case TWindowKey::NextTab:
        SelectNextTab(1);
        break;
    case TWindowKey::PreviousTab:
        SelectNextTab(-1);
        break;
    case TWindowKey::TextLarger:
        StepTextSize(1);
        break;
    case TWindowKey::TextSmaller:
        StepTextSize(-1);
        break;
    case TWindowKey::TextReset:
        RunMenuCommand("mnuIn");
        break;
    case TWindowKey::FullScreen:
        ToggleFullScreen();
        break;
    case TWindowKey::Screenshot:
        RunMenuCommand("mnuScreenshot");
        break;
    case TWindowKey::None:
        break;
    }
    return true;
}

void TFrmMain::RunMenuCommand(const std::string& name) {
    if (TMenuItem* item = MenuItem(name)) item->Click();
}

void TFrmMain::StepTextSize(int delta) {
    TValue level;
    ActiveBrowser()->ExecWB(OLECMDID_ZOOM, OLECMDEXECOPT_DONTPROMPTUSER, {}, &level);
    int now = std::holds_alternative<int64_t>(level) ? static_cast<int>(std::get<int64_t>(level)) : 2;
    int next = std::clamp(now + delta, 0, 4);
    if (next != now) RunMenuCommand(kTextSizeItems[next]);
}

void TFrmMain::FocusAddressBox() {
    if (!cmbAddr->CanFocus()) return;
    cmbAddr->SetFocus();
    cmbAddr->SelectAll();
}

// The address box follows the tab as after a click on the strip.
void TFrmMain::SelectNextTab(int delta) {
    int count = PclParent->PageCount();
    if (count < 2) return;
    int next = ((PclParent->ActivePageIndex() + delta) % count + count) % count;
    PclParent->SetActivePageIndex(next);
    PclParentClick(PclParent);
}

void TFrmMain::OpenBackgroundTab(const std::string& url, int account) {
    TSafeRef<TskTabSheet> current(PclParent->ActivePage());
    OpenTab(url, account);
    if (TskTabSheet* page = current.Get()) PclParent->SetActivePage(page);
}

void TFrmMain::AskToClosePage(int index) {
    TWebBrowser* browser = ActiveBrowser();
    if (browser->TryClose()) DownloadIE->ClosePage(index);
}

// The page may have agreed after its tab lost the front: its own tab goes,
// made active first so that the tab manager's rules hold.
void TFrmMain::ClosePageOf(TWebBrowser* browser) {
    const auto& frames = DownloadIE->Frames();
    for (size_t i = 0; i < frames.size(); ++i) {
        if (frames[i]->WebAction != browser) continue;
        int index = static_cast<int>(i) + 1;
        if (FullScreen().Active() && FullScreen().Browser() == browser) FullScreen().Leave();
        PclParent->SetActivePageIndex(index);
        DownloadIE->ClosePage(index);
        return;
    }
}

void TFrmMain::ToggleFullScreen() {
    if (FullScreen().Active()) {
        FullScreen().Leave();
        return;
    }
    FullScreen().Enter(ActiveBrowser(), false, fthFileTheme, thmThemeManager->UIStyle());
}

void TFrmMain::PageFullScreen(TWebBrowser* browser, bool enter) {
    if (!enter) {
        if (FullScreen().Browser() == browser) FullScreen().Leave();
        return;
    }
    FullScreen().Enter(browser, true, fthFileTheme, thmThemeManager->UIStyle());
}
