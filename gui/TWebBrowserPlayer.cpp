// The browser control's part in what a player does with a page: links to
// background tabs, text size by wheel, the open key, the page's answer to
// closing, loading progress and fullscreen.
#include <algorithm>

#include "gui/TApplication.h"
#include "gui/TCustomForm.h"
#include "gui/TWebBrowser.h"
#include "platform/browser/OleCommands.h"
#include "platform/browser/TextZoom.h"

namespace {
constexpr const char* kLeaveQuestion = "这个网页问您：确实要离开吗？您在网页上所做的更改可能不会保存。";
constexpr const char* kLeaveCaption = "离开此页";
} // namespace

void TWebBrowser::AddPlayerEvents(platform::TBrowserEvents& events) {
    events.OpenInNewTab = [this](const std::string& url) {
        if (!OnOpenInNewTab) return false;
        Later([url](TWebBrowser& b) {
            if (b.OnOpenInNewTab) b.OnOpenInNewTab(&b, url);
        });
        return true;
    };
    events.TextSizeStep = [this](int delta) {
        Later([delta](TWebBrowser& b) { b.StepTextSize(delta); });
    };
    events.OpenRequest = [this] {
        Later([](TWebBrowser& b) {
            if (b.OnOpenRequest) b.OnOpenRequest(&b);
        });
    };
    events.AudioChange = [this](bool) {
        Later([](TWebBrowser& b) {
            if (b.OnAudioChange) b.OnAudioChange(&b);
        });
    };
    events.CloseAllowed = [this] {
        Later([](TWebBrowser& b) {
            if (b.OnCloseAllowed) b.OnCloseAllowed(&b);
        });
    };
    events.LeaveQuestion = [this](std::function<void(bool)> answer) {
        // Whatever happens to this control, the page gets an answer.
        auto once = std::make_shared<std::function<void(bool)>>(std::move(answer));
        struct TStay {
            explicit TStay(std::shared_ptr<std::function<void(bool)>> answer) : Answer(std::move(answer)) {}
            TStay(const TStay&) = delete;
            TStay& operator=(const TStay&) = delete;
            std::shared_ptr<std::function<void(bool)>> Answer;
            ~TStay() {
                if (*Answer) (*Answer)(false);
            }
        };
        auto stay = std::make_shared<TStay>(once);
        Later([stay](TWebBrowser&) {
            int reply = ::Application->MessageBox(kLeaveQuestion, kLeaveCaption,
                                                  MB_YESNO | MB_ICONQUESTION);
            auto answer = std::move(*stay->Answer);
            *stay->Answer = nullptr;
            answer(reply == IDYES);
        });
    };
    events.LoadProgress = [this](bool loading, int percent) {
        Later([loading, percent](TWebBrowser& b) {
            if (b.OnProgressChange) b.OnProgressChange(&b, loading, percent);
        });
    };
    events.PermissionRequest = [this](platform::TPermissionKind kind, std::function<void(bool)> answer) {
        Later([kind, answer](TWebBrowser& b) {
            if (b.OnPermissionRequest) b.OnPermissionRequest(&b, kind, answer);
        });
    };
    events.FullScreen = [this](bool enter) {
        Later([enter](TWebBrowser& b) {
            if (b.OnFullScreen) b.OnFullScreen(&b, enter);
        });
    };
}

void TWebBrowser::StepTextSize(int delta) {
    if (OnTextSizeStep) {
        OnTextSizeStep(this, delta);
        return;
    }
    int level = std::clamp(FEngine->ZoomLevel() + delta, TEXT_ZOOM_MIN_LEVEL, TEXT_ZOOM_MAX_LEVEL);
    FEngine->SetZoomLevel(level);
}

bool TWebBrowser::TryClose() {
    return FEngine->TryClose();
}

void TWebBrowser::ExitFullScreen() {
    FEngine->ExitFullScreen();
}

void TWebBrowser::SetCoverWindow(bool cover) {
    if (cover == FCoverWindow) return;
    FCoverWindow = cover;
    PlaceView();
}
