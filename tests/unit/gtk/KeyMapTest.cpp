#include <gdk/gdkkeysyms.h>
#include <gtest/gtest.h>

#include "gui/host/gtk/TGtkKeyMap.h"

namespace {

constexpr LPARAM bit24 = LPARAM{1} << 24;
constexpr LPARAM bit29 = LPARAM{1} << 29;
constexpr LPARAM bit30 = LPARAM{1} << 30;
constexpr LPARAM bit31 = LPARAM{1} << 31;
constexpr auto noMods = GdkModifierType(0);

bool Extended(LPARAM data) {
    return (data & bit24) != 0;
}
int ScanCode(LPARAM data) {
    return static_cast<int>((data >> 16) & 0xFF);
}

} // namespace

TEST(KeyMap, LettersAndDigitsUseTheirKeyCodeWhateverTheShift) {
    EXPECT_EQ(TGtkKeyMap::VirtualKey(GDK_KEY_a), 'A');
    EXPECT_EQ(TGtkKeyMap::VirtualKey(GDK_KEY_A), 'A');
    EXPECT_EQ(TGtkKeyMap::VirtualKey(GDK_KEY_z), 'Z');
    EXPECT_EQ(TGtkKeyMap::VirtualKey(GDK_KEY_0), '0');
    EXPECT_EQ(TGtkKeyMap::VirtualKey(GDK_KEY_exclam), '1');
    EXPECT_EQ(TGtkKeyMap::VirtualKey(GDK_KEY_parenright), '0');
    EXPECT_EQ(TGtkKeyMap::VirtualKey(GDK_KEY_question), 0xBF);
    EXPECT_EQ(TGtkKeyMap::VirtualKey(GDK_KEY_braceleft), 0xDB);
}

TEST(KeyMap, KeypadFollowsNumLock) {
    // NumLock on: digits of their own; off: the editing keys, not extended.
    EXPECT_EQ(TGtkKeyMap::VirtualKey(GDK_KEY_KP_4), 0x64);
    EXPECT_EQ(TGtkKeyMap::VirtualKey(GDK_KEY_KP_Left), VK_LEFT);
    EXPECT_FALSE(TGtkKeyMap::IsExtended(GDK_KEY_KP_Left));
    EXPECT_TRUE(TGtkKeyMap::IsExtended(GDK_KEY_Left));
    EXPECT_EQ(TGtkKeyMap::VirtualKey(GDK_KEY_KP_Delete), VK_DELETE);
    EXPECT_FALSE(TGtkKeyMap::IsExtended(GDK_KEY_KP_Delete));
    EXPECT_EQ(TGtkKeyMap::VirtualKey(GDK_KEY_KP_Begin), 0x0C);
}

TEST(KeyMap, ExtendedKeysAreTheSeparateBlockAndTheRightHandModifiers) {
    for (guint keyval : {GDK_KEY_Home, GDK_KEY_End, GDK_KEY_Insert, GDK_KEY_Delete, GDK_KEY_Page_Up,
                         GDK_KEY_Page_Down, GDK_KEY_Up, GDK_KEY_Down, GDK_KEY_Right,
                         GDK_KEY_KP_Enter, GDK_KEY_KP_Divide, GDK_KEY_Control_R, GDK_KEY_Alt_R})
        EXPECT_TRUE(TGtkKeyMap::IsExtended(keyval)) << keyval;
    for (guint keyval : {GDK_KEY_Return, GDK_KEY_Control_L, GDK_KEY_Alt_L, GDK_KEY_Shift_R,
                         GDK_KEY_KP_Multiply, GDK_KEY_KP_Home, GDK_KEY_a, GDK_KEY_F1})
        EXPECT_FALSE(TGtkKeyMap::IsExtended(keyval)) << keyval;
    EXPECT_EQ(TGtkKeyMap::VirtualKey(GDK_KEY_KP_Enter), VK_RETURN);
    EXPECT_EQ(TGtkKeyMap::VirtualKey(GDK_KEY_Control_R), VK_CONTROL);
    EXPECT_EQ(TGtkKeyMap::VirtualKey(GDK_KEY_Alt_R), VK_MENU);
    EXPECT_EQ(TGtkKeyMap::VirtualKey(GDK_KEY_Shift_R), VK_SHIFT);
}

TEST(KeyMap, FunctionKeysAndUnknownKeyvals) {
    EXPECT_EQ(TGtkKeyMap::VirtualKey(GDK_KEY_F1), VK_F1);
    EXPECT_EQ(TGtkKeyMap::VirtualKey(GDK_KEY_F12), VK_F12);
    EXPECT_EQ(TGtkKeyMap::VirtualKey(GDK_KEY_F24), 0x87);
    EXPECT_EQ(TGtkKeyMap::VirtualKey(GDK_KEY_eacute), 0);
    EXPECT_EQ(TGtkKeyMap::VirtualKey(0), 0);
}

TEST(KeyMap, KeyDataCarriesScanCodeAndStateBits) {
    LPARAM down = TGtkKeyMap::KeyData(113, true, false, false, false);
    EXPECT_EQ(down & 0xFFFF, 1);
    EXPECT_EQ(ScanCode(down), 105);
    EXPECT_TRUE(Extended(down));
    EXPECT_EQ(down & (bit29 | bit30 | bit31), 0);
    LPARAM up = TGtkKeyMap::KeyData(38, false, true, true, true);
    EXPECT_EQ(ScanCode(up), 30);
    EXPECT_FALSE(Extended(up));
    EXPECT_EQ(up & (bit29 | bit30 | bit31), bit29 | bit30 | bit31);
    EXPECT_GT(up, 0) << "a 64-bit key-up word stays positive, as on the platform";
    EXPECT_EQ(ScanCode(TGtkKeyMap::KeyData(3, false, false, false, false)), 0);
}

