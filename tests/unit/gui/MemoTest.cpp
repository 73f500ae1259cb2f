#include <fstream>
#include <sstream>

#include "ControlTestSupport.h"
#include "gui/TLayoutLoader.h"
#include "gui/TMemo.h"
#include "gui/graphics/TTextRenderer.h"

namespace {

class MemoTest : public ControlFixture {
protected:
    MemoTest() {
        FMemo = new TMemo(FForm);
        FMemo->SetBounds(10, 10, 300, 120);
        FMemo->SetParent(FForm);
        ShowForm();
        FMemo->SetFocus();
    }
    std::string ReadFile(const std::string& path) {
        std::ifstream in(path, std::ios::binary);
        std::stringstream s;
        s << in.rdbuf();
        return s.str();
    }
    TPoint At(int pos) {
        TPoint p = FMemo->PosToPoint(pos);
        TPoint o = FMemo->ClientOrigin();
        return {o.X + p.X, o.Y + p.Y + 2};
    }

    TMemo* FMemo;
};

} // namespace

TEST_F(MemoTest, SaveToFileWritesEveryLineWithCrLfInUtf8) {
    FMemo->Lines().Add("<body>星帆</body>");
    FMemo->Lines().Add("second");
    FMemo->Lines().Add("");
    const std::string path = TempDir() + "/Codehtml.txt";
    FMemo->SaveToFile(path);
    EXPECT_EQ(ReadFile(path), "<body>星帆</body>\r\nsecond\r\n\r\n");
    FMemo->Lines().Clear();
    FMemo->SaveToFile(path); // replaces the earlier file
    EXPECT_EQ(ReadFile(path), "");
    try {
        FMemo->SaveToFile(TempDir() + "/no/such/dir/x.txt");
        FAIL() << "no error";
    } catch (const EFOpenError& e) {
        EXPECT_NE(std::string(e.what()).find("x.txt"), std::string::npos);
    }
}

TEST_F(MemoTest, TextAndLinesStayInStep) {
    FMemo->SetText("a\r\nb\nc");
    ASSERT_EQ(FMemo->Lines().Count(), 3);
    EXPECT_EQ(FMemo->Lines()[2], "c");
    EXPECT_EQ(FMemo->Text(), "a\r\nb\r\nc");
    FMemo->Lines().Put(1, "星");
    EXPECT_EQ(FMemo->Text(), "a\r\n星\r\nc");
    FMemo->SelectAll();
    Type(u"x");
    Key(VK_RETURN, u'\r');
    Type(u"y");
    EXPECT_EQ(FMemo->Text(), "x\r\ny");
    EXPECT_EQ(FMemo->Lines().Count(), 2);
    EXPECT_EQ(FMemo->CaretLineCol(), TPoint(1, 1));
}

TEST_F(MemoTest, LongParagraphsWrapAtTheWidth) {
    const std::string paragraph =
        "星帆是一个游戏平台，收录了十万多款各类游戏：网络游戏、网页游戏、单机游戏、Flash游戏、"
        "手机游戏、PSP游戏和掌机游戏。";
    FMemo->SetText(paragraph);
    const int rows = FMemo->RowCount();
    EXPECT_GT(rows, 2);
    const int width = FMemo->TextArea().Width();
    int covered = 0;
    for (int i = 0; i < rows; ++i) {
        TCustomMemo::TRow row = FMemo->Row(i);
        EXPECT_EQ(row.Start, covered);
        covered = row.End;
        EXPECT_LE(FMemo->PosToPoint(row.End).X - FMemo->PosToPoint(row.Start).X, width);
    }
    EXPECT_EQ(covered, static_cast<int>(FMemo->Buffer().Length()));
    FMemo->SetWordWrap(false);
    EXPECT_EQ(FMemo->RowCount(), 1);
    FMemo->SetText("one two three four five six seven eight nine ten eleven twelve thirteen");
    FMemo->SetWordWrap(true);
    for (int i = 0; i + 1 < FMemo->RowCount(); ++i) {
        const int end = FMemo->Row(i).End;
        EXPECT_EQ(FMemo->Buffer().Text()[static_cast<size_t>(end - 1)], u' ') << i; // at blanks
    }
}

