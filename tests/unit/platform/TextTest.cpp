#include <gtest/gtest.h>

#include "platform/Text.h"

using namespace platform;

TEST(Text, Utf16RoundTripCountsSurrogatesAsTwoUnits) {
    std::string text = "星帆😀a";
    std::u16string wide = Utf8ToUtf16(text);
    EXPECT_EQ(wide.size(), 5u);
    EXPECT_EQ(Utf16ToUtf8(wide), text);
}

TEST(Text, MalformedUtf8IsRejectedAndReplaced) {
    EXPECT_FALSE(IsValidUtf8("\xC0\x80"));         // overlong NUL
    EXPECT_FALSE(IsValidUtf8("\xED\xA0\x80"));     // surrogate
    EXPECT_FALSE(IsValidUtf8("\xE6\x98"));         // cut short
    EXPECT_TRUE(IsValidUtf8("星帆IE"));
    EXPECT_EQ(Utf8ToUtf16("a\xFF" "b"), u"a\uFFFDb");
}

TEST(Text, DecodeTextFallsBackToGb18030) {
    // "星帆" in GBK
    std::string gbk = "\xD0\xC7\xB7\xAB";
    EXPECT_EQ(DecodeText(gbk), "星帆");
    EXPECT_EQ(Utf8ToGb18030("星帆"), gbk);
    EXPECT_EQ(DecodeText("plain"), "plain");
}

TEST(Text, DamagedGb18030KeepsTheRest) {
    std::string bytes = "\xD0\xC7\xFF" "abc";
    std::string out = Gb18030ToUtf8(bytes);
    EXPECT_NE(out.find("星"), std::string::npos);
    EXPECT_NE(out.find("abc"), std::string::npos);
}

TEST(Text, SameTextFoldsOnlyAscii) {
    EXPECT_TRUE(SameText("FormBorderColor", "formbordercolor"));
    EXPECT_FALSE(SameText("ä", "Ä"));
    EXPECT_FALSE(SameText("abc", "abcd"));
}

TEST(Text, IntegerParsing) {
    EXPECT_EQ(StrToIntDef("42", -1), 42);
    EXPECT_EQ(StrToIntDef(" -7 ", 0), -7);
    EXPECT_EQ(StrToIntDef("4x", -1), -1);
    EXPECT_EQ(StrToIntDef("99999999999", -1), -1);
    EXPECT_EQ(StrToIntDef("", 5), 5);
}
