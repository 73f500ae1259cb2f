#include "app/TToolbarCommands.h"

#include "app/TDownloadIEInterface.h"
#include "app/TFrameWebBrowser.h"
#include "app/TFrmMain.h"
#include "gui/TSpeedButton.h"
#include "gui/TWebBrowser.h"
#include "platform/Kernel.h"
#include "platform/browser/OleCommands.h"
#include "services/TAddressHistory.h"
#include "skin/TskComboBox.h"
#include "skin/TskEdit.h"
#include "skin/TskImagePanel.h"
#include "skin/TskPageControl.h"
#include "skin/TskTabSheet.h"

namespace {

constexpr const char* kSearchHint = "在这里输入游戏名称";

} // namespace

void TToolbarCommands::Click(TObject* sender) {
    if (sender == F.btnBack)
        F.ActiveBrowser()->GoBack();
    else if (sender == F.btnForward)
        F.ActiveBrowser()->GoForward();
    else if (sender == F.btnStop)
        F.ActiveBrowser()->ExecWB(OLECMDID_STOP, OLECMDEXECOPT_PROMPTUSER);
    else if (sender == F.btnRefresh)
        F.RefreshTarget()->ExecWB(OLECMDID_REFRESH, OLECMDEXECOPT_PROMPTUSER);
    else if (sender == F.btnFavorites)
        ToggleFavoritesArea();
    else if (sender == F.btnWeb)
        F.palLeft->SetVisible(!F.palLeft->Visible());
    else if (sender == F.btnClear)
        ClearHistory();
    else if (sender == F.btnUsrOut)
        F.OpenTab(AppPath + "星帆用户反馈.htm");
    else if (sender == F.btnTo)
        Go();
    else if (sender == F.btnFind)
        SearchGame();
    else if (sender == F.btnLeftHide)
        ToggleLeftPane();
    else if (sender == F.btnNewPage)
        F.OpenTab("about:blank");
    else if (sender == F.btnClosePage)
        F.N1Click(sender);
}

// Shows the left pane if hidden and opens or closes the favourites area
// under the game directory.
void TToolbarCommands::ToggleFavoritesArea() {
    F.palLeft->Show();
    F.palLeftMainTop->Show();
    F.palLeftMainTop->SetAlign(TAlign::alClient);
    if (F.palLeftMainClient->Visible()) {
        F.palLeftMainClient->Hide();
        return;
    }
    // Above palLeftBottom, which also sits at the bottom of the pane.
    F.palLeftMainClient->SetTop(F.palLeftBottom->Top() - F.palLeftMainClient->Height());
    F.palLeftMainClient->Show();
    F.palLeftMainClient->SetAlign(TAlign::alBottom);
}

// The pane is hidden or shown first; a missing picture file is then
// reported by the default error report.
void TToolbarCommands::ToggleLeftPane() {
    bool hide = F.palLeft->Visible();
    F.palLeft->SetVisible(!hide);
    std::string picture =
        AppPath + platform::NativePath(hide ? "\\images\\show.bmp" : "\\images\\hide.bmp");
    F.btnLeftHide->SetGlyphSource("file:" + picture);
}

void TToolbarCommands::SearchGame() {
    std::string text = F.edtFindName->Text();
    if (text.empty()) {
        Application->MessageBox("请输入游戏名称,再次搜索!!", "提示", MB_OK);
        return;
    }
    F.OpenTab(AppPath + "Main.htm?Find=" + text);
}

void TToolbarCommands::ClearSearchHint() {
    if (F.edtFindName->Text() == kSearchHint) F.edtFindName->SetText("");
}

void TToolbarCommands::Go() {
    std::string address = F.cmbAddr->Text();
    F.PendingURL = address;
    // A typed address stays in the store of the tab it was typed over: over
    // a second account's tab it never goes to a blank first tab.
    TWebBrowser* active = nullptr;
    try {
        active = F.ActiveBrowser();
    } catch (const std::exception&) {
    }
    int account = active ? active->Account() : 0;
    TWebBrowser* first = F.FrameWebBrowserDefault->WebAction;
    if (account == 0 && first->LocationURL() == "about:blank") {
        first->Navigate(address);
        return;
    }
    if (active && F.PclParent->ActivePage() &&
        F.PclParent->ActivePage()->Caption() ==
            TDownloadIEInterface::TabCaption("about:blank", account)) {
        active->Navigate(address);
    } else {
        F.DownloadIE->NewPage(account);
    }
    std::vector<std::string> items = F.cmbAddr->Items().Items();
    F.History().Record(address, items);
    F.cmbAddr->Items().Assign(items);
}

void TToolbarCommands::ClearHistory() {
    try {
        F.History().Clear();
        F.cmbAddr->Items().Clear();
        F.cmbAddr->SetText("");
        Application->MessageBox("清除完毕!", "系统提示", MB_OK);
    } catch (...) {
    }
}

// Tab, Enter and the extended editing keys go to the active page first, so
// that the framework's own dialog keys never take them from a page; a key
// the page does not take still reaches the focused control.
void TToolbarCommands::ForwardKeyToPage(TMsg& msg, bool& handled) {
    handled = false;
    CurIndex = F.PclParent->ActivePageIndex() - 1;
    if (msg.message < WM_KEYDOWN || msg.message > WM_KEYLAST) return;
    int key = static_cast<int>(msg.wParam);
    bool extended = (msg.lParam & KF_EXTENDED_BIT) != 0;
    bool forward =
        key == VK_TAB || key == VK_RETURN ||
        (extended && (key == VK_BACK || key == VK_LEFT || key == VK_RIGHT || key == VK_DELETE));
    if (!forward) return;
    try {
        TWebBrowser* browser = nullptr;
        if (CurIndex == -1) {
            browser = F.FrameWebBrowserDefault->WebAction;
        } else if (F.PclParent->ActivePage() != F.skTabSheet1) {
            browser = F.DownloadIE->Frames().at(static_cast<size_t>(CurIndex))->WebAction;
        }
        if (!browser) return;
        HRESULT result = browser->Application()->TranslateAccelerator(msg);
        handled = true;
        if (result != S_OK) {
            Application->TranslateMessage(msg);
            Application->DispatchMessage(msg);
        }
    } catch (...) {
    }
}
