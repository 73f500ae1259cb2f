#include "app/TReadySignal.h"

#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <fstream>

#include "app/TFrameWebBrowser.h"
#include "app/TFrmMain.h"
#include "gui/TWebBrowser.h"

TReadySignal::TReadySignal(std::string fileName) : FState(std::make_shared<TState>()) {
    FState->FileName = std::move(fileName);
}

void TReadySignal::Install(TFrmMain& form) {
    const char* file = std::getenv("XINGFAN_READY_FILE");
    if (!file || !*file) return;
    TReadySignal signal(file);
    signal.Watch(form.FrameWebBrowserDefault->WebAction);
    signal.Watch(form.webLeft);
}

// The handlers share the state, so the signal object itself may go away
// while the browsers live on.
void TReadySignal::Watch(TWebBrowser* browser) {
    size_t index = FState->Done.size();
    FState->Done.push_back(false);
    std::shared_ptr<TState> state = FState;
    TDocumentCompleteEvent previous = std::move(browser->OnDocumentComplete);
    browser->OnDocumentComplete = [state, index, previous](TObject* sender,
                                                           IBrowserAutomation* pDisp,
                                                           const std::string& url) {
        if (previous) previous(sender, pDisp, url);
        Completed(*state, index);
    };
}

void TReadySignal::Completed(TState& state, size_t index) {
    if (state.Written) return;
    state.Done.at(index) = true;
    for (bool done : state.Done)
        if (!done) return;
    state.Written = true;
    if (!WriteReadyFile(state.FileName))
        std::fprintf(stderr, "星帆IE: cannot write the ready file %s\n", state.FileName.c_str());
}

bool TReadySignal::WriteReadyFile(const std::string& fileName) {
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    long long nanoseconds = static_cast<long long>(now.tv_sec) * 1000000000LL + now.tv_nsec;
    std::string temp = fileName + ".tmp";
    {
        std::ofstream out(temp, std::ios::binary | std::ios::trunc);
        out << nanoseconds << "\n";
        out.close();
        if (!out) {
            std::remove(temp.c_str());
            return false;
        }
    }
    return std::rename(temp.c_str(), fileName.c_str()) == 0;
}
