#include "app/TDownloadIEInterface.h"

#include <algorithm>

#include "app/IWindowServices.h"
#include "app/TFrameWebBrowser.h"
#include "gui/Exception.h"
#include "gui/TWebBrowser.h"
#include "platform/Text.h"
#include "skin/TskPageControl.h"
#include "skin/TskTabSheet.h"

void TDownloadIEInterface::NewPage(int account) {
    if (account < 0 || account > platform::ACCOUNT_SLOTS)
        throw Exception("没有第 " + std::to_string(account) + " 号小号");
    auto* sheet = new TskTabSheet(nullptr);
    sheet->SetPageControl(FPageControl);
    FSheets.push_back(sheet);
    if (account != 0) sheet->SetCaption(TabCaption("", account));
    TWebBrowser::TAccountScope scope(account);
    auto* frame = new TFrameWebBrowser(nullptr);
    frame->SetWindow(&FWindow);
    frame->SetParent(FPageControl->PageAt(FPageControl->PageCount() - 1));
    frame->FollowSheet(*sheet);
    frame->WebAction->SetTag(static_cast<intptr_t>(sheet->Handle()));
    frame->WebAction->Navigate(FWindow.PendingAddress());
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

std::string TDownloadIEInterface::TabCaption(const std::string& title, int account) {
    std::string caption = TabCaption(title);
    return account == 0 ? caption : "小号" + std::to_string(account) + "·" + caption;
}

int TDownloadIEInterface::FreeAccountSlot(const std::vector<int>& open) {
    for (int slot = 1; slot <= platform::ACCOUNT_SLOTS; ++slot)
        if (std::find(open.begin(), open.end(), slot) == open.end()) return slot;
    return 0;
}

std::vector<int> TDownloadIEInterface::OpenAccounts() const {
    std::vector<int> accounts;
    for (TFrameWebBrowser* frame : FFrames)
        accounts.push_back(frame->WebAction ? frame->WebAction->Account() : 0);
    return accounts;
}

void TDownloadIEInterface::SetPageTitle(const std::string& title, intptr_t tag, int account) {
    try {
        std::string caption = TabCaption(title, account);
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
