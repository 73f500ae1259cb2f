// The favourites pane and the two favourites commands.
#include "app/TFrmAddFavorite.h"
#include "app/TFrmMain.h"
#include "app/TFrmOrganizeFavorites.h"
#include "gui/TWebBrowser.h"
#include "services/TFavoritesPage.h"

// Every link of the generated page opens in a tab of its own; only the page
// itself (and its fragments) may load inside the pane. A frame of the page
// shown there loads in its place: a page with eight frames is not eight tabs.
void TFrmMain::webFavoritesBeforeNavigate2(TObject*, const std::string& url, bool& cancel) {
    if (!webFavorites->MainFrameNavigation()) return;
    if (url.find("Fav") != std::string::npos) return;
    OpenTab(url);
    cancel = true;
}

void TFrmMain::P_ClearFavorites() {
    std::string page = TFavoritesPage::Write(DataPath, TFavoritesPage::Folder());
    webFavorites->Navigate(page);
}

void TFrmMain::AddFavoriteFromMenu() {
    TWebBrowser* browser = ActiveBrowser();
    std::string url = browser->LocationURL();
    if (!url.empty())
        TFrmAddFavorite::Execute(TFavoritesPage::Folder(), browser->LocationName(), url);
    P_ClearFavorites();
}

// The pane keeps showing the page as it was: it is rebuilt at the next
// start or the next added favourite.
void TFrmMain::OrganizeFavoritesFromMenu() {
    TFrmOrganizeFavorites::Execute(TFavoritesPage::Folder());
}
