#include "app/TMenuCommands.h"

#include <array>
#include <cstdio>
#include <fstream>

#include "app/TDownloadIEInterface.h"
#include "app/TFrameWebBrowser.h"
#include "app/TFrmInternetOptions.h"
#include "app/TFrmMain.h"
#include "app/Tfrmabout.h"
#include "gui/TMenuItem.h"
#include "gui/TOpenDialog.h"
#include "gui/TSpeedButton.h"
#include "gui/TWebBrowser.h"
#include "platform/Kernel.h"
#include "platform/Shell.h"
#include "platform/browser/OleCommands.h"
#include "services/TPortalConfig.h"
#include "services/TSkinSelection.h"
#include "skin/TskFileTheme.h"
#include "skin/TskImagePanel.h"
#include "skin/TskPageControl.h"
#include "skin/TskThemeManager.h"

namespace {

constexpr std::array<const char*, 5> kTextSizes = {"mnuMin", "mnuSmaller", "mnuIn", "mnuMore",
                                                   "mnuMax"};

// The browser commands of the menus, each with the option it is sent with.
struct TPageCommand {
    const char* Item;
    int32_t Id;
    int32_t Option;
};
constexpr TPageCommand kPageCommands[] = {
    {"mnuSave", OLECMDID_SAVEAS, OLECMDEXECOPT_PROMPTUSER},
    {"mnuSetup", OLECMDID_PAGESETUP, OLECMDEXECOPT_DODEFAULT},
    {"mnuPrint", OLECMDID_PRINT, OLECMDEXECOPT_PROMPTUSER},
    {"mnuPrintView", OLECMDID_PRINTPREVIEW, OLECMDEXECOPT_PROMPTUSER},
    {"mnuProperties", OLECMDID_PROPERTIES, OLECMDEXECOPT_PROMPTUSER},
    {"mnuCut", OLECMDID_CUT, OLECMDEXECOPT_PROMPTUSER},
    {"mnuCopy", OLECMDID_COPY, OLECMDEXECOPT_PROMPTUSER},
    {"mnuPaste", OLECMDID_PASTE, OLECMDEXECOPT_PROMPTUSER},
    {"mnuSelectAll", OLECMDID_SELECTALL, OLECMDEXECOPT_PROMPTUSER},
    {"mnuStop", OLECMDID_STOP, OLECMDEXECOPT_PROMPTUSER},
};

} // namespace

TMenuCommands::TMenuCommands(TFrmMain& form) : F(form) {}
TMenuCommands::~TMenuCommands() = default;

void TMenuCommands::CheckOnly(const std::string& name, const char* const* group, size_t count) {
    for (size_t i = 0; i < count; ++i)
        if (TMenuItem* item = F.MenuItem(group[i])) item->SetChecked(false);
    if (TMenuItem* item = F.MenuItem(name)) item->SetChecked(true);
}

// Other items of the same handler are no text size and leave the marks.
void TMenuCommands::CheckTextSize(TObject* sender) {
    auto* item = dynamic_cast<TMenuItem*>(sender);
    if (!item) return;
    for (const char* name : kTextSizes)
        if (item->Name() == name) return CheckOnly(name, kTextSizes.data(), kTextSizes.size());
}

void TMenuCommands::CheckSkin(TObject* sender) {
    std::array<const char*, 8> names{};
    for (size_t i = 0; i < names.size(); ++i)
        names[i] = TSkinSelection::Skins()[i].Item;
    auto* item = dynamic_cast<TMenuItem*>(sender);
    CheckOnly(item ? item->Name() : "", names.data(), names.size());
}

void TMenuCommands::SetTextSize(int level) {
    TValue value = int64_t{level};
    F.ActiveBrowser()->ExecWB(OLECMDID_ZOOM, OLECMDEXECOPT_DONTPROMPTUSER, value, &value);
    const int64_t* now = std::get_if<int64_t>(&value);
    if (!now || *now < 0 || *now > 4) return;
    CheckOnly(kTextSizes[static_cast<size_t>(*now)], kTextSizes.data(), kTextSizes.size());
}

// The bars on the tabs are not the theme manager's: they follow here.
void TMenuCommands::RestyleSiteBars() {
    if (F.FrameWebBrowserDefault) F.FrameWebBrowserDefault->RestyleSiteBar();
    if (F.DownloadIE)
        for (TFrameWebBrowser* frame : F.DownloadIE->Frames())
            frame->RestyleSiteBar();
}

TSkinSelection& TMenuCommands::Skins() {
    if (!FSkins) {
        FSkins = std::make_unique<TSkinSelection>(*F.thmThemeManager, *F.fthFileTheme, F.History(),
                                                  AppPath + platform::NativePath("Skins\\"));
        FSkins->OnApplied = [this] { RestyleSiteBars(); };
    }
    return *FSkins;
}

void TMenuCommands::RestoreSkin(const std::string& sky, const std::string& menuName) {
    std::string item = Skins().Restore(sky, menuName);
    if (TMenuItem* checked = F.MenuItem(item)) checked->SetChecked(true);
}

void TMenuCommands::Run(TObject* sender) {
    auto* item = dynamic_cast<TMenuItem*>(sender);
    if (!item) return;
    const std::string& n = item->Name();
    if (int skin = TSkinSelection::IndexOf(n); skin >= 0)
        return Skins().Choose(static_cast<size_t>(skin));
    for (size_t level = 0; level < kTextSizes.size(); ++level)
        if (n == kTextSizes[level]) return SetTextSize(static_cast<int>(level));
    if (!RunPageCommand(n)) RunWindowCommand(n, *item);
}

