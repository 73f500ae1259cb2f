// The downloads of every page reach the downloads bar.
#include "app/TFrameDownloads.h"
#include "app/TFrmMain.h"
#include "gui/TApplication.h"
#include "platform/browser/IBrowserEngine.h"

// The engine reports from inside its own callbacks: the bar changes from
// the queue, and only while the window is there.
void TFrmMain::WatchDownloads() {
    platform::IBrowserEngineFactory* factory = platform::BrowserEngineFactory();
    if (!factory || !FrameDownloads) return;
    factory->SetDownloadObserver([](const platform::TDownloadInfo& download) {
        if (!Application) return;
        Application->Queue([download] {
            if (FrmMain && FrmMain->FrameDownloads) FrmMain->FrameDownloads->Update(download);
        });
    });
}

void TFrmMain::StopWatchingDownloads() {
    if (platform::IBrowserEngineFactory* factory = platform::BrowserEngineFactory())
        factory->SetDownloadObserver(nullptr);
}
