#include <gtest/gtest.h>

#include "gui/Exception.h"
#include "gui/TEditBuffer.h"
#include "gui/TStringList.h"

TEST(StringListTest, SetTextSplitsAtEveryKindOfLineBreak) {
    TStringList list;
    int changes = 0;
    list.OnChange = [&] { ++changes; };
    list.SetText("a\rb\r\n\nc\n");
    EXPECT_EQ(list.Items(), (std::vector<std::string>{"a", "b", "", "c"}));
    EXPECT_EQ(list.Text(), "a\r\nb\r\n\r\nc\r\n");
    list.SetText("");
    EXPECT_EQ(list.Count(), 0);
    list.SetText("\r\n");
    EXPECT_EQ(list.Items(), (std::vector<std::string>{""}));
    EXPECT_EQ(changes, 3);
    EXPECT_THROW(list[1], EComponentError);
    EXPECT_THROW(list.Delete(-1), EComponentError);
}

TEST(StringListTest, SortedListsInsertInOrderAndUpdatesNotifyOnce) {
    TStringList list;
    int changes = 0;
    list.OnChange = [&] { ++changes; };
    list.BeginUpdate();
    list.Add("b");
    list.Add("C");
    list.Add("a");
    list.EndUpdate();
    EXPECT_EQ(changes, 1);
    list.SetSorted(true);
    EXPECT_EQ(list.Items(), (std::vector<std::string>{"a", "b", "C"}));
    EXPECT_EQ(list.Add("B2"), 2);
    EXPECT_EQ(list.IndexOf("c"), 3);
}

TEST(EditBufferTest, WordMovesTreatIdeographsAsWordsOfTheirOwn) {
    TEditBuffer b;
    b.SetText(u"go  home 星帆IE");
    EXPECT_EQ(b.WordRight(0), 4);
    EXPECT_EQ(b.WordRight(4), 9);
    EXPECT_EQ(b.WordRight(9), 10);  // 星
    EXPECT_EQ(b.WordRight(10), 11); // 帆
    EXPECT_EQ(b.WordRight(11), 13); // IE
    EXPECT_EQ(b.WordLeft(13), 11);
    EXPECT_EQ(b.WordLeft(11), 10);
    EXPECT_EQ(b.WordLeft(9), 4);
    EXPECT_EQ(b.WordLeft(3), 0);
    int start = 0, end = 0;
    b.WordAt(5, start, end);
    EXPECT_EQ(start, 4);
    EXPECT_EQ(end, 8);
}

TEST(EditBufferTest, InsertNeverCutsAPairAndSelectionSnapsToBoundaries) {
    TEditBuffer b;
    EXPECT_TRUE(b.Insert(u"ab\U0001F600", 3));
    EXPECT_EQ(b.Text(), u"ab");
    EXPECT_FALSE(b.Insert(u"c", 2));
    b.SetText(u"\U0001F600x");
    b.SetCaret(1, false);
    EXPECT_EQ(b.CaretPos(), 0);
    b.Select(1, 1);
    EXPECT_EQ(b.SelStart(), 0);
    EXPECT_EQ(b.SelLength(), 2);
    b.SetCaret(3, false);
    EXPECT_TRUE(b.DeleteBackward());
    EXPECT_TRUE(b.DeleteBackward());
    EXPECT_EQ(b.Text(), u"");
    EXPECT_FALSE(b.DeleteBackward());
    // A lone half counts as one character.
    b.SetText(std::u16string(1, char16_t(0xD800)) + u"a");
    EXPECT_EQ(b.NextBoundary(0), 1);
}
