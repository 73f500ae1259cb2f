#pragma once
// The system menu of a skinned title bar: minimise, maximise or restore,
// close, drawn like every skinned menu. Each item is enabled only when the
// bar has the button that does the same.
#include "skin/TskPopupMenu.h"

class TskTitleBar;

class TskTitleBarPopupMenu : public TskPopupMenu {
    XF_CLASS(TskTitleBarPopupMenu)
public:
    explicit TskTitleBarPopupMenu(TskTitleBar* bar);

    void Popup(int x, int y) override;

    TMenuItem* MinimizeItem() const { return FMinimize; }
    TMenuItem* MaximizeItem() const { return FMaximize; }
    TMenuItem* CloseItem() const { return FClose; }

private:
    TMenuItem* AddItem(const char* caption);

    TskTitleBar* FBar;
    TMenuItem* FMinimize = nullptr;
    TMenuItem* FMaximize = nullptr;
    TMenuItem* FClose = nullptr;
};
