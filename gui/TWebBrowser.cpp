#include "gui/TWebBrowser.h"

#include <exception>

#include "gui/Exception.h"
#include "gui/TApplication.h"
#include "gui/TCustomForm.h"

namespace {

// Engine failures are the platform's; callers catch the framework's.
template <class F> auto Call(F&& fn) -> decltype(fn()) {
    try {
        return fn();
    } catch (const platform::BrowserError& e) {
        throw Exception(e.what());
    }
}

platform::IBrowserEngineFactory& Factory() {
    platform::IBrowserEngineFactory* factory = platform::BrowserEngineFactory();
    if (!factory) throw EComponentError("没有可用的网页浏览引擎（未设置引擎工厂）");
    return *factory;
}

int gScopeAccount = 0;

std::string SizeText(int64_t size) {
    return size < 0 ? "未知" : std::to_string(size) + " 字节";
}

} // namespace

const TClassInfo& TWebBrowser::StaticClass() {
    static const TClassInfo info =
        TClassBuilder<TWebBrowser>("TWebBrowser", &TWinControl::StaticClass())
            .Event("OnBeforeNavigate2", &TWebBrowser::OnBeforeNavigate2)
            .Event("OnNewWindow2", &TWebBrowser::OnNewWindow2)
            .Event("OnTitleChange", &TWebBrowser::OnTitleChange)
            .Event("OnStatusTextChange", &TWebBrowser::OnStatusTextChange)
            .Event("OnDocumentComplete", &TWebBrowser::OnDocumentComplete)
            .Build();
    return info;
}

TWebBrowser::TWebBrowser(TComponent* owner) : TWinControl(owner) {
    SetTabStop(true);
    SetColor(clWhite);
    FAccount = gScopeAccount;
    FEngine = FAccount == 0 ? Factory().CreateEngine(MakeEvents())
                            : Call([&] { return Factory().CreateEngineInAccount(MakeEvents(), FAccount); });
}

TWebBrowser::TAccountScope::TAccountScope(int account) : FPrevious(gScopeAccount) {
    gScopeAccount = account;
}

TWebBrowser::TAccountScope::~TAccountScope() {
    gScopeAccount = FPrevious;
}

TWebBrowser::~TWebBrowser() {
    Destroying();
    DetachView();
    FEngine.reset();
}

// --- events ---------------------------------------------------------------

platform::TBrowserEvents TWebBrowser::MakeEvents() {
    platform::TBrowserEvents events;
    events.BeforeNavigate = [this](const std::string& url, bool mainFrame) {
        return BeforeNavigate(url, mainFrame);
    };
    events.NewWindow = [this](const std::string& url, bool userGesture) {
        return NewWindow(url, userGesture);
    };
    events.TitleChange = [this](const std::string& title) {
        Later([title](TWebBrowser& b) {
            if (b.OnTitleChange) b.OnTitleChange(&b, title);
        });
    };
    events.StatusTextChange = [this](const std::string& text) {
        Later([text](TWebBrowser& b) {
            if (b.OnStatusTextChange) b.OnStatusTextChange(&b, text);
        });
    };
    events.DocumentComplete = [this](const std::string& url) {
        Later([url](TWebBrowser& b) {
            if (b.OnDocumentComplete) b.OnDocumentComplete(&b, b.Application(), url);
        });
    };
    events.CloseRequest = [this] {
        if (::Application) ::Application->PostMessage(Handle(), WM_CLOSE);
    };
    events.NativeViewChanged = [this](void* oldView) { NativeViewChanged(oldView); };
    events.FocusIn = [this] {
        Later([](TWebBrowser& b) {
            if (!b.Focused() && b.CanFocus()) b.SetFocus();
        });
    };
    events.Failure = [this](const std::string& message) {
        Later([message](TWebBrowser&) { throw Exception(message); });
    };
    events.DownloadStarted = [this](const std::string& url) {
        Later([url](TWebBrowser& b) {
            if (b.OnDownloadStart) b.OnDownloadStart(&b, url);
        });
    };
    AddPlayerEvents(events);
    return events;
}

bool TWebBrowser::BeforeNavigate(const std::string& url, bool mainFrame) {
    bool cancel = false;
    bool outer = FMainFrameNavigation;
    FMainFrameNavigation = mainFrame;
    TSafeRef<TWebBrowser> ref(this); // a handler may close the tab
    Guarded([&] {
        if (OnBeforeNavigate2) OnBeforeNavigate2(this, url, cancel);
    });
    if (ref.Get()) FMainFrameNavigation = outer;
    return cancel;
}

// The handler names the control that takes the window by its automation
// object; the engine then gives that control's engine the new page.
platform::IBrowserEngine* TWebBrowser::NewWindow(const std::string& url, bool userGesture) {
    IBrowserAutomation* disp = nullptr;
    bool cancel = false;
    TSafeRef<TWebBrowser> ref(this);
    FNewWindowRequest = {url, userGesture};
    Guarded([&] {
        if (OnNewWindow2) OnNewWindow2(this, disp, cancel);
    });
    if (!ref.Get()) return nullptr;
    FNewWindowRequest = {};
    if (cancel || !disp) return nullptr;
    TWebBrowser* target = disp->Browser();
    return target && target->FEngine ? target->FEngine.get() : nullptr;
}

