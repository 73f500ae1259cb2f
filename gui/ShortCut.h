#pragma once
// Keyboard shortcuts of menu items: a virtual key in the low byte and the
// modifier bits above it, the encoding stored layouts use (Ctrl+F = 16454).
#include <cstdint>
#include <string>
#include <string_view>

#include "gui/Events.h"

using TShortCut = uint16_t;

constexpr TShortCut scShift = 0x2000;
constexpr TShortCut scCtrl = 0x4000;
constexpr TShortCut scAlt = 0x8000;
constexpr TShortCut scNone = 0;

TShortCut ShortCut(int key, TShiftState shift);
void ShortCutToKey(TShortCut shortCut, int& key, TShiftState& shift);
// "Ctrl+F", "Shift+Ctrl+Del", "F5"; empty for 0 or a key without a name.
std::string ShortCutToText(TShortCut shortCut);
// The reverse, with modifiers in any order and names in any case; 0 when
// the text names no key (or is empty).
TShortCut TextToShortCut(std::string_view text);