bool TMenuCommands::RunPageCommand(const std::string& name) {
    for (const TPageCommand& command : kPageCommands)
        if (name == command.Item) {
            F.ActiveBrowser()->ExecWB(command.Id, command.Option);
            return true;
        }
    if (name != "mnuRefresh") return false;
    F.RefreshTarget()->ExecWB(OLECMDID_REFRESH, OLECMDEXECOPT_PROMPTUSER);
    return true;
}

bool TMenuCommands::RunWindowCommand(const std::string& n, TMenuItem& item) {
    if (n == "mnuNew")
        F.OpenTab("about:blank");
    else if (n == "mnuCurrently")
        F.OpenTab(F.ActiveBrowser()->LocationURL());
    else if (n == "mnuAccount" || n == "mnuAccountTab")
        F.NewAccountPage();
    else if (n == "mnuOpen") {
        if (F.opgOpenDialog->Execute()) F.OpenTab(F.opgOpenDialog->FileName());
    } else if (n == "mnuOffline" || n == "mnuShieldingFrom")
        item.SetChecked(!item.Checked());
    else if (n == "mnuExit")
        ExitProgram();
    else if (n == "mnuAddr")
        F.palRUL->SetVisible(!F.palRUL->Visible());
    else if (n == "mnuFavorites")
        F.ClickButton(static_cast<TObject*>(F.btnFavorites));
    else if (n == "mnuStatusBar")
        F.palToolBar->SetVisible(!F.palToolBar->Visible());
    else if (n == "mnuTo")
        F.P_writeReg();
    else if (n == "mnuGwWeb") {
        F.palLeft->SetVisible(!F.palLeft->Visible());
        F.palLeftMainTop->Show();
    } else if (n == "mnuCreateRecord")
        F.P_ClearRocord();
    else if (n == "mnuUsrOut")
        F.OpenTab(AppPath + "星帆用户反馈.htm");
    else if (n == "mnuUpdata")
        F.UpdateFromMenu();
    else if (n == "mnuSource")
        ViewSource();
    else if (n == "mnuAbout")
        Tfrmabout::ShowFor(&F);
    else if (n == "mnuFind")
        SynthesiseFindKeys();
    else if (n == "mnuWZ")
        F.OpenTab(TPortalConfig::Load(AppPath).HomePage);
    else if (n == "mnuContact")
        platform::OpenDocument("mailto:" + TPortalConfig::Load(AppPath).Contact);
    else if (n == "mnuInternet")
        TFrmInternetOptions::Execute();
    else if (n == "mnuScreenshot")
        F.TakeScreenshot();
    else if (n == "mnuMute" || n == "mnuTabMute")
        F.ToggleMute(F.PclParent->ActivePage());
    else if (n == "mnuMuteAll" || n == "mnuTabMuteAll")
        F.MuteAll();
    else if (n == "mnuAddFavorites")
        F.AddFavoriteFromMenu();
    else if (n == "mnuFinishingFavorites")
        F.OrganizeFavoritesFromMenu();
    else
        return false;
    return true;
}

// The body's markup only, into Codehtml.txt in the data folder, then the
// desktop's text viewer shows it. A tab without an HTML body writes nothing.
void TMenuCommands::ViewSource() {
    TBrowserDocument document = F.ActiveBrowser()->Document();
    if (!document.BodyOuterHTML) {
        Application->MessageBox("当前页面没有可查看的源文件。", "提示", MB_OK | MB_ICONINFORMATION);
        return;
    }
    std::string fileName = DataPath + "Codehtml.txt";
    std::string temp = fileName + ".tmp";
    {
        std::ofstream out(temp, std::ios::binary | std::ios::trunc);
        out << *document.BodyOuterHTML;
        if (!out) throw Exception("无法写入 " + fileName);
    }
    if (std::rename(temp.c_str(), fileName.c_str()) != 0) throw Exception("无法写入 " + fileName);
    if (!F.OpenSourceViewer)
        F.OpenSourceViewer = [](const std::string& file) { platform::OpenDocument(file); };
    F.OpenSourceViewer(fileName);
}

// Ctrl+F as the keyboard would send it, to whatever has the focus: a focused
// page then opens its find bar.
void TMenuCommands::SynthesiseFindKeys() {
    const LPARAM ctrl = MakeLParam(1, 0x1D), f = MakeLParam(1, 0x21);
    F.HostKey(WM_KEYDOWN, VK_CONTROL, ctrl, 0);
    F.HostKey(WM_KEYDOWN, 'F', f, 0);
    F.HostKey(WM_KEYUP, 'F', f | (LPARAM(3) << 30), 0);
    F.HostKey(WM_KEYUP, VK_CONTROL, ctrl | (LPARAM(3) << 30), 0);
}

// Asks once; the window's own close question is not shown again. The tab
// manager stays until the window goes, so that browser events still arriving
// before the loop ends find it.
void TMenuCommands::ExitProgram() {
    int answer =
        Application->MessageBox("您确定退出整个星帆吗！", "确认退出", MB_YESNO | MB_ICONQUESTION);
    if (answer == IDYES) Application->Terminate();
}
