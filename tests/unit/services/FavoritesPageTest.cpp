// The generated favourites page over real temporary folders.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <optional>
#include <string>
#include <vector>

#include "gui/Exception.h"
#include "gui/TStringList.h"
#include "platform/Kernel.h"
#include "platform/Text.h"
#include "services/TFavoritesPage.h"

namespace fs = std::filesystem;

namespace {

class FavoritesPageTest : public ::testing::Test {
protected:
    FavoritesPageTest() {
        FDir = fs::temp_directory_path() /
               ("xf-favpage-" + std::to_string(::getpid()) + "-" + std::to_string(++Counter()));
        fs::create_directories(FDir);
    }
    ~FavoritesPageTest() override {
        std::error_code ignored;
        for (const fs::path& p : FLocked)
            fs::permissions(p, fs::perms::owner_all, ignored);
        fs::remove_all(FDir, ignored);
    }
    static int& Counter() {
        static int counter = 0;
        return counter;
    }
    void WriteFile(const fs::path& path, const std::string& bytes) {
        fs::create_directories(path.parent_path());
        std::ofstream(path, std::ios::binary) << bytes;
    }
    void Shortcut(const fs::path& path, const std::string& url) {
        WriteFile(path, "[InternetShortcut]\r\nURL=" + url + "\r\n");
    }
    std::vector<std::string> Lines(const fs::path& folder) {
        return TFavoritesPage::GetIEFavourites(folder.string())->Items();
    }
    static std::string Link(const std::string& href, const std::string& title) {
        return "<a href=\"" + href + "\">" + title + "</a><BR>";
    }
    // Names of one kind in the order the file system lists them.
    static std::vector<std::string> Listed(const fs::path& folder, bool folders) {
        std::vector<std::string> names;
        for (const auto& e : platform::ListDirectory(folder.string()))
            if (e.Name[0] != '.' && (folders ? e.IsDirectory : !e.IsDirectory))
                names.push_back(e.Name);
        return names;
    }

