// Changes to the favourites folder, checked on disk and read back the way
// the page generator reads shortcuts.
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "gui/Exception.h"
#include "services/TFavoritesFolder.h"
#include "services/TFavoritesPage.h"

namespace fs = std::filesystem;

namespace {

class FavoritesFolderTest : public ::testing::Test {
protected:
    FavoritesFolderTest()
        : FDir(fs::temp_directory_path() /
               ("xf-favdir-" + std::to_string(::getpid()) + "-" + std::to_string(++Counter()))),
          FFolder(FDir.string() + "/") {
        fs::create_directories(FDir);
    }
    ~FavoritesFolderTest() override { fs::remove_all(FDir); }
    static int& Counter() {
        static int counter = 0;
        return counter;
    }
    std::string P(const std::string& relative) const { return (FDir / relative).string(); }

    fs::path FDir;
    TFavoritesFolder FFolder;
};

TEST_F(FavoritesFolderTest, ShortcutsReadBackThroughTheProfileRules) {
    for (const std::string url :
         {"http://a.example/?q=1&r=2", "\"half", "a\"b\"c", "http://游戏.example/;x#y", ""}) {
        std::string path = FFolder.AddShortcut("", "Site", url);
        EXPECT_EQ(path, P("Site.url"));
        EXPECT_EQ(TFavoritesPage::ReadShortcutURL(path), url) << url;
    }
    FFolder.AddShortcut("", "Padded", " \thttp://p/ ");
    EXPECT_EQ(TFavoritesPage::ReadShortcutURL(P("Padded.url")), "http://p/");
    FFolder.AddShortcut("", "Broken", "http://a/\r\nURL=http://evil/\r\n[x]");
    EXPECT_EQ(TFavoritesPage::ReadShortcutURL(P("Broken.url")), "http://a/URL=http://evil/[x]");
}

TEST_F(FavoritesFolderTest, ShortcutGoesIntoItsFolderAndReplacesTheOldOne) {
    FFolder.AddShortcut("News/Daily", "Paper", "http://old.example/");
    FFolder.AddShortcut("News/Daily", " Paper ", "http://new.example/");
    EXPECT_EQ(TFavoritesPage::ReadShortcutURL(P("News/Daily/Paper.url")), "http://new.example/");
    EXPECT_EQ(std::distance(fs::directory_iterator(FDir / "News/Daily"), fs::directory_iterator()),
              1);
    fs::create_directories(FDir / "Taken.url");
    EXPECT_THROW(FFolder.AddShortcut("", "Taken", "http://x/"), Exception);
}

TEST_F(FavoritesFolderTest, NamesAreCheckedBeforeTheyBecomePaths) {
    for (const char* bad : {"", "   ", ".", "..", "a/b", "../x", "tab\tinside", "nl\n"})
        EXPECT_THROW(TFavoritesFolder::CheckName(bad), Exception) << bad;
    EXPECT_EQ(TFavoritesFolder::CheckName("  游戏 大厅 "), "游戏 大厅");
    EXPECT_EQ(TFavoritesFolder::CleanName(" A/B\tC "), "A_B_C");
    EXPECT_EQ(TFavoritesFolder::CleanName(".."), "");
    EXPECT_THROW(FFolder.AddShortcut("../outside", "x", "u"), Exception);
    EXPECT_THROW(FFolder.CreateFolder("", "../up"), Exception);
    EXPECT_FALSE(fs::exists(FDir.parent_path() / "outside"));
}

TEST_F(FavoritesFolderTest, TreeListsFoldersFirstAndOnlyShortcuts) {
    FFolder.AddShortcut("", "zeta", "z");
    FFolder.AddShortcut("", "Alpha", "a");
    FFolder.AddShortcut("Beta", "inner", "i");
    FFolder.CreateFolder("", "alpha dir");
    std::ofstream(FDir / "readme.txt") << "x";
    FFolder.AddShortcut("", ".hidden", "h");
    fs::create_directory_symlink(FDir, FDir / "Beta" / "loop");

    auto tree = FFolder.Tree();
    ASSERT_EQ(tree.size(), 4u);
    EXPECT_EQ(tree[0].Name, "alpha dir");
    EXPECT_EQ(tree[1].Name, "Beta");
    EXPECT_TRUE(tree[1].IsFolder);
    EXPECT_EQ(tree[2].Name, "Alpha");
    EXPECT_EQ(tree[2].Path, P("Alpha.url"));
    EXPECT_EQ(tree[3].Name, "zeta");
    ASSERT_EQ(tree[1].Children.size(), 2u);
    EXPECT_EQ(tree[1].Children[0].Name, "loop");
    EXPECT_TRUE(tree[1].Children[0].Children.empty());
    EXPECT_EQ(FFolder.Folders(), (std::vector<std::string>{"", "alpha dir", "Beta", "Beta/loop"}));
}

TEST_F(FavoritesFolderTest, RenameKeepsTheShortcutExtensionAndNeverOverwrites) {
    FFolder.AddShortcut("", "Old", "http://o/");
    FFolder.AddShortcut("", "Other", "http://x/");
    std::string renamed = FFolder.Rename(P("Old.url"), "New");
    EXPECT_EQ(renamed, P("New.url"));
    EXPECT_EQ(TFavoritesPage::ReadShortcutURL(renamed), "http://o/");
    EXPECT_THROW(FFolder.Rename(renamed, "Other"), Exception);
    EXPECT_EQ(TFavoritesPage::ReadShortcutURL(P("Other.url")), "http://x/");
    EXPECT_TRUE(fs::exists(renamed));
    FFolder.CreateFolder("", "Games");
    EXPECT_EQ(FFolder.Rename(P("Games"), "Play"), P("Play"));
    EXPECT_TRUE(fs::is_directory(FDir / "Play"));
    EXPECT_THROW(FFolder.Rename(P("Play"), "a/b"), Exception);
}

TEST_F(FavoritesFolderTest, MoveKeepsFoldersOutOfThemselves) {
    FFolder.AddShortcut("", "Site", "http://s/");
    FFolder.AddShortcut("Outer/Inner", "Deep", "http://d/");
    EXPECT_EQ(FFolder.MoveTo(P("Site.url"), "Outer/Inner"), P("Outer/Inner/Site.url"));
    EXPECT_FALSE(fs::exists(FDir / "Site.url"));
    EXPECT_THROW(FFolder.MoveTo(P("Outer"), "Outer/Inner"), Exception);
    EXPECT_THROW(FFolder.MoveTo(P("Outer"), "Outer"), Exception);
    EXPECT_EQ(FFolder.MoveTo(P("Outer/Inner"), ""), P("Inner"));
    EXPECT_TRUE(fs::exists(FDir / "Inner" / "Deep.url"));
    EXPECT_EQ(FFolder.MoveTo(P("Inner"), ""), P("Inner"));
    FFolder.AddShortcut("Outer", "Deep", "http://other/");
    EXPECT_THROW(FFolder.MoveTo(P("Outer/Deep.url"), "Inner"), Exception);
    EXPECT_EQ(TFavoritesPage::ReadShortcutURL(P("Inner/Deep.url")), "http://d/");
}

TEST_F(FavoritesFolderTest, DeleteStaysInsideTheRoot) {
    FFolder.AddShortcut("Box", "One", "1");
    fs::create_directories(FDir.string() + "-outside");
    std::ofstream(FDir.string() + "-outside/keep") << "x";
    fs::create_directory_symlink(FDir.string() + "-outside", FDir / "Link");
    FFolder.Delete(P("Link"));
    EXPECT_TRUE(fs::exists(FDir.string() + "-outside/keep"));
    FFolder.Delete(P("Box"));
    EXPECT_FALSE(fs::exists(FDir / "Box"));
    EXPECT_THROW(FFolder.Delete(FDir.string()), Exception);
    EXPECT_THROW(FFolder.Delete(P("../") + FDir.filename().string() + "-outside"), Exception);
    EXPECT_THROW(FFolder.Delete("/tmp"), Exception);
    EXPECT_TRUE(fs::exists(FDir));
    fs::remove_all(FDir.string() + "-outside");
}

} // namespace
