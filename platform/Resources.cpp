#include "platform/Resources.h"

#include <map>

#include "platform/Text.h"

namespace platform {
namespace {

struct Entry {
    const unsigned char* Data;
    std::size_t Size;
};

std::map<std::string, Entry>& Table() {
    static std::map<std::string, Entry> table;
    return table;
}

} // namespace

void RegisterResource(std::string_view name, const unsigned char* data, std::size_t size) {
    Table()[AsciiUpper(name)] = Entry{data, size};
}

std::optional<std::span<const unsigned char>> FindResource(std::string_view name) {
    auto it = Table().find(AsciiUpper(name));
    if (it == Table().end()) return std::nullopt;
    return std::span<const unsigned char>(it->second.Data, it->second.Size);
}

std::vector<std::string> ResourceNames() {
    std::vector<std::string> names;
    for (auto& [name, entry] : Table()) names.push_back(name);
    return names;
}

} // namespace platform
