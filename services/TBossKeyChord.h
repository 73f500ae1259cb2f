#pragma once
// The boss key's chord: a key with Ctrl and/or Alt (and maybe Shift), kept
// as readable text ("Ctrl+Alt+Z"). A chord without Ctrl or Alt is refused:
// held on the whole desktop it would take a key from every program's typing.
#include <optional>
#include <string>
#include <string_view>

#include "gui/ShortCut.h"

class TBossKeyChord {
public:
    static constexpr const char* DefaultText = "Ctrl+Alt+Z";

    // Ctrl+Alt+Z.
    TBossKeyChord();
    // Modifier and key names in any case and order, spaces around the
    // whole ignored; nothing for anything else.
    static std::optional<TBossKeyChord> Parse(std::string_view text);

    // Modifiers in the framework's order: "Shift+Ctrl+Alt+F12".
    std::string Text() const { return ShortCutToText(FShortCut); }
    int Key() const { return FShortCut & 0xFF; }
    TShiftState Shift() const;
    bool operator==(const TBossKeyChord& other) const = default;

private:
    explicit TBossKeyChord(TShortCut shortCut) : FShortCut(shortCut) {}

    TShortCut FShortCut;
};
