// Registry file parser: any bytes either fail with RegistryFormatError or
// give a registry whose text form parses back to the same keys and values.
// Salvaging any bytes never fails, and what it keeps is a sound registry:
// its text form parses strictly to the same keys and values.
#include "platform/RegistryFile.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

using platform::RegistryFile;

static void Check(bool condition) {
    if (!condition) __builtin_trap();
}

static void CheckSame(const RegistryFile& a, const RegistryFile& b) {
    Check(a.Keys().size() == b.Keys().size());
    for (std::size_t i = 0; i < a.Keys().size(); ++i) {
        const auto& left = a.Keys()[i];
        const auto& right = b.Keys()[i];
        Check(left.Path == right.Path);
        Check(left.Values.size() == right.Values.size());
        for (std::size_t k = 0; k < left.Values.size(); ++k) {
            Check(left.Values[k].Name == right.Values[k].Name);
            Check(left.Values[k].Type == right.Values[k].Type);
            Check(left.Values[k].Data == right.Values[k].Data);
        }
    }
}

static void CheckSalvage(std::string_view bytes) {
    std::size_t dropped = 0;
    RegistryFile saved = RegistryFile::Salvage(bytes, dropped);
    std::string text = saved.Serialize();
    RegistryFile again = RegistryFile::Parse(text); // must not throw
    CheckSame(saved, again);
    std::size_t none = 1;
    CheckSame(RegistryFile::Salvage(text, none), saved);
    Check(none == 0);
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::string_view bytes(reinterpret_cast<const char*>(data), size);
    CheckSalvage(bytes);
    RegistryFile file;
    try {
        file = RegistryFile::Parse(bytes);
    } catch (const platform::RegistryFormatError&) {
        return 0;
    }
    std::string text = file.Serialize();
    RegistryFile again = RegistryFile::Parse(text); // must not throw
    CheckSame(file, again);
    Check(again.Serialize() == text);
    for (const auto& key : file.Keys()) {
        Check(file.KeyExists(key.Path));
        for (const auto& value : key.Values)
            Check(file.FindValue(key.Path, value.Name) == &value);
    }
    return 0;
}
