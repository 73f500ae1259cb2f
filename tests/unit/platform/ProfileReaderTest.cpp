#include <gtest/gtest.h>

#include "platform/FileError.h"
#include "platform/ProfileReader.h"
#include "platform/TProfile.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <unistd.h>

using namespace platform;
namespace fs = std::filesystem;

namespace {

class ProfileFile : public ::testing::Test {
protected:
    void SetUp() override {
        std::string pattern = (fs::temp_directory_path() / "xf-profile-XXXXXX").string();
        ASSERT_NE(::mkdtemp(pattern.data()), nullptr);
        FDir = pattern;
    }
    void TearDown() override { fs::remove_all(FDir); }

    std::string Write(const std::string& name, const std::string& bytes) {
        std::string path = (FDir / name).string();
        std::ofstream(path, std::ios::binary) << bytes;
        return path;
    }

    fs::path FDir;
};

// Looks a key up the way the shortcut reader does, with a 2048-char buffer.
std::string Get(const std::string& text, const char* section, const char* key,
                std::optional<std::string_view> def = "dflt") {
    return TProfile(text).ReadString(section, key, def, 2048);
}

} // namespace

TEST_F(ProfileFile, MissingFileOrEmptyNameGivesTheDefault) {
    EXPECT_EQ(GetPrivateProfileString("s", "k", "d", 2048, (FDir / "none.ini").string()), "d");
    EXPECT_EQ(GetPrivateProfileString("s", "k", "d", 2048, ""), "d");
    EXPECT_EQ(GetPrivateProfileString("s", "k", std::nullopt, 2048, ""), "");
    // A folder in place of the file is just as absent.
    EXPECT_EQ(GetPrivateProfileString("s", "k", "d", 2048, FDir.string()), "d");
}

TEST_F(ProfileFile, ReadsAValueFromDisk) {
    std::string path = Write("a.url", "[InternetShortcut]\r\nURL=http://x.example/\r\n");
    EXPECT_EQ(GetPrivateProfileString("InternetShortcut", "URL", "", 2048, path),
              "http://x.example/");
    EXPECT_EQ(GetPrivateProfileString("InternetShortcut", "Icon", "", 2048, path), "");
    EXPECT_THROW(TProfile::LoadFromFile((FDir / "none").string()), FileError);
}

TEST(Profile, AbsentSectionOrKeyGivesTheDefault) {
    std::string text = "[s]\r\nk=v\r\n";
    EXPECT_EQ(Get(text, "t", "k"), "dflt");
    EXPECT_EQ(Get(text, "s", "x"), "dflt");
    EXPECT_EQ(Get(text, "", "k"), "dflt");
    EXPECT_EQ(Get("", "s", "k"), "dflt");
}

TEST(Profile, DefaultLosesTrailingSpacesButKeepsTabs) {
    EXPECT_EQ(Get("", "s", "k", "default  "), "default");
    EXPECT_EQ(Get("", "s", "k", "default\t "), "default\t");
    EXPECT_EQ(Get("", "s", "k", "  lead"), "  lead");
    EXPECT_EQ(Get("", "s", "k", std::nullopt), "");
}

TEST(Profile, NamesAreCaseInsensitiveAndTrimmed) {
    std::string text = "[ Sec ]\r\n  Key  =v1\r\n\tTab\t=v2\r\n";
    EXPECT_EQ(Get(text, "sec", "KEY"), "v1");
    EXPECT_EQ(Get(text, "SEC", "tab"), "v2");
    // Letters beyond ASCII fold too; Chinese names compare exactly.
    EXPECT_EQ(Get("[Äbc]\nÖ=1\n[星帆]\n名=2\n", "äBC", "ö"), "1");
    EXPECT_EQ(Get("[Äbc]\nÖ=1\n[星帆]\n名=2\n", "星帆", "名"), "2");
}

