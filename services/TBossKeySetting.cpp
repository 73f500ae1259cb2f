#include "services/TBossKeySetting.h"

#include <memory>

#include "gui/Exception.h"
#include "platform/Registry.h"

namespace {

std::unique_ptr<platform::Registry> NewRegistry(const std::string& file) {
    auto reg = file.empty() ? std::make_unique<platform::Registry>()
                            : std::make_unique<platform::Registry>(file);
    reg->SetRootKey(platform::HKEY_LOCAL_MACHINE);
    return reg;
}

std::string SubKey() {
    return std::string("\\") + TBossKeySetting::KeyPath;
}

} // namespace

TBossKeySetting::TBossKeySetting() = default;

TBossKeySetting::TBossKeySetting(std::string registryFile)
    : FRegistryFile(std::move(registryFile)) {}

TBossKeyChord TBossKeySetting::Read() const {
    try {
        auto reg = NewRegistry(FRegistryFile);
        if (!reg->OpenKeyReadOnly(SubKey())) return {};
        if (reg->GetValueType(ValueName) != platform::REG_SZ) return {};
        if (auto chord = TBossKeyChord::Parse(reg->ReadString(ValueName))) return *chord;
    } catch (const std::exception&) {
    }
    return {};
}

void TBossKeySetting::Write(const TBossKeyChord& chord) {
    try {
        auto reg = NewRegistry(FRegistryFile);
        if (!reg->OpenKey(SubKey(), true)) throw Exception("无法打开注册表项 " + SubKey());
        reg->WriteString(ValueName, chord.Text());
        reg->CloseKey();
    } catch (const Exception&) {
        throw;
    } catch (const std::exception& e) {
        throw Exception(e.what());
    }
}
