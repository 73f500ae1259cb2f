// Each tab's sound: the speaker on a tab that plays, muting one tab from its
// speaker or the menus, and muting them all.
#include "app/TBossKey.h"
#include "app/TDownloadIEInterface.h"
#include "app/TFrameWebBrowser.h"
#include "app/TFrmMain.h"
#include "gui/TMenuItem.h"
#include "gui/TPopupMenu.h"
#include "gui/TWebBrowser.h"
#include "skin/TskPageControl.h"
#include "skin/TskPopupMenu.h"
#include "skin/TskTabSheet.h"

namespace {

constexpr const char* kMute = "静音";
constexpr const char* kUnmute = "取消静音";

TFrameWebBrowser* FrameOf(TskTabSheet* sheet) {
    if (!sheet) return nullptr;
    for (TControl* c : sheet->Controls())
        if (auto* frame = dynamic_cast<TFrameWebBrowser*>(c)) return frame;
    return nullptr;
}

TWebBrowser* BrowserOf(TskTabSheet* sheet) {
    TFrameWebBrowser* frame = FrameOf(sheet);
    return frame ? frame->WebAction : nullptr;
}

} // namespace

void TFrmMain::ConnectSound() {
    PclParent->OnTabSoundClick = [this](TObject*, int index) {
        ToggleMute(PclParent->PageAt(index));
    };
    PclParent->OnChange = [this](TObject*) { UpdateSoundItems(); };
    popPopupMenu->OnPopup = [this](TObject*) { UpdateSoundItems(); };
    UpdateSoundItems();
}

// The mark follows the page: a speaker while it plays or while it is
// muted (so that it can be given its sound back), none otherwise.
void TFrmMain::ShowSound(TWebBrowser* browser) {
    if (TBossKey* bossKey = TBossKey::Of(this)) bossKey->PageSound(browser);
    for (TskTabSheet* sheet : PclParent->Pages()) {
        if (BrowserOf(sheet) != browser) continue;
        TTabSound sound = TTabSound::None;
        if (browser->Muted())
            sound = TTabSound::Muted;
        else if (browser->PlayingAudio())
            sound = TTabSound::Playing;
        sheet->SetSound(sound);
    }
    UpdateSoundItems();
}

void TFrmMain::SetTabMuted(TskTabSheet* sheet, bool muted) {
    TWebBrowser* browser = BrowserOf(sheet);
    if (!browser) return;
    browser->SetMuted(muted);
    ShowSound(browser);
}

void TFrmMain::ToggleMute(TskTabSheet* sheet) {
    if (TWebBrowser* browser = BrowserOf(sheet)) SetTabMuted(sheet, !browser->Muted());
}

void TFrmMain::MuteAll() {
    for (TskTabSheet* sheet : PclParent->Pages())
        SetTabMuted(sheet, true);
}

void TFrmMain::UpdateSoundItems() {
    TWebBrowser* active = BrowserOf(PclParent->ActivePage());
    const char* caption = active && active->Muted() ? kUnmute : kMute;
    for (const char* name : {"mnuMute", "mnuTabMute"})
        if (TMenuItem* item = MenuItem(name)) item->SetCaption(caption);
}
