#include "gui/ShortCut.h"

#include <array>
#include <utility>

#include "gui/Messages.h"
#include "platform/Text.h"

namespace {

struct TKeyName {
    int Key;
    const char* Name;
};

// Names of the keys that are not letters, digits or function keys.
constexpr TKeyName KeyNames[] = {
    {VK_BACK, "BkSp"},   {VK_TAB, "Tab"},    {VK_RETURN, "Enter"}, {VK_ESCAPE, "Esc"},
    {VK_SPACE, "Space"}, {VK_PRIOR, "PgUp"}, {VK_NEXT, "PgDn"},    {VK_END, "End"},
    {VK_HOME, "Home"},   {VK_LEFT, "Left"},  {VK_UP, "Up"},        {VK_RIGHT, "Right"},
    {VK_DOWN, "Down"},   {VK_INSERT, "Ins"}, {VK_DELETE, "Del"},   {0x60, "Num 0"},
    {0x61, "Num 1"},     {0x62, "Num 2"},    {0x63, "Num 3"},      {0x64, "Num 4"},
    {0x65, "Num 5"},     {0x66, "Num 6"},    {0x67, "Num 7"},      {0x68, "Num 8"},
    {0x69, "Num 9"},     {0x6A, "Num *"},    {0x6B, "Num +"},      {0x6D, "Num -"},
    {0x6E, "Num Del"},   {0x6F, "Num /"},
};

constexpr int VK_F24 = VK_F1 + 23;

std::string KeyToText(int key) {
    if ((key >= 'A' && key <= 'Z') || (key >= '0' && key <= '9'))
        return std::string(1, static_cast<char>(key));
    if (key >= VK_F1 && key <= VK_F24) return "F" + std::to_string(key - VK_F1 + 1);
    for (const TKeyName& k : KeyNames)
        if (k.Key == key) return k.Name;
    return {};
}

int TextToKey(std::string_view text) {
    if (text.size() == 1) {
        char c = text[0];
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
        if ((c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9')) return c;
    }
    for (const TKeyName& k : KeyNames)
        if (platform::SameText(text, k.Name)) return k.Key;
    if (text.size() >= 2 && text.size() <= 3 && (text[0] == 'F' || text[0] == 'f')) {
        std::optional<int64_t> n = platform::ParseInt(text.substr(1));
        if (n && *n >= 1 && *n <= 24 && text[1] != '0' && text[1] != '+' && text[1] != '-')
            return VK_F1 + static_cast<int>(*n) - 1;
    }
    return 0;
}

constexpr std::array<std::pair<const char*, TShortCut>, 3> Modifiers = {{
    {"Shift+", scShift},
    {"Ctrl+", scCtrl},
    {"Alt+", scAlt},
}};

} // namespace

TShortCut ShortCut(int key, TShiftState shift) {
    if (key <= 0 || key > 0xFF) return scNone;
    TShortCut result = static_cast<TShortCut>(key);
    if (shift & ssShift) result |= scShift;
    if (shift & ssCtrl) result |= scCtrl;
    if (shift & ssAlt) result |= scAlt;
    return result;
}

void ShortCutToKey(TShortCut shortCut, int& key, TShiftState& shift) {
    key = shortCut & 0xFF;
    shift = 0;
    if (shortCut & scShift) shift |= ssShift;
    if (shortCut & scCtrl) shift |= ssCtrl;
    if (shortCut & scAlt) shift |= ssAlt;
}

std::string ShortCutToText(TShortCut shortCut) {
    std::string name = KeyToText(shortCut & 0xFF);
    if (name.empty()) return {};
    std::string prefix;
    for (const auto& [text, bit] : Modifiers)
        if (shortCut & bit) prefix += text;
    return prefix + name;
}

TShortCut TextToShortCut(std::string_view text) {
    TShortCut modifiers = 0;
    // A name may itself be "+" or end in "+" ("Num +"), so a modifier is
    // only taken while something follows it.
    for (bool found = true; found;) {
        found = false;
        for (const auto& [name, bit] : Modifiers) {
            std::string_view prefix(name);
            if (text.size() > prefix.size() && platform::StartsWithText(text, prefix)) {
                modifiers |= bit;
                text.remove_prefix(prefix.size());
                found = true;
            }
        }
    }
    int key = TextToKey(text);
    return key ? static_cast<TShortCut>(modifiers | key) : scNone;
}
