#pragma once
// Each tab's sound: the speaker on a tab that plays, muting one tab from its
// speaker or the menus, and muting them all.
class TFrmMain;
class TWebBrowser;
class TskTabSheet;

class TTabSounds {
public:
    explicit TTabSounds(TFrmMain& form) : F(form) {}

    // The speaker, the tab menu and the page control's changes.
    void Connect();
    void Show(TWebBrowser* browser);
    void SetMuted(TskTabSheet* sheet, bool muted);
    void ToggleMute(TskTabSheet* sheet);
    void MuteAll();
    // "静音" or "取消静音" for the active tab.
    void UpdateItems();

private:
    TFrmMain& F;
};
