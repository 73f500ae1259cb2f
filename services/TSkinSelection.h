#pragma once
// The eight skins of the 更新皮肤 menu: applying one to the window's theme
// manager and file theme, recording the choice in the settings key and
// restoring it at the next start. Knows the menu items by name only; the
// window checks them.
#include <array>
#include <functional>
#include <string>
#include <string_view>

class TAddressHistory;
class TskFileTheme;
class TskThemeManager;

class TSkinSelection {
public:
    struct TSkin {
        const char* Item;
        const char* File; // inside the skins folder; empty for the built-in style
    };
    static const std::array<TSkin, 8>& Skins();
    // The index in Skins() of the item of that name (letter case counts), or -1.
    static int IndexOf(std::string_view item);

    // `skinsFolder` ends with a separator.
    TSkinSelection(TskThemeManager& manager, TskFileTheme& fileTheme, TAddressHistory& history,
                   std::string skinsFolder);

    // One style push for the whole choice, then the record. A file that is
    // missing keeps the look and is recorded all the same; a file that is no
    // skin file throws (the default error report names it) and is not
    // recorded.
    void Choose(size_t index);
    // The recorded skin at start-up; answers the item to check, empty when
    // the record names none of the eight.
    std::string Restore(const std::string& sky, const std::string& menuName);

    // After each choice: what the manager does not reach follows here.
    std::function<void()> OnApplied;

private:
    void ApplyFile(const std::string& file);

    TskThemeManager& FManager;
    TskFileTheme& FFileTheme;
    TAddressHistory& FHistory;
    std::string FSkinsFolder;
};
