// Menu texts from layouts: shortcut names ("Ctrl+F") and captions with
// access-key marks. Any bytes must give a shortcut that reads back as
// itself, and a caption whose marks strip cleanly.
#include "gui/ShortCut.h"
#include "gui/TMenuItem.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

static void Check(bool condition) {
    if (!condition) __builtin_trap();
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::string_view text(reinterpret_cast<const char*>(data), size);
    TShortCut shortCut = TextToShortCut(text);
    if (shortCut != 0) {
        std::string name = ShortCutToText(shortCut);
        Check(!name.empty());
        Check(TextToShortCut(name) == shortCut);
    }
    std::string stripped = StripHotkey(text);
    Check(stripped.size() <= text.size());
    // Stripping leaves no single marks behind, so a second pass only
    // undoes the doubled ones.
    Check(StripHotkey(stripped).size() <= stripped.size());
    char32_t key = GetHotkey(text);
    Check(key <= 0x10FFFF);
    if (key != 0) Check(text.find('&') != std::string_view::npos);
    return 0;
}
