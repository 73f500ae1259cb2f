#include <gtest/gtest.h>

#include "platform/Kernel.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <unistd.h>

using namespace platform;
namespace fs = std::filesystem;

namespace {

class KernelFolder : public ::testing::Test {
protected:
    void SetUp() override {
        std::string pattern = (fs::temp_directory_path() / "xf-kernel-XXXXXX").string();
        ASSERT_NE(::mkdtemp(pattern.data()), nullptr);
        FDir = pattern;
    }
    void TearDown() override { fs::remove_all(FDir); }

    void Touch(const std::string& name) { std::ofstream(FDir / name) << "x"; }

    fs::path FDir;
};

std::vector<std::string> Names(const std::vector<TDirEntry>& entries) {
    std::vector<std::string> names;
    for (const TDirEntry& entry : entries)
        names.push_back(entry.Name);
    return names;
}

const TDirEntry* Find(const std::vector<TDirEntry>& entries, const std::string& name) {
    auto found = std::find_if(entries.begin(), entries.end(),
                              [&](const TDirEntry& entry) { return entry.Name == name; });
    return found == entries.end() ? nullptr : &*found;
}

} // namespace

TEST(Kernel, ComputerNameIsTheHostName) {
    char host[256] = {};
    ASSERT_EQ(::gethostname(host, sizeof host - 1), 0);
    auto name = ComputerName();
    ASSERT_TRUE(name.has_value());
    EXPECT_EQ(*name, host);
    // The platform's call fails when the name and its NUL do not fit.
    EXPECT_FALSE(ComputerName(std::string(host).size()).has_value());
    EXPECT_TRUE(ComputerName(std::string(host).size() + 1).has_value());
}

TEST(Kernel, ExecutableDirHoldsThisTestProgram) {
    std::string dir = ExecutableDir();
    ASSERT_FALSE(dir.empty());
    EXPECT_EQ(dir.front(), '/');
    EXPECT_EQ(dir.back(), '/');
    EXPECT_TRUE(FileExists(dir + "unit_platform"));
}

TEST(Kernel, NativePathTurnsBackslashesAndCollapsesSeparators) {
    EXPECT_EQ(NativePath("Skins\\"), "Skins/");
    EXPECT_EQ(NativePath("/opt/xingfan/" + std::string("\\images\\show.bmp")),
              "/opt/xingfan/images/show.bmp");
    EXPECT_EQ(NativePath("a\\\\b//c\\/d"), "a/b/c/d");
    EXPECT_EQ(NativePath("星帆用户反馈.htm"), "星帆用户反馈.htm");
    EXPECT_EQ(NativePath(""), "");
}

TEST_F(KernelFolder, FileChecksAndDeletion) {
    Touch("a.txt");
    std::string file = (FDir / "a.txt").string();
    EXPECT_TRUE(FileExists(file));
    EXPECT_FALSE(FileExists(FDir.string()));
    EXPECT_TRUE(DirectoryExists(FDir.string()));
    EXPECT_FALSE(DirectoryExists(file));
    EXPECT_FALSE(DeleteFile(FDir.string()));
    EXPECT_TRUE(DeleteFile(file));
    EXPECT_FALSE(FileExists(file));
    EXPECT_FALSE(DeleteFile(file));
}

TEST_F(KernelFolder, ListingKeepsFileSystemOrderAndFlags) {
    for (int i = 0; i < 30; ++i)
        Touch("f" + std::to_string(i) + ".url");
    fs::create_directory(FDir / "Folder");
    fs::create_directory_symlink(FDir / "Folder", FDir / "link");
    fs::create_symlink(FDir / "gone", FDir / "dangling");

    auto entries = ListDirectory(FDir.string());
    std::vector<std::string> expected{".", ".."};
    for (auto& entry : fs::directory_iterator(FDir))
        expected.push_back(entry.path().filename().string());
    std::vector<std::string> names = Names(entries);
    // directory_iterator reads the same order but drops "." and "..".
    std::vector<std::string> withoutDots;
    std::copy_if(names.begin(), names.end(), std::back_inserter(withoutDots),
                 [](const std::string& name) { return name != "." && name != ".."; });
    EXPECT_EQ(withoutDots, std::vector<std::string>(expected.begin() + 2, expected.end()));
    EXPECT_EQ(names.size(), expected.size());

    EXPECT_TRUE(Find(entries, ".")->IsDirectory);
    EXPECT_TRUE(Find(entries, "f3.url")->IsFile);
    EXPECT_FALSE(Find(entries, "f3.url")->IsDirectory);
    EXPECT_TRUE(Find(entries, "Folder")->IsDirectory);
    EXPECT_FALSE(Find(entries, "Folder")->IsSymlink);
    EXPECT_TRUE(Find(entries, "link")->IsDirectory);
    EXPECT_TRUE(Find(entries, "link")->IsSymlink);
    const TDirEntry* dangling = Find(entries, "dangling");
    EXPECT_TRUE(dangling->IsSymlink);
    EXPECT_FALSE(dangling->IsFile || dangling->IsDirectory);
}

TEST_F(KernelFolder, MissingFolderListsNothing) {
    EXPECT_TRUE(ListDirectory((FDir / "none").string()).empty());
    Touch("plain");
    EXPECT_TRUE(ListDirectory((FDir / "plain").string()).empty());
}

TEST_F(KernelFolder, FindFilesFiltersByMask) {
    Touch("A.URL");
    Touch("b.url");
    Touch("c.urlx");
    Touch("noext");
    auto urls = Names(FindFiles(FDir.string(), "*.url"));
    std::sort(urls.begin(), urls.end());
    EXPECT_EQ(urls, (std::vector<std::string>{"A.URL", "b.url"}));
    EXPECT_EQ(FindFiles(FDir.string(), "*.*").size(), 6u); // with "." and ".."
}

TEST(Kernel, MaskMatching) {
    EXPECT_TRUE(MatchesMask("收藏.URL", "*.url"));
    EXPECT_TRUE(MatchesMask("a.b.url", "*.url"));
    EXPECT_FALSE(MatchesMask("a.url.bak", "*.url"));
    EXPECT_TRUE(MatchesMask("noext", "*.*"));
    EXPECT_TRUE(MatchesMask("星.txt", "?.txt"));
    EXPECT_FALSE(MatchesMask("ab.txt", "?.txt"));
    EXPECT_TRUE(MatchesMask("abcabd", "*ab?"));
    EXPECT_FALSE(MatchesMask("abc", "*b"));
    EXPECT_TRUE(MatchesMask("", "*"));
    EXPECT_FALSE(MatchesMask("", "?"));
}
