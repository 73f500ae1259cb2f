// A tab's frame and what a player does with its page: links into
// background tabs, text size by wheel, the open key, the page's answer to
// closing, loading feedback and fullscreen.
#include <algorithm>

#include "app/IWindowServices.h"
#include "app/TDownloadIEInterface.h"
#include "app/TFrameWebBrowser.h"
#include "platform/browser/OleCommands.h"
#include "skin/TskTabSheet.h"

namespace {
constexpr const char* kLoadingCaption = "正在打开...";
constexpr const char* kDoneStatus = "完成";
} // namespace

void TFrameWebBrowser::ConnectPlayerEvents() {
    if (!WebAction) return;
    WebAction->OnOpenInNewTab = [this](TObject* s, const std::string& url) {
        WebActionOpenInNewTab(s, url);
    };
    WebAction->OnTextSizeStep = [this](TObject* s, int delta) { WebActionTextSizeStep(s, delta); };
    WebAction->OnOpenRequest = [this](TObject* s) { WebActionOpenRequest(s); };
    WebAction->OnCloseAllowed = [this](TObject* s) { WebActionCloseAllowed(s); };
    WebAction->OnProgressChange = [this](TObject* s, bool loading, int percent) {
        WebActionProgressChange(s, loading, percent);
    };
    WebAction->OnFullScreen = [this](TObject* s, bool enter) { WebActionFullScreen(s, enter); };
    WebAction->OnAudioChange = [this](TObject*) {
        if (FWindow && WebAction) FWindow->ShowSound(WebAction);
    };
    WebAction->OnPermissionRequest = [this](TObject* s, platform::TPermissionKind kind,
                                            std::function<void(bool)> answer) {
        WebActionPermissionRequest(s, kind, std::move(answer));
    };
}

bool TFrameWebBrowser::IsActiveBrowser() const {
    try {
        return WebAction && FWindow && FWindow->ActiveBrowser() == WebAction;
    } catch (...) {
        return false;
    }
}

void TFrameWebBrowser::WebActionOpenInNewTab(TObject*, const std::string& url) {
    if (FWindow) FWindow->OpenBackgroundTab(url, WebAction ? WebAction->Account() : 0);
}

// The menu's marks follow the active page; a page behind it only changes size.
void TFrameWebBrowser::WebActionTextSizeStep(TObject*, int delta) {
    if (IsActiveBrowser()) {
        FWindow->StepTextSize(delta);
        return;
    }
    TValue level;
    WebAction->ExecWB(OLECMDID_ZOOM, OLECMDEXECOPT_DONTPROMPTUSER, {}, &level);
    if (auto* now = std::get_if<int64_t>(&level)) {
        int64_t next = std::clamp<int64_t>(*now + delta, 0, 4);
        WebAction->ExecWB(OLECMDID_ZOOM, OLECMDEXECOPT_DONTPROMPTUSER, next, nullptr);
    }
}

void TFrameWebBrowser::WebActionOpenRequest(TObject*) {
    if (FWindow) FWindow->RunMenuCommand("mnuOpen");
}

void TFrameWebBrowser::WebActionCloseAllowed(TObject*) {
    if (WebAction && FWindow) FWindow->ClosePageOf(WebAction); // may free this frame
}

// A tab shows that its page is coming until the page names itself; a blank
// page is named at once and keeps its caption (the go command looks for it).
void TFrameWebBrowser::WebActionProgressChange(TObject*, bool loading, int percent) {
    if (!WebAction || !FWindow) return;
    if (loading && !FLoading) {
        FTitleSeen = false;
        FLoadNotice.clear();
        if (WebAction->LocationURL() != "about:blank")
            FWindow->Tabs().SetPageTitle(kLoadingCaption, WebAction->Tag());
    }
    if (!loading && FLoading && !FTitleSeen)
        FWindow->Tabs().SetPageTitle(WebAction->LocationName(), WebAction->Tag());
    FLoading = loading;
    FPercent = percent;
    if (IsActiveBrowser()) ShowLoadStatus();
}

void TFrameWebBrowser::ShowLoadStatus() {
    if (!FWindow) return;
    if (FLoading)
        FWindow->ShowStatus("正在打开网页... " + std::to_string(FPercent) + "%");
    else
        FWindow->ShowStatus(FLoadNotice.empty() ? std::string(kDoneStatus) : FLoadNotice);
}

// The status line speaks for the tab in front: the one that comes forward
// (another closed, or the player switched) says where its page is.
void TFrameWebBrowser::FollowSheet(TskTabSheet& sheet) {
    TSafeRef<TFrameWebBrowser> self(this);
    sheet.OnShow = [self](TObject*) {
        if (TFrameWebBrowser* frame = self.Get()) frame->ShowLoadStatus();
    };
}

void TFrameWebBrowser::WebActionFullScreen(TObject*, bool enter) {
    if (WebAction && FWindow) FWindow->PageFullScreen(WebAction, enter);
}
