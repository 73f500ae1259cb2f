#pragma once
// The boss key (老板键): one chord, held on the whole desktop, hides the main
// window (and any dialog of ours open over it) and silences every tab; the
// same chord gives back the window where and as it was, its active tab, the
// dialog on top, and the sound of the tabs it silenced (tabs the user had
// muted stay muted). The chord is kept in the registry.
#include <string>
#include <vector>

#include "gui/TComponent.h"
#include "gui/TCustomForm.h"
#include "gui/THost.h"
#include "services/TBossKeyChord.h"

class TFrmMain;
class TWebBrowser;
class TWinControl;
class TskTabSheet;

class TBossKey : public TComponent {
    XF_CLASS(TBossKey)
public:
    // Reads the chord and takes it from the desktop.
    explicit TBossKey(TFrmMain& form);
    ~TBossKey() override;

    // The main window's boss key, if it has one.
    static TBossKey* Of(TFrmMain* form);

    const TBossKeyChord& Chord() const { return FChord; }
    TGlobalKeyGrab GrabResult() const { return FGrab; }
    // The chord reaches the program from other programs' windows.
    bool Grabbed() const;
    bool Hidden() const { return FHidden; }
    // Why the chord does not work from the whole desktop, for the user;
    // empty when it does.
    std::string Problem() const;

    // Keeps the chord and takes it from the desktop in place of the old one.
    // Throws Exception when the registry cannot be written.
    void SetChord(const TBossKeyChord& chord);
    void Toggle();
    void HideAll();
    void RestoreAll();
    // A page started or stopped its sound: while hidden, a page that starts
    // (one opened meanwhile too) is silenced with the rest.
    void PageSound(TWebBrowser* browser);

    // {"chord":"Ctrl+Alt+Z","grabbed":true,"hidden":false,...}
    std::string Json() const;

private:
    void Grab();
    void ShowWindow();
    void HideOtherWindows();
    void ShowOtherWindows();

    TFrmMain& FForm;
    TBossKeyChord FChord;
    TGlobalKeyGrab FGrab = TGlobalKeyGrab::Unsupported;
    bool FHidden = false;
    TWindowState FState = TWindowState::wsNormal;
    TRect FBounds;
    TSafeRef<TskTabSheet> FActivePage;
    TSafeRef<TWinControl> FFocus;
    std::vector<TSafeRef<TWebBrowser>> FSilenced;
    // The program's other windows it took off the screen (a dialog open
    // over the main window), oldest first.
    std::vector<TSafeRef<TCustomForm>> FOthers;
};
