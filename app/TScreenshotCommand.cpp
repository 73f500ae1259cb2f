#include "app/TScreenshotCommand.h"

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
void TScreenshotCommand::Run(TFrmMain& form) {
    std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    std::string stem = TScreenshotName::Stem(local, form.ActiveBrowser()->LocationName());
    std::string folder = form.ScreenshotFolder.empty()
                             ? platform::PicturesFolder() + "/" + kScreenshotFolder
                             : form.ScreenshotFolder;
    TSafeRef<TFrmMain> self(&form);
    form.ActiveBrowser()->Snapshot(
        [self, stem, folder](TWebBrowser&, std::shared_ptr<platform::TPageSnapshot> picture,
                             const std::string& error) {
            TFrmMain* window = self.Get();
            if (!window) return;
            if (!picture) return window->ShowStatus("截图失败：" + error);
            try {
                window->ShowStatus("截图已保存到 " + platform::WriteNewPng(folder, stem, *picture));
            } catch (const std::exception& e) {
                window->ShowStatus(std::string("截图失败：") + e.what());
            }
        });
}
