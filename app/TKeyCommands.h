#pragma once
// The main window's own keys (TWindowKeys), from wherever they come: the
// window's shortcut check, or a focused page that hands them back.
#include <optional>

#include "gui/Events.h"

class TFrmMain;

class TKeyCommands {
public:
    explicit TKeyCommands(TFrmMain& form) : F(form) {}

    // True when the key was one of the window's.
    bool Run(int key, TShiftState shift);
    // A key on its way to a focused page: true keeps it from the page, and
    // the window runs it from the queue.
    bool FromPage(int key, TShiftState shift);
    // The window's answer to a shortcut, or empty when the form's own menu
    // shortcuts decide.
    std::optional<bool> ShortCut(int key, TShiftState shift);

private:
    bool LeavesFullScreen(int key, TShiftState shift);

    TFrmMain& F;
};
