// The favourites pane of the main window and the two favourites commands,
// on the headless host with the scripted browser.
#include <filesystem>
#include <fstream>
#include <string>

#include "AppTestSupport.h"
#include "app/TFrmAddFavorite.h"
#include "app/TFrmOrganizeFavorites.h"
#include "gui/TEdit.h"
#include "gui/TSpeedButton.h"
#include "services/TFavoritesFolder.h"
#include "services/TFavoritesPage.h"

namespace fs = std::filesystem;

namespace {

class FavoritesPaneTest : public AppTest {
protected:
    FavoritesPaneTest() {
        FFavorites = FDir / "Favorites";
        fs::create_directories(FFavorites);
        ::setenv("XINGFAN_FAVORITES", FFavorites.c_str(), 1);
    }
    ~FavoritesPaneTest() override { ::unsetenv("XINGFAN_FAVORITES"); }

    void Shortcut(const std::string& relative, const std::string& url) {
        fs::create_directories((FFavorites / relative).parent_path());
        std::ofstream(FFavorites / relative, std::ios::binary)
            << "[InternetShortcut]\r\nURL=" << url << "\r\n";
    }
    std::string Page() {
        std::ifstream in(AppPath + "Fav.htm", std::ios::binary);
        return std::string((std::istreambuf_iterator<char>(in)), {});
    }
    // The dialog the modal loop is showing, if any.
    template <typename T> T* OpenDialog() {
        for (TCustomForm* form : Application->Forms())
            if (auto* dialog = dynamic_cast<T*>(form); dialog && dialog->Visible()) return dialog;
        return nullptr;
    }
    int PageCount() { return static_cast<int>(FForm->DownloadIE->Frames().size()) + 1; }

    fs::path FFavorites;
};

TEST_F(FavoritesPaneTest, PageIsWrittenBesideTheProgramAndShownInThePane) {
    TFrmMain& form = Start();
    Shortcut("Games.url", "http://games.example/");
    form.P_ClearFavorites();
    Settle();
    EXPECT_NE(Page().find("<a href=\"http://games.example/\">Games</a><BR>\r\n"),
              std::string::npos);
    EXPECT_EQ(form.webFavorites->LocationURL().find("Fav.htm") != std::string::npos, true)
        << form.webFavorites->LocationURL();
    EXPECT_EQ(PageCount(), 1);
}

TEST_F(FavoritesPaneTest, LinksOpenInNewTabsAndThePaneStaysPut) {
    TFrmMain& form = Start();
    form.P_ClearFavorites();
    Settle();
    std::string pane = form.webFavorites->LocationURL();

    EngineOf(form.webFavorites).ClickLink("http://games.example/favorite.html");
    Settle();
    ASSERT_EQ(PageCount(), 2);
    EXPECT_EQ(TabBrowser(1)->LocationURL(), "http://games.example/favorite.html");
    EXPECT_EQ(form.webFavorites->LocationURL(), pane);

    // The letters in exactly this case keep the navigation in the pane.
    EngineOf(form.webFavorites).ClickLink("http://games.example/Favorite.html");
    Settle();
    EXPECT_EQ(PageCount(), 2);
    EXPECT_EQ(form.webFavorites->LocationURL(), "http://games.example/Favorite.html");
}

TEST_F(FavoritesPaneTest, HandlerCancelsOnlyAddressesWithoutFav) {
    TFrmMain& form = Start();
    bool cancel = false;
    form.webFavoritesBeforeNavigate2(form.webFavorites, "file:///x/Fav.htm#javascript:alert(1)",
                                     cancel);
    EXPECT_FALSE(cancel);
    form.webFavoritesBeforeNavigate2(form.webFavorites, "http://FAV.example/", cancel);
    EXPECT_TRUE(cancel);
    EXPECT_EQ(form.PendingURL, "http://FAV.example/");
}

TEST_F(FavoritesPaneTest, AddFavoriteWritesTheShortcutAndRebuildsThePage) {
    TFrmMain& form = Start();
    EngineOf(TabBrowser(0)).ClickLink("http://news.example/today");
    Settle();
    std::string title = TabBrowser(0)->LocationName();
    bool sawDialog = false;
    Application->Queue([&] {
        auto* dialog = OpenDialog<TFrmAddFavorite>();
        ASSERT_NE(dialog, nullptr);
        sawDialog = true;
        EXPECT_EQ(dialog->edtName->Text(),
                  TFavoritesFolder::CleanName(title.empty() ? "http://news.example/today" : title));
        dialog->edtName->SetText("Today's <news>");
        dialog->btnOK->Click();
    });
    form.AddFavoriteFromMenu();
    Settle();
    EXPECT_TRUE(sawDialog);
    EXPECT_EQ(TFavoritesPage::ReadShortcutURL((FFavorites / "Today's <news>.url").string()),
              "http://news.example/today");
    EXPECT_NE(Page().find("<a href=\"http://news.example/today\">Today&#39;s &lt;news&gt;</a><BR>"),
              std::string::npos);
}

TEST_F(FavoritesPaneTest, CancelledAddStillRebuildsThePage) {
    TFrmMain& form = Start();
    Shortcut("Old.url", "http://old.example/");
    Application->Queue([&] {
        auto* dialog = OpenDialog<TFrmAddFavorite>();
        ASSERT_NE(dialog, nullptr);
        dialog->btnCancel->Click();
    });
    form.AddFavoriteFromMenu();
    Settle();
    EXPECT_EQ(std::distance(fs::directory_iterator(FFavorites), fs::directory_iterator()), 1);
    EXPECT_NE(Page().find("http://old.example/"), std::string::npos);
}

TEST_F(FavoritesPaneTest, OrganiseRunsModallyOverTheFavouritesFolder) {
    TFrmMain& form = Start();
    Shortcut("Keep.url", "http://keep.example/");
    bool listed = false;
    Application->Queue([&] {
        auto* dialog = OpenDialog<TFrmOrganizeFavorites>();
        ASSERT_NE(dialog, nullptr);
        listed = dialog->NodeOf((FFavorites / "Keep.url").string()) != nullptr;
        dialog->btnClose->Click();
    });
    form.OrganizeFavoritesFromMenu();
    EXPECT_TRUE(listed);
    EXPECT_EQ(OpenDialog<TFrmOrganizeFavorites>(), nullptr);
}

} // namespace
