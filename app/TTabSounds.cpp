#include "app/TTabSounds.h"
#include "app/TBossKey.h"

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

TWebBrowser* BrowserOf(TskTabSheet* sheet) {
    if (!sheet) return nullptr;
    for (TControl* c : sheet->Controls())
        if (auto* frame = dynamic_cast<TFrameWebBrowser*>(c)) return frame->WebAction;
    return nullptr;
}

} // namespace

void TTabSounds::Connect() {
    F.PclParent->OnTabSoundClick = [this](TObject*, int index) {
        ToggleMute(F.PclParent->PageAt(index));
    };
    F.PclParent->OnChange = [this](TObject*) { UpdateItems(); };
    F.popPopupMenu->OnPopup = [this](TObject*) { UpdateItems(); };
    UpdateItems();
}

// The mark follows the page: a speaker while it plays or while it is
// muted (so that it can be given its sound back), none otherwise.
void TTabSounds::Show(TWebBrowser* browser) {
    // A page that starts a sound while the boss key hides the window is
    // muted with the rest.
    if (TBossKey* bossKey = TBossKey::Of(&F)) bossKey->PageSound(browser);
    for (TskTabSheet* sheet : F.PclParent->Pages()) {
        if (BrowserOf(sheet) != browser) continue;
        TTabSound sound = TTabSound::None;
        if (browser->Muted())
            sound = TTabSound::Muted;
        else if (browser->PlayingAudio())
            sound = TTabSound::Playing;
        sheet->SetSound(sound);
    }
    UpdateItems();
}

void TTabSounds::SetMuted(TskTabSheet* sheet, bool muted) {
    TWebBrowser* browser = BrowserOf(sheet);
    if (!browser) return;
    browser->SetMuted(muted);
    Show(browser);
}

void TTabSounds::ToggleMute(TskTabSheet* sheet) {
    if (TWebBrowser* browser = BrowserOf(sheet)) SetMuted(sheet, !browser->Muted());
}

void TTabSounds::MuteAll() {
    for (TskTabSheet* sheet : F.PclParent->Pages())
        SetMuted(sheet, true);
}

void TTabSounds::UpdateItems() {
    TWebBrowser* active = BrowserOf(F.PclParent->ActivePage());
    const char* caption = active && active->Muted() ? kUnmute : kMute;
    for (const char* name : {"mnuMute", "mnuTabMute"})
        if (TMenuItem* item = F.MenuItem(name)) item->SetCaption(caption);
}
