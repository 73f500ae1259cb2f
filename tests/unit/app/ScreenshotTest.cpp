#include "AppTestSupport.h"

#include <gdk-pixbuf/gdk-pixbuf.h>

#include <algorithm>
#include <fstream>
#include <vector>

#include "gui/TLabel.h"
#include "gui/TMenuItem.h"
#include "skin/TskPageControl.h"

using platform::TFakePage;
namespace fs = std::filesystem;

namespace {

std::vector<fs::path> Pictures(const fs::path& folder) {
    std::vector<fs::path> files;
    if (fs::exists(folder))
        for (const auto& entry : fs::directory_iterator(folder))
            files.push_back(entry.path());
    std::sort(files.begin(), files.end());
    return files;
}

std::pair<int, int> SizeOf(const fs::path& file) {
    int width = 0, height = 0;
    gdk_pixbuf_get_file_info(file.c_str(), &width, &height);
    return {width, height};
}

} // namespace

class ScreenshotTest : public AppTest {
protected:
    TFrmMain& StartOn(const std::string& title) {
        FEngines->AddPage("http://game.example/", TFakePage{title, {}, "text/html", {}, {}});
        TFrmMain& form = Start();
        form.ScreenshotFolder = (FDir / "shots").string();
        form.OpenTab("http://game.example/");
        Settle();
        return form;
    }
    fs::path Shots() const { return FDir / "shots"; }
};

TEST_F(ScreenshotTest, MenuItemSavesTheActiveTabAsPngAndSaysWhere) {
    TFrmMain& form = StartOn("斗地主/第1局");
    FEngines->SnapshotWidth = 640;
    FEngines->SnapshotHeight = 480;
    auto* item = dynamic_cast<TMenuItem*>(form.FindComponent("mnuScreenshot"));
    ASSERT_NE(item, nullptr);
    EXPECT_EQ(item->Caption(), "游戏截图");
    item->Click();
    Settle();
    auto files = Pictures(Shots());
    ASSERT_EQ(files.size(), 1u);
    EXPECT_EQ(SizeOf(files[0]), std::make_pair(640, 480));
    std::string name = files[0].filename().string();
    EXPECT_TRUE(name.ends_with(" 斗地主_第1局.png")) << name;
    EXPECT_EQ(form.labText->Caption(), "截图已保存到 " + files[0].string());
    // Only the active tab was asked for its picture.
    auto asked = [&](int page) {
        const auto& commands = EngineOf(TabBrowser(page)).Commands();
        return std::count(commands.begin(), commands.end(), "Snapshot");
    };
    EXPECT_EQ(asked(1), 1);
    EXPECT_EQ(asked(0), 0);
}

TEST_F(ScreenshotTest, TheChordTakesOneEveryTimeAndNoneReplacesAnother) {
    TFrmMain& form = StartOn("Game");
    for (int i = 0; i < 3; ++i)
        EXPECT_TRUE(form.RunWindowKey('A', ssCtrl | ssAlt));
    Settle();
    auto files = Pictures(Shots());
    EXPECT_EQ(files.size(), 3u);
    // Other chords with A are not the screenshot.
    EXPECT_FALSE(form.RunWindowKey('A', ssAlt));
    EXPECT_FALSE(form.RunWindowKey('A', ssCtrl | ssAlt | ssShift));
    Settle();
    EXPECT_EQ(Pictures(Shots()).size(), 3u);
}

TEST_F(ScreenshotTest, AFailureIsToldOnTheStatusLineAndWritesNothing) {
    TFrmMain& form = StartOn("Game");
    FEngines->SnapshotError = "页面已经关闭";
    form.TakeScreenshot();
    Settle();
    EXPECT_EQ(form.labText->Caption(), "截图失败：页面已经关闭");
    EXPECT_TRUE(Pictures(Shots()).empty());

    FEngines->SnapshotError.clear();
    fs::create_directories(FDir);
    std::ofstream(FDir / "blocked") << "x";
    form.ScreenshotFolder = (FDir / "blocked").string();
    form.TakeScreenshot();
    Settle();
    EXPECT_TRUE(form.labText->Caption().starts_with("截图失败：")) << form.labText->Caption();
}

TEST_F(ScreenshotTest, ATabClosedBeforeItsPictureArrivesLeavesNothingBehind) {
    TFrmMain& form = StartOn("Game");
    form.TakeScreenshot();
    form.N1Click(nullptr);
    Settle();
    EXPECT_TRUE(Pictures(Shots()).empty());
}
