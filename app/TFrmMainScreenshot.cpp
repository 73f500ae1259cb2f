// The game screenshot: the active tab's page as a PNG file in the user's
// pictures folder, and the status line saying where it went.
#include <ctime>

#include "app/TFrmMain.h"
#include "gui/TLabel.h"
#include "gui/TWebBrowser.h"
#include "platform/PngFile.h"
#include "services/TScreenshotName.h"

namespace {

constexpr const char* kScreenshotFolder = "星帆截图";

} // namespace

// The picture arrives later; the title and time are those of the moment the
// player asked, so a page that goes on meanwhile is named as it was seen.
void TFrmMain::TakeScreenshot() {
    std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    std::string stem = TScreenshotName::Stem(local, ActiveBrowser()->LocationName());
    std::string folder = ScreenshotFolder.empty()
                             ? platform::PicturesFolder() + "/" + kScreenshotFolder
                             : ScreenshotFolder;
    TSafeRef<TFrmMain> self(this);
    ActiveBrowser()->Snapshot([self, stem, folder](TWebBrowser&,
                                                   std::shared_ptr<platform::TPageSnapshot> picture,
                                                   const std::string& error) {
        TFrmMain* form = self.Get();
        if (!form) return;
        if (!picture) {
            form->labText->SetCaption("截图失败：" + error);
            return;
        }
        try {
            std::string path = platform::WriteNewPng(folder, stem, *picture);
            form->labText->SetCaption("截图已保存到 " + path);
        } catch (const std::exception& e) {
            form->labText->SetCaption(std::string("截图失败：") + e.what());
        }
    });
}
