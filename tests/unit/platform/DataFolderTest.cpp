// Which folder the program writes into: its own for a build, the user's for
// an installed copy, and how the user's folder is made and seeded.
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "platform/TDataFolder.h"

using platform::TDataFolder;
namespace fs = std::filesystem;

namespace {

class DataFolderTest : public ::testing::Test {
protected:
    void SetUp() override {
        std::string pattern = (fs::temp_directory_path() / "xf-data-XXXXXX").string();
        ASSERT_NE(::mkdtemp(pattern.data()), nullptr);
        FDir = pattern;
        FProgram = FDir / "program";
        fs::create_directories(FProgram);
        const char* data = std::getenv("XDG_DATA_HOME");
        if (data) FOldData = data;
        ::setenv("XDG_DATA_HOME", (FDir / "data").c_str(), 1);
    }
    void TearDown() override {
        if (FOldData.empty())
            ::unsetenv("XDG_DATA_HOME");
        else
            ::setenv("XDG_DATA_HOME", FOldData.c_str(), 1);
        fs::permissions(FProgram, fs::perms::owner_all, fs::perm_options::add);
        fs::remove_all(FDir);
    }

    void Write(const fs::path& path, const std::string& text) {
        std::ofstream(path, std::ios::binary) << text;
    }
    static std::string Read(const fs::path& path) {
        std::ifstream in(path, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), {});
    }
    void MarkInstalled() { Write(FProgram / TDataFolder::MarkerName, ""); }
    std::string ProgramDir() const { return FProgram.string() + "/"; }
    std::string UserDir() const { return (FDir / "data" / "xingfan").string() + "/"; }

    fs::path FDir;
    fs::path FProgram;
    std::string FOldData;
};

TEST_F(DataFolderTest, ABuildFolderIsItsOwnDataFolderAndNothingIsMade) {
    Write(FProgram / "ocn.js", "db");
    EXPECT_FALSE(TDataFolder::IsInstalled(ProgramDir()));
    EXPECT_EQ(TDataFolder::Prepare(FProgram.string(), {"ocn.js"}), ProgramDir());
    EXPECT_FALSE(fs::exists(FDir / "data"));
}

TEST_F(DataFolderTest, AnInstalledCopyWritesIntoAPrivateUserFolderSeededOnce) {
    MarkInstalled();
    Write(FProgram / "ocn.js", "empty database");
    ASSERT_EQ(TDataFolder::Prepare(ProgramDir(), {"ocn.js", "missing.txt"}), UserDir());
    EXPECT_EQ(Read(UserDir() + "ocn.js"), "empty database");
    EXPECT_FALSE(fs::exists(UserDir() + "missing.txt"));
    EXPECT_FALSE(fs::exists(UserDir() + "ocn.js.part"));
    struct stat info {};
    ASSERT_EQ(::stat(UserDir().c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0700u);

    // The user's database has moved on; a later start must not replace it.
    Write(UserDir() + "ocn.js", "the user's rows");
    TDataFolder::Prepare(ProgramDir(), {"ocn.js"});
    EXPECT_EQ(Read(UserDir() + "ocn.js"), "the user's rows");
}

TEST_F(DataFolderTest, AUserFolderSomethingElseMadeOpenIsMadePrivate) {
    MarkInstalled();
    fs::create_directories(UserDir());
    fs::permissions(UserDir(), fs::perms(0755), fs::perm_options::replace);
    Write(UserDir() + "ocn.js", "the user's rows");
    TDataFolder::Prepare(ProgramDir(), {"ocn.js"});
    EXPECT_EQ(fs::status(UserDir()).permissions(), fs::perms(0700));
    EXPECT_EQ(Read(UserDir() + "ocn.js"), "the user's rows");
}

TEST_F(DataFolderTest, TheSeededCopyTakesWritesThoughTheInstalledOneIsReadOnly) {
    MarkInstalled();
    Write(FProgram / "ocn.js", "db");
    fs::permissions(FProgram / "ocn.js", fs::perms(0444), fs::perm_options::replace);
    TDataFolder::Prepare(ProgramDir(), {"ocn.js"});
    EXPECT_TRUE((fs::status(UserDir() + "ocn.js").permissions() & fs::perms::owner_write) !=
                fs::perms::none);
}

TEST_F(DataFolderTest, AProgramFolderThatCannotBeWrittenCountsAsInstalled) {
    if (::geteuid() == 0) GTEST_SKIP() << "root writes every folder";
    fs::permissions(FProgram, fs::perms(0555), fs::perm_options::replace);
    EXPECT_TRUE(TDataFolder::IsInstalled(ProgramDir()));
    EXPECT_EQ(TDataFolder::Prepare(ProgramDir(), {}), UserDir());
}

TEST_F(DataFolderTest, UserFolderFollowsXdgDataHomeElseHome) {
    ::setenv("XDG_DATA_HOME", "/somewhere/data//", 1);
    EXPECT_EQ(TDataFolder::UserFolder(), "/somewhere/data/xingfan/");
    ::unsetenv("XDG_DATA_HOME");
    const char* home = std::getenv("HOME");
    EXPECT_EQ(TDataFolder::UserFolder(), std::string(home ? home : "") + "/.local/share/xingfan/");
}

TEST_F(DataFolderTest, SeedingIntoAFolderThatCannotBeMadeFailsQuietly) {
    MarkInstalled();
    Write(FProgram / "ocn.js", "db");
    Write(FDir / "data", "a file where the folder should be");
    EXPECT_EQ(TDataFolder::Prepare(ProgramDir(), {"ocn.js"}), UserDir());
    EXPECT_FALSE(TDataFolder::Seed(ProgramDir() + "ocn.js", UserDir() + "ocn.js"));
}

} // namespace
