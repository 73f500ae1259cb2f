#pragma once
// The main window: owns every component of the program for the life of the
// process, builds itself from its stored layout, and runs the start-up work.
#include <functional>
#include <memory>
#include <string>

#include "gui/TApplicationEvents.h"
#include "gui/TForm.h"
#include "gui/TTimer.h"
#include "layouts/FrmMain.fields.h"

class TAddressHistory;
class TDownloadIEInterface;
class TFrameDownloads;
class TFullScreen;
class TFrameWebBrowser;
class TImage;
class TImageList;
class TLabel;
class TMenuItem;
class TOpenDialog;
class TPanel;
class TSpeedButton;
class TWebBrowser;
class TskComboBox;
class TskEdit;
class TskFileTheme;
class TskForm;
class TskImagePanel;
class TskMainMenu;
class TskPageControl;
class TskPopupMenu;
class TskTabSheet;
class TskThemeManager;
class TskTreeView;

// The components of the stored layout are the fields of TFrmMainFields,
// generated from resources/layouts/FrmMain.lay.
class TFrmMain : public TForm, public TFrmMainFields {
    XF_CLASS(TFrmMain)
public:
    explicit TFrmMain(TComponent* owner);
    ~TFrmMain() override;

    // The active tab's browser: the first tab's while the stored first page is
    // active, else the browser of tab-manager entry ActivePageIndex - 1.
    TWebBrowser* ActiveBrowser();
    // What 刷新 reloads: a pane's browser when it has the keyboard focus (its
    // page may have failed: the error page asks for 刷新), else the active
    // tab's browser.
    TWebBrowser* RefreshTarget();

    // Handlers named by the layout.
    void FormCreate(TObject* sender);
    void FormShow(TObject* sender);
    void FormClose(TObject* sender, TCloseAction& action);
    void PclParentClick(TObject* sender);
    void PclParentDblClick(TObject* sender);
    void N1Click(TObject* sender);
    void N2Click(TObject* sender);
    void btnBackClick(TObject* sender);
    void ClickButton(TObject* sender);
    void cmbAddrClick(TObject* sender);
    void cmbAddrKeyPress(TObject* sender, char16_t& key);
    void edtFindNameClick(TObject* sender);
    void edtFindNameKeyPress(TObject* sender, char16_t& key);
    void ApplicationEvents1Message(TMsg& msg, bool& handled);
    void mnuNewClick(TObject* sender);
    void mnuXPClick(TObject* sender);
    void webLeftBeforeNavigate2(TObject* sender, const std::string& url, bool& cancel);
    void webFavoritesBeforeNavigate2(TObject* sender, const std::string& url, bool& cancel);
    void timUpdateTimer(TObject* sender);

    // Settings in the registry.
    void P_writeReg();
    void P_ClearRocord();
    void P_RecordReg(const std::string& sky, const std::string& menuName);
    // Menu commands.
    void mnuShowWindowsClick(TObject* sender);
    void FontMnu(TObject* sender);
    void CheckedMnu(TObject* sender);
    void P_WebFont(int level);
    void ViewSource();
    void SynthesiseFindKeys();
    // Shows the saved page source; tests replace it.
    std::function<void(const std::string& fileName)> OpenSourceViewer;
    // Writes the favourites page and shows it in the favourites pane.
    void P_ClearFavorites();
    // The add-favourite dialog for the active page, then the page rebuilt.
    void AddFavoriteFromMenu();
    void OrganizeFavoritesFromMenu();
    void UpdateFromMenu();
    // Stores the address in PendingURL and opens a tab on it, in account
    // slot `account` (0: the common store).
    void OpenTab(const std::string& url, int account = 0);
    // A blank tab in the lowest free account slot; with all of them open the
    // status line says so instead.
    void NewAccountPage();
    void SearchGame();

    // The window's own keys (TWindowKeys), whatever has the focus; true
    // when the key was one of them.
    bool RunWindowKey(int key, TShiftState shift);
    // A key on its way to a focused page: true keeps it from the page, and
    // the window runs it from the queue.
    bool NativeViewKey(int key, TShiftState shift);
    bool IsShortCut(int key, TShiftState shift) override;
    // Chooses the menu item of that name, as a click would.
    void RunMenuCommand(const std::string& name);
    // A tab on the address that stays behind the active one.
    void OpenBackgroundTab(const std::string& url, int account = 0);
    // One text size level up or down for the active page, with the menu's marks.
    void StepTextSize(int delta);
    void FocusAddressBox();
    void SelectNextTab(int delta);
    // The page of this browser agreed to close: its tab goes.
    void ClosePageOf(TWebBrowser* browser);
    void ToggleFullScreen();
    // Saves the active tab's page as a picture (游戏截图); the status line
    // says where, once it is written.
    void TakeScreenshot();
    // Where screenshots go: "星帆截图" in the user's pictures folder unless
    // set (tests set it).
    std::string ScreenshotFolder;
    // Each tab's sound (TFrmMainSound.cpp): the browser's tab shows what its
    // page does with sound; the speaker and the menus mute and unmute it.
    void ShowSound(TWebBrowser* browser);
    void SetTabMuted(TskTabSheet* sheet, bool muted);
    void ToggleMute(TskTabSheet* sheet);
    void MuteAll();
    // "静音" or "取消静音" for the active tab.
    void UpdateSoundItems();
    void PageFullScreen(TWebBrowser* browser, bool enter);
    TFullScreen& FullScreen();

    // Fields besides the components.
    std::unique_ptr<TDownloadIEInterface> DownloadIE;
    std::string PendingURL;

private:
    // The downloads bar follows every download of the program.
    void WatchDownloads();
    void StopWatchingDownloads();
    void ConnectSound();
    void CloseActivePage();
    void AskToClosePage(int index);
    void ToggleFavoritesArea();
    void ToggleLeftPane();
    void RestoreSkin(const std::string& sky, const std::string& menuName);
    void ApplySkin(size_t index);
    void RestyleSiteBars();
    void ExitProgram();
    TMenuItem* MenuItem(const std::string& name) const;
    void CheckOnly(const std::string& name, const char* const* group, size_t count);
    TAddressHistory& History();

    std::unique_ptr<TAddressHistory> FHistory;
    std::unique_ptr<TFullScreen> FFullScreen;
};

// The program folder: the executable's folder with its trailing separator.
extern std::string AppPath;
// The folder the program writes into (the favourites page, the saved page
// source, the downloaded lists, the database): AppPath for a build, the
// user's own folder for an installed copy. Ends with a separator.
extern std::string DataPath;
// ActivePageIndex - 1 as last computed by a handler that resolved the
// active browser.
extern int CurIndex;
// The main window of the process.
extern TFrmMain* FrmMain;
