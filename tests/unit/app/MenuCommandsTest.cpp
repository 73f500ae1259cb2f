#include "AppTestSupport.h"

#include <filesystem>
#include <fstream>

#include "app/TStateDump.h"
#include "gui/IMenuBarView.h"
#include "gui/TImage.h"
#include "gui/TMemo.h"
#include "gui/TMenuItem.h"
#include "gui/graphics/TPicture.h"
#include "gui/TMenuTracker.h"

using platform::TFakePage;

namespace {

TMenuItem* Item(TFrmMain& form, const std::string& name) {
    auto* item = dynamic_cast<TMenuItem*>(form.FindComponent(name));
    EXPECT_NE(item, nullptr) << name;
    return item;
}

void Choose(TFrmMain& form, const std::string& name) { Item(form, name)->Click(); }

std::map<std::string, bool> Marks(TFrmMain& form) {
    std::map<std::string, bool> marks;
    for (TComponent* c : form.Components())
        if (auto* item = dynamic_cast<TMenuItem*>(c)) marks[item->Name()] = item->Checked();
    return marks;
}

std::string ReadFile(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

} // namespace

TEST_F(AppTest, TextSizeItemsCheckOnlyTheChosenLevelAndSetTheZoom) {
    TFrmMain& form = Start();
    EXPECT_TRUE(Item(form, "mnuIn")->Checked());
    Choose(form, "mnuSmaller");
    EXPECT_EQ(EngineOf(TabBrowser(0)).ZoomLevel(), 1);
    for (const char* name : {"mnuMax", "mnuMore", "mnuIn", "mnuMin"}) EXPECT_FALSE(Item(form, name)->Checked()) << name;
    EXPECT_TRUE(Item(form, "mnuSmaller")->Checked());
    Choose(form, "mnuMin");
    EXPECT_EQ(EngineOf(TabBrowser(0)).ZoomLevel(), 0);
    EXPECT_TRUE(Item(form, "mnuMin")->Checked());
    EXPECT_FALSE(Item(form, "mnuSmaller")->Checked());
}

TEST_F(AppTest, TogglesFlipBackAndOtherCommandsLeaveEveryMarkAlone) {
    TFrmMain& form = Start();
    auto before = Marks(form);
    Choose(form, "mnuOffline");
    EXPECT_TRUE(Item(form, "mnuOffline")->Checked());
    Choose(form, "mnuOffline");
    Choose(form, "mnuShieldingFrom");
    Choose(form, "mnuShieldingFrom");
    Choose(form, "mnuPrint");
    Choose(form, "mnuSelectAll");
    Choose(form, "mnuRefresh");
    EXPECT_EQ(Marks(form), before);
    const auto& commands = EngineOf(TabBrowser(0)).Commands();
    EXPECT_FALSE(commands.empty());
}

TEST_F(AppTest, HiddenItemsHaveNoCommandEvenWhenShown) {
    TFrmMain& form = Start();
    for (const char* name : {"mnuCoding", "mnuGwNet", "mnuHelp"}) {
        EXPECT_FALSE(Item(form, name)->Visible()) << name;
        Item(form, name)->SetVisible(true);
        Choose(form, name);
    }
    Settle();
    EXPECT_EQ(form.PclParent->PageCount(), 1);
    EXPECT_TRUE(FHost.MessageBoxes().empty());
}

TEST_F(AppTest, CurrentPageOpensASecondTabOnTheSameAddress) {
    FEngines->AddPage("http://site.example/", TFakePage{"Site", {}, "text/html", {}, {}});
    TFrmMain& form = Start();
    TabBrowser(0)->Navigate("http://site.example/");
    Settle();
    Choose(form, "mnuCurrently");
    Settle();
    ASSERT_EQ(form.PclParent->PageCount(), 2);
    EXPECT_EQ(TabBrowser(1)->LocationURL(), "http://site.example/");
}

TEST_F(AppTest, ViewSourceWritesTheBodyOnlyAndReplacesTheOldFile) {
    TFakePage page{"Src", std::string("<body><p>星帆</p></body>"), "text/html", {}, {}};
    FEngines->AddPage("http://src.example/", page);
    TFrmMain& form = Start();
    std::filesystem::path file = std::filesystem::path(AppPath) / "Codehtml.txt";
    { std::ofstream(file) << "older content that must go"; }
    std::string shown;
    form.OpenSourceViewer = [&](const std::string& name) { shown = name; };
    TabBrowser(0)->Navigate("http://src.example/");
    Settle();
    Choose(form, "mnuSource");
    std::string text = ReadFile(file);
    EXPECT_NE(text.find("<p>星帆</p>"), std::string::npos) << text;
    EXPECT_EQ(text.find("older"), std::string::npos);
    EXPECT_EQ(text.find("<head"), std::string::npos);
    EXPECT_EQ(shown, file.string());

    // A page without an HTML body writes nothing and says so. (One test for
    // both cases: they share the file in the program folder.)
    std::filesystem::remove(file);
    FEngines->AddPage("http://text.example/", TFakePage{"T", std::nullopt, "text/plain", {}, {}});
    form.OpenSourceViewer = [](const std::string&) { FAIL() << "nothing to show"; };
    TabBrowser(0)->Navigate("http://text.example/");
    Settle();
    Choose(form, "mnuSource");
    EXPECT_FALSE(std::filesystem::exists(file));
    ASSERT_FALSE(FHost.MessageBoxes().empty());
    EXPECT_EQ(FHost.MessageBoxes().back().Caption, "提示");
}

TEST_F(AppTest, HomePageOpensATabAndExitAnsweredNoKeepsEverything) {
    TFrmMain& form = Start();
    Choose(form, "mnuWZ");
    Settle();
    ASSERT_EQ(form.PclParent->PageCount(), 2);
    EXPECT_EQ(form.PendingURL, "http://www.xingfan.example/");
    FHost.QueueMessageBoxAnswer(IDNO);
    Choose(form, "mnuExit");
    EXPECT_FALSE(FApp->Terminated());
    EXPECT_EQ(form.PclParent->PageCount(), 2);
    FHost.QueueMessageBoxAnswer(IDYES);
    Choose(form, "mnuExit");
    EXPECT_TRUE(FApp->Terminated());
}

TEST_F(AppTest, TheAboutWindowIsCreatedOnceAndHiddenByItsButton) {
    TFrmMain& form = Start();
    Choose(form, "mnuAbout");
    Choose(form, "mnuAbout");
    int abouts = 0;
    for (TComponent* c : form.Components())
        if (c->Name() == "frmabout") ++abouts;
    ASSERT_EQ(abouts, 1);
    auto* about = dynamic_cast<TCustomForm*>(form.FindComponent("frmabout"));
    ASSERT_NE(about, nullptr);
    EXPECT_TRUE(about->Visible());
    EXPECT_EQ(about->Caption(), "星帆IE");
    EXPECT_EQ(about->ClientWidth(), 628);
    EXPECT_EQ(about->FormStyle(), TFormStyle::fsStayOnTop);
    EXPECT_TRUE(FHost.Window(about->HostWindow())->KeepAbove);
    auto* memo = dynamic_cast<TMemo*>(about->FindComponent("Memo1"));
    ASSERT_NE(memo, nullptr);
    EXPECT_EQ(memo->Lines().Count(), 19);
    auto* banner = dynamic_cast<TImage*>(about->FindComponent("Image1"));
    ASSERT_NE(banner, nullptr);
    EXPECT_EQ(banner->Picture().Width(), 628);
    EXPECT_EQ(banner->Picture().Height(), 73);
    auto* close = dynamic_cast<TControl*>(about->FindComponent("btnClose"));
    ASSERT_NE(close, nullptr);
    EXPECT_EQ(close->Caption(), "确定");
    close->Click();
    Settle();
    EXPECT_FALSE(about->Visible());
    EXPECT_FALSE(FApp->Terminated());
    Choose(form, "mnuAbout");
    EXPECT_TRUE(about->Visible());
}

TEST_F(AppTest, AFailingBrowserCommandIsReportedAndTheWindowGoesOn) {
    TFrmMain& form = Start();
    FHost.QueueFileDialogResult(true, (FDir / "no-such-folder" / "page.htm").string());
    Application->Queue([&] { Choose(form, "mnuSave"); });
    Settle();
    ASSERT_EQ(FHost.MessageBoxes().size(), 1u);
    EXPECT_NE(FHost.MessageBoxes()[0].Text.find("无法保存网页"), std::string::npos);
    EXPECT_FALSE(FApp->Terminated());
    Choose(form, "mnuNew");
    EXPECT_EQ(form.PclParent->PageCount(), 2);
}

TEST_F(AppTest, TheStateDumpListsTheMenuBarAndTheOpenMenus) {
    TFrmMain& form = Start();
    std::string state = TStateDump::Build(form);
    EXPECT_NE(state.find("\"menuBar\":[{\"caption\":\"文件(F)\",\"x\":"), std::string::npos) << state;
    EXPECT_NE(state.find("\"openMenus\":[]"), std::string::npos);

    IMenuBarView* bar = TMenuTracker::BarOf(&form);
    ASSERT_NE(bar, nullptr);
    TRect first = bar->BarItemScreenRect(0);
    EXPECT_GT(first.Width(), 0);
    std::string firstButton = "{\"caption\":\"文件(F)\",\"x\":" + std::to_string(first.Left) +
                              ",\"y\":" + std::to_string(first.Top) + ",\"w\":" + std::to_string(first.Width());
    EXPECT_NE(state.find(firstButton), std::string::npos) << state;

    TMenuTracker::Instance()->OpenBarItem(bar, 0, true);
    Settle();
    state = TStateDump::Build(form);
    size_t open = state.find("\"openMenus\":[[{\"name\":\"N49\",\"caption\":\"新建(&N)\"");
    ASSERT_NE(open, std::string::npos) << state;
    EXPECT_NE(state.find("{\"name\":\"mnuExit\",\"caption\":\"退出(X)\"", open), std::string::npos);
    EXPECT_NE(state.find("\"enabled\":true,\"checked\":false,\"visible\":true", open), std::string::npos);
    TMenuTracker::CloseMenus();
}