TEST(KeyMap, CharactersOfOrdinaryAndControlKeys) {
    EXPECT_EQ(TGtkKeyMap::Character(GDK_KEY_a, noMods), u'a');
    EXPECT_EQ(TGtkKeyMap::Character(GDK_KEY_A, GDK_SHIFT_MASK), u'A');
    EXPECT_EQ(TGtkKeyMap::Character(GDK_KEY_KP_7, noMods), u'7');
    EXPECT_EQ(TGtkKeyMap::Character(GDK_KEY_KP_Home, noMods), 0);
    EXPECT_EQ(TGtkKeyMap::Character(GDK_KEY_Return, noMods), 0x0D);
    EXPECT_EQ(TGtkKeyMap::Character(GDK_KEY_KP_Enter, noMods), 0x0D);
    EXPECT_EQ(TGtkKeyMap::Character(GDK_KEY_Return, GDK_CONTROL_MASK), 0x0A);
    EXPECT_EQ(TGtkKeyMap::Character(GDK_KEY_BackSpace, noMods), 0x08);
    EXPECT_EQ(TGtkKeyMap::Character(GDK_KEY_BackSpace, GDK_CONTROL_MASK), 0x7F);
    EXPECT_EQ(TGtkKeyMap::Character(GDK_KEY_Escape, noMods), 0x1B);
    EXPECT_EQ(TGtkKeyMap::Character(GDK_KEY_Tab, noMods), 0x09);
    EXPECT_EQ(TGtkKeyMap::Character(GDK_KEY_Delete, noMods), 0);
    EXPECT_EQ(TGtkKeyMap::Character(GDK_KEY_c, GDK_CONTROL_MASK), 0x03);
    EXPECT_EQ(TGtkKeyMap::Character(GDK_KEY_C, GdkModifierType(GDK_CONTROL_MASK | GDK_SHIFT_MASK)),
              0x03);
    EXPECT_EQ(TGtkKeyMap::Character(GDK_KEY_1, GDK_CONTROL_MASK), 0);
    EXPECT_EQ(TGtkKeyMap::Character(GDK_KEY_Left, noMods), 0);
    EXPECT_EQ(TGtkKeyMap::Character(GDK_KEY_F5, noMods), 0);
    // AltGr arrives as Ctrl+Alt and types its character.
    EXPECT_EQ(
        TGtkKeyMap::Character(GDK_KEY_eacute, GdkModifierType(GDK_CONTROL_MASK | GDK_MOD1_MASK)),
        u'é');
}

TEST(KeyMap, AltCombinationsAndF10AreSystemKeys) {
    TKeyStroke altF = TGtkKeyMap::Translate(GDK_KEY_f, 41, GDK_MOD1_MASK, true, false);
    EXPECT_EQ(altF.Msg, WM_SYSKEYDOWN);
    EXPECT_EQ(altF.VirtualKey, 'F');
    EXPECT_EQ(altF.Char, u'f');
    EXPECT_NE(altF.KeyData & bit29, 0);

    TKeyStroke altDown = TGtkKeyMap::Translate(GDK_KEY_Alt_L, 64, noMods, true, false);
    EXPECT_EQ(altDown.Msg, WM_SYSKEYDOWN);
    EXPECT_NE(altDown.KeyData & bit29, 0);
    TKeyStroke altUp = TGtkKeyMap::Translate(GDK_KEY_Alt_L, 64, GDK_MOD1_MASK, false, true);
    EXPECT_EQ(altUp.Msg, WM_SYSKEYUP);

    TKeyStroke f10 = TGtkKeyMap::Translate(GDK_KEY_F10, 76, noMods, true, false);
    EXPECT_EQ(f10.Msg, WM_SYSKEYDOWN);
    EXPECT_EQ(f10.KeyData & bit29, 0);

    TKeyStroke ctrlAlt = TGtkKeyMap::Translate(
        GDK_KEY_f, 41, GdkModifierType(GDK_CONTROL_MASK | GDK_MOD1_MASK), true, false);
    EXPECT_EQ(ctrlAlt.Msg, WM_KEYDOWN);
    EXPECT_EQ(ctrlAlt.KeyData & bit29, 0);
}

TEST(KeyMap, TranslateMarksRepeatsAndReleases) {
    TKeyStroke first = TGtkKeyMap::Translate(GDK_KEY_Right, 114, noMods, true, false);
    EXPECT_EQ(first.Msg, WM_KEYDOWN);
    EXPECT_EQ(first.VirtualKey, VK_RIGHT);
    EXPECT_TRUE(Extended(first.KeyData));
    EXPECT_EQ(first.KeyData & bit30, 0);
    EXPECT_EQ(first.Char, 0);
    TKeyStroke repeat = TGtkKeyMap::Translate(GDK_KEY_Right, 114, noMods, true, true);
    EXPECT_NE(repeat.KeyData & bit30, 0);
    EXPECT_EQ(repeat.KeyData & bit31, 0);
    TKeyStroke up = TGtkKeyMap::Translate(GDK_KEY_a, 38, noMods, false, false);
    EXPECT_EQ(up.Msg, WM_KEYUP);
    EXPECT_EQ(up.KeyData & (bit30 | bit31), bit30 | bit31);
    EXPECT_EQ(up.Char, 0) << "only a key-down types";
}
