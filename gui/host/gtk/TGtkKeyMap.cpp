#include "gui/host/gtk/TGtkKeyMap.h"

#include <gdk/gdkkeysyms.h>

#include <unordered_map>

namespace {

// Virtual keys the framework's Messages.h does not name; the platform's
// spelling is in the comment.
constexpr int vkCancel = 0x03;    // VK_CANCEL
constexpr int vkClear = 0x0C;     // VK_CLEAR
constexpr int vkPause = 0x13;     // VK_PAUSE
constexpr int vkCapital = 0x14;   // VK_CAPITAL
constexpr int vkSnapshot = 0x2C;  // VK_SNAPSHOT
constexpr int vkHelp = 0x2F;      // VK_HELP
constexpr int vkLWin = 0x5B;      // VK_LWIN
constexpr int vkRWin = 0x5C;      // VK_RWIN
constexpr int vkApps = 0x5D;      // VK_APPS
constexpr int vkNumpad0 = 0x60;   // VK_NUMPAD0 .. VK_NUMPAD9 = 0x69
constexpr int vkMultiply = 0x6A;  // VK_MULTIPLY
constexpr int vkAdd = 0x6B;       // VK_ADD
constexpr int vkSeparator = 0x6C; // VK_SEPARATOR
constexpr int vkSubtract = 0x6D;  // VK_SUBTRACT
constexpr int vkDecimal = 0x6E;   // VK_DECIMAL
constexpr int vkDivide = 0x6F;    // VK_DIVIDE
constexpr int vkNumLock = 0x90;   // VK_NUMLOCK
constexpr int vkScroll = 0x91;    // VK_SCROLL
constexpr int vkOem1 = 0xBA;      // VK_OEM_1  ;:
constexpr int vkOemPlus = 0xBB;   // VK_OEM_PLUS  =+
constexpr int vkOemComma = 0xBC;  // VK_OEM_COMMA  ,<
constexpr int vkOemMinus = 0xBD;  // VK_OEM_MINUS  -_
constexpr int vkOemPeriod = 0xBE; // VK_OEM_PERIOD  .>
constexpr int vkOem2 = 0xBF;      // VK_OEM_2  /?
constexpr int vkOem3 = 0xC0;      // VK_OEM_3  `~
constexpr int vkOem4 = 0xDB;      // VK_OEM_4  [{
constexpr int vkOem5 = 0xDC;      // VK_OEM_5  \|
constexpr int vkOem6 = 0xDD;      // VK_OEM_6  ]}
constexpr int vkOem7 = 0xDE;      // VK_OEM_7  '"

const std::unordered_map<guint, int>& KeyTable() {
    static const std::unordered_map<guint, int> table = {
        {GDK_KEY_BackSpace, VK_BACK},
        {GDK_KEY_Tab, VK_TAB},
        {GDK_KEY_ISO_Left_Tab, VK_TAB},
        {GDK_KEY_KP_Tab, VK_TAB},
        {GDK_KEY_Return, VK_RETURN},
        {GDK_KEY_ISO_Enter, VK_RETURN},
        {GDK_KEY_KP_Enter, VK_RETURN},
        {GDK_KEY_Escape, VK_ESCAPE},
        {GDK_KEY_space, VK_SPACE},
        {GDK_KEY_KP_Space, VK_SPACE},
        {GDK_KEY_Break, vkCancel},
        {GDK_KEY_Pause, vkPause},
        {GDK_KEY_Caps_Lock, vkCapital},
        {GDK_KEY_Page_Up, VK_PRIOR},
        {GDK_KEY_KP_Page_Up, VK_PRIOR},
        {GDK_KEY_Page_Down, VK_NEXT},
        {GDK_KEY_KP_Page_Down, VK_NEXT},
        {GDK_KEY_End, VK_END},
        {GDK_KEY_KP_End, VK_END},
        {GDK_KEY_Home, VK_HOME},
        {GDK_KEY_KP_Home, VK_HOME},
        {GDK_KEY_Left, VK_LEFT},
        {GDK_KEY_KP_Left, VK_LEFT},
        {GDK_KEY_Up, VK_UP},
        {GDK_KEY_KP_Up, VK_UP},
        {GDK_KEY_Right, VK_RIGHT},
        {GDK_KEY_KP_Right, VK_RIGHT},
        {GDK_KEY_Down, VK_DOWN},
        {GDK_KEY_KP_Down, VK_DOWN},
        {GDK_KEY_KP_Begin, vkClear},
        {GDK_KEY_Clear, vkClear},
        {GDK_KEY_Print, vkSnapshot},
        {GDK_KEY_Sys_Req, vkSnapshot},
        {GDK_KEY_Insert, VK_INSERT},
        {GDK_KEY_KP_Insert, VK_INSERT},
        {GDK_KEY_Delete, VK_DELETE},
        {GDK_KEY_KP_Delete, VK_DELETE},
        {GDK_KEY_Help, vkHelp},
        {GDK_KEY_Super_L, vkLWin},
        {GDK_KEY_Super_R, vkRWin},
        {GDK_KEY_Menu, vkApps},
        {GDK_KEY_KP_Multiply, vkMultiply},
        {GDK_KEY_KP_Add, vkAdd},
        {GDK_KEY_KP_Separator, vkSeparator},
        {GDK_KEY_KP_Subtract, vkSubtract},
        {GDK_KEY_KP_Decimal, vkDecimal},
        {GDK_KEY_KP_Divide, vkDivide},
        {GDK_KEY_Num_Lock, vkNumLock},
        {GDK_KEY_Scroll_Lock, vkScroll},
        {GDK_KEY_Shift_L, VK_SHIFT},
        {GDK_KEY_Shift_R, VK_SHIFT},
        {GDK_KEY_Control_L, VK_CONTROL},
        {GDK_KEY_Control_R, VK_CONTROL},
        {GDK_KEY_Alt_L, VK_MENU},
        {GDK_KEY_Alt_R, VK_MENU},
        {GDK_KEY_Meta_L, VK_MENU},
        {GDK_KEY_Meta_R, VK_MENU},
        {GDK_KEY_ISO_Level3_Shift, VK_MENU},
        // Shifted digits of the US layout share their key's code.
        {GDK_KEY_parenright, '0'},
        {GDK_KEY_exclam, '1'},
        {GDK_KEY_at, '2'},
        {GDK_KEY_numbersign, '3'},
        {GDK_KEY_dollar, '4'},
        {GDK_KEY_percent, '5'},
        {GDK_KEY_asciicircum, '6'},
        {GDK_KEY_ampersand, '7'},
        {GDK_KEY_asterisk, '8'},
        {GDK_KEY_parenleft, '9'},
        {GDK_KEY_semicolon, vkOem1},
        {GDK_KEY_colon, vkOem1},
        {GDK_KEY_equal, vkOemPlus},
        {GDK_KEY_plus, vkOemPlus},
        {GDK_KEY_comma, vkOemComma},
        {GDK_KEY_less, vkOemComma},
        {GDK_KEY_minus, vkOemMinus},
        {GDK_KEY_underscore, vkOemMinus},
        {GDK_KEY_period, vkOemPeriod},
        {GDK_KEY_greater, vkOemPeriod},
        {GDK_KEY_slash, vkOem2},
        {GDK_KEY_question, vkOem2},
        {GDK_KEY_grave, vkOem3},
        {GDK_KEY_asciitilde, vkOem3},
        {GDK_KEY_bracketleft, vkOem4},
        {GDK_KEY_braceleft, vkOem4},
        {GDK_KEY_backslash, vkOem5},
        {GDK_KEY_bar, vkOem5},
        {GDK_KEY_bracketright, vkOem6},
        {GDK_KEY_braceright, vkOem6},
        {GDK_KEY_apostrophe, vkOem7},
        {GDK_KEY_quotedbl, vkOem7},
    };
    return table;
}

constexpr LPARAM bitExtended = LPARAM{1} << 24;
constexpr LPARAM bitAltDown = LPARAM{1} << 29;
constexpr LPARAM bitWasDown = LPARAM{1} << 30;
constexpr LPARAM bitRelease = LPARAM{1} << 31;

char16_t ControlCharacter(gunichar uc) {
    if ((uc >= 'a' && uc <= 'z') || (uc >= 'A' && uc <= 'Z'))
        return static_cast<char16_t>(uc & 0x1F);
    switch (uc) {
    case '[':
        return 0x1B;
    case '\\':
        return 0x1C;
    case ']':
        return 0x1D;
    case ' ':
        return ' ';
    default:
        return 0;
    }
}

} // namespace

