// Names that servers and pages suggest for downloads, reduced to plain base
// names, and the numbered forms that keep existing files.
#include <gtest/gtest.h>

#include "platform/DownloadName.h"
#include "platform/Text.h"

using platform::CleanDownloadName;
using platform::kMaxDownloadNameBytes;
using platform::NumberedDownloadName;

TEST(DownloadNameTest, PathsAndDotsCannotLeaveOrHideInTheFolder) {
    EXPECT_EQ(CleanDownloadName("../../.bashrc"), "bashrc");
    EXPECT_EQ(CleanDownloadName("/etc/passwd"), "passwd");
    EXPECT_EQ(CleanDownloadName("..\\..\\windows\\game.exe"), "game.exe");
    EXPECT_EQ(CleanDownloadName("dir/"), "下载");
    EXPECT_EQ(CleanDownloadName(".."), "下载");
    EXPECT_EQ(CleanDownloadName(" . "), "下载");
    EXPECT_EQ(CleanDownloadName(""), "下载");
    EXPECT_EQ(CleanDownloadName("...hidden.txt"), "hidden.txt");
    EXPECT_EQ(CleanDownloadName("notes.txt. . "), "notes.txt");
    EXPECT_EQ(CleanDownloadName("  象棋 残局.zip "), "象棋 残局.zip");
}

TEST(DownloadNameTest, ControlsAndDirectionMarksGoAndBadBytesBecomeUnderscores) {
    EXPECT_EQ(CleanDownloadName(std::string("a\0b.txt", 7)), "ab.txt");
    EXPECT_EQ(CleanDownloadName("a\tb\r\n\x1b[31m.txt"), "ab[31m.txt");
    EXPECT_EQ(CleanDownloadName("a\x7f\xc2\x85.txt"), "a.txt"); // DEL and NEL
    // "invoice\u202Etxt.exe" would read as "invoiceexe.txt".
    EXPECT_EQ(CleanDownloadName("invoice\xe2\x80\xaetxt.exe"), "invoicetxt.exe");
    EXPECT_EQ(CleanDownloadName("\xef\xbb\xbf" "bom.txt"), "bom.txt");
    EXPECT_EQ(CleanDownloadName("gb\xcf\xc2\xd4\xd8.txt"), "gb____.txt"); // GBK bytes
    EXPECT_EQ(CleanDownloadName("\xed\xa0\x80x"), "___x");                // a surrogate
    EXPECT_EQ(CleanDownloadName("\xc0\xaf.txt"), "__.txt");              // an overlong '/'
    EXPECT_EQ(CleanDownloadName("a\xe4\xb8"), "a__");                    // cut short
}

TEST(DownloadNameTest, LongNamesAreCutOnACharacterKeepingAShortExtension) {
    std::string chinese;
    for (int i = 0; i < 100; ++i)
        chinese += "游";
    std::string name = CleanDownloadName(chinese + ".zip");
    EXPECT_LE(name.size(), kMaxDownloadNameBytes);
    EXPECT_TRUE(platform::IsValidUtf8(name));
    EXPECT_TRUE(name.ends_with("游.zip"));
    EXPECT_EQ(name.size(), 3 * ((kMaxDownloadNameBytes - 4) / 3) + 4);

    std::string ascii = CleanDownloadName(std::string(300, 'a'));
    EXPECT_EQ(ascii, std::string(kMaxDownloadNameBytes, 'a'));
    // A "extension" that long is part of the name.
    std::string dotted = CleanDownloadName("x." + std::string(300, 'b'));
    EXPECT_EQ(dotted.size(), kMaxDownloadNameBytes);
    EXPECT_TRUE(dotted.starts_with("x.bbb"));
    // Exactly at the limit stays whole.
    EXPECT_EQ(CleanDownloadName(std::string(kMaxDownloadNameBytes, 'c')).size(), kMaxDownloadNameBytes);
}

TEST(DownloadNameTest, NumbersGoBeforeTheLastExtension) {
    EXPECT_EQ(NumberedDownloadName("notes.txt", 0), "notes.txt");
    EXPECT_EQ(NumberedDownloadName("notes.txt", 1), "notes(1).txt");
    EXPECT_EQ(NumberedDownloadName("notes.txt", 12), "notes(12).txt");
    EXPECT_EQ(NumberedDownloadName("game.tar.gz", 2), "game.tar(2).gz");
    EXPECT_EQ(NumberedDownloadName("README", 3), "README(3)");
    EXPECT_EQ(NumberedDownloadName("象棋.zip", 1), "象棋(1).zip");
}
