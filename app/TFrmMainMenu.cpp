// The menu bar's commands and the skin choice.
#include <array>

#include "app/TDownloadIEInterface.h"
#include "app/TFrameWebBrowser.h"
#include "app/TFrmInternetOptions.h"
#include "app/TFrmMain.h"
#include "app/Tfrmabout.h"
#include "gui/TMenuItem.h"
#include "gui/TOpenDialog.h"
#include "gui/TWebBrowser.h"
#include <cstdio>
#include <fstream>

#include "platform/Kernel.h"
#include "platform/Shell.h"
#include "services/TPortalConfig.h"
#include "platform/browser/OleCommands.h"
#include "skin/TskFileTheme.h"
#include "skin/TskImagePanel.h"
#include "skin/TskPageControl.h"
#include "skin/TskThemeManager.h"

namespace {

struct TSkinEntry {
    const char* Item;
    const char* File; // inside the Skins folder; empty for the built-in style
};

constexpr std::array<TSkinEntry, 8> kSkins = {{{"mnuXP", ""},
                                                {"mnuMsn", "msn.skn"},
                                                {"mnuXpgreen", "Xpgreen.skn"},
                                                {"mnuRoyale", "Royale.skn"},
                                                {"mnuMacOS", "MacOS.skn"},
                                                {"mnuMd_asgold", "md_asgold.skn"},
                                                {"mnuMdb_summer", "mdb_summer.skn"},
                                                {"mnuMdd_winter", "mdd_winter.skn"}}};

constexpr std::array<const char*, 5> kTextSizes = {"mnuMin", "mnuSmaller", "mnuIn", "mnuMore", "mnuMax"};

} // namespace

TMenuItem* TFrmMain::MenuItem(const std::string& name) const {
    return dynamic_cast<TMenuItem*>(FindComponent(name));
}

void TFrmMain::CheckOnly(const std::string& name, const char* const* group, size_t count) {
    for (size_t i = 0; i < count; ++i)
        if (TMenuItem* item = MenuItem(group[i])) item->SetChecked(false);
    if (TMenuItem* item = MenuItem(name)) item->SetChecked(true);
}

void TFrmMain::FontMnu(TObject* sender) {
    auto* item = dynamic_cast<TMenuItem*>(sender);
    if (item) CheckOnly(item->Name(), kTextSizes.data(), kTextSizes.size());
}

void TFrmMain::CheckedMnu(TObject* sender) {
    std::array<const char*, 8> names{};
    for (size_t i = 0; i < kSkins.size(); ++i) names[i] = kSkins[i].Item;
    auto* item = dynamic_cast<TMenuItem*>(sender);
    CheckOnly(item ? item->Name() : "", names.data(), names.size());
}

void TFrmMain::mnuNewClick(TObject* sender) {
    auto* item = dynamic_cast<TMenuItem*>(sender);
    if (item)
        for (const char* name : kTextSizes)
            if (item->Name() == name) FontMnu(sender);
    mnuShowWindowsClick(sender);
}

void TFrmMain::mnuXPClick(TObject* sender) {
    CheckedMnu(sender);
    mnuShowWindowsClick(sender);
}

// Sets the active tab's text size and checks the item of the level the
// browser reports back.
void TFrmMain::P_WebFont(int level) {
    TValue value = int64_t{level};
    ActiveBrowser()->ExecWB(OLECMDID_ZOOM, OLECMDEXECOPT_DONTPROMPTUSER, value, &value);
    const int64_t* now = std::get_if<int64_t>(&value);
    if (!now || *now < 0 || *now > 4) return;
    CheckOnly(kTextSizes[static_cast<size_t>(*now)], kTextSizes.data(), kTextSizes.size());
}

void TFrmMain::ApplySkin(size_t index) {
    const TSkinEntry& skin = kSkins[index];
    if (!*skin.File) {
        thmThemeManager->SetUIStyle(TskUIStyle::WinXP);
        RestyleSiteBars();
        P_RecordReg("", "");
        return;
    }
    thmThemeManager->SetFileTheme(fthFileTheme);
    thmThemeManager->SetUIStyle(TskUIStyle::FromThemeFile);
    fthFileTheme->SetThemeFile(AppPath + platform::NativePath(std::string("Skins\\") + skin.File));
    RestyleSiteBars();
    P_RecordReg(skin.File, skin.Item);
}

// The bars on the tabs are not the theme manager's: they follow here.
void TFrmMain::RestyleSiteBars() {
    if (FrameWebBrowserDefault) FrameWebBrowserDefault->RestyleSiteBar();
    if (DownloadIE)
        for (TFrameWebBrowser* frame : DownloadIE->Frames()) frame->RestyleSiteBar();
}

void TFrmMain::RestoreSkin(const std::string& sky, const std::string& menuName) {
    if (sky.empty()) {
        thmThemeManager->SetUIStyle(TskUIStyle::WinXP);
        if (TMenuItem* item = MenuItem("mnuXP")) item->SetChecked(true);
        return;
    }
    for (const TSkinEntry& skin : kSkins)
        if (menuName == skin.Item)
            if (TMenuItem* item = MenuItem(skin.Item)) item->SetChecked(true);
    thmThemeManager->SetFileTheme(fthFileTheme);
    thmThemeManager->SetUIStyle(TskUIStyle::FromThemeFile);
    fthFileTheme->SetThemeFile(AppPath + platform::NativePath("Skins\\") + sky);
}

