#include "app/TFrmMain.h"

#include "app/TBossKey.h"
#include "app/TDownloadIEInterface.h"
#include "app/TFrameDownloads.h"
#include "app/TFrameWebBrowser.h"
#include "app/TFullScreen.h"
#include "app/TGameSearchService.h"
#include "app/TSearchSuggestions.h"
#include "gui/TImage.h"
#include "gui/TImageList.h"
#include "gui/TLabel.h"
#include "gui/TMenuItem.h"
#include "gui/TOpenDialog.h"
#include "gui/TPanel.h"
#include "gui/TSpeedButton.h"
#include "gui/TWebBrowser.h"
#include "platform/Kernel.h"
#include "platform/RegistryStorage.h"
#include "platform/TDataFolder.h"
#include "services/TAddressHistory.h"
#include "skin/TskComboBox.h"
#include "skin/TskEdit.h"
#include "skin/TskFileTheme.h"
#include "skin/TskForm.h"
#include "skin/TskImagePanel.h"
#include "skin/TskMainMenu.h"
#include "skin/TskPageControl.h"
#include "skin/TskPopupMenu.h"
#include "skin/TskTabSheet.h"
#include "skin/TskThemeManager.h"
#include "skin/TskTreeView.h"

std::string AppPath;
std::string DataPath;
int CurIndex = 0;
TFrmMain* FrmMain = nullptr;

const TClassInfo& TFrmMain::StaticClass() {
    static const TClassInfo info = TClassBuilder<TFrmMain>("TFrmMain", &TForm::StaticClass()).Build();
    return info;
}

TFrmMain::TFrmMain(TComponent* owner) : TForm(owner) {
    FrmMain = this;
    BindLayout(*this);
    LoadLayout("layouts/FrmMain.lay");
}

TFrmMain::~TFrmMain() {
    StopWatchingDownloads();
    // The tabs die with the page control; the manager only keeps lists.
    DestroyComponents();
    DownloadIE.reset();
    if (FrmMain == this) FrmMain = nullptr;
}

TWebBrowser* TFrmMain::ActiveBrowser() {
    if (PclParent->ActivePage() == skTabSheet1) return FrameWebBrowserDefault->WebAction;
    CurIndex = PclParent->ActivePageIndex() - 1;
    TFrameWebBrowser* frame = DownloadIE->Frames().at(static_cast<size_t>(CurIndex));
    if (!frame->WebAction) throw Exception("该页面已关闭");
    return frame->WebAction;
}

TWebBrowser* TFrmMain::RefreshTarget() {
    for (TWebBrowser* pane : {webLeft, webFavorites})
        if (pane && pane->Focused() && pane->Showing()) return pane;
    return ActiveBrowser();
}

// A damaged settings file was mended; the user hears of it once the window
// is up, never in the middle of the settings work that found it.
static void ReportRegistryDamage(const std::string& message) {
    if (!Application) return;
    Application->Queue([message] {
        if (Application) Application->MessageBox(message, "系统提示", MB_OK | MB_ICONWARNING);
    });
}

void TFrmMain::FormCreate(TObject*) {
    platform::RegistryStorage::OnDamage = &ReportRegistryDamage;
    AppPath = platform::ExecutableDir();
    // The database is the one file updated in place; the rest are written whole.
    DataPath = platform::TDataFolder::Prepare(AppPath, {"ocn.js"});
    DownloadIE = std::make_unique<TDownloadIEInterface>();
    DownloadIE->SetPageControl(PclParent);
    FrameWebBrowserDefault->WebAction->Navigate("about:blank");
    webLeft->Navigate(AppPath + "left.htm");
    TAddressHistory::TStartup settings = History().ReadStartup();
    RestoreSkin(settings.Sky, settings.MenuName);
    cmbAddr->Items().Assign(settings.Items);
    P_ClearFavorites();
    WatchDownloads();
    ConnectSound();
    (new TSearchSuggestions(this, edtFindName, &SuggestGameNames))->OnChoose = [this](TObject*) { SearchGame(); };
    new TBossKey(*this);
}


void TFrmMain::FormClose(TObject*, TCloseAction& action) {
    int answer = Application->MessageBox("您确定退出整个星帆吗！", "确认退出", MB_YESNO | MB_ICONQUESTION);
    action = answer == IDYES ? TCloseAction::caFree : TCloseAction::caNone;
}

void TFrmMain::PclParentClick(TObject*) {
    std::string url = ActiveBrowser()->LocationURL();
    if (url.find("file") == std::string::npos) cmbAddr->SetText(url);
}

// The page control's hint promises that a double click closes a tab.
void TFrmMain::PclParentDblClick(TObject*) { CloseActivePage(); }

void TFrmMain::CloseActivePage() {
    if (PclParent->ActivePageIndex() == 0) FrameWebBrowserDefault->WebAction->Navigate("about:blank");
    else AskToClosePage(PclParent->ActivePageIndex());
}

void TFrmMain::N1Click(TObject*) { CloseActivePage(); }

// Closes every tab but the first. Closing the active tab activates the one
// to its left, so tabs right of the starting one are closed afterwards from
// the end.
void TFrmMain::N2Click(TObject*) {
    int rounds = PclParent->ControlCount();
    for (int i = 0; i < rounds; ++i)
        if (PclParent->PageCount() > 1 && PclParent->ActivePage() != skTabSheet1)
            DownloadIE->ClosePage(PclParent->ActivePageIndex());
    for (int index = PclParent->PageCount() - 1; index >= 1; --index) DownloadIE->ClosePage(index);
    if (PclParent->ActivePageIndex() == 0) FrameWebBrowserDefault->WebAction->Navigate("about:blank");
}
