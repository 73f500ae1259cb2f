#pragma once
// Turns GDK key events into the framework's key messages: virtual-key codes
// from keyvals, the key-data word (repeat count, scan code, extended-key,
// context, previous-state and transition bits) and the character the key
// types. Pure functions of the event's fields, so they are tested without
// a display.
#include <gdk/gdk.h>

#include <cstdint>

#include "gui/Messages.h"

// One key event as the framework sees it.
struct TKeyStroke {
    uint32_t Msg = 0; // WM_KEYDOWN, WM_KEYUP, WM_SYSKEYDOWN or WM_SYSKEYUP
    int VirtualKey = 0;
    LPARAM KeyData = 0;
    char16_t Char = 0; // what a key-down types (turned into WM_CHAR), or 0
};

class TGtkKeyMap {
public:
    // 0 for keyvals that have no virtual key.
    static int VirtualKey(guint keyval);
    // The separate arrow and editing block, right Ctrl and Alt, keypad
    // Enter and Divide, the Windows and menu keys, NumLock, PrintScreen.
    static bool IsExtended(guint keyval);
    // The character a key-down produces under the modifiers: control codes
    // for Ctrl+letter, CR for Enter, nothing for Delete or a key that types
    // nothing. Characters outside the 16-bit range give 0.
    static char16_t Character(guint keyval, GdkModifierType state);
    // Repeat count 1, scan code = hardware keycode - 8 in bits 16-23,
    // bit 24 extended, bit 29 Alt held, bit 30 key was down, bit 31 release.
    static LPARAM KeyData(uint16_t hardwareKeycode, bool extended, bool altDown, bool wasDown,
                          bool release);
    // A whole event; `state` is the modifier state before the event (as
    // GDK reports it), `wasDown` whether this key was already held.
    static TKeyStroke Translate(guint keyval, uint16_t hardwareKeycode, GdkModifierType state,
                                bool press, bool wasDown);
};