void TFrmMain::mnuShowWindowsClick(TObject* sender) {
    auto* item = dynamic_cast<TMenuItem*>(sender);
    if (!item) return;
    const std::string& n = item->Name();
    for (size_t i = 0; i < kSkins.size(); ++i)
        if (n == kSkins[i].Item) return ApplySkin(i);
    for (size_t level = 0; level < kTextSizes.size(); ++level)
        if (n == kTextSizes[level]) return P_WebFont(static_cast<int>(level));
    auto command = [&](int32_t id, int32_t option = OLECMDEXECOPT_PROMPTUSER) {
        ActiveBrowser()->ExecWB(id, option);
    };
    if (n == "mnuNew") OpenTab("about:blank");
    else if (n == "mnuCurrently") OpenTab(ActiveBrowser()->LocationURL());
    else if (n == "mnuAccount" || n == "mnuAccountTab") NewAccountPage();
    else if (n == "mnuOpen") {
        if (opgOpenDialog->Execute()) OpenTab(opgOpenDialog->FileName());
    } else if (n == "mnuSave") command(OLECMDID_SAVEAS);
    else if (n == "mnuSetup") command(OLECMDID_PAGESETUP, OLECMDEXECOPT_DODEFAULT);
    else if (n == "mnuPrint") command(OLECMDID_PRINT);
    else if (n == "mnuPrintView") command(OLECMDID_PRINTPREVIEW);
    else if (n == "mnuProperties") command(OLECMDID_PROPERTIES);
    else if (n == "mnuOffline" || n == "mnuShieldingFrom") item->SetChecked(!item->Checked());
    else if (n == "mnuExit") ExitProgram();
    else if (n == "mnuCut") command(OLECMDID_CUT);
    else if (n == "mnuCopy") command(OLECMDID_COPY);
    else if (n == "mnuPaste") command(OLECMDID_PASTE);
    else if (n == "mnuSelectAll") command(OLECMDID_SELECTALL);
    else if (n == "mnuAddr") palRUL->SetVisible(!palRUL->Visible());
    else if (n == "mnuFavorites") ToggleFavoritesArea();
    else if (n == "mnuStatusBar") palToolBar->SetVisible(!palToolBar->Visible());
    else if (n == "mnuTo") P_writeReg();
    else if (n == "mnuStop") command(OLECMDID_STOP);
    else if (n == "mnuRefresh") RefreshTarget()->ExecWB(OLECMDID_REFRESH, OLECMDEXECOPT_PROMPTUSER);
    else if (n == "mnuGwWeb") {
        palLeft->SetVisible(!palLeft->Visible());
        palLeftMainTop->Show();
    } else if (n == "mnuCreateRecord") P_ClearRocord();
    else if (n == "mnuUsrOut") OpenTab(AppPath + "星帆用户反馈.htm");
    else if (n == "mnuUpdata") UpdateFromMenu();
    else if (n == "mnuSource") ViewSource();
    else if (n == "mnuAbout") Tfrmabout::ShowFor(this);
    else if (n == "mnuFind") SynthesiseFindKeys();
    else if (n == "mnuWZ") OpenTab(TPortalConfig::Load(AppPath).HomePage);
    else if (n == "mnuContact") platform::OpenDocument("mailto:" + TPortalConfig::Load(AppPath).Contact);
    else if (n == "mnuInternet") TFrmInternetOptions::Execute();
    else if (n == "mnuScreenshot") TakeScreenshot();
    else if (n == "mnuMute" || n == "mnuTabMute") ToggleMute(PclParent->ActivePage());
    else if (n == "mnuMuteAll" || n == "mnuTabMuteAll") MuteAll();
    else if (n == "mnuAddFavorites") AddFavoriteFromMenu();
    else if (n == "mnuFinishingFavorites") OrganizeFavoritesFromMenu();
}

// The body's markup only, into Codehtml.txt in the data folder, then the
// desktop's text viewer shows it. A tab without an HTML body writes nothing.
void TFrmMain::ViewSource() {
    TBrowserDocument document = ActiveBrowser()->Document();
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
    if (!OpenSourceViewer) OpenSourceViewer = [](const std::string& file) { platform::OpenDocument(file); };
    OpenSourceViewer(fileName);
}

// Ctrl+F as the keyboard would send it, to whatever has the focus: a focused
// page then opens its find bar.
void TFrmMain::SynthesiseFindKeys() {
    const LPARAM ctrl = MakeLParam(1, 0x1D), f = MakeLParam(1, 0x21);
    HostKey(WM_KEYDOWN, VK_CONTROL, ctrl, 0);
    HostKey(WM_KEYDOWN, 'F', f, 0);
    HostKey(WM_KEYUP, 'F', f | (LPARAM(3) << 30), 0);
    HostKey(WM_KEYUP, VK_CONTROL, ctrl | (LPARAM(3) << 30), 0);
}

// Asks once; the window's own close question is not shown again. The tab
// manager stays until the window goes, so that browser events still arriving
// before the loop ends find it.
void TFrmMain::ExitProgram() {
    int answer = Application->MessageBox("您确定退出整个星帆吗！", "确认退出", MB_YESNO | MB_ICONQUESTION);
    if (answer == IDYES) Application->Terminate();
}
