#include "app/TBossKey.h"

#include "app/DumpJson.h"
#include "app/TFrameWebBrowser.h"
#include "app/TFrmMain.h"
#include "app/TFullScreen.h"
#include "gui/TApplication.h"
#include "gui/TPopupWindow.h"
#include "gui/TWebBrowser.h"
#include "services/TBossKeySetting.h"
#include "skin/TskPageControl.h"
#include "skin/TskTabSheet.h"

namespace {

constexpr const char* kProblem = "老板键无法在此桌面上全局使用：";

TWebBrowser* BrowserOf(TskTabSheet* sheet) {
    for (TControl* c : sheet->Controls())
        if (auto* frame = dynamic_cast<TFrameWebBrowser*>(c)) return frame->WebAction;
    return nullptr;
}

const char* GrabName(TGlobalKeyGrab grab) {
    switch (grab) {
    case TGlobalKeyGrab::Grabbed:
        return "grabbed";
    case TGlobalKeyGrab::OnlyXWindows:
        return "onlyXWindows";
    case TGlobalKeyGrab::Unsupported:
        return "unsupported";
    case TGlobalKeyGrab::Taken:
        return "taken";
    case TGlobalKeyGrab::NoSuchKey:
        return "noSuchKey";
    }
    return "unsupported";
}

} // namespace

const TClassInfo& TBossKey::StaticClass() {
    static const TClassInfo info =
        TClassBuilder<TBossKey>("TBossKey", &TComponent::StaticClass()).Build();
    return info;
}

TBossKey::TBossKey(TFrmMain& form) : TComponent(&form), FForm(form) {
    SetName("bossKey");
    FChord = TBossKeySetting().Read();
    Grab();
}

TBossKey::~TBossKey() {
    if (Application && Grabbed()) Application->Host().ReleaseGlobalKey();
}

TBossKey* TBossKey::Of(TFrmMain* form) {
    return form ? dynamic_cast<TBossKey*>(form->FindComponent("bossKey")) : nullptr;
}

bool TBossKey::Grabbed() const {
    return FGrab == TGlobalKeyGrab::Grabbed || FGrab == TGlobalKeyGrab::OnlyXWindows;
}

std::string TBossKey::Problem() const {
    switch (FGrab) {
    case TGlobalKeyGrab::Grabbed:
        return {};
    case TGlobalKeyGrab::OnlyXWindows:
        return std::string(kProblem) + "Wayland 桌面只在 X 程序的窗口里把 " + FChord.Text() +
               " 交给本程序。";
    case TGlobalKeyGrab::Taken:
        return std::string(kProblem) + "另一个程序已占用 " + FChord.Text() + "。";
    case TGlobalKeyGrab::NoSuchKey:
        return std::string(kProblem) + "键盘上没有 " + FChord.Text() + " 的按键。";
    case TGlobalKeyGrab::Unsupported:
        break;
    }
    return std::string(kProblem) + "此桌面不允许程序使用全局快捷键（没有 X11 显示）。";
}

void TBossKey::SetChord(const TBossKeyChord& chord) {
    TBossKeySetting().Write(chord);
    FChord = chord;
    Grab();
}

// The press arrives from the window system's event handling: the work waits
// for the message queue, where failures are reported like any other.
void TBossKey::Grab() {
    TSafeRef<TBossKey> self(this);
    FGrab = Application->Host().GrabGlobalKey(FChord.Key(), FChord.Shift(), [self] {
        Application->Queue([self] {
            if (TBossKey* key = self.Get()) key->Toggle();
        });
    });
}

void TBossKey::Toggle() {
    if (FHidden)
        RestoreAll();
    else
        HideAll();
}