int TGtkKeyMap::VirtualKey(guint keyval) {
    if (keyval >= GDK_KEY_a && keyval <= GDK_KEY_z)
        return static_cast<int>('A' + (keyval - GDK_KEY_a));
    if (keyval >= GDK_KEY_A && keyval <= GDK_KEY_Z) return static_cast<int>(keyval);
    if (keyval >= GDK_KEY_0 && keyval <= GDK_KEY_9) return static_cast<int>(keyval);
    if (keyval >= GDK_KEY_KP_0 && keyval <= GDK_KEY_KP_9)
        return vkNumpad0 + static_cast<int>(keyval - GDK_KEY_KP_0);
    if (keyval >= GDK_KEY_F1 && keyval <= GDK_KEY_F24)
        return VK_F1 + static_cast<int>(keyval - GDK_KEY_F1);
    auto it = KeyTable().find(keyval);
    return it == KeyTable().end() ? 0 : it->second;
}

bool TGtkKeyMap::IsExtended(guint keyval) {
    switch (keyval) {
    case GDK_KEY_Left:
    case GDK_KEY_Right:
    case GDK_KEY_Up:
    case GDK_KEY_Down:
    case GDK_KEY_Home:
    case GDK_KEY_End:
    case GDK_KEY_Page_Up:
    case GDK_KEY_Page_Down:
    case GDK_KEY_Insert:
    case GDK_KEY_Delete:
    case GDK_KEY_KP_Enter:
    case GDK_KEY_KP_Divide:
    case GDK_KEY_Control_R:
    case GDK_KEY_Alt_R:
    case GDK_KEY_ISO_Level3_Shift:
    case GDK_KEY_Super_L:
    case GDK_KEY_Super_R:
    case GDK_KEY_Menu:
    case GDK_KEY_Num_Lock:
    case GDK_KEY_Print:
    case GDK_KEY_Break:
        return true;
    default:
        return false;
    }
}

