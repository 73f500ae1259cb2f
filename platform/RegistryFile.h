#pragma once
// The registry's keys and values in memory, and their text form: the
// registry-export layout ("REGEDIT4", "[HKEY_LOCAL_MACHINE\...]" sections,
// "name"="value" lines, dword: and hex: data) in UTF-8. Text that is not
// UTF-8 is refused; values whose bytes are not are stored as hex(1).
//
// Key paths here are full paths that start with the hive name
// ("HKEY_LOCAL_MACHINE\Software\..."); names compare without regard to case
// and keep the spelling they were first created with.
#include <cstddef>
#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace platform {

using HKEY = uint32_t;
inline constexpr HKEY HKEY_CLASSES_ROOT = 0x80000000;
inline constexpr HKEY HKEY_CURRENT_USER = 0x80000001;
inline constexpr HKEY HKEY_LOCAL_MACHINE = 0x80000002;
inline constexpr HKEY HKEY_USERS = 0x80000003;
inline constexpr HKEY HKEY_CURRENT_CONFIG = 0x80000005;

inline constexpr uint32_t REG_NONE = 0;
inline constexpr uint32_t REG_SZ = 1;
inline constexpr uint32_t REG_EXPAND_SZ = 2;
inline constexpr uint32_t REG_BINARY = 3;
inline constexpr uint32_t REG_DWORD = 4;
inline constexpr uint32_t REG_MULTI_SZ = 7;

// Every failure of the registry: unreadable or corrupt file, failed write,
// wrong value type, bad names. The message is meant to be shown as it is.
class RegistryError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// The text is not in the registry-export layout; the message names the line.
class RegistryFormatError : public RegistryError {
public:
    using RegistryError::RegistryError;
};

struct TRegistryValue {
    std::string Name;
    uint32_t Type = REG_NONE;
    // REG_SZ and REG_EXPAND_SZ: the text, without a terminating NUL.
    // REG_DWORD: four bytes, least significant first. Others: the raw bytes.
    std::string Data;
};

struct TRegistryKey {
    std::string Path;
    std::vector<TRegistryValue> Values;
    std::unordered_map<std::string, std::size_t> ValueIndex; // folded name -> Values
};

class RegistryFile {
public:
    // Throws RegistryFormatError naming the line that does not fit.
    static RegistryFile Parse(std::string_view bytes);
    // Every value that parses, from any bytes (a file cut short, padded with
    // NULs, partly overwritten); `dropped` counts the lines that did not fit.
    // Never throws a format error.
    static RegistryFile Salvage(std::string_view bytes, std::size_t& dropped);
    std::string Serialize() const;

    // The canonical hive name ("HKEY_LOCAL_MACHINE"); throws for unknown roots.
    static std::string HiveName(HKEY root);
    // Joins and checks a full path: hive plus backslash-separated subkeys,
    // each non-empty; throws RegistryError for names that cannot be stored.
    static std::string KeyPath(HKEY root, std::string_view subKey);

    const TRegistryKey* FindKey(std::string_view path) const;
    // Present when it was created or when a key below it was.
    bool KeyExists(std::string_view path) const;
    // Returns true when the key did not exist before.
    bool CreateKey(std::string_view path);
    // Removes the key and every key below it; true when anything went.
    bool DeleteKey(std::string_view path);
    // Names of the direct subkeys, in file order.
    std::vector<std::string> SubKeyNames(std::string_view path) const;

    const TRegistryValue* FindValue(std::string_view path, std::string_view name) const;
    // Creates the key when needed; replaces a value of the same name in place.
    void SetValue(std::string_view path, std::string_view name, uint32_t type, std::string data);
    bool DeleteValue(std::string_view path, std::string_view name);

    const std::vector<TRegistryKey>& Keys() const { return FKeys; }

private:
    TRegistryKey* FindMutableKey(std::string_view path);
    TRegistryKey& AddKey(std::string path);
    void Reindex();
    static void ReindexValues(TRegistryKey& key);

    std::vector<TRegistryKey> FKeys;
    std::unordered_map<std::string, std::size_t> FIndex; // folded path -> FKeys
};

} // namespace platform
