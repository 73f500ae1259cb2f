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
#include "services/TDbConnection.h"
#include "services/TDbQuery.h"
#include "services/THttpAntiFreeze.h"
#include "services/THttpClient.h"
#include "services/TStartupWork.h"
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
    static const TClassInfo info =
        TClassBuilder<TFrmMain>("TFrmMain", &TForm::StaticClass()).Build();
    return info;
}

TFrmMain::TFrmMain(TComponent* owner) : TForm(owner) {
    FrmMain = this;
    BindLayout(*this);
    LoadLayout("layouts/FrmMain.lay");
}

TFrmMain::~TFrmMain() {
    Panes().StopWatchingDownloads();
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

namespace {

// A damaged settings file was mended; the user hears of it once the window
// is up, never in the middle of the settings work that found it.
void ReportRegistryDamage(const std::string& message) {
    if (!Application) return;
    Application->Queue([message] {
        if (Application) Application->MessageBox(message, "系统提示", MB_OK | MB_ICONWARNING);
    });
}

// A copy per run: a window closed during a download takes nothing along
// that the work still uses.
TStartupWork StartupWork() {
    TStartupWork work(AppPath, DataPath);
    work.OnWarning = [](const std::string& text) {
        Application->MessageBox(text, "系统提示", MB_OK | MB_ICONWARNING);
    };
    work.OnError = [](const std::exception& e) { Application->HandleException(nullptr, e); };
    return work;
}

template <class T> T& Need(std::unique_ptr<T>& part, TFrmMain& form) {
    if (!part) part = std::make_unique<T>(form);
    return *part;
}

} // namespace

void TFrmMain::FormCreate(TObject*) {
    platform::RegistryStorage::OnDamage = &ReportRegistryDamage;
    AppPath = platform::ExecutableDir();
    // The database is the one file updated in place; the rest are written whole.
    DataPath = platform::TDataFolder::Prepare(AppPath, {"ocn.js"});
    DownloadIE = std::make_unique<TDownloadIEInterface>(*this);
    DownloadIE->SetPageControl(PclParent);
    FrameWebBrowserDefault->SetWindow(this);
    FrameWebBrowserDefault->FollowSheet(*skTabSheet1);
    FrameDownloads->SetWindow(this);
    FrameWebBrowserDefault->WebAction->Navigate("about:blank");
    webLeft->Navigate(AppPath + "left.htm");
    TAddressHistory::TStartup settings = History().ReadStartup();
    Menus().RestoreSkin(settings.Sky, settings.MenuName);
    cmbAddr->Items().Assign(settings.Items);
    P_ClearFavorites();
    Panes().WatchDownloads();
    Sounds().Connect();
    (new TSearchSuggestions(this, edtFindName, &SuggestGameNames))->OnChoose = [this](TObject*) {
        SearchGame();
    };
    new TBossKey(*this);
}

// The start-up work runs from the message queue right after the window is
// shown, so that closing the window in the middle of a download unwinds only
// this work and never a window that is still being shown. The window is
// touched only before the first download.
void TFrmMain::FormShow(TObject*) {
    TSafeRef<TFrmMain> self(this);
    Application->Queue([self] {
        TFrmMain* form = self.Get();
        if (!form) return;
        TStartupWork::TParts parts{form->adoqSys, form->adoqSystem, form->IdHTTP1,
                                   form->IdAntiFreeze1};
        StartupWork().RunStartRecord(parts, platform::ComputerName());
    });
}

void TFrmMain::FormClose(TObject*, TCloseAction& action) {
    int answer =
        Application->MessageBox("您确定退出整个星帆吗！", "确认退出", MB_YESNO | MB_ICONQUESTION);
    action = answer == IDYES ? TCloseAction::caFree : TCloseAction::caNone;
}

TMenuCommands& TFrmMain::Menus() {
    return Need(FMenus, *this);
}
TTabCommands& TFrmMain::TabCommands() {
    return Need(FTabCommands, *this);
}
TKeyCommands& TFrmMain::Keys() {
    return Need(FKeys, *this);
}
TToolbarCommands& TFrmMain::Toolbar() {
    return Need(FToolbar, *this);
}
TSidePanes& TFrmMain::Panes() {
    return Need(FPanes, *this);
}
TTabSounds& TFrmMain::Sounds() {
    return Need(FSounds, *this);
}
TAddressHistory& TFrmMain::History() {
    if (!FHistory) FHistory = std::make_unique<TAddressHistory>();
    return *FHistory;
}

// The layout's handlers.
void TFrmMain::PclParentClick(TObject*) {
    TabCommands().ShowActiveAddress();
}
// The page control's hint promises that a double click closes a tab.
void TFrmMain::PclParentDblClick(TObject*) {
    TabCommands().CloseActivePage();
}
void TFrmMain::N1Click(TObject*) {
    TabCommands().CloseActivePage();
}
void TFrmMain::N2Click(TObject*) {
    TabCommands().CloseAllButFirst();
}
void TFrmMain::btnBackClick(TObject* sender) {
    ClickButton(sender);
}
void TFrmMain::ClickButton(TObject* sender) {
    Toolbar().Click(sender);
}
void TFrmMain::cmbAddrClick(TObject*) {
    P_writeReg();
}
void TFrmMain::cmbAddrKeyPress(TObject* sender, char16_t& key) {
    if (key == 13) cmbAddrClick(sender);
}
void TFrmMain::edtFindNameClick(TObject*) {
    Toolbar().ClearSearchHint();
}
void TFrmMain::edtFindNameKeyPress(TObject*, char16_t& key) {
    if (key == 13) SearchGame();
}
void TFrmMain::ApplicationEvents1Message(TMsg& msg, bool& handled) {
    Toolbar().ForwardKeyToPage(msg, handled);
}
void TFrmMain::mnuNewClick(TObject* sender) {
    FontMnu(sender);
    mnuShowWindowsClick(sender);
}
void TFrmMain::mnuXPClick(TObject* sender) {
    CheckedMnu(sender);
    mnuShowWindowsClick(sender);
}
void TFrmMain::webLeftBeforeNavigate2(TObject*, const std::string& url, bool& cancel) {
    Panes().DirectoryNavigating(url, cancel);
}
void TFrmMain::webFavoritesBeforeNavigate2(TObject*, const std::string& url, bool& cancel) {
    Panes().FavoritesNavigating(url, cancel);
}
void TFrmMain::timUpdateTimer(TObject*) {
    StartupWork().CheckForUpdate(*timUpdate);
}

bool TFrmMain::IsShortCut(int key, TShiftState shift) {
    std::optional<bool> taken = Keys().ShortCut(key, shift);
    return taken ? *taken : TForm::IsShortCut(key, shift);
}

// What the tabs and their frames ask of the window.
void TFrmMain::P_RecordReg(const std::string& sky, const std::string& menuName) {
    History().RecordSkin(sky, menuName);
}
void TFrmMain::UpdateFromMenu() {
    StartupWork().UpdateNow();
}
void TFrmMain::RunMenuCommand(const std::string& name) {
    if (TMenuItem* item = MenuItem(name)) item->Click();
}
TMenuItem* TFrmMain::MenuItem(const std::string& name) const {
    return dynamic_cast<TMenuItem*>(FindComponent(name));
}
void TFrmMain::ShowStatus(const std::string& text) {
    labText->SetCaption(text);
}
std::string TFrmMain::AddressText() const {
    return cmbAddr->Text();
}
void TFrmMain::SetAddressText(const std::string& text) {
    cmbAddr->SetText(text);
}
int TFrmMain::ActivePageIndex() const {
    return PclParent->ActivePageIndex();
}
TskUIStyle TFrmMain::SkinStyle() const {
    return thmThemeManager->UIStyle();
}
TskFileTheme* TFrmMain::SkinFile() const {
    return thmThemeManager->FileTheme();
}
