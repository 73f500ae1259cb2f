// The skin choice on a real theme manager, file theme and skinned edit, with
// copies of the shipped skin files and a real registry file: the eight
// items, the record and its restore, a missing and an invalid file, and one
// restyle per choice.
#include <gtest/gtest.h>

#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <map>

#include "gui/Exception.h"
#include "gui/TForm.h"
#include "services/TAddressHistory.h"
#include "services/TSkinSelection.h"
#include "skin/TskEdit.h"
#include "skin/TskFileTheme.h"
#include "skin/TskStylePush.h"
#include "skin/TskThemeManager.h"
#include "unit/gui/GuiTestSupport.h"

namespace fs = std::filesystem;

namespace {

class SkinSelectionServiceTest : public GuiTest {
protected:
    SkinSelectionServiceTest() {
        FDir = fs::temp_directory_path() /
               ("xf-skinsel-" + std::to_string(::getpid()) + "-" +
                ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::create_directories(FDir / "Skins");
        for (const auto& skin : TSkinSelection::Skins())
            if (*skin.File)
                fs::copy_file(fs::path(XF_BIN_DIR) / "Skins" / skin.File,
                              FDir / "Skins" / skin.File);
        FHistory = std::make_unique<TAddressHistory>((FDir / "registry.reg").string());
        Build();
        TskStylePush::OnRestyle = [this](const TComponent* c) { ++FRestyles[c->Name()]; };
    }
    ~SkinSelectionServiceTest() override {
        TskStylePush::OnRestyle = nullptr;
        FSelection.reset();
        delete FForm;
        fs::remove_all(FDir);
    }
    // A window as the main one has it: the manager hands its style on to a
    // skinned edit of its list.
    void Build() {
        FSelection.reset();
        delete FForm;
        FForm = new TForm(nullptr);
        FManager = new TskThemeManager(FForm);
        FTheme = new TskFileTheme(FForm);
        FEdit = new TskEdit(FForm);
        FEdit->SetName("edtFind");
        FEdit->SetParent(FForm);
        FManager->SetCompList({"edtFind"});
        FSelection = std::make_unique<TSkinSelection>(*FManager, *FTheme, *FHistory, Skins());
        FApplied = 0;
        FSelection->OnApplied = [this] { ++FApplied; };
    }
    std::string Skins() const { return (FDir / "Skins").string() + "/"; }
    std::string Loaded() const { return fs::path(FTheme->ThemeFile()).filename().string(); }

    fs::path FDir;
    std::unique_ptr<TAddressHistory> FHistory;
    std::unique_ptr<TSkinSelection> FSelection;
    TForm* FForm = nullptr;
    TskThemeManager* FManager = nullptr;
    TskFileTheme* FTheme = nullptr;
    TskEdit* FEdit = nullptr;
    int FApplied = 0;
    std::map<std::string, int> FRestyles;
};

TEST_F(SkinSelectionServiceTest, EachOfTheEightItemsAppliesAndRecordsItsSkin) {
    ASSERT_EQ(TSkinSelection::Skins().size(), 8u);
    EXPECT_EQ(TSkinSelection::IndexOf("mnuXP"), 0);
    EXPECT_EQ(TSkinSelection::IndexOf("mnuMdd_winter"), 7);
    EXPECT_EQ(TSkinSelection::IndexOf("mnuxp"), -1);
    EXPECT_EQ(TSkinSelection::IndexOf("mnuNew"), -1);
    for (size_t i = 1; i < 8; ++i) {
        const auto& skin = TSkinSelection::Skins()[i];
        FSelection->Choose(i);
        EXPECT_EQ(Loaded(), skin.File);
        EXPECT_TRUE(FTheme->CanUse());
        EXPECT_EQ(FManager->UIStyle(), TskUIStyle::FromThemeFile);
        EXPECT_EQ(FManager->FileTheme(), FTheme);
        EXPECT_EQ(FEdit->Theme().UIStyle(), TskUIStyle::FromThemeFile) << skin.Item;
        EXPECT_EQ(FEdit->Theme().FileTheme(), FTheme);
        EXPECT_EQ(FHistory->ReadStartup().Sky, skin.File);
        EXPECT_EQ(FHistory->ReadStartup().MenuName, skin.Item);
    }
    // The built-in style keeps the loaded file but no longer uses it, and
    // clears the record.
    FSelection->Choose(0);
    EXPECT_EQ(FManager->UIStyle(), TskUIStyle::WinXP);
    EXPECT_EQ(FEdit->Theme().UIStyle(), TskUIStyle::WinXP);
    EXPECT_EQ(FHistory->ReadStartup().Sky, "");
    EXPECT_EQ(FHistory->ReadStartup().MenuName, "");
    EXPECT_EQ(FApplied, 8);
}

TEST_F(SkinSelectionServiceTest, TheRecordComesBackOnANewWindow) {
    FSelection->Choose(static_cast<size_t>(TSkinSelection::IndexOf("mnuRoyale")));
    Build();
    TAddressHistory::TStartup record = FHistory->ReadStartup();
    EXPECT_EQ(FSelection->Restore(record.Sky, record.MenuName), "mnuRoyale");
    EXPECT_EQ(Loaded(), "Royale.skn");
    EXPECT_EQ(FEdit->Theme().UIStyle(), TskUIStyle::FromThemeFile);
    // A file without its item (or with the item in another letter case)
    // still loads; no item is named.
    Build();
    EXPECT_EQ(FSelection->Restore("MacOS.skn", "mnuMACOS"), "");
    EXPECT_EQ(Loaded(), "MacOS.skn");
    Build();
    EXPECT_EQ(FSelection->Restore("", ""), "mnuXP");
    EXPECT_EQ(FManager->UIStyle(), TskUIStyle::WinXP);
    EXPECT_EQ(FEdit->Theme().UIStyle(), TskUIStyle::WinXP);
    EXPECT_EQ(FApplied, 0); // restoring records nothing and tells nobody
}

TEST_F(SkinSelectionServiceTest, AMissingFileKeepsTheLookAndIsRecorded) {
    FSelection->Choose(3); // Royale
    fs::remove(FDir / "Skins" / "msn.skn");
    FSelection->Choose(1);
    EXPECT_EQ(Loaded(), "Royale.skn");
    EXPECT_TRUE(FTheme->CanUse());
    EXPECT_EQ(FHistory->ReadStartup().Sky, "msn.skn");
}

TEST_F(SkinSelectionServiceTest, AnInvalidFileThrowsAndIsNotRecorded) {
    FSelection->Choose(3); // Royale
    std::ofstream(FDir / "Skins" / "Xpgreen.skn", std::ios::binary | std::ios::trunc)
        << "not a skin file";
    try {
        FSelection->Choose(2);
        FAIL() << "no error";
    } catch (const Exception& e) {
        EXPECT_EQ(e.Message(), "Invalid skin file for StarSkin!");
    }
    EXPECT_EQ(Loaded(), "Royale.skn");
    EXPECT_EQ(FHistory->ReadStartup().Sky, "Royale.skn");
    EXPECT_EQ(FHistory->ReadStartup().MenuName, "mnuRoyale");
    EXPECT_EQ(FApplied, 1);
    // The push of the failed choice was not left open: the next one works.
    FRestyles.clear();
    FSelection->Choose(7);
    EXPECT_EQ(Loaded(), "mdd_winter.skn");
    EXPECT_EQ(FRestyles["edtFind"], 1);
}

// The manager takes the file theme and the style, and the loaded file hands
// itself to its users again: one choice is still one restyle of the edit.
TEST_F(SkinSelectionServiceTest, OneChoiceRestylesTheEditOnce) {
    FSelection->Choose(7);
    EXPECT_EQ(FRestyles["edtFind"], 1);
    FRestyles.clear();
    FSelection->Choose(4); // file to file: the manager's file theme stays
    EXPECT_EQ(FRestyles["edtFind"], 1);
    FRestyles.clear();
    FSelection->Choose(0);
    EXPECT_EQ(FRestyles["edtFind"], 1);
    // Without a choice, a plain push of the manager restyles it once too.
    FRestyles.clear();
    FManager->SetUIStyle(TskUIStyle::MacOS);
    EXPECT_EQ(FRestyles["edtFind"], 1);
}

} // namespace
