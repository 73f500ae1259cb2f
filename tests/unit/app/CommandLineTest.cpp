// The command line: which answers end the program at once, which arguments
// are addresses, and how a file name becomes an address the running
// program can open from its own working folder.
#include <gtest/gtest.h>

#include <unistd.h>

#include <filesystem>
#include <fstream>

#include "app/TCommandLine.h"

namespace fs = std::filesystem;
using TAction = TCommandLine::TAction;

namespace {

class CommandLineTest : public ::testing::Test {
protected:
    void SetUp() override {
        std::string pattern = (fs::temp_directory_path() / "xf-cmdline-XXXXXX").string();
        ASSERT_NE(::mkdtemp(pattern.data()), nullptr);
        FDir = pattern;
        fs::create_directories(FDir / "games");
        std::ofstream(FDir / "games" / "象棋 1.htm") << "<html></html>";
    }
    void TearDown() override { fs::remove_all(FDir); }

    TCommandLine Parse(std::vector<std::string> args) {
        return TCommandLine::Parse(args, FDir.string());
    }

    fs::path FDir;
};

TEST_F(CommandLineTest, HelpAndVersionWinOverEverythingElse) {
    EXPECT_EQ(Parse({"--bogus", "http://a.example/", "--help"}).Action(), TAction::Help);
    EXPECT_EQ(Parse({"-h"}).Action(), TAction::Help);
    EXPECT_EQ(Parse({"-v", "--help"}).Action(), TAction::Version);
    EXPECT_NE(Parse({"--help"}).AnswerText().find("用法：xingfan"), std::string::npos);
    EXPECT_EQ(Parse({"--version"}).AnswerText().rfind("星帆IE ", 0), 0u);
    // After "--" they are addresses like any other.
    TCommandLine line = Parse({"--", "--help"});
    EXPECT_EQ(line.Action(), TAction::Run);
    EXPECT_EQ(line.Addresses(), std::vector<std::string>{"--help"});
}

TEST_F(CommandLineTest, AnUnknownOptionIsNamedAndOpensNothing) {
    TCommandLine line = Parse({"http://a.example/", "--bogus", "-x"});
    EXPECT_EQ(line.Action(), TAction::Error);
    EXPECT_NE(line.AnswerText().find("“--bogus”"), std::string::npos) << line.AnswerText();
    EXPECT_EQ(line.AnswerText().find("-x"), std::string::npos);
}

TEST_F(CommandLineTest, AddressesKeepTheirOrderAndTheirText) {
    TCommandLine line =
        Parse({"http://a.example/x?y=1#z", "", "www.b.example", "about:blank", "-"});
    EXPECT_EQ(line.Action(), TAction::Run);
    EXPECT_EQ(line.Addresses(), (std::vector<std::string>{"http://a.example/x?y=1#z",
                                                          "www.b.example", "about:blank", "-"}));
    EXPECT_TRUE(Parse({}).Addresses().empty());
}

TEST_F(CommandLineTest, ExistingFilesBecomeFileUrlsFromTheCallersFolder) {
    const std::string url = "file://" + FDir.string() + "/games/%E8%B1%A1%E6%A3%8B%201.htm";
    EXPECT_EQ(TCommandLine::Resolve("games/象棋 1.htm", FDir.string()), url);
    EXPECT_EQ(TCommandLine::Resolve("./games/../games/象棋 1.htm", FDir.string()), url);
    EXPECT_EQ(TCommandLine::Resolve(FDir.string() + "/games/象棋 1.htm", "/"), url);
    EXPECT_EQ(TCommandLine::Resolve("games", FDir.string()), "file://" + FDir.string() + "/games");
    // A name that is not there is an address as typed, not a guess at a file.
    EXPECT_EQ(TCommandLine::Resolve("games/none.htm", FDir.string()), "games/none.htm");
    EXPECT_EQ(TCommandLine::Resolve("games/象棋 1.htm", ""), "games/象棋 1.htm");
}

} // namespace
