// The eight skin items: the check mark, the theme of the window's skinned
// components, the registry, and the restore at the next start, with the
// skin files the build puts beside the program.
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>

#include "AppTestSupport.h"
#include "gui/TMenuItem.h"
#include "gui/TTrace.h"
#include "services/TAddressHistory.h"
#include "skin/TskFileTheme.h"
#include "skin/TskThemeManager.h"

namespace {

const char* const kSkinItems[] = {"mnuXP",    "mnuMsn",       "mnuXpgreen",    "mnuRoyale",
                                  "mnuMacOS", "mnuMd_asgold", "mnuMdb_summer", "mnuMdd_winter"};

class SkinSelectionTest : public AppTest {
protected:
    TFrmMain& Restart() {
        delete FForm;
        FForm = nullptr;
        Settle();
        return Start();
    }
    std::vector<std::string> CheckedSkins(TFrmMain& form) {
        std::vector<std::string> checked;
        for (const char* name : kSkinItems)
            if (dynamic_cast<TMenuItem*>(form.FindComponent(name))->Checked())
                checked.push_back(name);
        return checked;
    }
    void Choose(TFrmMain& form, const char* name) {
        dynamic_cast<TMenuItem*>(form.FindComponent(name))->Click();
    }
    TAddressHistory::TStartup Recorded() { return TAddressHistory().ReadStartup(); }
    static std::string FileName(const std::string& path) {
        return std::filesystem::path(path).filename().string();
    }
};

} // namespace

TEST_F(SkinSelectionTest, AFileSkinIsRecordedAndComesBackAtTheNextStart) {
    TFrmMain& form = Start();
    EXPECT_EQ(CheckedSkins(form), std::vector<std::string>{"mnuXP"});
    EXPECT_EQ(form.thmThemeManager->UIStyle(), TskUIStyle::WinXP);

    Choose(form, "mnuMdd_winter");
    EXPECT_EQ(CheckedSkins(form), std::vector<std::string>{"mnuMdd_winter"});
    EXPECT_EQ(form.thmThemeManager->UIStyle(), TskUIStyle::FromThemeFile);
    EXPECT_EQ(form.thmThemeManager->FileTheme(), form.fthFileTheme);
    EXPECT_EQ(form.fthFileTheme->ThemeFile(), AppPath + "Skins/mdd_winter.skn");
    EXPECT_TRUE(form.fthFileTheme->CanUse());
    // The manager handed the style on to the skinned components of its list.
    EXPECT_EQ(form.cmbAddr->Theme().UIStyle(), TskUIStyle::FromThemeFile);
    EXPECT_EQ(Recorded().Sky, "mdd_winter.skn");
    EXPECT_EQ(Recorded().MenuName, "mnuMdd_winter");

    TFrmMain& again = Restart();
    EXPECT_EQ(CheckedSkins(again), std::vector<std::string>{"mnuMdd_winter"});
    EXPECT_EQ(FileName(again.fthFileTheme->ThemeFile()), "mdd_winter.skn");
    EXPECT_TRUE(again.fthFileTheme->CanUse());
    EXPECT_EQ(again.thmThemeManager->UIStyle(), TskUIStyle::FromThemeFile);

    // Every file skin loads its own file; 简约风尚 is the file, not the built-in style.
    const char* const files[] = {"msn.skn",       "Xpgreen.skn",    "Royale.skn",    "MacOS.skn",
                                 "md_asgold.skn", "mdb_summer.skn", "mdd_winter.skn"};
    for (int i = 1; i < 8; ++i) {
        Choose(again, kSkinItems[i]);
        EXPECT_EQ(FileName(again.fthFileTheme->ThemeFile()), files[i - 1]);
        EXPECT_EQ(again.thmThemeManager->UIStyle(), TskUIStyle::FromThemeFile) << kSkinItems[i];
        EXPECT_EQ(Recorded().Sky, files[i - 1]);
    }
    EXPECT_TRUE(FHost.MessageBoxes().empty());
}

TEST_F(SkinSelectionTest, TheBuiltInStyleClearsTheRecordAndStartsChecked) {
    TFrmMain& form = Start();
    Choose(form, "mnuMdb_summer");
    Choose(form, "mnuXP");
    EXPECT_EQ(CheckedSkins(form), std::vector<std::string>{"mnuXP"});
    EXPECT_EQ(form.thmThemeManager->UIStyle(), TskUIStyle::WinXP);
    EXPECT_EQ(Recorded().Sky, "");
    EXPECT_EQ(Recorded().MenuName, "");
    TFrmMain& again = Restart();
    EXPECT_EQ(CheckedSkins(again), std::vector<std::string>{"mnuXP"});
    EXPECT_EQ(again.thmThemeManager->UIStyle(), TskUIStyle::WinXP);
}