TEST(Profile, ValueIsTrimmedAndOneMatchingQuotePairRemoved) {
    EXPECT_EQ(Get("[s]\nK= \tV \t\n", "s", "K"), "V");
    EXPECT_EQ(Get("[s]\nK=  \"   V   \"  \n", "s", "K"), "   V   ");
    EXPECT_EQ(Get("[s]\nK='  V '\n", "s", "K"), "  V ");
    EXPECT_EQ(Get("[s]\nK=\"\"\n", "s", "K"), "");
    // Unmatched or nested quotes stay.
    EXPECT_EQ(Get("[s]\nK=\"V'\n", "s", "K"), "\"V'");
    EXPECT_EQ(Get("[s]\nK=\"V\n", "s", "K"), "\"V");
    EXPECT_EQ(Get("[s]\nK='\"V\"'\n", "s", "K"), "'\"V\"'");
    EXPECT_EQ(Get("[s]\nK=\"\n", "s", "K"), "\"");
    // An empty value is found, not defaulted.
    EXPECT_EQ(Get("[s]\nK=\n", "s", "K"), "");
}

TEST(Profile, QuotedNamesAreNotStripped) {
    EXPECT_EQ(Get("[s]\n\"K\"=V\n", "s", "K"), "dflt");
    EXPECT_EQ(Get("[s]\n\"K\"=V\n", "s", "\"K\""), "V");
    EXPECT_EQ(Get("[\"s\"]\nK=V\n", "s", "K"), "dflt");
}

TEST(Profile, FirstKeyAndFirstSectionWin) {
    std::string text = "[s]\nk=1\nK=2\n[S]\nk=3\nother=4\n";
    EXPECT_EQ(Get(text, "s", "k"), "1");
    EXPECT_EQ(Get(text, "s", "other"), "dflt");
}

TEST(Profile, CommentsOnlyAtLineStart) {
    std::string text = "[s]\n;k=1\n  ; j=2\nk=;x\nh=#y # z\n#g=3\n";
    EXPECT_EQ(Get(text, "s", "k"), ";x");
    EXPECT_EQ(Get(text, "s", "j"), "dflt");
    EXPECT_EQ(Get(text, "s", "h"), "#y # z");
    EXPECT_EQ(Get(text, "s", "#g"), "3");
}

TEST(Profile, SectionLineShapes) {
    EXPECT_EQ(Get("[S]K=V\nA=B\n", "S", "A"), "B");
    EXPECT_EQ(Get("[S]K=V\nA=B\n", "S", "K"), "dflt");
    EXPECT_EQ(Get("[S\nK=V\n", "S", "K"), "V");
    EXPECT_EQ(Get("[a]\nS]\nK=V\n", "a", "K"), "V"); // "S]" is not a section line
    EXPECT_EQ(Get("[a]\nS]\nK=V\n", "S", "K"), "dflt");
    EXPECT_EQ(Get("[sec]x]\nK=V\n", "sec", "K"), "V");
    EXPECT_EQ(Get("[sec]x]\nK=V\n", "sec]x", "K"), "dflt");
}

TEST(Profile, EmptySectionNameIsReachable) {
    EXPECT_EQ(Get("[]\nK=V\n", "", "K"), "V");
    EXPECT_EQ(Get("[  ]\nK=V\n", "", "K"), "V");
}

TEST(Profile, KeysBeforeFirstSectionAndLinesWithoutEqualsAreNotKeys) {
    EXPECT_EQ(Get("K=V\n[s]\n", "", "K"), "dflt");
    EXPECT_EQ(Get("K=V\n[s]\n", "s", "K"), "dflt");
    EXPECT_EQ(Get("[s]\nname3\n", "s", "name3"), "dflt");
    EXPECT_EQ(Get("[s]\nA=B=C\n", "s", "A"), "B=C");
    EXPECT_EQ(Get("[s]\n=empty\n", "s", ""), "empty");
}

TEST(Profile, AllLineEndsAreAccepted) {
    for (std::string end : {"\r\n", "\r", "\n"}) {
        std::string text = "[a]" + end + "k=1" + end + end + "[b]" + end + "k=2" + end;
        EXPECT_EQ(Get(text, "a", "k"), "1") << end.size();
        EXPECT_EQ(Get(text, "b", "k"), "2") << end.size();
    }
    // Mixed in one file, and a last line without any end.
    EXPECT_EQ(Get("[a]\rk=1\n\r[b]\r\nk=2", "b", "k"), "2");
    EXPECT_EQ(Get("[a]\rk=1\n\r[b]\r\nk=2", "a", "k"), "1");
}