void TWebBrowser::NativeViewChanged(void* oldView) {
    Guarded([&] {
        if (FAttachedView == oldView) DetachView();
        PlaceView();
    });
}

void TWebBrowser::Snapshot(TSnapshotEvent done) {
    TSafeRef<TWebBrowser> ref(this);
    FEngine->Snapshot([ref, done = std::move(done)](std::shared_ptr<platform::TPageSnapshot> picture,
                                                    const std::string& error) {
        if (TWebBrowser* browser = ref.Get())
            browser->Later([done, picture, error](TWebBrowser& self) { done(self, picture, error); });
    });
}

void TWebBrowser::Later(std::function<void(TWebBrowser&)> fn) {
    if (!::Application) return;
    TSafeRef<TWebBrowser> ref(this);
    ::Application->Queue([ref, fn = std::move(fn)] {
        TWebBrowser* browser = ref.Get();
        if (!browser) return;
        try {
            fn(*browser);
        } catch (const std::exception& e) {
            if (::Application) ::Application->HandleException(ref.Get(), e);
        }
    });
}

void TWebBrowser::Guarded(const std::function<void()>& fn) {
    std::exception_ptr error;
    TSafeRef<TWebBrowser> ref(this);
    try {
        fn();
    } catch (...) {
        error = std::current_exception();
    }
    if (!error || !::Application) return;
    ::Application->Queue([ref, error] {
        try {
            std::rethrow_exception(error);
        } catch (const std::exception& e) {
            if (::Application) ::Application->HandleException(ref.Get(), e);
        } catch (...) {
            if (::Application)
                ::Application->HandleException(ref.Get(), Exception("网页事件处理出错"));
        }
    });
}

// --- operations -----------------------------------------------------------

void TWebBrowser::Navigate(const std::string& url) {
    Call([&] { FEngine->Navigate(url); });
}

void TWebBrowser::GoBack() {
    if (!FEngine->CanGoBack()) throw Exception("无法后退：没有上一个网页。");
    Call([&] { FEngine->GoBack(); });
}

void TWebBrowser::GoForward() {
    if (!FEngine->CanGoForward()) throw Exception("无法前进：没有下一个网页。");
    Call([&] { FEngine->GoForward(); });
}

void TWebBrowser::Refresh() {
    Call([&] { FEngine->Refresh(false); });
}

void TWebBrowser::Stop() {
    Call([&] { FEngine->Stop(); });
}

std::string TWebBrowser::LocationURL() const {
    return FEngine->LocationURL();
}

std::string TWebBrowser::LocationName() const {
    return FEngine->LocationName();
}

TBrowserDocument TWebBrowser::Document() {
    TBrowserDocument document;
    document.URL = FEngine->LocationURL();
    document.BodyOuterHTML = Call([&] { return FEngine->BodyOuterHTML(); });
    return document;
}

void TWebBrowser::ExecWB(int32_t command, int32_t option, const TValue& in, TValue* out) {
    if (option < OLECMDEXECOPT_DODEFAULT || option > OLECMDEXECOPT_DONTPROMPTUSER)
        throw Exception("浏览器命令的选项无效：" + std::to_string(option));
    bool prompt = option != OLECMDEXECOPT_DONTPROMPTUSER;
    Call([&] {
        switch (command) {
        case OLECMDID_SAVEAS:
            SaveAs(option, in);
            break;
        case OLECMDID_PRINT:
            FEngine->Print(prompt);
            break;
        case OLECMDID_PRINTPREVIEW:
            FEngine->PrintPreview();
            break;
        case OLECMDID_PAGESETUP:
            FEngine->PageSetup();
            break;
        case OLECMDID_PROPERTIES:
            ShowProperties();
            break;
        case OLECMDID_CUT:
            FEngine->EditCommand(platform::TEditCommand::Cut);
            break;
        case OLECMDID_COPY:
            FEngine->EditCommand(platform::TEditCommand::Copy);
            break;
        case OLECMDID_PASTE:
            FEngine->EditCommand(platform::TEditCommand::Paste);
            break;
        case OLECMDID_SELECTALL:
            FEngine->EditCommand(platform::TEditCommand::SelectAll);
            break;
        case OLECMDID_ZOOM:
            Zoom(in, out);
            break;
        case OLECMDID_GETZOOMRANGE:
            if (out) *out = static_cast<int64_t>((TEXT_ZOOM_MAX_LEVEL << 16) | TEXT_ZOOM_MIN_LEVEL);
            break;
        case OLECMDID_REFRESH:
            FEngine->Refresh(std::holds_alternative<int64_t>(in) &&
                             std::get<int64_t>(in) == OLECMDIDF_REFRESH_COMPLETELY);
            break;
        case OLECMDID_STOP:
            FEngine->Stop();
            break;
        default:
            throw Exception("浏览器不支持这个命令：" + std::to_string(command));
        }
    });
}

