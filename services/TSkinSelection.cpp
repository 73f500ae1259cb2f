#include "services/TSkinSelection.h"

#include "services/TAddressHistory.h"
#include "skin/TskFileTheme.h"
#include "skin/TskStylePush.h"
#include "skin/TskThemeManager.h"

const std::array<TSkinSelection::TSkin, 8>& TSkinSelection::Skins() {
    static constexpr std::array<TSkin, 8> skins = {{{"mnuXP", ""},
                                                    {"mnuMsn", "msn.skn"},
                                                    {"mnuXpgreen", "Xpgreen.skn"},
                                                    {"mnuRoyale", "Royale.skn"},
                                                    {"mnuMacOS", "MacOS.skn"},
                                                    {"mnuMd_asgold", "md_asgold.skn"},
                                                    {"mnuMdb_summer", "mdb_summer.skn"},
                                                    {"mnuMdd_winter", "mdd_winter.skn"}}};
    return skins;
}

int TSkinSelection::IndexOf(std::string_view item) {
    for (size_t i = 0; i < Skins().size(); ++i)
        if (item == Skins()[i].Item) return static_cast<int>(i);
    return -1;
}

TSkinSelection::TSkinSelection(TskThemeManager& manager, TskFileTheme& fileTheme,
                               TAddressHistory& history, std::string skinsFolder)
    : FManager(manager), FFileTheme(fileTheme), FHistory(history),
      FSkinsFolder(std::move(skinsFolder)) {}

void TSkinSelection::Choose(size_t index) {
    const TSkin& skin = Skins().at(index);
    if (*skin.File) {
        ApplyFile(skin.File);
    } else {
        TskStylePush push;
        FManager.SetUIStyle(TskUIStyle::WinXP);
    }
    if (OnApplied) OnApplied();
    FHistory.RecordSkin(skin.File, *skin.File ? skin.Item : "");
}

std::string TSkinSelection::Restore(const std::string& sky, const std::string& menuName) {
    if (sky.empty()) {
        TskStylePush push;
        FManager.SetUIStyle(TskUIStyle::WinXP);
        return Skins()[0].Item;
    }
    ApplyFile(sky);
    return IndexOf(menuName) >= 0 ? menuName : std::string();
}

// The manager takes the file theme and the style, and the file theme hands
// itself to its users once loaded: each of these would push on its own, so
// they share one push that ends with the scope.
void TSkinSelection::ApplyFile(const std::string& file) {
    TskStylePush push;
    FManager.SetFileTheme(&FFileTheme);
    FManager.SetUIStyle(TskUIStyle::FromThemeFile);
    FFileTheme.SetThemeFile(FSkinsFolder + file);
}
