#pragma once
// What the user allowed or refused each site, kept in a subkey of the
// settings key: one subkey per right ("Popups", "Notifications",
// "Geolocation", "Media", "PointerLock"), one value per site named by its
// host, "allow" or "deny". Anything else stored there reads as not decided.
#include <string>
#include <tuple>
#include <vector>

#include "platform/browser/IBrowserEngine.h"

namespace platform {
class Registry;
}

enum class TSiteRight { Popups, Notifications, Geolocation, Media, PointerLock };
enum class TSiteAnswer { Ask, Allow, Deny };

class TSitePermissions {
public:
    static constexpr const char* KeyPath =
        "Software\\Microsoft\\Windows\\CurrentVersion\\Orbisurf\\Sites";

    // Uses the registry file of the process (or the given one, for tests).
    TSitePermissions();
    explicit TSitePermissions(std::string registryFile);

    static TSiteRight RightOf(platform::TPermissionKind kind);
    static const char* RightName(TSiteRight right);

    // Ask when nothing usable is stored, or the registry cannot be read.
    TSiteAnswer Read(TSiteRight right, const std::string& site) const;
    // Throws Exception when the registry cannot be written or `site` is empty.
    void Write(TSiteRight right, const std::string& site, TSiteAnswer answer);
    // Every stored decision as (right, site, value), for the state dump.
    std::vector<std::tuple<std::string, std::string, std::string>> Values() const;

private:
    std::string FRegistryFile;
};
