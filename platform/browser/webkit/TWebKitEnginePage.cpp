// What a page asks of the window around it: how far its load is, the whole
// screen for a game, and whether it agrees to be closed.
#include <algorithm>
#include <cmath>

#include "platform/browser/webkit/TWebKitEngineGuard.h"

namespace platform {

namespace {

constexpr const char* kExitFullScreenScript =
    "if (document.fullscreenElement) document.exitFullscreen();"
    "else if (document.webkitFullscreenElement) document.webkitExitFullscreen();";

} // namespace

void TWebKitEngine::OnProgress(GObject* view, GParamSpec*, gpointer data) {
    Guard(view, 0, [&] {
        static_cast<TWebKitEngine*>(data)->ReportProgress();
        return 0;
    });
}

// The view says "loading" and its estimate many times over; the owner hears
// each new whole percent once and the end once.
void TWebKitEngine::ReportProgress() {
    if (!FEvents.LoadProgress) return;
    if (webkit_web_view_is_loading(FView)) {
        double estimate = webkit_web_view_get_estimated_load_progress(FView);
        int percent = static_cast<int>(std::lround(std::clamp(estimate, 0.0, 1.0) * 100));
        if (percent == FReportedPercent) return;
        FReportedPercent = percent;
        FEvents.LoadProgress(true, percent);
        return;
    }
    if (FReportedPercent < 0) return;
    FReportedPercent = -1;
    FEvents.LoadProgress(false, 100);
}

// WebKit goes on to ask the window manager for a fullscreen top-level
// window (TRUE would refuse the page); the owner gives the view all of it.
gboolean TWebKitEngine::OnEnterFullScreen(WebKitWebView* view, gpointer data) {
    Guard(view, 0, [&] {
        auto* self = static_cast<TWebKitEngine*>(data);
        self->FFullScreen = true;
        if (self->FEvents.FullScreen) self->FEvents.FullScreen(true);
        return 0;
    });
    return FALSE;
}

gboolean TWebKitEngine::OnLeaveFullScreen(WebKitWebView* view, gpointer data) {
    Guard(view, 0, [&] {
        auto* self = static_cast<TWebKitEngine*>(data);
        self->FFullScreen = false;
        if (self->FEvents.FullScreen) self->FEvents.FullScreen(false);
        return 0;
    });
    return FALSE;
}

void TWebKitEngine::OnAudio(GObject* view, GParamSpec*, gpointer data) {
    Guard(view, 0, [&] {
        auto* self = static_cast<TWebKitEngine*>(data);
        bool playing = self->PlayingAudio();
        if (playing == self->FPlayingAudio) return 0;
        self->FPlayingAudio = playing;
        if (self->FEvents.AudioChange) self->FEvents.AudioChange(playing);
        return 0;
    });
}

bool TWebKitEngine::PlayingAudio() const {
    return FView && webkit_web_view_is_playing_audio(FView);
}

void TWebKitEngine::SetMuted(bool muted) {
    FMuted = muted;
    if (FView) webkit_web_view_set_is_muted(FView, muted);
}

void TWebKitEngine::ExitFullScreen() {
    if (!FFullScreen) return;
    webkit_web_view_evaluate_javascript(FView, kExitFullScreenScript, -1, nullptr, nullptr, nullptr,
                                        nullptr, nullptr);
}

// The page's question before it goes is asked by the owner, in the
// window's own message box; WebKit waits for the answer.
gboolean TWebKitEngine::OnScriptDialog(WebKitWebView* view, WebKitScriptDialog* dialog,
                                       gpointer data) {
    return Guard(view, FALSE, [&]() -> gboolean {
        auto* self = static_cast<TWebKitEngine*>(data);
        if (webkit_script_dialog_get_dialog_type(dialog) != WEBKIT_SCRIPT_DIALOG_BEFORE_UNLOAD_CONFIRM ||
            !self->FEvents.LeaveQuestion)
            return FALSE;
        webkit_script_dialog_ref(dialog);
        auto answered = std::make_shared<bool>(false);
        self->FEvents.LeaveQuestion([dialog, answered](bool leave) {
            if (*answered) return;
            *answered = true;
            webkit_script_dialog_confirm_set_confirmed(dialog, leave);
            webkit_script_dialog_close(dialog);
            webkit_script_dialog_unref(dialog);
        });
        return TRUE;
    });
}

// The page's unload question runs first; its "close" is the answer, and
// may come at once when there is no page to ask.
bool TWebKitEngine::TryClose() {
    if (!FEvents.CloseAllowed) return true;
    FClosePending = true;
    webkit_web_view_try_close(FView);
    return false;
}

} // namespace platform
