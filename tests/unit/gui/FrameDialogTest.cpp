#include "ControlTestSupport.h"
#include "gui/TFrame.h"
#include "gui/TLabel.h"
#include "gui/TLayoutLoader.h"
#include "gui/TOpenDialog.h"
#include "gui/TPanel.h"

namespace {

// A frame whose constructor loads its own layout, as the browser frame does.
class TTestFrame : public TFrame {
    XF_CLASS(TTestFrame)
public:
    explicit TTestFrame(TComponent* owner) : TFrame(owner) {
        Field("palTop", palTop);
        Method("palTopClick", &TTestFrame::palTopClick);
        LoadLayoutText("object TestFrame: TTestFrame\n"
                       "  Width = 320\n"
                       "  Height = 240\n"
                       "  object palTop: TPanel\n"
                       "    Align = alTop\n"
                       "    Height = 30\n"
                       "    OnClick = palTopClick\n"
                       "  end\n"
                       "  object labStatus: TLabel\n"
                       "    Top = 40\n"
                       "    Caption = 'ready'\n"
                       "  end\n"
                       "end\n",
                       "TestFrame.lay");
    }
    void palTopClick(TObject*) { ++Clicks; }
    TPanel* palTop = nullptr;
    int Clicks = 0;
};

const TClassInfo& TTestFrame::StaticClass() {
    static const TClassInfo info =
        TClassBuilder<TTestFrame>("TTestFrame", &TFrame::StaticClass()).Build();
    return info;
}

using FrameTest = ControlFixture;
using OpenDialogTest = ControlFixture;

} // namespace

TEST_F(FrameTest, FramesLoadTheirOwnLayoutAndLiveSideBySide) {
    auto* a = new TTestFrame(FForm);
    auto* b = new TTestFrame(FForm);
    a->SetName("FrameA");
    EXPECT_EQ(a->Name(), "FrameA");
    EXPECT_EQ(b->Name(), ""); // the layout's own name is not taken
    EXPECT_EQ(a->Width(), 320);
    EXPECT_EQ(a->Height(), 240);
    ASSERT_NE(a->palTop, nullptr);
    EXPECT_NE(a->palTop, b->palTop);
    a->SetParent(FForm);
    b->SetBounds(0, 0, 100, 100);
    b->SetParent(a);
    EXPECT_EQ(a->palTop->Width(), 320);
    EXPECT_EQ(b->palTop->Width(), 100);
    ShowForm();
    Click({200, 10}); // a's top panel
    Click({10, 10});  // b lies over a's top-left corner
    EXPECT_EQ(a->Clicks, 1);
    EXPECT_EQ(b->Clicks, 1);
}

TEST_F(FrameTest, AFramePlacedByAFormLayoutKeepsTheFormsNameAndAlignment) {
    RegisterClass(TTestFrame::StaticClass());
    TLayoutLoader::LoadText(FForm,
                            "object F: TForm\n"
                            "  object FrameWebBrowserDefault: TTestFrame\n"
                            "    Align = alClient\n"
                            "  end\n"
                            "end\n",
                            "t.lay");
    auto* frame = dynamic_cast<TTestFrame*>(FForm->FindComponent("FrameWebBrowserDefault"));
    ASSERT_NE(frame, nullptr);
    EXPECT_EQ(frame->Parent(), FForm);
    EXPECT_EQ(frame->BoundsRect(), FForm->ClientRect());
    EXPECT_EQ(frame->palTop->Width(), FForm->ClientWidth());
}

TEST_F(OpenDialogTest, ExecutePassesTheRequestAndTakesTheChosenFile) {
    auto* dialog = new TOpenDialog(FForm);
    dialog->SetFilter("HTML Filse|*.html;*.htm|Text File|*.txt");
    dialog->SetFilterIndex(2);
    dialog->SetInitialDir("/tmp");
    dialog->SetTitle("打开");
    FHost.QueueFileDialogResult(false, "");
    EXPECT_FALSE(dialog->Execute());
    EXPECT_EQ(dialog->FileName(), "");
    FHost.QueueFileDialogResult(true, "/tmp/页面.htm");
    EXPECT_TRUE(dialog->Execute());
    EXPECT_EQ(dialog->FileName(), "/tmp/页面.htm");
    ASSERT_EQ(FHost.FileDialogs().size(), 2u);
    const TFileDialogRequest& r = FHost.FileDialogs().back();
    EXPECT_EQ(r.Filter, "HTML Filse|*.html;*.htm|Text File|*.txt");
    EXPECT_EQ(r.FilterIndex, 2);
    EXPECT_EQ(r.InitialDir, "/tmp");
    EXPECT_EQ(r.Title, "打开");
    EXPECT_FALSE(r.Save);
}