    fs::path FDir;
    std::vector<fs::path> FLocked;
};

TEST_F(FavoritesPageTest, MissingOrEmptyFolderGivesHeadAndClosingLinesOnly) {
    const std::vector<std::string> expected = {
        "<html>", "<head><Title>我的收藏夹</Title></head>",
        "<Body bgcolor=\"white\" style=\"color:#000000; font-size: 12px;\">", "</BODY></HTML>"};
    EXPECT_EQ(TFavoritesPage::Build((FDir / "absent").string())->Items(), expected);
    EXPECT_EQ(TFavoritesPage::Build(FDir.string())->Items(), expected);
    EXPECT_TRUE(Lines(FDir / "absent").empty());
}

TEST_F(FavoritesPageTest, ShortcutBecomesLinkNamedAfterItsFile) {
    Shortcut(FDir / "Games.url", "http://games.example/list?a=1");
    WriteFile(FDir / "notes.txt", "[InternetShortcut]\r\nURL=http://no/\r\n");
    Shortcut(FDir / "Upper.URL", "http://upper.example/");
    std::vector<std::string> lines = Lines(FDir);
    std::vector<std::string> expected;
    for (const std::string& name : Listed(FDir, false)) {
        if (name == "Games.url") expected.push_back(Link("http://games.example/list?a=1", "Games"));
        if (name == "Upper.URL") expected.push_back(Link("http://upper.example/", "Upper"));
    }
    EXPECT_EQ(lines, expected);
}

TEST_F(FavoritesPageTest, ShortcutsComeBeforeSubfoldersInListingOrder) {
    Shortcut(FDir / "News" / "Daily.url", "http://daily.example/");
    Shortcut(FDir / "Alpha" / "A.url", "http://a.example/");
    Shortcut(FDir / "One.url", "http://1.example/");
    Shortcut(FDir / "Two.url", "http://2.example/");
    fs::create_directories(FDir / ".hidden");
    Shortcut(FDir / ".hidden" / "H.url", "http://h.example/");

    std::vector<std::string> expected;
    for (const std::string& name : Listed(FDir, false))
        expected.push_back(Link(name == "One.url" ? "http://1.example/" : "http://2.example/",
                                name.substr(0, name.size() - 4)));
    for (const std::string& name : Listed(FDir, true)) {
        expected.push_back("<BR>");
        expected.push_back(name + "<BR>");
        expected.push_back(name == "News" ? Link("http://daily.example/", "Daily")
                                          : Link("http://a.example/", "A"));
    }
    EXPECT_EQ(Lines(FDir), expected);
}

TEST_F(FavoritesPageTest, NestingHasNoDepthLimit) {
    fs::path deep = FDir;
    for (int i = 0; i < 60; ++i)
        deep /= "d" + std::to_string(i);
    Shortcut(deep / "Bottom.url", "http://bottom.example/");
    std::vector<std::string> lines = Lines(FDir);
    ASSERT_EQ(lines.size(), 60u * 2 + 1);
    EXPECT_EQ(lines[1], "d0<BR>");
    EXPECT_EQ(lines[119], "d59<BR>");
    EXPECT_EQ(lines.back(), Link("http://bottom.example/", "Bottom"));
}

TEST_F(FavoritesPageTest, UnreadableFolderIsSkippedAndTheWalkGoesOn) {
    if (::geteuid() == 0) GTEST_SKIP() << "permissions do not stop root";
    Shortcut(FDir / "Locked" / "Secret.url", "http://secret.example/");
    Shortcut(FDir / "Open" / "Fine.url", "http://fine.example/");
    fs::permissions(FDir / "Locked", fs::perms::none);
    FLocked.push_back(FDir / "Locked");
    std::vector<std::string> lines = Lines(FDir);
    std::string all;
    for (const std::string& l : lines)
        all += l + "\n";
    EXPECT_NE(all.find("Locked<BR>"), std::string::npos);
    EXPECT_EQ(all.find("secret"), std::string::npos);
    EXPECT_NE(all.find(Link("http://fine.example/", "Fine")), std::string::npos);
}

TEST_F(FavoritesPageTest, LinkCyclesEndAndOtherLinksAreFollowed) {
    Shortcut(FDir / "Sub" / "S.url", "http://s.example/");
    fs::create_directory_symlink("..", FDir / "Sub" / "Up");
    Shortcut(FDir / "Elsewhere" / "E.url", "http://e.example/");
    fs::create_directory_symlink(FDir / "Elsewhere", FDir / "Sub" / "Alias");
    std::string all;
    for (const std::string& l : Lines(FDir))
        all += l + "\n";
    // Up leads back to a folder still being walked: its name shows, its
    // content does not repeat. Alias is no cycle and is walked.
    EXPECT_NE(all.find("Up<BR>"), std::string::npos);
    size_t first = all.find("http://s.example/");
    EXPECT_EQ(all.find("http://s.example/", first + 1), std::string::npos);
    EXPECT_NE(all.find("Alias<BR>\n" + Link("http://e.example/", "E")), std::string::npos);
}

TEST_F(FavoritesPageTest, HostileShortcutFilesGiveOneLineEachAndNeverStopTheWalk) {
    std::string binary;
    for (int i = 0; i < 4096; ++i)
        binary += static_cast<char>((i * 151 + 7) & 0xFF);
    WriteFile(FDir / "Binary.url", binary);
    WriteFile(FDir / "NoSection.url", "URL=http://orphan.example/\r\n");
    WriteFile(FDir / "NoValue.url", "[InternetShortcut]\r\nIconIndex=0\r\n");
    WriteFile(FDir / "CrOnly.url", "[Other]\rURL=x\r[InternetShortcut]\rURL=http://cr.example/\r");
    WriteFile(FDir / "Gbk.url",
              platform::Utf8ToGb18030("[InternetShortcut]\r\nURL=http://游戏.example/\r\n"));
    WriteFile(FDir / "Huge.url", "[InternetShortcut]\r\nURL=" + std::string(5000, 'h') + "\r\n" +
                                     std::string(3u << 20, 'x'));
    fs::create_directories(FDir / "Folder.url");
    ASSERT_EQ(::mkfifo((FDir / "Pipe.url").c_str(), 0600), 0);
    Shortcut(FDir / "Good.url", "http://good.example/");

    std::vector<std::string> lines = Lines(FDir);
    auto lineOf = [&](const std::string& title) {
        for (const std::string& l : lines)
            if (l.size() > title.size() + 9 &&
                l.compare(l.size() - title.size() - 8, std::string::npos, title + "</a><BR>") == 0)
                return l;
        return std::string("(none)");
    };
    EXPECT_EQ(lineOf("NoSection"), Link("", "NoSection"));
    EXPECT_EQ(lineOf("NoValue"), Link("", "NoValue"));
    EXPECT_EQ(lineOf("CrOnly"), Link("http://cr.example/", "CrOnly"));
    EXPECT_EQ(lineOf("Gbk"), Link("http://游戏.example/", "Gbk"));
    EXPECT_EQ(lineOf("Huge"), Link(std::string(2047, 'h'), "Huge"));
    EXPECT_EQ(lineOf("Pipe"), Link("", "Pipe"));
    EXPECT_EQ(lineOf("Good"), Link("http://good.example/", "Good"));
    EXPECT_NE(lineOf("Binary"), "(none)");
    EXPECT_TRUE(platform::IsValidUtf8(lineOf("Binary")));
    // A folder named like a shortcut is both: an empty link and a subfolder.
    EXPECT_EQ(lineOf("Folder"), Link("", "Folder"));
    EXPECT_EQ(std::count(lines.begin(), lines.end(), "Folder.url<BR>"), 1);
    EXPECT_EQ(lines.size(), 9u + 2u);
}

TEST_F(FavoritesPageTest, NonUtf8FileAndFolderNamesAreDecodedAsGb18030) {
    std::string gbName = platform::Utf8ToGb18030("游戏");
    Shortcut(FDir / (gbName + ".url"), "http://x.example/");
    fs::create_directories(FDir / gbName);
    std::vector<std::string> lines = Lines(FDir);
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_EQ(lines[0], Link("http://x.example/", "游戏"));
    EXPECT_EQ(lines[2], "游戏<BR>");
}

TEST_F(FavoritesPageTest, TitlesAndAddressesCannotInjectMarkup) {
    EXPECT_EQ(TFavoritesPage::LinkLine("http://a.example/?x=1&y=\"2\"'", "<b>Tom & Jerry</b>"),
              "<a href=\"http://a.example/?x=1&amp;y=&quot;2&quot;&#39;\">&lt;b&gt;Tom &amp; "
              "Jerry&lt;/b&gt;</a><BR>");
    // An entity spelt in the file stays literal text instead of decoding
    // into a scheme.
    EXPECT_EQ(TFavoritesPage::LinkLine("&#106;avascript:x", "t"),
              "<a href=\"&amp;#106;avascript:x\">t</a><BR>");
    EXPECT_EQ(TFavoritesPage::EscapeHtml("a\r\nb"), "a&#13;&#10;b");

    fs::create_directories(FDir / "<img src=x onerror=alert(1)>");
    Shortcut(FDir / "\"><script>alert(1)<.url", "\" onmouseover=\"alert(1)");
    for (const std::string& line : Lines(FDir)) {
        EXPECT_EQ(line.find('"', 9), line.find("\">")) << line;
        EXPECT_EQ(line.find("<script"), std::string::npos) << line;
        EXPECT_EQ(line.find("<img"), std::string::npos) << line;
    }
}

TEST_F(FavoritesPageTest, ScriptAddressesAreNeutralisedOthersKept) {
    for (const char* script : {"javascript:alert(1)", "JavaScript:alert(1)", "  \x01javascript:x",
                               "java\tscr\nipt:x", "\r\njavascript:void(0)"}) {
        EXPECT_TRUE(TFavoritesPage::IsScriptAddress(script)) << script;
        EXPECT_EQ(TFavoritesPage::HrefOf(script), "#" + std::string(script));
    }
    for (const char* plain : {"http://javascript.example/", "javascript", "xjavascript:1", "",
                              "file:///tmp/javascript:x", "mailto:a@b.example"}) {
        EXPECT_FALSE(TFavoritesPage::IsScriptAddress(plain)) << plain;
        EXPECT_EQ(TFavoritesPage::HrefOf(plain), plain);
    }
    Shortcut(FDir / "Bookmarklet.url", "javascript:alert(document.cookie)");
    EXPECT_EQ(Lines(FDir).at(0), Link("#javascript:alert(document.cookie)", "Bookmarklet"));
}

TEST_F(FavoritesPageTest, WriteReplacesThePageWithCrLfLines) {
    std::string app = (FDir / "app").string() + "/";
    fs::create_directories(app);
    Shortcut(FDir / "fav" / "Games.url", "http://g.example/");
    std::string path = TFavoritesPage::Write(app, (FDir / "fav").string());
    EXPECT_EQ(path, app + "Fav.htm");
    fs::remove(FDir / "fav" / "Games.url");
    TFavoritesPage::Write(app, (FDir / "fav").string());
    std::ifstream in(path, std::ios::binary);
    std::string text((std::istreambuf_iterator<char>(in)), {});
    EXPECT_EQ(text, "\xEF\xBB\xBF<html>\r\n<head><Title>我的收藏夹</Title></head>\r\n"
                    "<Body bgcolor=\"white\" style=\"color:#000000; font-size: 12px;\">\r\n"
                    "</BODY></HTML>\r\n");
    EXPECT_FALSE(fs::exists(path + ".tmp"));
    EXPECT_THROW(TFavoritesPage::Write((FDir / "none").string() + "/", FDir.string()), EFOpenError);
}

TEST_F(FavoritesPageTest, FolderComesFromTheEnvironment) {
    struct TSavedEnv {
        std::string Name;
        std::optional<std::string> Value;
        explicit TSavedEnv(const char* name) : Name(name) {
            if (const char* v = std::getenv(name)) Value = v;
        }
        ~TSavedEnv() {
            if (Value)
                ::setenv(Name.c_str(), Value->c_str(), 1);
            else
                ::unsetenv(Name.c_str());
        }
    } own("XINGFAN_FAVORITES"), data("XDG_DATA_HOME"), home("HOME");
    ::setenv("XINGFAN_FAVORITES", "/tmp/own/", 1);
    EXPECT_EQ(TFavoritesPage::Folder(), "/tmp/own");
    ::unsetenv("XINGFAN_FAVORITES");
    ::setenv("XDG_DATA_HOME", "/tmp/data", 1);
    EXPECT_EQ(TFavoritesPage::Folder(), "/tmp/data/xingfan/Favorites");
    ::unsetenv("XDG_DATA_HOME");
    ::setenv("HOME", "/home/u", 1);
    EXPECT_EQ(TFavoritesPage::Folder(), "/home/u/.local/share/xingfan/Favorites");
}

} // namespace
