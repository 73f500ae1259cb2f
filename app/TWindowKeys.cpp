#include "app/TWindowKeys.h"

#include "gui/Messages.h"

namespace {

constexpr int vkOemPlus = 0xBB;
constexpr int vkOemMinus = 0xBD;
constexpr int vkAdd = 0x6B;
constexpr int vkSubtract = 0x6D;
constexpr int vkNumpad0 = 0x60;
constexpr int vkF11 = 0x7A;

TWindowKey ControlKey(int key) {
    switch (key) {
    case 'T':
        return TWindowKey::NewTab;
    case 'W':
        return TWindowKey::CloseTab;
    case 'L':
        return TWindowKey::Address;
    case VK_TAB:
        return TWindowKey::NextTab;
    case vkOemPlus:
    case vkAdd:
        return TWindowKey::TextLarger;
    case vkOemMinus:
    case vkSubtract:
        return TWindowKey::TextSmaller;
    case '0':
    case vkNumpad0:
        return TWindowKey::TextReset;
    default:
        return TWindowKey::None;
    }
}

} // namespace

TWindowKey TWindowKeys::Command(int key, TShiftState shift) {
    TShiftState mods = shift & (ssShift | ssAlt | ssCtrl);
    if (mods == 0 && key == vkF11) return TWindowKey::FullScreen;
    if (mods == ssAlt && key == 'D') return TWindowKey::Address;
    if (mods == (ssCtrl | ssAlt) && key == 'A') return TWindowKey::Screenshot;
    if (mods == (ssCtrl | ssShift)) {
        if (key == VK_TAB) return TWindowKey::PreviousTab;
        // Plus is a shifted key on most keyboards.
        if (key == vkOemPlus) return TWindowKey::TextLarger;
        return TWindowKey::None;
    }
    return mods == ssCtrl ? ControlKey(key) : TWindowKey::None;
}
