#pragma once
// Modal message boxes as the framework asks for them: exactly the given
// text and caption, the buttons of the MB_* button group, the icon of the
// MB_ICON* group, the default button of MB_DEFBUTTON*, answered with
// IDOK/IDYES/... While the box is up the framework's own queue keeps
// running (timers, painting), as the platform's modal loop does.
#include <gtk/gtk.h>

#include <cstdint>
#include <string>
#include <vector>

struct TMessageBoxButton {
    const char* Label;
    int Id;
};

class TGtkMessageBox {
public:
    static std::vector<TMessageBoxButton> Buttons(uint32_t flags);
    // The id of the default button (Enter).
    static int DefaultAnswer(uint32_t flags);
    // What Escape or the close button answers; 0 when the box cannot be
    // dismissed that way (Yes/No and Abort/Retry/Ignore need a choice).
    static int CloseAnswer(uint32_t flags);
    static GtkMessageType MessageType(uint32_t flags);
    // The themed icon of the box, or nullptr for none.
    static const char* IconName(uint32_t flags);

    static int Run(GtkWindow* parent, const std::string& text, const std::string& caption,
                   uint32_t flags);
};
