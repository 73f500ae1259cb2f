// The two favourites dialogs driven through their controls, without the
// modal loop.
#include <filesystem>
#include <fstream>
#include <string>

#include "AppTestSupport.h"
#include "app/TFrmAddFavorite.h"
#include "app/TFrmOrganizeFavorites.h"
#include "gui/TComboBox.h"
#include "gui/TEdit.h"
#include "gui/TSpeedButton.h"
#include "gui/TTreeView.h"
#include "services/TFavoritesFolder.h"
#include "services/TFavoritesPage.h"

namespace fs = std::filesystem;

namespace {

class FavoriteDialogsTest : public AppTest {
protected:
    FavoriteDialogsTest() : FRoot((FDir / "Fav").string()), FFolder(FRoot) {
        fs::create_directories(FRoot);
    }
    std::string P(const std::string& relative) const { return FRoot + "/" + relative; }

    std::string FRoot;
    TFavoritesFolder FFolder;
};

TEST_F(FavoriteDialogsTest, AddAsksBeforeReplacingAndRejectsBadNames) {
    FFolder.AddShortcut("Games", "Site", "http://old/");
    TFrmAddFavorite dialog(nullptr);
    dialog.Prepare(FRoot, "A/B", "http://new/");
    EXPECT_EQ(dialog.edtName->Text(), "A_B");
    ASSERT_EQ(dialog.cmbFolder->Items().Count(), 2);
    dialog.cmbFolder->SetItemIndex(1);
    dialog.edtName->SetText("Site");
    FHost.QueueMessageBoxAnswer(IDNO);
    dialog.btnOK->Click();
    EXPECT_EQ(dialog.ModalResult(), 0);
    EXPECT_EQ(TFavoritesPage::ReadShortcutURL(P("Games/Site.url")), "http://old/");
    FHost.QueueMessageBoxAnswer(IDYES);
    dialog.btnOK->Click();
    EXPECT_EQ(dialog.ModalResult(), IDOK);
    EXPECT_EQ(TFavoritesPage::ReadShortcutURL(P("Games/Site.url")), "http://new/");

    dialog.SetModalResult(0);
    dialog.edtName->SetText("..");
    FHost.ClearMessageBoxes();
    dialog.btnOK->Click();
    EXPECT_EQ(dialog.ModalResult(), 0);
    ASSERT_EQ(FHost.MessageBoxes().size(), 1u);
    EXPECT_EQ(FHost.MessageBoxes()[0].Caption, "提示");
}

TEST_F(FavoriteDialogsTest, OrganiseRenamesMovesCreatesAndDeletes) {
    FFolder.AddShortcut("", "Site", "http://s/");
    FFolder.CreateFolder("", "Box");
    TFrmOrganizeFavorites dialog(nullptr);
    dialog.Prepare(FRoot);

    dialog.tviwFavorites->SetSelected(dialog.NodeOf(P("Site.url")));
    EXPECT_EQ(dialog.edtName->Text(), "Site");
    dialog.edtName->SetText("Renamed");
    dialog.btnRename->Click();
    EXPECT_TRUE(fs::exists(P("Renamed.url")));
    EXPECT_EQ(dialog.PathOf(dialog.tviwFavorites->Selected()), P("Renamed.url"));

    dialog.cmbMoveTo->SetItemIndex(dialog.cmbMoveTo->Items().IndexOf("Box"));
    dialog.btnMove->Click();
    EXPECT_TRUE(fs::exists(P("Box/Renamed.url")));
    ASSERT_NE(dialog.NodeOf(P("Box/Renamed.url")), nullptr);

    // A new folder goes beside the selected shortcut.
    dialog.edtName->SetText("Inner");
    dialog.btnCreateFolder->Click();
    EXPECT_TRUE(fs::is_directory(P("Box/Inner")));

    dialog.tviwFavorites->SetSelected(dialog.NodeOf(P("Box")));
    FHost.QueueMessageBoxAnswer(IDNO);
    dialog.btnDelete->Click();
    EXPECT_TRUE(fs::exists(P("Box")));
    FHost.QueueMessageBoxAnswer(IDYES);
    dialog.btnDelete->Click();
    EXPECT_FALSE(fs::exists(P("Box")));
    EXPECT_EQ(dialog.tviwFavorites->Items().Count(), 0);
}

TEST_F(FavoriteDialogsTest, OrganiseShowsFailuresAndKeepsTheList) {
    FFolder.AddShortcut("", "One", "1");
    FFolder.AddShortcut("", "Two", "2");
    TFrmOrganizeFavorites dialog(nullptr);
    dialog.Prepare(FRoot);
    dialog.tviwFavorites->SetSelected(dialog.NodeOf(P("One.url")));
    dialog.edtName->SetText("Two");
    dialog.btnRename->Click();
    ASSERT_EQ(FHost.MessageBoxes().size(), 1u);
    EXPECT_EQ(TFavoritesPage::ReadShortcutURL(P("Two.url")), "2");
    EXPECT_EQ(dialog.tviwFavorites->Items().Count(), 2);
    EXPECT_EQ(dialog.PathOf(dialog.tviwFavorites->Selected()), P("One.url"));
}

} // namespace
