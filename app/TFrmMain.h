#pragma once
// The main window: owns every component of the program for the life of the
// process and builds itself from its stored layout. What its handlers do
// lives in the command classes beside it (TMenuCommands, TTabCommands,
// TKeyCommands, TToolbarCommands, TSidePanes, TTabSounds,
// TScreenshotCommand) and in services (TSkinSelection, TStartupWork); the
// handlers here hand over in one line.
#include <functional>
#include <memory>
#include <string>

#include "app/IWindowServices.h"
#include "app/TKeyCommands.h"
#include "app/TMenuCommands.h"
#include "app/TScreenshotCommand.h"
#include "app/TSidePanes.h"
#include "app/TTabCommands.h"
#include "app/TTabSounds.h"
#include "app/TToolbarCommands.h"
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
class TFrmMain : public TForm, public TFrmMainFields, public IWindowServices {
    XF_CLASS(TFrmMain)
public:
    explicit TFrmMain(TComponent* owner);
    ~TFrmMain() override;

    // The active tab's browser: the first tab's while the stored first page is
    // active, else the browser of tab-manager entry ActivePageIndex - 1.
    TWebBrowser* ActiveBrowser() override;
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
    void P_writeReg() { Toolbar().Go(); }
    void P_ClearRocord() { Toolbar().ClearHistory(); }
    void P_RecordReg(const std::string& sky, const std::string& menuName);
    // Menu commands.
    void mnuShowWindowsClick(TObject* sender) { Menus().Run(sender); }
    void FontMnu(TObject* sender) { Menus().CheckTextSize(sender); }
    void CheckedMnu(TObject* sender) { Menus().CheckSkin(sender); }
    void P_WebFont(int level) { Menus().SetTextSize(level); }
    void ViewSource() { Menus().ViewSource(); }
    void SynthesiseFindKeys() { Menus().SynthesiseFindKeys(); }
    // Shows the saved page source; tests replace it.
    std::function<void(const std::string& fileName)> OpenSourceViewer;
    // Writes the favourites page and shows it in the favourites pane.
    void P_ClearFavorites() { Panes().ShowFavorites(); }
    // The add-favourite dialog for the active page, then the page rebuilt.
    void AddFavoriteFromMenu() { Panes().AddFavorite(); }
    void OrganizeFavoritesFromMenu() { Panes().OrganizeFavorites(); }
    void UpdateFromMenu();
    // Stores the address in PendingURL and opens a tab on it, in account
    // slot `account` (0: the common store).
    void OpenTab(const std::string& url, int account = 0) override {
        TabCommands().OpenTab(url, account);
    }
    // A blank tab in the lowest free account slot; with all of them open the
    // status line says so instead.
    void NewAccountPage() { TabCommands().NewAccountPage(); }
    void SearchGame() { Toolbar().SearchGame(); }

    // The window's own keys (TWindowKeys), whatever has the focus; true
    // when the key was one of them.
    bool RunWindowKey(int key, TShiftState shift) { return Keys().Run(key, shift); }
    // A key on its way to a focused page: true keeps it from the page, and
    // the window runs it from the queue.
    bool NativeViewKey(int key, TShiftState shift) { return Keys().FromPage(key, shift); }
    bool IsShortCut(int key, TShiftState shift) override;
    // Chooses the menu item of that name, as a click would.
    void RunMenuCommand(const std::string& name) override;
    TMenuItem* MenuItem(const std::string& name) const;
    // A tab on the address that stays behind the active one.
    void OpenBackgroundTab(const std::string& url, int account = 0) override {
        TabCommands().OpenBackgroundTab(url, account);
    }
    // One text size level up or down for the active page, with the menu's marks.
    void StepTextSize(int delta) override { TabCommands().StepTextSize(delta); }
    void FocusAddressBox() { TabCommands().FocusAddressBox(); }
    void SelectNextTab(int delta) { TabCommands().SelectNextTab(delta); }
    // The page of this browser agreed to close: its tab goes.
    void ClosePageOf(TWebBrowser* browser) override { TabCommands().ClosePageOf(browser); }
    void ToggleFullScreen() { TabCommands().ToggleFullScreen(); }
    // Saves the active tab's page as a picture (游戏截图); the status line
    // says where, once it is written.
    void TakeScreenshot() { TScreenshotCommand::Run(*this); }
    // Where screenshots go: "星帆截图" in the user's pictures folder unless
    // set (tests set it).
    std::string ScreenshotFolder;
    // Each tab's sound (TTabSounds): the browser's tab shows what its page
    // does with sound; the speaker and the menus mute and unmute it.
    void ShowSound(TWebBrowser* browser) override { Sounds().Show(browser); }
    void SetTabMuted(TskTabSheet* sheet, bool muted) { Sounds().SetMuted(sheet, muted); }
    void ToggleMute(TskTabSheet* sheet) { Sounds().ToggleMute(sheet); }
    void MuteAll() { Sounds().MuteAll(); }
    // "静音" or "取消静音" for the active tab.
    void UpdateSoundItems() { Sounds().UpdateItems(); }
    void PageFullScreen(TWebBrowser* browser, bool enter) override {
        TabCommands().PageFullScreen(browser, enter);
    }
    TFullScreen& FullScreen() { return TabCommands().FullScreen(); }
    TAddressHistory& History();

    // The rest of what the tabs and their frames ask of the window.
    void ShowStatus(const std::string& text) override;
    std::string AddressText() const override;
    void SetAddressText(const std::string& text) override;
    const std::string& PendingAddress() const override { return PendingURL; }
    TDownloadIEInterface& Tabs() override { return *DownloadIE; }
    int ActivePageIndex() const override;
    TskUIStyle SkinStyle() const override;
    TskFileTheme* SkinFile() const override;

    // Fields besides the components.
    std::unique_ptr<TDownloadIEInterface> DownloadIE;
    std::string PendingURL;

private:
    TMenuCommands& Menus();
    TTabCommands& TabCommands();
    TKeyCommands& Keys();
    TToolbarCommands& Toolbar();
    TSidePanes& Panes();
    TTabSounds& Sounds();

    std::unique_ptr<TAddressHistory> FHistory;
    std::unique_ptr<TMenuCommands> FMenus;
    std::unique_ptr<TTabCommands> FTabCommands;
    std::unique_ptr<TKeyCommands> FKeys;
    std::unique_ptr<TToolbarCommands> FToolbar;
    std::unique_ptr<TSidePanes> FPanes;
    std::unique_ptr<TTabSounds> FSounds;
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
