#pragma once
// The registry object the settings code works with: choose a root key, open
// a key (optionally creating it), read and write its values, close it.
// Every call goes to the shared file (RegistryStorage), so what one process
// writes the next read of another sees, as with the platform's registry.
//
//     Registry reg;
//     reg.SetRootKey(HKEY_LOCAL_MACHINE);
//     if (reg.OpenKey("Software\\...\\Orbisurf", true)) {
//         std::string skin = reg.ReadString("sky");
//         reg.CloseKey();
//     }
#include "platform/RegistryFile.h"
#include "platform/RegistryStorage.h"

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace platform {

enum class TRegDataType { rdUnknown, rdString, rdExpandString, rdInteger, rdBinary };

class Registry {
public:
    // On the default file (RegistryStorage::DefaultFileName).
    Registry();
    explicit Registry(std::string fileName);

    HKEY RootKey() const { return FRootKey; }
    // Closes the open key, as changing the root does on the platform.
    void SetRootKey(HKEY root);
    // The open key's path below the root, without a leading backslash.
    const std::string& CurrentPath() const { return FCurrentPath; }
    bool KeyIsOpen() const { return FKeyOpen; }
    const std::string& FileName() const { return FStorage.FileName(); }

    // A key starting with '\' is taken from the root, else from the open
    // key. Returns false when the key is absent and canCreate is false;
    // throws RegistryError when the file is unusable or cannot be written.
    bool OpenKey(std::string_view key, bool canCreate);
    bool OpenKeyReadOnly(std::string_view key) { return OpenKey(key, false); }
    void CloseKey();
    bool KeyExists(std::string_view key) const;
    bool DeleteKey(std::string_view key);
    std::vector<std::string> GetKeyNames() const;
    bool HasSubKeys() const { return !GetKeyNames().empty(); }

    // Value operations act on the open key and throw RegistryError when no
    // key is open.
    bool ValueExists(std::string_view name) const;
    TRegDataType GetDataType(std::string_view name) const;
    // The platform's type number (REG_SZ, REG_DWORD, ...); REG_NONE when absent.
    uint32_t GetValueType(std::string_view name) const;
    std::vector<std::string> GetValueNames() const;
    bool DeleteValue(std::string_view name);

    // A value that does not exist reads as ""; a value of another type than
    // a string throws "Invalid data type for '<name>'".
    std::string ReadString(std::string_view name) const;
    void WriteString(std::string_view name, std::string_view value);
    void WriteExpandString(std::string_view name, std::string_view value);
    // REG_DWORD values; missing or of another type throws.
    int32_t ReadInteger(std::string_view name) const;
    void WriteInteger(std::string_view name, int32_t value);
    // REG_BINARY values; missing or of another type throws.
    std::vector<uint8_t> ReadBinaryData(std::string_view name) const;
    void WriteBinaryData(std::string_view name, std::span<const uint8_t> data);

private:
    std::string ResolveKey(std::string_view key) const;
    std::string OpenKeyPath() const;
    const TRegistryValue& RequireValue(const RegistryFile& file, std::string_view name,
                                       uint32_t type) const;
    void WriteValue(std::string_view name, uint32_t type, std::string data);

    RegistryStorage FStorage;
    HKEY FRootKey = HKEY_CURRENT_USER;
    std::string FCurrentPath;
    bool FKeyOpen = false;
};

} // namespace platform
