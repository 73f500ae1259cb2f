#include "app/TSidePanes.h"

#include "app/TFrameDownloads.h"
#include "app/TFrmAddFavorite.h"
#include "app/TFrmMain.h"
#include "app/TFrmOrganizeFavorites.h"
#include "gui/TApplication.h"
#include "gui/TWebBrowser.h"
#include "platform/Text.h"
#include "platform/browser/IBrowserEngine.h"
#include "services/TFavoritesPage.h"

namespace {

// The engine hands the pane's addresses with their quotes percent-encoded
// ("R_Left=%27http://...%27"); a quote is a quote however it came.
std::string DecodeQuotes(const std::string& url) {
    std::string out;
    for (size_t i = 0; i < url.size(); ++i) {
        if (url.compare(i, 3, "%27") == 0) {
            out += '\'';
            i += 2;
        } else {
            out += url[i];
        }
    }
    return out;
}

// The target of a direct link: what follows the first "=", at most 100
// characters of it, without single quotes.
std::string DirectLinkTarget(const std::string& address) {
    const std::string url = DecodeQuotes(address);
    size_t eq = url.find('=');
    std::string target =
        platform::FirstUtf16Units(eq == std::string::npos ? url : url.substr(eq + 1), 100);
    std::string out;
    for (char c : target)
        if (c != '\'') out += c;
    return out;
}

} // namespace

void TSidePanes::DirectoryNavigating(const std::string& url, bool& cancel) {
    if (!F.webLeft->MainFrameNavigation()) return;
    if (url.find("R_Class") != std::string::npos) {
        F.OpenTab(url);
        cancel = true;
    }
    if (url.find("R_Left") != std::string::npos) {
        F.OpenTab(DirectLinkTarget(url));
        cancel = true;
    }
}

// Only the page itself (and its fragments) may load inside the pane. A
// frame of the page shown there loads in its place: a page with eight
// frames is not eight tabs.
void TSidePanes::FavoritesNavigating(const std::string& url, bool& cancel) {
    if (!F.webFavorites->MainFrameNavigation()) return;
    if (url.find("Fav") != std::string::npos) return;
    F.OpenTab(url);
    cancel = true;
}

void TSidePanes::ShowFavorites() {
    std::string page = TFavoritesPage::Write(DataPath, TFavoritesPage::Folder());
    F.webFavorites->Navigate(page);
}

void TSidePanes::AddFavorite() {
    TWebBrowser* browser = F.ActiveBrowser();
    std::string url = browser->LocationURL();
    if (!url.empty())
        TFrmAddFavorite::Execute(TFavoritesPage::Folder(), browser->LocationName(), url);
    ShowFavorites();
}

// The pane keeps showing the page as it was: it is rebuilt at the next
// start or the next added favourite.
void TSidePanes::OrganizeFavorites() {
    TFrmOrganizeFavorites::Execute(TFavoritesPage::Folder());
}

// The engine reports from inside its own callbacks: the bar changes from
// the queue, and only while the window is there.
void TSidePanes::WatchDownloads() {
    platform::IBrowserEngineFactory* factory = platform::BrowserEngineFactory();
    if (!factory || !F.FrameDownloads) return;
    TSafeRef<TFrmMain> window(&F);
    factory->SetDownloadObserver([window](const platform::TDownloadInfo& download) {
        if (!Application) return;
        Application->Queue([window, download] {
            TFrmMain* form = window.Get();
            if (form && form->FrameDownloads) form->FrameDownloads->Update(download);
        });
    });
}

void TSidePanes::StopWatchingDownloads() {
    if (platform::IBrowserEngineFactory* factory = platform::BrowserEngineFactory())
        factory->SetDownloadObserver(nullptr);
}
