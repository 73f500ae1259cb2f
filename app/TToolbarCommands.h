#pragma once
// The main window's buttons, the address box and the search box, and the
// keys that go to the active page before the window's own controls.
#include "gui/Messages.h"

class TFrmMain;
class TObject;

class TToolbarCommands {
public:
    explicit TToolbarCommands(TFrmMain& form) : F(form) {}

    // The command of the button that sent the click.
    void Click(TObject* sender);
    // The typed address: in the tab it was typed over, or a new tab of the
    // same store; then into the history.
    void Go();
    void ClearHistory();
    void SearchGame();
    // The search box's hint goes when the box is clicked.
    void ClearSearchHint();
    void ForwardKeyToPage(TMsg& msg, bool& handled);

private:
    void ToggleFavoritesArea();
    void ToggleLeftPane();

    TFrmMain& F;
};
