// Where downloads go on a real folder: never over an existing file, two of
// one name at once never share a file, and an unfinished one leaves nothing.
#include <gtest/gtest.h>

#include <sys/stat.h>

#include <filesystem>
#include <fstream>
#include <set>
#include <stdexcept>

#include "platform/TDownloadFile.h"

namespace fs = std::filesystem;
using platform::TDownloadFile;

namespace {

class DownloadFileTest : public ::testing::Test {
protected:
    DownloadFileTest() {
        std::string pattern = (fs::temp_directory_path() / "xf-dl-XXXXXX").string();
        FDir = mkdtemp(pattern.data());
    }
    ~DownloadFileTest() override {
        std::error_code ec;
        fs::permissions(FDir, fs::perms::owner_all, ec);
        fs::remove_all(FDir, ec);
    }
    void Write(const std::string& name, const std::string& text) {
        std::ofstream(FDir + "/" + name, std::ios::binary) << text;
    }
    std::string Read(const std::string& name) {
        std::ifstream in(FDir + "/" + name, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), {});
    }
    std::set<std::string> Files() {
        std::set<std::string> names;
        for (const auto& entry : fs::directory_iterator(FDir))
            names.insert(entry.path().filename().string());
        return names;
    }
    std::string FDir;
};

TEST_F(DownloadFileTest, ExistingFilesAreKeptAndTheNextFreeNumberIsTaken) {
    Write("notes.txt", "mine");
    Write("notes(1).txt", "mine too");
    {
        TDownloadFile file(FDir, "notes.txt");
        EXPECT_EQ(file.FinalName(), "notes(2).txt");
        EXPECT_EQ(file.PartPath(), FDir + "/notes(2).txt.part");
        EXPECT_TRUE(fs::exists(file.PartPath()));
        std::ofstream(file.PartPath(), std::ios::binary) << "download";
        file.Commit();
        EXPECT_EQ(file.FinalPath(), FDir + "/notes(2).txt");
    }
    EXPECT_EQ(Read("notes.txt"), "mine");
    EXPECT_EQ(Read("notes(1).txt"), "mine too");
    EXPECT_EQ(Read("notes(2).txt"), "download");
    EXPECT_EQ(Files(), (std::set<std::string>{"notes.txt", "notes(1).txt", "notes(2).txt"}));
}

TEST_F(DownloadFileTest, TwoDownloadsOfOneNameAtOnceGetTwoFiles) {
    TDownloadFile first(FDir, "a.zip");
    TDownloadFile second(FDir, "a.zip");
    EXPECT_EQ(first.FinalName(), "a.zip");
    EXPECT_EQ(second.FinalName(), "a(1).zip");
    // The second finishes first: it keeps its own number, and the first
    // still gets the plain name.
    second.Commit();
    first.Commit();
    EXPECT_EQ(Files(), (std::set<std::string>{"a.zip", "a(1).zip"}));
}

TEST_F(DownloadFileTest, AFileThatAppearedMeanwhileIsNotReplaced) {
    TDownloadFile file(FDir, "save.dat");
    std::ofstream(file.PartPath(), std::ios::binary) << "new";
    Write("save.dat", "old");
    Write("save(1).txt", "unrelated");
    file.Commit();
    EXPECT_EQ(file.FinalName(), "save(1).dat");
    EXPECT_EQ(Read("save.dat"), "old");
    EXPECT_EQ(Read("save(1).dat"), "new");
    EXPECT_TRUE(file.Committed());
}

TEST_F(DownloadFileTest, AnUnfinishedDownloadLeavesNothing) {
    {
        TDownloadFile dropped(FDir, "x.bin");
        std::ofstream(dropped.PartPath(), std::ios::binary) << "half";
    }
    TDownloadFile cancelled(FDir, "y.bin");
    cancelled.Discard();
    cancelled.Commit(); // too late: nothing to move
    EXPECT_FALSE(cancelled.Committed());
    EXPECT_TRUE(Files().empty());
}

TEST_F(DownloadFileTest, AFolderThatCannotBeWrittenSaysWhy) {
    if (geteuid() == 0) GTEST_SKIP() << "root writes anywhere";
    fs::permissions(FDir, fs::perms::owner_read | fs::perms::owner_exec);
    EXPECT_THROW(TDownloadFile(FDir, "a.txt"), std::runtime_error);
}

TEST_F(DownloadFileTest, AMissingFolderIsAnErrorNotACrash) {
    try {
        TDownloadFile file(FDir + "/missing", "a.txt");
        FAIL() << "a file in a missing folder";
    } catch (const std::runtime_error& e) {
        EXPECT_NE(std::string(e.what()).find(FDir + "/missing"), std::string::npos);
    }
}

} // namespace
