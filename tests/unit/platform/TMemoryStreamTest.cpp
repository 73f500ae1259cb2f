#include <gtest/gtest.h>

#include "platform/FileError.h"
#include "platform/TMemoryStream.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sys/stat.h>

namespace {

std::vector<uint8_t> Bytes(std::string_view text) {
    return {text.begin(), text.end()};
}

std::string Content(const TMemoryStream& stream) {
    return std::string(stream.Bytes().begin(), stream.Bytes().end());
}

class TMemoryStreamFiles : public ::testing::Test {
protected:
    void SetUp() override {
        std::string pattern =
            (std::filesystem::temp_directory_path() / "xf-mstream-XXXXXX").string();
        FDir = ::mkdtemp(pattern.data());
    }
    void TearDown() override { std::filesystem::remove_all(FDir); }
    std::string File(const char* name) const { return (FDir / name).string(); }

    std::filesystem::path FDir;
};

} // namespace

TEST(TMemoryStream, ReadStopsAtTheEnd) {
    TMemoryStream stream(Bytes("abcdef"));
    char buffer[8] = {};
    EXPECT_EQ(stream.Read(buffer, 4), 4);
    EXPECT_EQ(std::string(buffer, 4), "abcd");
    EXPECT_EQ(stream.Read(buffer, 8), 2);
    EXPECT_EQ(std::string(buffer, 2), "ef");
    EXPECT_EQ(stream.Read(buffer, 8), 0);
    stream.SetPosition(100);
    EXPECT_EQ(stream.Read(buffer, 1), 0);
    EXPECT_EQ(stream.Read(buffer, -5), 0);
}

TEST(TMemoryStream, SeekFromEachOriginAndNeverBeforeTheStart) {
    TMemoryStream stream(Bytes("0123456789"));
    EXPECT_EQ(stream.Seek(3, TSeekOrigin::soBeginning), 3);
    EXPECT_EQ(stream.Seek(2, TSeekOrigin::soCurrent), 5);
    EXPECT_EQ(stream.Seek(-1, TSeekOrigin::soEnd), 9);
    EXPECT_EQ(stream.Seek(-50, TSeekOrigin::soCurrent), 0);
    stream.SetPosition(-4);
    EXPECT_EQ(stream.Position(), 0);
}

TEST(TMemoryStream, WriteOverwritesGrowsAndFillsGapsWithZeros) {
    TMemoryStream stream(Bytes("abc"));
    stream.SetPosition(1);
    stream.Write("XY", 2);
    EXPECT_EQ(Content(stream), "aXY");
    stream.Write("Z", 1);
    EXPECT_EQ(Content(stream), "aXYZ");
    stream.SetPosition(6);
    stream.Write("!", 1);
    EXPECT_EQ(Content(stream), std::string("aXYZ\0\0!", 7));
    EXPECT_EQ(stream.Position(), 7);

    stream.SetSize(2);
    EXPECT_EQ(Content(stream), "aX");
    EXPECT_EQ(stream.Position(), 7);
    stream.Clear();
    EXPECT_EQ(stream.Size(), 0);
    EXPECT_EQ(stream.Position(), 0);
}

TEST_F(TMemoryStreamFiles, SaveAndLoadRoundTrip) {
    std::string all(256, '\0');
    for (int i = 0; i < 256; ++i)
        all[i] = static_cast<char>(i);
    TMemoryStream out(Bytes(all));
    out.SaveToFile(File("all.bin"));

    TMemoryStream in(Bytes("old"));
    in.SetPosition(2);
    in.LoadFromFile(File("all.bin"));
    EXPECT_EQ(Content(in), all);
    EXPECT_EQ(in.Position(), 0);
}

TEST_F(TMemoryStreamFiles, FailedLoadNamesTheFileAndKeepsTheContent) {
    TMemoryStream stream(Bytes("kept"));
    std::string missing = File("missing.bin");
    try {
        stream.LoadFromFile(missing);
        FAIL() << "no error";
    } catch (const platform::FileError& error) {
        EXPECT_NE(std::string(error.what()).find(missing), std::string::npos);
    }
    EXPECT_EQ(Content(stream), "kept");
    // Neither a folder nor an endless device nor a pipe (whose open would
    // wait for a writer) is loaded.
    EXPECT_THROW(stream.LoadFromFile(FDir.string()), platform::FileError);
    EXPECT_THROW(stream.LoadFromFile("/dev/zero"), platform::FileError);
    ASSERT_EQ(::mkfifo(File("pipe").c_str(), 0600), 0);
    EXPECT_THROW(stream.LoadFromFile(File("pipe")), platform::FileError);
    EXPECT_EQ(Content(stream), "kept");
}

TEST_F(TMemoryStreamFiles, SaveIntoAMissingFolderNamesTheFile) {
    std::string target = File("none/out.bin");
    try {
        TMemoryStream(Bytes("x")).SaveToFile(target);
        FAIL() << "no error";
    } catch (const platform::FileError& error) {
        EXPECT_NE(std::string(error.what()).find(target), std::string::npos);
    }
}

TEST_F(TMemoryStreamFiles, LoadCanStopAfterAPrefix) {
    TMemoryStream(Bytes("0123456789")).SaveToFile(File("ten.bin"));
    TMemoryStream stream;
    stream.LoadFromFile(File("ten.bin"), 4);
    EXPECT_EQ(Content(stream), "0123");
    stream.LoadFromFile(File("ten.bin"), 40);
    EXPECT_EQ(Content(stream), "0123456789");
}
