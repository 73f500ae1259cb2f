#include "app/TKeyCommands.h"

#include "app/TFrmMain.h"
#include "app/TFullScreen.h"
#include "app/TWindowKeys.h"
#include "gui/TApplication.h"
#include "gui/TCustomComboBox.h"
#include "gui/TCustomEdit.h"
#include "gui/TWebBrowser.h"

namespace {

// Editing chords an edit box answers itself before any menu shortcut.
bool IsEditingChord(int key, TShiftState shift) {
    TShiftState mods = shift & (ssShift | ssAlt | ssCtrl);
    if (mods == 0) return key == VK_ESCAPE || key == VK_BACK || key == VK_DELETE;
    if (mods == ssCtrl)
        return key == 'A' || key == 'C' || key == 'V' || key == 'X' || key == 'Z' || key == 'Y' ||
               key == VK_INSERT;
    if (mods == ssShift) return key == VK_INSERT || key == VK_DELETE;
    return false;
}

bool IsEditor(TWinControl* control) {
    return dynamic_cast<TCustomEdit*>(control) || dynamic_cast<TCustomComboBox*>(control);
}

} // namespace

// Escape leaves a fullscreen the window entered, not one the page asked for.
bool TKeyCommands::LeavesFullScreen(int key, TShiftState shift) {
    return key == VK_ESCAPE && (shift & (ssShift | ssAlt | ssCtrl)) == 0 &&
           F.FullScreen().Active() && !F.FullScreen().FromPage();
}

std::optional<bool> TKeyCommands::ShortCut(int key, TShiftState shift) {
    if (Run(key, shift)) return true;
    if (IsEditor(F.ActiveControl()) && IsEditingChord(key, shift)) return false;
    // Ctrl+F reaches the window only when no page has the keyboard (the
    // find command's own chord included): the active page's find bar.
    if (key == 'F' && (shift & (ssShift | ssAlt | ssCtrl)) == ssCtrl) {
        F.ActiveBrowser()->Engine().ShowFindBar();
        return true;
    }
    return std::nullopt;
}

bool TKeyCommands::FromPage(int key, TShiftState shift) {
    if (!LeavesFullScreen(key, shift) && TWindowKeys::Command(key, shift) == TWindowKey::None)
        return false;
    TSafeRef<TFrmMain> self(&F);
    Application->Queue([self, key, shift] {
        if (TFrmMain* form = self.Get()) form->RunWindowKey(key, shift);
    });
    return true;
}

bool TKeyCommands::Run(int key, TShiftState shift) {
    if (LeavesFullScreen(key, shift)) {
        F.FullScreen().Leave();
        return true;
    }
    TWindowKey command = TWindowKeys::Command(key, shift);
    if (command == TWindowKey::None) return false;
    // A screenshot of a fullscreen game is taken as the game is shown.
    if (command != TWindowKey::FullScreen && command != TWindowKey::Screenshot &&
        F.FullScreen().Active())
        F.FullScreen().Leave();
    switch (command) {
    case TWindowKey::NewTab:
        F.OpenTab("about:blank");
        break;
    case TWindowKey::CloseTab:
        F.N1Click(nullptr);
        break;
    case TWindowKey::Address:
        F.FocusAddressBox();
        break;
    case TWindowKey::NextTab:
        F.SelectNextTab(1);
        break;
    case TWindowKey::PreviousTab:
        F.SelectNextTab(-1);
        break;
    case TWindowKey::TextLarger:
        F.StepTextSize(1);
        break;
    case TWindowKey::TextSmaller:
        F.StepTextSize(-1);
        break;
    case TWindowKey::TextReset:
        F.RunMenuCommand("mnuIn");
        break;
    case TWindowKey::FullScreen:
        F.ToggleFullScreen();
        break;
    case TWindowKey::Screenshot:
        F.RunMenuCommand("mnuScreenshot");
        break;
    case TWindowKey::None:
        break;
    }
    return true;
}
