#pragma once
// The two panes beside the tabs (the game directory and the favourites),
// the favourites commands, and the downloads bar that follows every
// download of the program.
#include <string>

class TFrmMain;

class TSidePanes {
public:
    explicit TSidePanes(TFrmMain& form) : F(form) {}

    // Links followed in the game directory's own page; its frames load
    // where they are.
    void DirectoryNavigating(const std::string& url, bool& cancel);
    // Every link of the favourites page opens in a tab of its own.
    void FavoritesNavigating(const std::string& url, bool& cancel);
    // Writes the favourites page and shows it in the favourites pane.
    void ShowFavorites();
    void AddFavorite();
    void OrganizeFavorites();
    void WatchDownloads();
    void StopWatchingDownloads();

private:
    TFrmMain& F;
};
