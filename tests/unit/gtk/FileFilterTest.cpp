#include <fnmatch.h>
#include <gtest/gtest.h>

#include "gui/host/gtk/TFileFilterList.h"

TEST(FileFilter, NamesPairWithTheirPatterns) {
    auto filters = TFileFilterList::Parse("网页文件|*.htm;*.html|文本| *.txt ; |所有文件|*.*");
    ASSERT_EQ(filters.size(), 3u);
    EXPECT_EQ(filters[0].Name, "网页文件");
    EXPECT_EQ(filters[0].Patterns, (std::vector<std::string>{"*.htm", "*.html"}));
    EXPECT_EQ(filters[1].Patterns, (std::vector<std::string>{"*.txt"}));
    EXPECT_EQ(filters[2].Name, "所有文件");
}

TEST(FileFilter, NamesWithoutPatternsAreDropped) {
    EXPECT_TRUE(TFileFilterList::Parse("").empty());
    EXPECT_TRUE(TFileFilterList::Parse("Pages").empty());
    EXPECT_TRUE(TFileFilterList::Parse("Pages|").empty());
    auto filters = TFileFilterList::Parse("Pages|*.htm|Dangling");
    ASSERT_EQ(filters.size(), 1u);
    EXPECT_EQ(filters[0].Name, "Pages");
    EXPECT_EQ(TFileFilterList::Parse("|*.a|B|;;").size(), 1u) << "an empty name is still a filter";
}

TEST(FileFilter, GlobsIgnoreCaseLikeThePlatform) {
    std::string glob = TFileFilterList::CaseInsensitiveGlob("*.htm");
    EXPECT_EQ(glob, "*.[hH][tT][mM]");
    EXPECT_EQ(fnmatch(glob.c_str(), "INDEX.HTM", 0), 0);
    EXPECT_EQ(fnmatch(glob.c_str(), "index.Htm", 0), 0);
    EXPECT_NE(fnmatch(glob.c_str(), "index.html", 0), 0);
    EXPECT_EQ(TFileFilterList::CaseInsensitiveGlob("*.*"), "*");
    std::string bracket = TFileFilterList::CaseInsensitiveGlob("a[1].txt");
    EXPECT_EQ(fnmatch(bracket.c_str(), "A[1].TXT", 0), 0);
    EXPECT_NE(fnmatch(bracket.c_str(), "a1.txt", 0), 0);
    EXPECT_EQ(fnmatch(TFileFilterList::CaseInsensitiveGlob("星帆*.htm").c_str(), "星帆用户.HTM", 0),
              0);
}
