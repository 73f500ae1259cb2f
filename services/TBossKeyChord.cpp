#include "services/TBossKeyChord.h"

namespace {

// Longer than any chord the names can make: the rest is not worth reading.
constexpr size_t kMaxText = 40;

std::string_view Trim(std::string_view text) {
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t'))
        text.remove_prefix(1);
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t' || text.back() == '\r' ||
                             text.back() == '\n'))
        text.remove_suffix(1);
    return text;
}

} // namespace

TBossKeyChord::TBossKeyChord() : FShortCut(TextToShortCut(DefaultText)) {}

std::optional<TBossKeyChord> TBossKeyChord::Parse(std::string_view text) {
    text = Trim(text);
    if (text.empty() || text.size() > kMaxText) return std::nullopt;
    const TShortCut shortCut = TextToShortCut(text);
    if (shortCut == scNone || (shortCut & (scCtrl | scAlt)) == 0) return std::nullopt;
    return TBossKeyChord(shortCut);
}

TShiftState TBossKeyChord::Shift() const {
    int key = 0;
    TShiftState shift = 0;
    ShortCutToKey(FShortCut, key, shift);
    return shift;
}
