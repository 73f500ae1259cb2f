#include "skin/TskFileThemeMgr.h"

#include "platform/Kernel.h"
#include "skin/SkinThemes.h"

TskFileThemeMgr::TskFileThemeMgr() = default;
TskFileThemeMgr::~TskFileThemeMgr() = default;

bool TskFileThemeMgr::LoadThemeFile(const std::string& fileName) {
    if (!platform::FileExists(fileName)) return false;
    FReader = std::make_unique<TskThemeFileReader>(fileName);
    return true;
}

void TskFileThemeMgr::LoadFromBytes(std::span<const uint8_t> bytes) {
    FReader = std::make_unique<TskThemeFileReader>(bytes);
}

TMemoryStream* TskFileThemeMgr::GetStream(int item) const {
    if (!FReader || ThemeItemKey(item).empty()) return nullptr;
    return FReader->GetStream(ThemeItemKey(item));
}

int32_t TskFileThemeMgr::GetInteger(int item) const {
    if (!FReader) return 0;
    if (ThemeItemKey(item).empty()) return -1;
    return FReader->GetInteger(ThemeItemKey(item));
}

bool TskFileThemeMgr::GetBool(int item) const {
    return FReader && !ThemeItemKey(item).empty() && FReader->GetBool(ThemeItemKey(item));
}
