#include "services/TSitePermissions.h"

#include <memory>

#include "gui/Exception.h"
#include "platform/Registry.h"

namespace {

constexpr const char* kAllow = "allow";
constexpr const char* kDeny = "deny";
constexpr TSiteRight kRights[] = {TSiteRight::Popups, TSiteRight::Notifications,
                                  TSiteRight::Geolocation, TSiteRight::Media,
                                  TSiteRight::PointerLock};

std::unique_ptr<platform::Registry> NewRegistry(const std::string& file) {
    auto reg = file.empty() ? std::make_unique<platform::Registry>()
                            : std::make_unique<platform::Registry>(file);
    reg->SetRootKey(platform::HKEY_LOCAL_MACHINE);
    return reg;
}

std::string SubKey(TSiteRight right) {
    return std::string("\\") + TSitePermissions::KeyPath + "\\" +
           TSitePermissions::RightName(right);
}

} // namespace

TSitePermissions::TSitePermissions() = default;

TSitePermissions::TSitePermissions(std::string registryFile)
    : FRegistryFile(std::move(registryFile)) {}

TSiteRight TSitePermissions::RightOf(platform::TPermissionKind kind) {
    switch (kind) {
    case platform::TPermissionKind::Notifications:
        return TSiteRight::Notifications;
    case platform::TPermissionKind::Geolocation:
        return TSiteRight::Geolocation;
    case platform::TPermissionKind::Media:
        return TSiteRight::Media;
    case platform::TPermissionKind::PointerLock:
        return TSiteRight::PointerLock;
    }
    return TSiteRight::Notifications;
}

const char* TSitePermissions::RightName(TSiteRight right) {
    switch (right) {
    case TSiteRight::Popups:
        return "Popups";
    case TSiteRight::Notifications:
        return "Notifications";
    case TSiteRight::Geolocation:
        return "Geolocation";
    case TSiteRight::Media:
        return "Media";
    case TSiteRight::PointerLock:
        return "PointerLock";
    }
    return "Popups";
}

// The settings file is the user's to edit: whatever it holds, a site is
// only allowed or refused by the exact words.
TSiteAnswer TSitePermissions::Read(TSiteRight right, const std::string& site) const {
    if (site.empty()) return TSiteAnswer::Ask;
    try {
        auto reg = NewRegistry(FRegistryFile);
        if (!reg->OpenKeyReadOnly(SubKey(right))) return TSiteAnswer::Ask;
        if (reg->GetValueType(site) != platform::REG_SZ) return TSiteAnswer::Ask;
        const std::string value = reg->ReadString(site);
        if (value == kAllow) return TSiteAnswer::Allow;
        if (value == kDeny) return TSiteAnswer::Deny;
    } catch (const std::exception&) {
    }
    return TSiteAnswer::Ask;
}

void TSitePermissions::Write(TSiteRight right, const std::string& site, TSiteAnswer answer) {
    if (site.empty()) throw Exception("无法记住这个网站的设置：网页没有网站地址。");
    try {
        auto reg = NewRegistry(FRegistryFile);
        if (!reg->OpenKey(SubKey(right), true))
            throw Exception("无法打开注册表项 " + SubKey(right));
        if (answer == TSiteAnswer::Ask)
            reg->DeleteValue(site);
        else
            reg->WriteString(site, answer == TSiteAnswer::Allow ? kAllow : kDeny);
        reg->CloseKey();
    } catch (const Exception&) {
        throw;
    } catch (const std::exception& e) {
        throw Exception(e.what());
    }
}

std::vector<std::tuple<std::string, std::string, std::string>> TSitePermissions::Values() const {
    std::vector<std::tuple<std::string, std::string, std::string>> values;
    try {
        auto reg = NewRegistry(FRegistryFile);
        for (TSiteRight right : kRights) {
            if (!reg->OpenKeyReadOnly(SubKey(right))) continue;
            for (const std::string& name : reg->GetValueNames())
                if (reg->GetValueType(name) == platform::REG_SZ)
                    values.emplace_back(RightName(right), name, reg->ReadString(name));
            reg->CloseKey();
        }
    } catch (const std::exception&) {
    }
    return values;
}