TEST_F(MemoTest, ManyLinesScrollWithTheCaretAndTheBar) {
    FMemo->SetScrollBars(TScrollStyle::ssVertical);
    FMemo->Lines().BeginUpdate();
    for (int i = 0; i < 40; ++i)
        FMemo->Lines().Add("line " + std::to_string(i));
    FMemo->Lines().EndUpdate();
    EXPECT_EQ(FMemo->RowCount(), 40);
    const int visible = FMemo->VisibleRows();
    KeyWith(VK_CONTROL, VK_END);
    EXPECT_EQ(FMemo->TopRow(), 40 - visible);
    TScrollInfo info;
    ASSERT_TRUE(FMemo->GetScrollInfo(TScrollBarKind::sbVertical, info));
    EXPECT_EQ(info.Pos, 40 - visible);
    EXPECT_EQ(info.Max, 39);
    FMemo->Perform(WM_VSCROLL, SB_THUMBPOSITION | (5 << 16));
    EXPECT_EQ(FMemo->TopRow(), 5);
    FMemo->Perform(WM_VSCROLL, SB_LINEDOWN);
    EXPECT_EQ(FMemo->TopRow(), 6);
    KeyWith(VK_CONTROL, VK_HOME);
    EXPECT_EQ(FMemo->TopRow(), 0);
    Key(VK_NEXT);
    EXPECT_EQ(FMemo->CaretLineCol().Y, visible);
}

TEST_F(MemoTest, UpAndDownKeepTheColumn) {
    FMemo->SetText("abcdef\r\nab\r\nabcdef");
    Key(VK_END);
    EXPECT_EQ(FMemo->CaretLineCol(), TPoint(6, 0));
    Key(VK_DOWN);
    EXPECT_EQ(FMemo->CaretLineCol(), TPoint(2, 1));
    Key(VK_DOWN);
    EXPECT_EQ(FMemo->CaretLineCol(), TPoint(6, 2));
    KeyWith(VK_SHIFT, VK_UP);
    EXPECT_EQ(FMemo->SelText(), "\r\nabcdef");
}

TEST_F(MemoTest, ReadOnlyMemoSelectsAcrossLinesAndCopies) {
    FMemo->SetReadOnly(true);
    FMemo->SetText("五大亮点揭秘\r\n1、绿色网游");
    FApp->ProcessMessages();
    FHost.MouseEvent(Window(), WM_LBUTTONDOWN, At(2), MK_LBUTTON);
    FHost.MouseEvent(Window(), WM_MOUSEMOVE, At(9), MK_LBUTTON);
    FHost.MouseEvent(Window(), WM_LBUTTONUP, At(9));
    FApp->ProcessMessages();
    EXPECT_EQ(FMemo->SelText(), "亮点揭秘\r\n1、");
    KeyWith(VK_CONTROL, 'C');
    EXPECT_EQ(FHost.ClipboardText(), "亮点揭秘\r\n1、");
    Type(u"zz");
    Key(VK_RETURN, u'\r');
    EXPECT_EQ(FMemo->Lines().Count(), 2);
    EXPECT_EQ(FMemo->Lines()[0], "五大亮点揭秘");
}

TEST_F(MemoTest, PastedLineBreaksBecomeLines) {
    FHost.SetClipboardText("a\r\nb\rc\x01");
    KeyWith(VK_CONTROL, 'V');
    EXPECT_EQ(FMemo->Lines().Items(), (std::vector<std::string>{"a", "b", "c"}));
}

TEST_F(MemoTest, LayoutLines) {
    auto* form = new TForm(nullptr);
    TLayoutLoader::LoadText(form,
                            "object F: TForm\n"
                            "  object Memo1: TMemo\n"
                            "    BorderStyle = bsNone\n"
                            "    Color = clBtnFace\n"
                            "    ReadOnly = True\n"
                            "    Lines.Strings = (\n"
                            "      ''\n"
                            "      '五大亮点揭秘')\n"
                            "  end\n"
                            "end\n",
                            "t.lay");
    auto* memo = dynamic_cast<TMemo*>(form->FindComponent("Memo1"));
    ASSERT_NE(memo, nullptr);
    EXPECT_EQ(memo->Lines().Count(), 2);
    EXPECT_EQ(memo->Text(), "\r\n五大亮点揭秘");
    EXPECT_TRUE(memo->ReadOnly());
    delete form;
}
