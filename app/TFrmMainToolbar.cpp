// The main window's buttons, the address box and the keyboard forwarding
// to the active page.
#include "app/TDownloadIEInterface.h"
#include "app/TFrameWebBrowser.h"
#include "app/TFrmMain.h"
#include "gui/TLabel.h"
#include "gui/TPanel.h"
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

TAddressHistory& TFrmMain::History() {
    if (!FHistory) FHistory = std::make_unique<TAddressHistory>();
    return *FHistory;
}

void TFrmMain::OpenTab(const std::string& url, int account) {
    PendingURL = url;
    DownloadIE->NewPage(account);
    IBrowserAutomation* ignored = nullptr;
    DownloadIE->GetLastBrowser(ignored);
}

void TFrmMain::NewAccountPage() {
    int slot = TDownloadIEInterface::FreeAccountSlot(DownloadIE->OpenAccounts());
    if (slot == 0) {
        labText->SetCaption("九个小号页都已打开，请先关闭一个小号页再新建。");
        return;
    }
    OpenTab("about:blank", slot);
}

void TFrmMain::btnBackClick(TObject* sender) { ClickButton(sender); }

void TFrmMain::ClickButton(TObject* sender) {
    if (sender == btnBack) ActiveBrowser()->GoBack();
    else if (sender == btnForward) ActiveBrowser()->GoForward();
    else if (sender == btnStop) ActiveBrowser()->ExecWB(OLECMDID_STOP, OLECMDEXECOPT_PROMPTUSER);
    else if (sender == btnRefresh) RefreshTarget()->ExecWB(OLECMDID_REFRESH, OLECMDEXECOPT_PROMPTUSER);
    else if (sender == btnFavorites) ToggleFavoritesArea();
    else if (sender == btnWeb) palLeft->SetVisible(!palLeft->Visible());
    else if (sender == btnClear) P_ClearRocord();
    else if (sender == btnUsrOut) OpenTab(AppPath + "星帆用户反馈.htm");
    else if (sender == btnTo) P_writeReg();
    else if (sender == btnFind) SearchGame();
    else if (sender == btnLeftHide) ToggleLeftPane();
    else if (sender == btnNewPage) OpenTab("about:blank");
    else if (sender == btnClosePage) CloseActivePage();
}

// Shows the left pane if hidden and opens or closes the favourites area
// under the game directory.
void TFrmMain::ToggleFavoritesArea() {
    palLeft->Show();
    palLeftMainTop->Show();
    palLeftMainTop->SetAlign(TAlign::alClient);
    if (palLeftMainClient->Visible()) {
        palLeftMainClient->Hide();
        return;
    }
    // Above palLeftBottom, which also sits at the bottom of the pane.
    palLeftMainClient->SetTop(palLeftBottom->Top() - palLeftMainClient->Height());
    palLeftMainClient->Show();
    palLeftMainClient->SetAlign(TAlign::alBottom);
}

// The pane is hidden or shown first; a missing picture file is then
// reported by the default error report.
void TFrmMain::ToggleLeftPane() {
    bool hide = palLeft->Visible();
    palLeft->SetVisible(!hide);
    std::string picture = AppPath + platform::NativePath(hide ? "\\images\\show.bmp" : "\\images\\hide.bmp");
    btnLeftHide->SetGlyphSource("file:" + picture);
}

void TFrmMain::SearchGame() {
    std::string text = edtFindName->Text();
    if (text.empty()) {
        Application->MessageBox("请输入游戏名称,再次搜索!!", "提示", MB_OK);
        return;
    }
    OpenTab(AppPath + "Main.htm?Find=" + text);
}

void TFrmMain::cmbAddrClick(TObject*) { P_writeReg(); }

void TFrmMain::cmbAddrKeyPress(TObject* sender, char16_t& key) {
    if (key == 13) cmbAddrClick(sender);
}

void TFrmMain::P_writeReg() {
    std::string address = cmbAddr->Text();
    PendingURL = address;
    // A typed address stays in the store of the tab it was typed over: over
    // a second account's tab it never goes to a blank first tab.
    TWebBrowser* active = nullptr;
    try {
        active = ActiveBrowser();
    } catch (const std::exception&) {
    }
    int account = active ? active->Account() : 0;
    TWebBrowser* first = FrameWebBrowserDefault->WebAction;
    if (account == 0 && first->LocationURL() == "about:blank") {
        first->Navigate(address);
        return;
    }
    if (active && PclParent->ActivePage() &&
        PclParent->ActivePage()->Caption() == TDownloadIEInterface::TabCaption("about:blank", account)) {
        active->Navigate(address);
    } else {
        DownloadIE->NewPage(account);
    }
    std::vector<std::string> items = cmbAddr->Items().Items();
    History().Record(address, items);
    cmbAddr->Items().Assign(items);
}

void TFrmMain::P_ClearRocord() {
    try {
        History().Clear();
        cmbAddr->Items().Clear();
        cmbAddr->SetText("");
        Application->MessageBox("清除完毕!", "系统提示", MB_OK);
    } catch (...) {
    }
}

void TFrmMain::P_RecordReg(const std::string& sky, const std::string& menuName) {
    History().RecordSkin(sky, menuName);
}

// Tab, Enter and the extended editing keys go to the active page first, so
// that the framework's own dialog keys never take them from a page; a key
// the page does not take still reaches the focused control.
void TFrmMain::ApplicationEvents1Message(TMsg& msg, bool& handled) {
    handled = false;
    CurIndex = PclParent->ActivePageIndex() - 1;
    if (msg.message < WM_KEYDOWN || msg.message > WM_KEYLAST) return;
    int key = static_cast<int>(msg.wParam);
    bool extended = (msg.lParam & KF_EXTENDED_BIT) != 0;
    bool forward = key == VK_TAB || key == VK_RETURN ||
                   (extended && (key == VK_BACK || key == VK_LEFT || key == VK_RIGHT || key == VK_DELETE));
    if (!forward) return;
    try {
        TWebBrowser* browser = nullptr;
        if (CurIndex == -1) {
            browser = FrameWebBrowserDefault->WebAction;
        } else if (PclParent->ActivePage() != skTabSheet1) {
            browser = DownloadIE->Frames().at(static_cast<size_t>(CurIndex))->WebAction;
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