char16_t TGtkKeyMap::Character(guint keyval, GdkModifierType state) {
    bool ctrl = (state & GDK_CONTROL_MASK) != 0;
    bool alt = (state & GDK_MOD1_MASK) != 0;
    switch (keyval) {
    case GDK_KEY_BackSpace:
        return ctrl ? 0x7F : 0x08;
    case GDK_KEY_Tab:
    case GDK_KEY_ISO_Left_Tab:
    case GDK_KEY_KP_Tab:
        return ctrl ? 0 : 0x09;
    case GDK_KEY_Return:
    case GDK_KEY_ISO_Enter:
    case GDK_KEY_KP_Enter:
        return ctrl ? 0x0A : 0x0D;
    case GDK_KEY_Escape:
        return 0x1B;
    case GDK_KEY_Delete:
    case GDK_KEY_KP_Delete:
        return 0;
    default:
        break;
    }
    gunichar uc = gdk_keyval_to_unicode(keyval);
    // Ctrl with Alt is how the platform spells AltGr: the key types normally.
    if (ctrl && !alt) return ControlCharacter(uc);
    if (uc < 0x20 || uc == 0x7F || uc > 0xFFFF) return 0;
    if (uc >= 0xD800 && uc <= 0xDFFF) return 0;
    return static_cast<char16_t>(uc);
}

LPARAM TGtkKeyMap::KeyData(uint16_t hardwareKeycode, bool extended, bool altDown, bool wasDown,
                           bool release) {
    LPARAM scan = hardwareKeycode >= 8 ? ((hardwareKeycode - 8) & 0xFF) : 0;
    LPARAM data = 1 | (scan << 16);
    if (extended) data |= bitExtended;
    if (altDown) data |= bitAltDown;
    if (wasDown) data |= bitWasDown;
    if (release) data |= bitRelease;
    return data;
}

TKeyStroke TGtkKeyMap::Translate(guint keyval, uint16_t hardwareKeycode, GdkModifierType state,
                                 bool press, bool wasDown) {
    TKeyStroke stroke;
    stroke.VirtualKey = VirtualKey(keyval);
    bool ctrl = (state & GDK_CONTROL_MASK) != 0;
    bool alt = (state & GDK_MOD1_MASK) != 0 || stroke.VirtualKey == VK_MENU;
    // Alt combinations and F10 are system keys unless Ctrl is held too.
    bool system = !ctrl && (alt || stroke.VirtualKey == VK_F10);
    if (press)
        stroke.Msg = system ? WM_SYSKEYDOWN : WM_KEYDOWN;
    else
        stroke.Msg = system ? WM_SYSKEYUP : WM_KEYUP;
    stroke.KeyData =
        KeyData(hardwareKeycode, IsExtended(keyval), alt && !ctrl, press ? wasDown : true, !press);
    if (press) stroke.Char = Character(keyval, state);
    return stroke;
}
