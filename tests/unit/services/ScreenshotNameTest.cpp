#include <gtest/gtest.h>

#include "services/TScreenshotName.h"

namespace {

std::tm At(int year, int month, int day, int hour, int minute, int second) {
    std::tm when{};
    when.tm_year = year - 1900;
    when.tm_mon = month - 1;
    when.tm_mday = day;
    when.tm_hour = hour;
    when.tm_min = minute;
    when.tm_sec = second;
    return when;
}

} // namespace

TEST(ScreenshotName, StemIsDateThenTitleWithFieldsZeroPadded) {
    EXPECT_EQ(TScreenshotName::Stem(At(2026, 1, 2, 3, 4, 5), "欢乐斗地主"),
              "2026-01-02 03.04.05 欢乐斗地主");
    EXPECT_EQ(TScreenshotName::Stem(At(2026, 12, 31, 23, 59, 59), ""), "2026-12-31 23.59.59 网页");
}

TEST(ScreenshotName, PathAndReservedCharactersNeverSurvive) {
    EXPECT_EQ(TScreenshotName::SafeTitle("../../etc/passwd"), "etc_passwd");
    EXPECT_EQ(TScreenshotName::SafeTitle("a\\b:c*d?e\"f<g>h|i"), "a_b_c_d_e_f_g_h_i");
    EXPECT_EQ(TScreenshotName::SafeTitle("tab\there\nline\x7f"), "tab_here_line");
    for (const char* title : {"..", ".", "  ", "///", "\x01\x02"})
        EXPECT_EQ(TScreenshotName::Stem(At(2026, 5, 6, 7, 8, 9), title), "2026-05-06 07.08.09 网页")
            << title;
}

TEST(ScreenshotName, SpacesFoldAndEndsAreTrimmed) {
    EXPECT_EQ(TScreenshotName::SafeTitle("  象棋　　大师  "), "象棋 大师");
    EXPECT_EQ(TScreenshotName::SafeTitle("game..."), "game");
}

TEST(ScreenshotName, LongTitlesAreCutByCharacterNotByByte) {
    std::string title;
    for (int i = 0; i < 60; ++i)
        title += "棋";
    std::string safe = TScreenshotName::SafeTitle(title);
    EXPECT_EQ(safe.size(), TScreenshotName::MaxTitle * 3);
    // A character outside the basic plane counts as one and stays whole.
    std::string emoji;
    for (int i = 0; i < 50; ++i)
        emoji += "\xF0\x9F\x8E\xAE";
    EXPECT_EQ(TScreenshotName::SafeTitle(emoji).size(), TScreenshotName::MaxTitle * 4);
}

TEST(ScreenshotName, BytesThatAreNotUtf8AreReadAsTheChineseCodePage) {
    // "象棋" in GB18030.
    EXPECT_EQ(TScreenshotName::SafeTitle("\xCF\xF3\xC6\xE5"), "象棋");
}