void TWebBrowser::SaveAs(int32_t option, const TValue& in) {
    std::string fileName;
    if (auto* given = std::get_if<std::string>(&in)) fileName = *given;
    if (fileName.empty() || option != OLECMDEXECOPT_DONTPROMPTUSER) {
        TFileDialogRequest request;
        request.Title = "另存为";
        request.Filter =
            "网页 (*.htm;*.html)|*.htm;*.html|文本文件 (*.txt)|*.txt|所有文件 (*.*)|*.*";
        request.FileName = fileName.empty() ? FEngine->SuggestedFileName() : fileName;
        request.Save = true;
        TCustomForm* form = ParentForm();
        THostWindow parent = form ? form->HostWindow() : 0;
        if (!::Application->Host().FileDialog(parent, request, fileName)) return;
    }
    FEngine->SaveAs(fileName);
}

void TWebBrowser::Zoom(const TValue& in, TValue* out) {
    if (!std::holds_alternative<std::monostate>(in)) {
        auto* level = std::get_if<int64_t>(&in);
        if (!level) throw Exception("文字大小的值必须是整数");
        if (*level < TEXT_ZOOM_MIN_LEVEL || *level > TEXT_ZOOM_MAX_LEVEL)
            throw Exception("文字大小只能是 0 到 4 级，不能是 " + std::to_string(*level));
        FEngine->SetZoomLevel(static_cast<int>(*level));
    }
    if (out) *out = static_cast<int64_t>(FEngine->ZoomLevel());
}

void TWebBrowser::ShowProperties() {
    platform::TPageInfo info = FEngine->PageInfo();
    std::string text = "标题：" + info.Title + "\n地址：" + info.URL + "\n类型：" +
                       (info.MimeType.empty() ? "未知" : info.MimeType) + "\n大小：" +
                       SizeText(info.Size);
    ::Application->MessageBox(text, "属性", MB_OK | MB_ICONINFORMATION);
}

// --- keys and focus -------------------------------------------------------

HRESULT TWebBrowser::TranslateAccelerator(const TMsg& msg) {
    if (msg.hwnd != Handle() || msg.message < WM_KEYFIRST || msg.message > WM_KEYLAST)
        return S_FALSE;
    return FEngine->DeliverKey({msg.message, msg.wParam, msg.lParam}) ? S_OK : S_FALSE;
}

bool TWebBrowser::IsFindKey(const TMessage& m) const {
    return m.Msg == WM_KEYDOWN && m.WParam == 'F' &&
           (KeyboardShiftState() & (ssCtrl | ssAlt)) == ssCtrl;
}

void TWebBrowser::WndProc(TMessage& m) {
    if (m.Msg >= WM_KEYFIRST && m.Msg <= WM_KEYLAST) {
        // The page has the key before any shortcut of the window sees it.
        FEngine->DeliverKey({m.Msg, m.WParam, m.LParam});
        if (IsFindKey(m)) FEngine->ShowFindBar();
    }
    // A page that closes itself asks its owner; the control stays.
    if (m.Msg == WM_CLOSE) return;
    TWinControl::WndProc(m);
}

// Tab, Enter and the arrows belong to a page that has the focus.
bool TWebBrowser::WantsKey(int) const {
    return FEngine && FEngine->HasFocus();
}

void TWebBrowser::DoEnter() {
    TWinControl::DoEnter();
    if (FAttachedView) ::Application->Host().FocusNativeView(FAttachedView);
    FEngine->Focus();
}

// --- the native view ------------------------------------------------------

void TWebBrowser::PlacementChanged() {
    TWinControl::PlacementChanged();
    PlaceView();
}

void TWebBrowser::PlaceView() {
    if (!FEngine || IsDestroying() || !::Application) return;
    void* view = FEngine->NativeView();
    TCustomForm* form = ParentForm();
    bool showing = Showing();
    // A form that never showed has no window yet; the view waits for it.
    if (!FAttachedView && !showing) return;
    THostWindow window = form ? form->HostWindow() : 0;
    if (FAttachedView && (FAttachedView != view || FAttachedWindow != window)) DetachView();
    if (!window || !view) return;
    THost& host = ::Application->Host();
    if (!FAttachedView) {
        host.AttachNativeView(window, view);
        FAttachedView = view;
        FAttachedWindow = window;
    }
    if (FCoverWindow && form) {
        host.PlaceNativeView(view, TRect{0, 0, form->Width(), form->Height()}, true);
        host.RaiseNativeView(view);
        return;
    }
    host.PlaceNativeView(view, WindowRectInForm(), showing);
}

void TWebBrowser::DetachView() {
    if (!FAttachedView) return;
    if (::Application) ::Application->Host().DetachNativeView(FAttachedView);
    FAttachedView = nullptr;
    FAttachedWindow = 0;
}
