#pragma once
// The keys of the main window itself, whatever has the focus, a page
// included: tabs, the address box, text size and fullscreen.
#include "gui/Events.h"

enum class TWindowKey {
    None,
    NewTab,      // Ctrl+T
    CloseTab,    // Ctrl+W
    Address,     // Ctrl+L, Alt+D
    NextTab,     // Ctrl+Tab
    PreviousTab, // Ctrl+Shift+Tab
    TextLarger,  // Ctrl+plus (with or without Shift, main or keypad)
    TextSmaller, // Ctrl+minus
    TextReset,   // Ctrl+0
    FullScreen,  // F11
    Screenshot,  // Ctrl+Alt+A
};

class TWindowKeys {
public:
    static TWindowKey Command(int key, TShiftState shift);
};