// The window is taken off the screen by the host alone: the form stays
// "shown" for the framework, so nothing of showing a window (its start-up
// work, its placement) runs again on the way back.
void TBossKey::HideAll() {
    if (FHidden) return;
    FHidden = true;
    FActivePage = FForm.PclParent->ActivePage();
    FFocus = FForm.ActiveControl();
    FState = FForm.WindowState();
    FBounds = FForm.BoundsRect();
    FSilenced.clear();
    for (TskTabSheet* sheet : FForm.PclParent->Pages()) {
        TWebBrowser* browser = BrowserOf(sheet);
        if (!browser || browser->Muted()) continue;
        FSilenced.emplace_back(browser);
        FForm.SetTabMuted(sheet, true);
    }
    HideOtherWindows();
    if (FForm.Visible()) Application->Host().SetWindowVisible(FForm.HostWindow(), false);
}

// A dialog left on the screen would give the player away. Pop-ups (menus,
// the suggestions list) close by themselves when the window loses the
// keyboard and are left to do so.
void TBossKey::HideOtherWindows() {
    FOthers.clear();
    for (TCustomForm* other : Application->Forms()) {
        if (other == &FForm || !other->Visible() || dynamic_cast<TPopupWindow*>(other)) continue;
        FOthers.emplace_back(other);
        Application->Host().SetWindowVisible(other->HostWindow(), false);
    }
}

// Over the main window again, the newest (a modal dialog) on top with the
// keyboard.
void TBossKey::ShowOtherWindows() {
    THost& host = Application->Host();
    TCustomForm* top = nullptr;
    for (const TSafeRef<TCustomForm>& ref : FOthers) {
        TCustomForm* other = ref.Get();
        if (!other || !other->Visible()) continue;
        host.SetWindowVisible(other->HostWindow(), true);
        top = other;
    }
    FOthers.clear();
    if (top) host.ActivateWindow(top->HostWindow());
}

void TBossKey::PageSound(TWebBrowser* browser) {
    if (!FHidden || !browser || browser->Muted() || !browser->PlayingAudio()) return;
    for (TskTabSheet* sheet : FForm.PclParent->Pages())
        if (BrowserOf(sheet) == browser) {
            FSilenced.emplace_back(browser);
            FForm.SetTabMuted(sheet, true);
            return;
        }
}

void TBossKey::RestoreAll() {
    if (!FHidden) return;
    FHidden = false;
    if (FForm.Visible()) ShowWindow();
    if (TskTabSheet* page = FActivePage.Get()) FForm.PclParent->SetActivePage(page);
    for (TskTabSheet* sheet : FForm.PclParent->Pages()) {
        TWebBrowser* browser = BrowserOf(sheet);
        for (const TSafeRef<TWebBrowser>& silenced : FSilenced)
            if (browser && silenced.Get() == browser) FForm.SetTabMuted(sheet, false);
    }
    FSilenced.clear();
    if (TWinControl* focus = FFocus.Get(); focus && focus->CanFocus()) focus->SetFocus();
    FFocus = nullptr;
    ShowOtherWindows();
}

// A window manager forgets the state of a window taken off the screen (and
// says so, so the form believes it), and may place it anew when it comes
// back: both are given back as they were.
void TBossKey::ShowWindow() {
    THost& host = Application->Host();
    const THostWindow window = FForm.HostWindow();
    host.SetWindowVisible(window, true);
    if (FForm.WindowState() != FState) FForm.SetWindowState(FState);
    if (FState == TWindowState::wsNormal && !FForm.FullScreen().Active()) {
        if (FForm.BoundsRect() != FBounds)
            FForm.SetBoundsRect(FBounds);
        else
            host.SetWindowBounds(window, FBounds);
    }
    if (FState != TWindowState::wsMinimized) host.ActivateWindow(window);
}

std::string TBossKey::Json() const {
    return "{\"chord\":" + JsonQuote(FChord.Text()) + ",\"grabbed\":" + JsonBool(Grabbed()) +
           ",\"hidden\":" + JsonBool(FHidden) + ",\"grab\":" + JsonQuote(GrabName(FGrab)) +
           ",\"problem\":" + JsonQuote(Problem()) + "}";
}