TEST(Profile, ByteOrderMarkHidesOnlyTheFirstSection) {
    std::string text = "\xEF\xBB\xBF[a]\r\nk=1\r\n[b]\r\nk=2\r\n";
    EXPECT_EQ(Get(text, "a", "k"), "dflt");
    EXPECT_EQ(Get(text, "b", "k"), "2");
}

TEST(Profile, BlanksBeforeTheBracketAreIgnored) {
    EXPECT_EQ(Get("\r\n\r\n  \t[a]\r\nk=1\r\n", "a", "k"), "1");
}

TEST(Profile, BufferLimitCountsUtf16Units) {
    std::string longValue(3000, 'x');
    EXPECT_EQ(Get("[s]\nk=" + longValue + "\n", "s", "k").size(), 2047u);
    TProfile profile("[s]\nk=星帆IE\nemoji=a😀b\n");
    EXPECT_EQ(profile.ReadString("s", "k", "", 3), "星帆");
    EXPECT_EQ(profile.ReadString("s", "k", "", 1), "");
    EXPECT_EQ(profile.ReadString("s", "k", "", 0), "");
    // The pair for U+1F600 needs two units: with room for two it is kept
    // whole, with room for one it is dropped rather than split.
    EXPECT_EQ(profile.ReadString("s", "emoji", "", 4), "a😀");
    EXPECT_EQ(profile.ReadString("s", "emoji", "", 3), "a");
    // The default is held to the same buffer.
    EXPECT_EQ(profile.ReadString("s", "none", "abcdef", 4), "abc");
}

TEST(Profile, Gb18030IsDecodedBeforeSplitting) {
    // "[游戏]" and "名=值" in GBK, then a section whose one character,
    // 0xC1 0x5D, has ']' as its second byte: a byte-wise parser would end
    // the name in the middle of it.
    std::string gbk = "[\xD3\xCE\xCF\xB7]\r\n\xC3\xFB=\xD6\xB5\r\n[\xC1\x5D]\r\nk=v\r\n";
    TProfile profile(gbk);
    EXPECT_EQ(profile.ReadString("游戏", "名", "", 2048), "值");
    auto names = profile.SectionNames();
    ASSERT_EQ(names.size(), 2u);
    EXPECT_EQ(profile.ReadString(names[1], "k", "", 2048), "v");
    EXPECT_EQ(names[1].find(']'), std::string::npos);
}

TEST(Profile, EnumeratesSectionsAndKeysInFileOrder) {
    TProfile profile("[2]\nmc=a\nlx=b\nMC=c\n[0]\n[1]\n[2]\nx=y\n[]\n");
    EXPECT_EQ(profile.SectionNames(), (std::vector<std::string>{"2", "0", "1", ""}));
    EXPECT_EQ(profile.KeyNames("2"), (std::vector<std::string>{"mc", "lx"}));
    EXPECT_TRUE(profile.KeyNames("9").empty());
    EXPECT_TRUE(profile.SectionExists("1"));
    EXPECT_FALSE(profile.SectionExists("3"));
}

TEST(Profile, ManySectionsAreAllReachable) {
    std::string text;
    for (int i = 0; i < 20000; ++i)
        text += "[" + std::to_string(i) + "]\r\nmc=g" + std::to_string(i) + "\r\n";
    TProfile profile(text);
    EXPECT_EQ(profile.ReadString("0", "mc", "", 2048), "g0");
    EXPECT_EQ(profile.ReadString("12345", "MC", "", 2048), "g12345");
    EXPECT_EQ(profile.ReadString("19999", "mc", "", 2048), "g19999");
    EXPECT_FALSE(profile.FindValue("20000", "mc"));
    EXPECT_EQ(profile.SectionNames().size(), 20000u);
}

TEST(Profile, OversizedInputIsCutAtALineBreak) {
    std::string text = "[s]\nk=first\n";
    std::string filler(TProfile::MaxFileBytes, 'a');
    filler[filler.size() / 2] = '\n';
    TProfile profile(text + filler + "\n[t]\nk=late\n");
    EXPECT_TRUE(profile.Truncated());
    EXPECT_EQ(profile.ReadString("s", "k", "", 2048), "first");
    EXPECT_FALSE(profile.FindValue("t", "k"));
}
