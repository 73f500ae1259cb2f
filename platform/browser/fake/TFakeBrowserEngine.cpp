#include "platform/browser/fake/TFakeBrowserEngine.h"

#include <fstream>

#include "platform/browser/BrowserURL.h"
#include "platform/browser/ErrorPage.h"
#include "platform/browser/TextZoom.h"
#include "platform/browser/fake/TFakeBrowserFactory.h"

namespace platform {

namespace {

int gNextViewId = 0;

// The text a reader sees: the markup without its tags.
std::string TextOf(const std::string& markup) {
    std::string text;
    bool inTag = false;
    for (char c : markup) {
        if (c == '<')
            inTag = true;
        else if (c == '>')
            inTag = false;
        else if (!inTag)
            text += c;
    }
    return text;
}

std::string BodyOf(const std::string& html) {
    size_t begin = html.find("<body");
    size_t end = html.rfind("</body>");
    if (begin == std::string::npos || end == std::string::npos || end < begin) return html;
    return html.substr(begin, end + 7 - begin);
}

} // namespace

TFakeBrowserEngine::TFakeBrowserEngine(TFakeBrowserFactory* factory, TBrowserEvents events)
    : FFactory(factory), FEvents(std::move(events)), FView(std::make_unique<TView>()) {
    FView->Id = ++gNextViewId;
}

TFakeBrowserEngine::~TFakeBrowserEngine() {
    if (FFactory) FFactory->Forget(this);
}

bool TFakeBrowserEngine::Notify(const std::function<void()>& call) {
    std::weak_ptr<int> alive = FAlive;
    call();
    return !alive.expired();
}

// --- loading --------------------------------------------------------------

void TFakeBrowserEngine::Navigate(const std::string& url) {
    StartNavigation(NormalizeURL(url), TMove::New, -1);
}

void TFakeBrowserEngine::StartNavigation(const std::string& url, TMove move, int historyTarget) {
    FPendingURL = url;
    int step = FNextStep++;
    FLoadingStep = step;
    if (!FFactory) return;
    std::weak_ptr<int> alive = FAlive;
    FFactory->Post([this, alive, step, url, move, historyTarget] {
        if (!alive.expired()) BeginStep(step, url, move, historyTarget);
    });
}

void TFakeBrowserEngine::BeginStep(int step, std::string url, TMove move, int historyTarget) {
    if (step != FLoadingStep) return; // stopped or overtaken by another navigation
    bool cancel = false;
    if (!Notify([&] {
            if (FEvents.BeforeNavigate) cancel = FEvents.BeforeNavigate(url, true);
        }))
        return;
    if (step != FLoadingStep) return;
    if (cancel) {
        FLoadingStep = 0;
        FPendingURL.clear();
        return;
    }
    Commit(url, move, historyTarget);
    for (const std::string& frame : std::vector<std::string>(FPage.Frames)) {
        if (!Notify([&] {
                if (FEvents.BeforeNavigate) FEvents.BeforeNavigate(frame, false);
            }))
            return;
        if (step != FLoadingStep) return;
    }
    if (!FFactory) return;
    std::weak_ptr<int> alive = FAlive;
    FFactory->Post([this, alive, step] {
        if (!alive.expired()) FinishStep(step);
    });
}

void TFakeBrowserEngine::Commit(const std::string& url, TMove move, int historyTarget) {
    switch (move) {
    case TMove::New:
        FHistory.resize(static_cast<size_t>(FHistoryIndex + 1));
        FHistory.push_back(url);
        FHistoryIndex = static_cast<int>(FHistory.size()) - 1;
        break;
    case TMove::Back:
    case TMove::Forward:
        FHistoryIndex = historyTarget;
        break;
    case TMove::Reload:
        break;
    }
    FURL = url;
    FPendingURL.clear();
    FCrashed = false;
    FPage = FFactory ? FFactory->PageFor(url) : TFakePage{};
    FTitle = FPage.Title;
    FSelection.clear();
}

void TFakeBrowserEngine::FinishStep(int step) {
    if (step != FLoadingStep) return;
    FLoadingStep = 0;
    if (!Notify([&] {
            if (FEvents.TitleChange) FEvents.TitleChange(EffectiveTitle());
        }))
        return;
    if (!Notify([&] {
            if (FEvents.DocumentComplete) FEvents.DocumentComplete(FURL);
        }))
        return;
    if (!FCrashed) RunOnLoad(FPage.OnLoad);
}

void TFakeBrowserEngine::RunOnLoad(const std::vector<TFakeAction>& actions) {
    std::weak_ptr<int> alive = FAlive;
    for (const TFakeAction& action : std::vector<TFakeAction>(actions)) {
        RunScript(action);
        if (alive.expired()) return;
    }
}

bool TFakeBrowserEngine::CanGoForward() const {
    return FHistoryIndex + 1 < static_cast<int>(FHistory.size());
}

void TFakeBrowserEngine::GoBack() {
    if (!CanGoBack()) throw BrowserError("没有可以后退的网页");
    StartNavigation(FHistory[static_cast<size_t>(FHistoryIndex - 1)], TMove::Back,
                    FHistoryIndex - 1);
}

void TFakeBrowserEngine::GoForward() {
    if (!CanGoForward()) throw BrowserError("没有可以前进的网页");
    StartNavigation(FHistory[static_cast<size_t>(FHistoryIndex + 1)], TMove::Forward,
                    FHistoryIndex + 1);
}

void TFakeBrowserEngine::Refresh(bool bypassCache) {
    Log(bypassCache ? "Refresh completely" : "Refresh");
    if (!FURL.empty()) StartNavigation(FURL, TMove::Reload, -1);
}

void TFakeBrowserEngine::Stop() {
    Log("Stop");
    FLoadingStep = 0;
    FPendingURL.clear();
}

// --- what the page is -----------------------------------------------------

std::string TFakeBrowserEngine::LocationURL() const {
    if (!FPendingURL.empty()) return FPendingURL;
    return FURL.empty() ? std::string(kBlankURL) : FURL;
}

std::string TFakeBrowserEngine::EffectiveTitle() const {
    if (FCrashed) return std::string(kErrorPageTitle);
    if (!FTitle.empty()) return FTitle;
    return FURL.empty() ? std::string(kBlankURL) : FURL;
}

std::string TFakeBrowserEngine::LocationName() const {
    return EffectiveTitle();
}

std::optional<std::string> TFakeBrowserEngine::BodyOuterHTML() {
    if (FCrashed) return BodyOf(ErrorPageHTML(FURL, "页面进程意外终止。"));
    if (FURL.empty()) return std::nullopt;
    return FPage.Body;
}

TPageInfo TFakeBrowserEngine::PageInfo() {
    TPageInfo info;
    info.Title = LocationName();
    info.URL = LocationURL();
    info.MimeType = FURL.empty() ? "" : FPage.MimeType;
    if (auto body = BodyOuterHTML()) info.Size = static_cast<int64_t>(body->size());
    return info;
}

std::string TFakeBrowserEngine::SuggestedFileName() const {
    return platform::SuggestedFileName(LocationName(), LocationURL());
}

// --- commands -------------------------------------------------------------

void TFakeBrowserEngine::PlayAudio(bool playing) {
    if (playing == FPlayingAudio) return;
    FPlayingAudio = playing;
    if (FEvents.AudioChange) FEvents.AudioChange(playing);
}

void TFakeBrowserEngine::Snapshot(TSnapshotDone done) {
    Log("Snapshot");
    std::weak_ptr<int> alive = FAlive;
    FFactory->Post([this, alive, done = std::move(done)] {
        if (alive.expired()) return;
        if (!FFactory->SnapshotError.empty()) return done(nullptr, FFactory->SnapshotError);
        auto picture = std::make_shared<TPageSnapshot>();
        picture->Width = FFactory->SnapshotWidth;
        picture->Height = FFactory->SnapshotHeight;
        const uint32_t c = FFactory->SnapshotColor;
        const uint8_t pixel[4] = {uint8_t(c >> 16), uint8_t(c >> 8), uint8_t(c), 0xFF};
        picture->Rgba.reserve(size_t(picture->Width) * picture->Height * 4);
        for (int i = 0; i < picture->Width * picture->Height; ++i) picture->Rgba.insert(picture->Rgba.end(), pixel, pixel + 4);
        done(std::move(picture), "");
    });
}

void TFakeBrowserEngine::SaveAs(const std::string& fileName) {
    std::ofstream out(fileName, std::ios::binary | std::ios::trunc);
    auto body = BodyOuterHTML();
    out << "<html><head><title>" << HtmlEscape(LocationName()) << "</title></head>\n"
        << body.value_or("") << "\n</html>\n";
    out.close();
    if (!out) throw BrowserError("无法保存网页：" + fileName);
    Log("SaveAs " + fileName);
}

void TFakeBrowserEngine::Print(bool prompt) {
    Log(prompt ? "Print prompt" : "Print");
}

void TFakeBrowserEngine::PrintPreview() {
    Log("PrintPreview");
}

void TFakeBrowserEngine::PageSetup() {
    Log("PageSetup");
}

void TFakeBrowserEngine::EditCommand(TEditCommand command) {
    switch (command) {
    case TEditCommand::Cut:
    case TEditCommand::Copy:
        // The page is not editable: cutting copies like copying.
        if (!FSelection.empty() && FFactory) FFactory->Clipboard() = FSelection;
        Log(command == TEditCommand::Cut ? "Cut" : "Copy");
        break;
    case TEditCommand::Paste:
        Log("Paste " + (FFactory ? FFactory->Clipboard() : std::string()));
        break;
    case TEditCommand::SelectAll:
        FSelection = TextOf(BodyOuterHTML().value_or(""));
        Log("SelectAll");
        break;
    }
}

void TFakeBrowserEngine::SetZoomLevel(int level) {
    if (!IsTextZoomLevel(level)) throw BrowserError("文字大小只能是 0 到 4 级");
    FZoomLevel = level;
}

void TFakeBrowserEngine::ShowFindBar() {
    FFindBarShown = true;
    Log("FindBar");
}

bool TFakeBrowserEngine::DeliverKey(const TBrowserKey& key) {
    if (!FFocused) return false;
    FKeys.push_back(key);
    return true;
}

// --- the user and the page ------------------------------------------------

void TFakeBrowserEngine::ClickLink(const std::string& url) {
    StartNavigation(NormalizeURL(url), TMove::New, -1);
}

void TFakeBrowserEngine::ClickLinkNewWindow(const std::string& url) {
    OpenWindow(NormalizeURL(url), true);
}

void TFakeBrowserEngine::RequestPermission(TPermissionKind kind) {
    const std::string name = PermissionName(kind);
    if (!FEvents.PermissionRequest) {
        Log("PermissionDenied " + name);
        return;
    }
    // As a real view does: an answer dropped without a word refuses.
    struct TPending {
        TPending(std::weak_ptr<int> alive, TFakeBrowserEngine* engine, std::string name)
            : Alive(std::move(alive)), Engine(engine), Name(std::move(name)) {}
        TPending(const TPending&) = delete;
        TPending& operator=(const TPending&) = delete;
        std::weak_ptr<int> Alive;
        TFakeBrowserEngine* Engine;
        std::string Name;
        bool Answered = false;
        void Answer(bool allow) {
            if (Answered) return;
            Answered = true;
            if (!Alive.expired()) Engine->Log((allow ? "PermissionGranted " : "PermissionDenied ") + Name);
        }
        ~TPending() { Answer(false); }
    };
    auto pending = std::make_shared<TPending>(FAlive, this, name);
    FEvents.PermissionRequest(kind, [pending](bool allow) { pending->Answer(allow); });
}

std::string TFakeBrowserEngine::PermissionName(TPermissionKind kind) {
    switch (kind) {
    case TPermissionKind::Notifications: return "Notifications";
    case TPermissionKind::Geolocation: return "Geolocation";
    case TPermissionKind::Media: return "Media";
    case TPermissionKind::PointerLock: return "PointerLock";
    }
    return "?";
}

void TFakeBrowserEngine::ClickDownloadLink(const std::string& link) {
    std::string url = NormalizeURL(link);
    if (!FFactory) return;
    std::weak_ptr<int> alive = FAlive;
    FFactory->Post([this, alive, url] {
        if (alive.expired()) return;
        bool cancel = false;
        if (!Notify([&] {
                if (FEvents.BeforeNavigate) cancel = FEvents.BeforeNavigate(url, true);
            }))
            return;
        if (cancel || alive.expired()) return;
        Notify([&] {
            if (FEvents.DownloadStarted) FEvents.DownloadStarted(url);
        });
    });
}

void TFakeBrowserEngine::HoverLink(const std::string& url) {
    if (FEvents.StatusTextChange) FEvents.StatusTextChange(url);
}

void TFakeBrowserEngine::ClickIntoPage() {
    FFocused = true;
    if (FEvents.FocusIn) FEvents.FocusIn();
}

void TFakeBrowserEngine::RunScript(const TFakeAction& action) {
    using K = TFakeAction::TKind;
    switch (action.Kind) {
    case K::SetTitle:
        FTitle = action.Arg;
        if (FEvents.TitleChange) FEvents.TitleChange(EffectiveTitle());
        break;
    case K::OpenWindow:
        OpenWindow(action.Arg.empty() ? std::string(kBlankURL) : NormalizeURL(action.Arg), false);
        break;
    case K::CloseWindow:
        // As real views do: only a page opened by script, or one that has
        // not been navigated away from, may close its window.
        if ((Opener() || FHistory.size() <= 1) && FEvents.CloseRequest) FEvents.CloseRequest();
        break;
    case K::StatusText:
        if (FEvents.StatusTextChange) FEvents.StatusTextChange(action.Arg);
        break;
    case K::Navigate:
        StartNavigation(NormalizeURL(action.Arg), TMove::New, -1);
        break;
    }
}

void TFakeBrowserEngine::Crash() {
    FCrashed = true;
    FLoadingStep = 0;
    FPendingURL.clear();
    if (!FFactory) return;
    std::weak_ptr<int> alive = FAlive;
    int step = FNextStep++;
    FLoadingStep = step;
    FFactory->Post([this, alive, step] {
        if (!alive.expired()) FinishStep(step);
    });
}

void TFakeBrowserEngine::OpenWindow(const std::string& url, bool userGesture) {
    IBrowserEngine* target = nullptr;
    if (!Notify([&] {
            if (FEvents.NewWindow) target = FEvents.NewWindow(url, userGesture);
        }))
        return;
    auto* fake = dynamic_cast<TFakeBrowserEngine*>(target);
    if (!fake || fake == this) {
        Log("PopupRefused " + url);
        return;
    }
    fake->AcceptWindow(this, url);
}

// The new window's page lives in a view of its own, related to the opener's;
// whatever this engine was about to load is dropped.
void TFakeBrowserEngine::AcceptWindow(TFakeBrowserEngine* opener, const std::string& url) {
    FLoadingStep = 0;
    FPendingURL.clear();
    FHistory.clear();
    FHistoryIndex = -1;
    FURL.clear();
    FOpener = opener;
    FOpenerAlive = opener->FAlive;
    FAccount = opener->FAccount;
    std::unique_ptr<TView> old = std::move(FView);
    FView = std::make_unique<TView>();
    FView->Id = ++gNextViewId;
    if (!Notify([&] {
            if (FEvents.NativeViewChanged) FEvents.NativeViewChanged(old.get());
        }))
        return;
    StartNavigation(url, TMove::New, -1);
}

TFakeBrowserEngine* TFakeBrowserEngine::Opener() const {
    return FOpenerAlive.expired() ? nullptr : FOpener;
}

} // namespace platform