TEST_F(SkinSelectionTest, ARecordWithoutItsMenuItemLoadsTheFileAndChecksNothing) {
    TAddressHistory().RecordSkin("Royale.skn", "");
    TFrmMain& form = Start();
    EXPECT_TRUE(CheckedSkins(form).empty());
    EXPECT_EQ(FileName(form.fthFileTheme->ThemeFile()), "Royale.skn");
    EXPECT_TRUE(form.fthFileTheme->CanUse());
    // A menu name in another letter case names no item.
    TAddressHistory().RecordSkin("Royale.skn", "mnuroyale");
    EXPECT_TRUE(CheckedSkins(Restart()).empty());
}

TEST_F(SkinSelectionTest, AMissingFileKeepsTheLookButMovesTheMarkAndTheRecord) {
    TFrmMain& form = Start();
    Choose(form, "mnuRoyale");
    const std::string skins = AppPath + "Skins/";
    const std::string moved = skins + "msn.skn.away-" + std::to_string(::getpid());
    std::filesystem::rename(skins + "msn.skn", moved);
    struct TPutBack {
        std::string From, To;
        ~TPutBack() { std::filesystem::rename(From, To); }
    } putBack{moved, skins + "msn.skn"};

    Choose(form, "mnuMsn");
    EXPECT_EQ(CheckedSkins(form), std::vector<std::string>{"mnuMsn"});
    EXPECT_EQ(FileName(form.fthFileTheme->ThemeFile()), "Royale.skn");
    EXPECT_EQ(Recorded().Sky, "msn.skn");
    EXPECT_TRUE(FHost.MessageBoxes().empty());
}

TEST_F(SkinSelectionTest, AnInvalidFileIsReportedAndNotRecorded) {
    TFrmMain& form = Start();
    Choose(form, "mnuRoyale");
    const std::string skins = AppPath + "Skins/";
    const std::string moved = skins + "Xpgreen.skn.away-" + std::to_string(::getpid());
    std::filesystem::rename(skins + "Xpgreen.skn", moved);
    struct TPutBack {
        std::string From, To;
        ~TPutBack() { std::filesystem::rename(From, To); }
    } putBack{moved, skins + "Xpgreen.skn"};
    std::ofstream(skins + "Xpgreen.skn", std::ios::binary) << "not a skin file";

    Application->Queue([&] { Choose(form, "mnuXpgreen"); });
    Settle();
    ASSERT_EQ(FHost.MessageBoxes().size(), 1u);
    EXPECT_EQ(FHost.MessageBoxes()[0].Text, "Invalid skin file for StarSkin!");
    EXPECT_EQ(CheckedSkins(form), std::vector<std::string>{"mnuXpgreen"});
    EXPECT_EQ(FileName(form.fthFileTheme->ThemeFile()), "Royale.skn");
    EXPECT_EQ(Recorded().Sky, "Royale.skn");
    EXPECT_EQ(Recorded().MenuName, "mnuRoyale");
}

// One choice is one style push, whatever the manager and the file theme do
// on their way: each skinned control of the window restyles once (the props
// trace names each restyle).
TEST_F(SkinSelectionTest, OneChoiceRestylesEachSkinnedControlOnce) {
    TFrmMain& form = Start();
    std::ostringstream trace, report;
    TTrace::SetOutput(&trace);
    TTrace::Configure("props", report);
    struct TTraceOff {
        ~TTraceOff() {
            std::ostringstream ignored;
            TTrace::Configure("", ignored);
            TTrace::SetOutput(nullptr);
        }
    } off;
    auto restyles = [&] {
        std::map<std::string, int> count;
        std::istringstream lines(trace.str());
        for (std::string line; std::getline(lines, line);)
            if (line.rfind("trace restyle ", 0) == 0) ++count[line.substr(line.rfind(' ') + 1)];
        trace.str("");
        return count;
    };
    const char* const listed[] = {"frmSkin",     "tviwList",    "PclParent",    "cmbAddr",
                                  "edtFindName", "mnuMainMenu", "popPopupMenu", "FrameDownloads"};
    for (const char* item : {"mnuMdd_winter", "mnuRoyale", "mnuXP"}) {
        Choose(form, item);
        std::map<std::string, int> count = restyles();
        for (const char* name : listed)
            EXPECT_EQ(count[name], 1) << name << " after " << item;
        for (const auto& [name, times] : count)
            EXPECT_EQ(times, 1) << name << " after " << item;
    }
}
