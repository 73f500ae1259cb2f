#include "skin/TskFileTheme.h"

#include <cstdlib>
#include <vector>

#include "gui/Exception.h"
#include "gui/TCustomForm.h"
#include "gui/graphics/TBitmap.h"
#include "gui/graphics/TPicture.h"
#include "platform/FileError.h"
#include "platform/Kernel.h"
#include "skin/SkinPublic.h"
#include "skin/TskFileThemeMgr.h"
#include "skin/TskThemeFileReader.h"

namespace {

std::string FileNamePart(const std::string& path) {
    const size_t slash = path.find_last_of("/\\");
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

std::string WithTrailingSlash(std::string dir) {
    if (!dir.empty() && dir.back() != '/' && dir.back() != '\\') dir += '/';
    return dir;
}

std::string EnvDir(const char* name) {
    const char* value = std::getenv(name);
    return value && *value ? value : "";
}

} // namespace

const TClassInfo& TskFileTheme::StaticClass() {
    static const TClassInfo info =
        TClassBuilder<TskFileTheme>("TskFileTheme", &TComponent::StaticClass())
            .Prop("ThemeFile", &TskFileTheme::ThemeFile, &TskFileTheme::SetThemeFile)
            .Build();
    return info;
}

TskFileTheme::TskFileTheme(TComponent* owner)
    : TComponent(owner), FThemeMgr(std::make_unique<TskFileThemeMgr>()) {}

TskFileTheme::~TskFileTheme() = default;

TskThemeSearchFolders TskFileTheme::DefaultSearchFolders() {
    TskThemeSearchFolders folders;
    try {
        folders.ExecutableDir = platform::ExecutableDir();
    } catch (const platform::KernelError&) {
        // Without a known program folder that place is simply not searched.
    }
    std::string data = EnvDir("XDG_DATA_HOME");
    if (data.empty() && !EnvDir("HOME").empty()) data = EnvDir("HOME") + "/.local/share";
    if (!data.empty()) folders.WindowsDir = data + "/xingfan/";
    folders.SystemDir = "/usr/share/xingfan/";
    return folders;
}

bool TskFileTheme::CheckThemeFile(const std::string& fileName) {
    return IsValidThemeFile(platform::NativePath(fileName));
}

std::string TskFileTheme::ResolveThemeFile(const std::string& value) {
    if (value.empty()) return {};
    if (platform::FileExists(platform::NativePath(value))) return value;
    const std::string name = FileNamePart(value);
    if (name.empty()) return {};
    const TskThemeSearchFolders folders = SearchFolders ? SearchFolders() : TskThemeSearchFolders{};
    for (const std::string* dir :
         {&folders.ExecutableDir, &folders.WindowsDir, &folders.SystemDir}) {
        if (dir->empty()) continue;
        std::string candidate = WithTrailingSlash(*dir) + name;
        if (platform::FileExists(platform::NativePath(candidate))) return candidate;
    }
    return {};
}

void TskFileTheme::SetThemeFile(const std::string& value) {
    if (value == FThemeFile) return;
    const std::string path = ResolveThemeFile(value);
    if (path.empty()) return;
    if (!CheckThemeFile(path)) throw Exception("Invalid skin file for StarSkin!");
    FThemeFile = path;
    try {
        FCanUse = FThemeMgr->LoadThemeFile(platform::NativePath(path));
    } catch (const platform::FileError& e) {
        FCanUse = false;
        throw EFOpenError(e.what());
    } catch (...) {
        FCanUse = false;
        throw;
    }
    ReassignToUsers();
}

void TskFileTheme::LoadFromBytes(std::span<const uint8_t> bytes) {
    FThemeMgr->LoadFromBytes(bytes);
    FCanUse = true;
}

// Components that re-apply their style whenever their file theme is
// assigned reload everything from the new file this way.
void TskFileTheme::ReassignToUsers() {
    if (!FCanUse) return;
    auto* form = dynamic_cast<TCustomForm*>(Owner());
    if (!form) return;
    std::vector<std::pair<TComponent*, std::weak_ptr<void>>> owned;
    for (TComponent* c : form->Components())
        owned.emplace_back(c, c->AliveToken());
    const std::weak_ptr<void> self = AliveToken();
    for (auto& [component, alive] : owned) {
        if (self.expired()) return;
        if (alive.expired() || component->ClassName().rfind("Tsk", 0) != 0) continue;
        if (!HasProperty(component, "FileTheme")) continue;
        const TValue current = GetPropValue(component, "FileTheme");
        auto* ref = std::get_if<TComponent*>(&current);
        if (!ref || *ref != this) continue;
        SetPropValue(component, "FileTheme", static_cast<TComponent*>(this));
    }
}

bool TskFileTheme::DecodePicture(int item, TBitmap& out) const {
    TMemoryStream* stream = FThemeMgr->GetStream(item);
    if (!stream) return false;
    try {
        TPicture::Decode(stream->Bytes(), out);
    } catch (const std::exception&) {
        return false;
    }
    return true;
}

void TskFileTheme::GetBitmap(int item, TBitmap* picture) const {
    TBitmap decoded;
    if (picture && DecodePicture(item, decoded)) TakePixels(*picture, decoded);
}

void TskFileTheme::GetBitmap(int item, TPicture* picture) const {
    TBitmap decoded;
    if (picture && DecodePicture(item, decoded)) TakePixels(*picture, decoded);
}

void TskFileTheme::GetBitmapPart(int item, TBitmap* picture, int index, int count) const {
    TBitmap decoded;
    if (!picture || count <= 0 || !DecodePicture(item, decoded)) return;
    SplitBitmap(decoded, decoded, count, index);
    TakePixels(*picture, decoded);
}

void TskFileTheme::GetBitmapPart(int item, TPicture* picture, int index, int count) const {
    TBitmap decoded;
    if (!picture || count <= 0 || !DecodePicture(item, decoded)) return;
    SplitBitmap(decoded, decoded, count, index);
    TakePixels(*picture, decoded);
}

TColor TskFileTheme::GetColor(int item) const {
    return FThemeMgr->GetInteger(item);
}

int TskFileTheme::GetInt(int item) const {
    return FThemeMgr->GetInteger(item);
}

bool TskFileTheme::GetBool(int item) const {
    return FThemeMgr->GetBool(item);
}
