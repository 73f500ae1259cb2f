#include "app/TDownloadIEInterface.h"

#include "app/TFrameWebBrowser.h"
#include "app/TFrmMain.h"
#include "platform/Text.h"
#include "skin/TskPageControl.h"
#include "skin/TskTabSheet.h"

void TDownloadIEInterface::NewPage() {
    auto* sheet = new TskTabSheet(nullptr);
    sheet->SetPageControl(FPageControl);
    FSheets.push_back(sheet);
    auto* frame = new TFrameWebBrowser(nullptr);
    frame->SetParent(FPageControl->PageAt(FPageControl->PageCount() - 1));
    frame->WebAction->SetTag(static_cast<intptr_t>(sheet->Handle()));
    frame->WebAction->Navigate(FrmMain->PendingURL);
    FFrames.push_back(frame);
}

void TDownloadIEInterface::ClosePage(int index) {
    try {
        size_t i = static_cast<size_t>(index - 1);
        TFrameWebBrowser* frame = FFrames.at(i);
        delete frame->WebAction;
        frame->WebAction = nullptr;
        delete frame;
        FFrames.erase(FFrames.begin() + static_cast<std::ptrdiff_t>(i));
        delete FSheets.at(i);
        FSheets.erase(FSheets.begin() + static_cast<std::ptrdiff_t>(i));
    } catch (...) {
    }
}

void TDownloadIEInterface::GetLastBrowser(IBrowserAutomation*& disp) {
    try {
        size_t last = static_cast<size_t>(FPageControl->PageCount() - 2);
        TFrameWebBrowser* frame = FFrames.at(last);
        if (frame->WebAction) disp = frame->WebAction->Application();
    } catch (...) {
    }
}

std::string TDownloadIEInterface::TabCaption(const std::string& title) {
    if (title == "about:blank") return title;
    if (platform::Utf8ToUtf16(title).size() <= 10) return title;
    return platform::FirstUtf16Units(title, 10) + "...";
}

void TDownloadIEInterface::SetPageTitle(const std::string& title, intptr_t tag) {
    try {
        std::string caption = TabCaption(title);
        if (tag == 0) {
            if (TskTabSheet* first = FPageControl->PageAt(0)) first->SetCaption(caption);
            return;
        }
        for (int i = 1; i < FPageControl->PageCount(); ++i) {
            TskTabSheet* sheet = FPageControl->PageAt(i);
            if (static_cast<intptr_t>(sheet->Handle()) == tag) {
                sheet->SetCaption(caption);
                return;
            }
        }
    } catch (...) {
    }
}
