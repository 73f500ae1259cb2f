#include "platform/Registry.h"

namespace platform {

namespace {

std::string Named(std::string_view text, std::string_view name) {
    return std::string(text) + " '" + std::string(name) + "'";
}

std::string_view StripBackslashes(std::string_view key) {
    while (!key.empty() && key.front() == '\\')
        key.remove_prefix(1);
    while (!key.empty() && key.back() == '\\')
        key.remove_suffix(1);
    return key;
}

TRegDataType DataTypeOf(uint32_t type) {
    switch (type) {
    case REG_SZ:
        return TRegDataType::rdString;
    case REG_EXPAND_SZ:
        return TRegDataType::rdExpandString;
    case REG_DWORD:
        return TRegDataType::rdInteger;
    case REG_BINARY:
        return TRegDataType::rdBinary;
    default:
        return TRegDataType::rdUnknown;
    }
}

} // namespace

Registry::Registry() : FStorage(RegistryStorage::DefaultFileName()) {}

Registry::Registry(std::string fileName) : FStorage(std::move(fileName)) {}

void Registry::SetRootKey(HKEY root) {
    RegistryFile::HiveName(root); // rejects roots that do not exist
    CloseKey();
    FRootKey = root;
}

std::string Registry::ResolveKey(std::string_view key) const {
    bool relative = key.empty() || key.front() != '\\';
    std::string path(StripBackslashes(key));
    if (relative && FKeyOpen && !FCurrentPath.empty())
        path = path.empty() ? FCurrentPath : FCurrentPath + '\\' + path;
    return path;
}

bool Registry::OpenKey(std::string_view key, bool canCreate) {
    std::string path = ResolveKey(key);
    std::string fullPath = RegistryFile::KeyPath(FRootKey, path);
    if (!FStorage.Load().KeyExists(fullPath)) {
        if (!canCreate) return false;
        FStorage.Update([&](RegistryFile& file) { return file.CreateKey(fullPath); });
    }
    FCurrentPath = std::move(path);
    FKeyOpen = true;
    return true;
}

void Registry::CloseKey() {
    FCurrentPath.clear();
    FKeyOpen = false;
}

bool Registry::KeyExists(std::string_view key) const {
    return FStorage.Load().KeyExists(RegistryFile::KeyPath(FRootKey, ResolveKey(key)));
}

bool Registry::DeleteKey(std::string_view key) {
    std::string path = ResolveKey(key);
    if (path.empty()) return false; // a root key cannot be deleted
    std::string fullPath = RegistryFile::KeyPath(FRootKey, path);
    bool deleted = false;
    FStorage.Update([&](RegistryFile& file) { return deleted = file.DeleteKey(fullPath); });
    return deleted;
}

std::vector<std::string> Registry::GetKeyNames() const {
    return FStorage.Load().SubKeyNames(OpenKeyPath());
}

std::string Registry::OpenKeyPath() const {
    if (!FKeyOpen) throw RegistryError("No registry key is open");
    return RegistryFile::KeyPath(FRootKey, FCurrentPath);
}

bool Registry::ValueExists(std::string_view name) const {
    return FStorage.Load().FindValue(OpenKeyPath(), name) != nullptr;
}

uint32_t Registry::GetValueType(std::string_view name) const {
    const RegistryFile file = FStorage.Load();
    const TRegistryValue* value = file.FindValue(OpenKeyPath(), name);
    return value ? value->Type : REG_NONE;
}

TRegDataType Registry::GetDataType(std::string_view name) const {
    return DataTypeOf(GetValueType(name));
}

std::vector<std::string> Registry::GetValueNames() const {
    const RegistryFile file = FStorage.Load();
    std::vector<std::string> names;
    if (const TRegistryKey* key = file.FindKey(OpenKeyPath()))
        for (const TRegistryValue& value : key->Values)
            names.push_back(value.Name);
    return names;
}

bool Registry::DeleteValue(std::string_view name) {
    std::string path = OpenKeyPath();
    bool deleted = false;
    FStorage.Update([&](RegistryFile& file) { return deleted = file.DeleteValue(path, name); });
    return deleted;
}

const TRegistryValue& Registry::RequireValue(const RegistryFile& file, std::string_view name,
                                             uint32_t type) const {
    const TRegistryValue* value = file.FindValue(OpenKeyPath(), name);
    if (!value) throw RegistryError(Named("Failed to get data for", name));
    if (value->Type != type || (type == REG_DWORD && value->Data.size() != 4))
        throw RegistryError(Named("Invalid data type for", name));
    return *value;
}

std::string Registry::ReadString(std::string_view name) const {
    const RegistryFile file = FStorage.Load();
    const TRegistryValue* value = file.FindValue(OpenKeyPath(), name);
    if (!value) return {};
    if (value->Type != REG_SZ && value->Type != REG_EXPAND_SZ)
        throw RegistryError(Named("Invalid data type for", name));
    return value->Data;
}

int32_t Registry::ReadInteger(std::string_view name) const {
    const RegistryFile file = FStorage.Load();
    const std::string& data = RequireValue(file, name, REG_DWORD).Data;
    uint32_t number = 0;
    for (int i = 3; i >= 0; --i)
        number = (number << 8) | static_cast<unsigned char>(data[i]);
    return static_cast<int32_t>(number);
}

std::vector<uint8_t> Registry::ReadBinaryData(std::string_view name) const {
    const RegistryFile file = FStorage.Load();
    const std::string& data = RequireValue(file, name, REG_BINARY).Data;
    return {data.begin(), data.end()};
}

void Registry::WriteValue(std::string_view name, uint32_t type, std::string data) {
    std::string path = OpenKeyPath();
    try {
        FStorage.Update([&](RegistryFile& file) {
            file.SetValue(path, name, type, std::move(data));
            return true;
        });
    } catch (const RegistryError& error) {
        throw RegistryError(Named("Failed to set data for", name) + ": " + error.what());
    }
}

void Registry::WriteString(std::string_view name, std::string_view value) {
    WriteValue(name, REG_SZ, std::string(value));
}

void Registry::WriteExpandString(std::string_view name, std::string_view value) {
    WriteValue(name, REG_EXPAND_SZ, std::string(value));
}

void Registry::WriteInteger(std::string_view name, int32_t value) {
    auto number = static_cast<uint32_t>(value);
    std::string data(4, '\0');
    for (int i = 0; i < 4; ++i)
        data[i] = static_cast<char>((number >> (8 * i)) & 0xFF);
    WriteValue(name, REG_DWORD, std::move(data));
}

void Registry::WriteBinaryData(std::string_view name, std::span<const uint8_t> data) {
    WriteValue(name, REG_BINARY, std::string(data.begin(), data.end()));
}

} // namespace platform
