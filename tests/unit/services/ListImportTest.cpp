// Reading the numbered sections of a game list: carried values, the end of
// the list, the section range and the value length bound.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/TProfile.h"
#include "services/TListImport.h"

namespace {

std::vector<TListEntry> Read(const std::string& text, int first, int last) {
    platform::TProfile list(text);
    std::vector<TListEntry> entries;
    size_t count = TListImport::Run(list, first, last,
                                    [&](const TListEntry& e) { entries.push_back(e); });
    EXPECT_EQ(count, entries.size());
    return entries;
}

TEST(ListImportTest, EachSectionGivesOneEntry) {
    auto entries = Read("[0]\r\nmc=中国象棋\r\nlx=棋牌\r\nurl=http://a.example/xq\r\n"
                        "[1]\r\nmc=斗地主\r\nlx=牌类\r\nurl=http://a.example/ddz\r\n",
                        0, 100);
    ASSERT_EQ(entries.size(), 2u);
    EXPECT_EQ(entries[0].Name, "中国象棋");
    EXPECT_EQ(entries[1].Class, "牌类");
    EXPECT_EQ(entries[1].URL, "http://a.example/ddz");
}

TEST(ListImportTest, AMissingOrEmptyKeyCarriesTheEarlierValue) {
    auto entries = Read("[0]\nmc=甲\nlx=棋牌\nurl=http://a/1\n"
                        "[1]\nmc=乙\nlx=\n"
                        "[2]\nurl=http://a/3\n",
                        0, 10);
    ASSERT_EQ(entries.size(), 3u);
    EXPECT_EQ(entries[1].Class, "棋牌");
    EXPECT_EQ(entries[1].URL, "http://a/1");
    EXPECT_EQ(entries[2].Name, "乙");
    EXPECT_EQ(entries[2].URL, "http://a/3");
}

TEST(ListImportTest, TheListEndsAtTheFirstSectionWithNoneOfTheKeys) {
    auto entries = Read("[0]\nmc=甲\n[1]\nother=x\n[2]\nmc=丙\n", 0, 10);
    ASSERT_EQ(entries.size(), 1u);
    // A gap in the numbering ends it as well.
    EXPECT_EQ(Read("[0]\nmc=甲\n[2]\nmc=丙\n", 0, 10).size(), 1u);
}

TEST(ListImportTest, OnlyTheAskedRangeIsRead) {
    std::string text;
    for (int i = 0; i < 6; ++i) text += "[" + std::to_string(i) + "]\nmc=g" + std::to_string(i) + "\n";
    auto entries = Read(text, 2, 4);
    ASSERT_EQ(entries.size(), 3u);
    EXPECT_EQ(entries.front().Name, "g2");
    EXPECT_EQ(entries.back().Name, "g4");
    // The second list starts at section 1: section 0 is not one of its games.
    EXPECT_EQ(Read(text, TListImport::SecondListFirst, TListImport::SecondListLast).front().Name,
              "g1");
    EXPECT_TRUE(Read(text, 7, 3).empty());
}

TEST(ListImportTest, OverlongValuesAreCutAtTheBuffer) {
    std::string name(10000, 'x');
    auto entries = Read("[0]\nmc=" + name + "\n", 0, 0);
    ASSERT_EQ(entries.size(), 1u);
    EXPECT_LT(entries[0].Name.size(), TListImport::ValueBufferChars);
    EXPECT_GT(entries[0].Name.size(), TListImport::ValueBufferChars - 8);
}

TEST(ListImportTest, AnEmptyOrForeignFileGivesNothing) {
    EXPECT_TRUE(Read("", 0, 100).empty());
    EXPECT_TRUE(Read("\x89PNG\r\n\x1a\n\0\0garbage", 0, 100).empty());
}

} // namespace
