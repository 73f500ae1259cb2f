#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "GuiTestSupport.h"
#include "gui/TApplicationEvents.h"
#include "gui/TClassInfo.h"
#include "gui/TEdit.h"
#include "gui/TForm.h"
#include "gui/TLabel.h"
#include "gui/TPanel.h"
#include "gui/TTrace.h"
#include "gui/graphics/TBitmap.h"

namespace {

std::vector<std::string> Lines(const std::ostringstream& out) {
    std::vector<std::string> lines;
    std::istringstream in(out.str());
    for (std::string line; std::getline(in, line);)
        lines.push_back(line);
    return lines;
}

std::vector<std::string> LinesStarting(const std::ostringstream& out, const std::string& prefix) {
    std::vector<std::string> found;
    for (const std::string& line : Lines(out))
        if (line.rfind(prefix, 0) == 0) found.push_back(line);
    return found;
}

class TraceTest : public GuiTest {
protected:
    TraceTest() {
        TTrace::SetOutput(&FOut);
        FForm = new TForm(FApp.get());
        FForm->SetCaptionBits(false);
        FForm->SetBounds(0, 0, 200, 120);
        FPanel = new TPanel(FForm);
        FPanel->SetName("pnlTop");
        FPanel->SetParent(FForm);
        FPanel->SetBounds(10, 20, 80, 60);
    }
    ~TraceTest() override {
        std::ostringstream quiet;
        TTrace::Configure("", quiet);
        TTrace::SetOutput(nullptr);
    }
    void TraceOnly(const char* list) {
        std::ostringstream report;
        TTrace::Configure(list, report);
        ASSERT_EQ(report.str(), "");
    }

    std::ostringstream FOut;
    TForm* FForm;
    TPanel* FPanel;
};

} // namespace

TEST_F(TraceTest, AQueuedKeyNamesItsTargetAndTheHookThatTookIt) {
    TraceOnly("messages");
    auto* edit = new TEdit(FForm);
    edit->SetName("edtAddress");
    edit->SetParent(FPanel);
    auto* hook = new TApplicationEvents(FForm);
    hook->SetName("appHook");
    hook->OnMessage = [](TMsg& msg, bool& handled) { handled = msg.message == WM_KEYDOWN; };
    FApp->PostMessage(edit->Handle(), WM_KEYDOWN, VK_RETURN, 0x1C0001);
    FApp->PostMessage(FPanel->Handle(), WM_USER + 3);
    FApp->ProcessMessages();
    std::vector<std::string> lines = LinesStarting(FOut, "trace msg ");
    ASSERT_EQ(lines.size(), 3u) << FOut.str();
    EXPECT_EQ(lines[0], "trace msg WM_KEYDOWN (0x0100) w=0xd l=0x1c0001 -> TEdit edtAddress");
    EXPECT_EQ(
        lines[1],
        "trace msg WM_KEYDOWN (0x0100) taken by the application hook TApplicationEvents appHook");
    EXPECT_EQ(lines[2], "trace msg WM_USER+3 w=0x0 l=0x0 -> TPanel pnlTop");
    EXPECT_TRUE(LinesStarting(FOut, "trace paint").empty()) << "paint was not asked for";
}

TEST_F(TraceTest, PropertyWritesByNameShowClassNameAndAShortenedValue) {
    TraceOnly("props");
    SetPropValue(FPanel, "Align", TIdent{"alTop"});
    std::string longText = "第一行\n";
    for (int i = 0; i < 30; ++i)
        longText += "星帆";
    SetPropValue(FPanel, "Caption", longText);
    std::vector<std::string> lines = LinesStarting(FOut, "trace prop ");
    ASSERT_EQ(lines.size(), 2u) << FOut.str();
    EXPECT_EQ(lines[0], "trace prop TPanel pnlTop.Align = alTop");
    // 60 characters of the quoted text (an escaped newline counts as one),
    // cut between characters, never inside one.
    std::string expected = "trace prop TPanel pnlTop.Caption = '第一行\\n";
    for (int i = 0; i < 55; ++i)
        expected += i % 2 ? "帆" : "星";
    EXPECT_EQ(lines[1], expected + "...");
    EXPECT_EQ(FPanel->Caption(), longText) << "the trace does not change what is written";
}

TEST_F(TraceTest, EachPaintedControlLogsTheBackBufferRectangleItPaints) {
    TraceOnly("paint");
    FPanel->SetBevelOuter(TBevelCut::bvNone);
    auto* label = new TLabel(FForm);
    label->SetName("lblTitle");
    label->SetParent(FPanel);
    label->SetAutoSize(false);
    label->SetBounds(5, 6, 30, 12);
    label->SetColor(clRed);
    FForm->Show();
    FApp->ProcessMessages();
    FOut.str("");
    // One invalid control: each window on the way paints only that part.
    label->Invalidate();
    FForm->PaintInvalid();
    std::vector<std::string> labels = LinesStarting(FOut, "trace paint TLabel lblTitle ");
    ASSERT_EQ(labels.size(), 1u) << FOut.str();
    int x = 0, y = 0, w = 0, h = 0;
    ASSERT_EQ(std::sscanf(labels[0].c_str(), "trace paint TLabel lblTitle x=%d y=%d w=%d h=%d", &x,
                          &y, &w, &h),
              4);
    EXPECT_EQ(w, 30);
    EXPECT_EQ(h, 12);
    // The rectangle is where the label's pixels are in the window's buffer.
    const TBitmap& buffer = FForm->BackBuffer();
    EXPECT_EQ(buffer.GetPixel(x, y), clRed);
    EXPECT_EQ(buffer.GetPixel(x + w - 1, y + h - 1), clRed);
    EXPECT_NE(buffer.GetPixel(x + w, y + h), clRed);
    EXPECT_NE(buffer.GetPixel(x - 1, y - 1), clRed);
    const std::string rect = labels[0].substr(labels[0].find(" x="));
    EXPECT_EQ(LinesStarting(FOut, "trace paint TPanel pnlTop" + rect).size(), 1u) << FOut.str();
    EXPECT_EQ(LinesStarting(FOut, "trace paint TForm (unnamed)" + rect).size(), 1u) << FOut.str();
    EXPECT_EQ(Lines(FOut).size(), 3u) << FOut.str();
}

TEST_F(TraceTest, OffByDefaultAndAfterAnEmptyList) {
    TraceOnly("");
    SetPropValue(FPanel, "Caption", std::string("x"));
    FApp->PostMessage(FPanel->Handle(), WM_USER);
    FForm->Show();
    FApp->ProcessMessages();
    EXPECT_EQ(FOut.str(), "");
}

TEST_F(TraceTest, UnknownWordsAreReportedOnceAndTheRestStillCounts) {
    std::ostringstream report;
    TTrace::Configure(" paint,bogus,,messages , bogus,Props", report);
    EXPECT_EQ(report.str(),
              "XINGFAN_TRACE: ignored bogus, Props (known: messages, props, paint, all)\n");
    EXPECT_TRUE(TTrace::Enabled(TTraceKind::Paint));
    EXPECT_TRUE(TTrace::Enabled(TTraceKind::Messages));
    EXPECT_FALSE(TTrace::Enabled(TTraceKind::Props));

    std::ostringstream none;
    TTrace::Configure("all", none);
    EXPECT_EQ(none.str(), "");
    for (TTraceKind kind : {TTraceKind::Messages, TTraceKind::Props, TTraceKind::Paint})
        EXPECT_TRUE(TTrace::Enabled(kind));
}
