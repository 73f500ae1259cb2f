#include "services/TAddressHistory.h"

#include <algorithm>
#include <memory>

#include "gui/Exception.h"
#include "platform/Registry.h"
#include "platform/Text.h"

TAddressHistory::TAddressHistory() = default;

TAddressHistory::TAddressHistory(std::string registryFile) : FRegistryFile(std::move(registryFile)) {}

std::unique_ptr<platform::Registry> TAddressHistory::OpenKey() const {
    auto reg = FRegistryFile.empty() ? std::make_unique<platform::Registry>()
                                     : std::make_unique<platform::Registry>(FRegistryFile);
    reg->SetRootKey(platform::HKEY_LOCAL_MACHINE);
    if (!reg->OpenKey(KeyPath, true)) throw Exception(std::string("无法打开注册表项 ") + KeyPath);
    return reg;
}

// The platform's errors carry their own text; the default error report
// shows it as it stands.
template <class F> static auto Guard(F&& fn) {
    try {
        return fn();
    } catch (const Exception&) {
        throw;
    } catch (const std::exception& e) {
        throw Exception(e.what());
    }
}

std::vector<std::string> TAddressHistory::ReadSlots(platform::Registry& reg) const {
    std::vector<std::string> slots;
    for (int i = 0; i < SlotCount; ++i) {
        std::string name = std::to_string(i);
        slots.push_back(reg.ValueExists(name) ? reg.ReadString(name) : "");
    }
    return slots;
}

std::vector<std::string> TAddressHistory::ItemsFromSlots(const std::vector<std::string>& slots) {
    std::vector<std::string> items;
    for (auto it = slots.rbegin(); it != slots.rend(); ++it)
        if (!it->empty()) items.push_back(*it);
    return items;
}

TAddressHistory::TStartup TAddressHistory::ReadStartup() {
    return Guard([&] {
        auto keyHolder = OpenKey();
        platform::Registry& reg = *keyHolder;
        TStartup out;
        out.Sky = reg.ValueExists("sky") ? reg.ReadString("sky") : "";
        out.MenuName = reg.ValueExists("mnuame") ? reg.ReadString("mnuame") : "";
        if (!reg.ValueExists("int")) reg.WriteString("int", "0");
        if (!reg.ValueExists("j")) reg.WriteString("j", "0");
        out.Items = ItemsFromSlots(ReadSlots(reg));
        reg.CloseKey();
        return out;
    });
}

void TAddressHistory::Record(const std::string& address, std::vector<std::string>& items) {
    if (address.empty()) return;
    if (std::find(items.begin(), items.end(), address) != items.end()) return;
    Guard([&] {
        auto keyHolder = OpenKey();
        platform::Registry& reg = *keyHolder;
        std::string counter = reg.ValueExists("j") ? reg.ReadString("j") : "";
        auto n = platform::ParseInt(counter);
        if (!n) throw Exception("\"" + counter + "\" is not a valid integer value");
        std::vector<std::string> slots = ReadSlots(reg);
        if (*n == SlotCount) {
            std::rotate(slots.rbegin(), slots.rbegin() + 1, slots.rend());
            slots[0] = address;
            for (int i = 0; i < SlotCount; ++i) reg.WriteString(std::to_string(i), slots[static_cast<size_t>(i)]);
            items = ItemsFromSlots(slots);
        } else {
            auto empty = std::find(slots.begin(), slots.end(), std::string());
            if (empty != slots.end()) {
                reg.WriteString(std::to_string(empty - slots.begin()), address);
                reg.WriteString("j", std::to_string(*n + 1));
            }
            items.push_back(address);
        }
        reg.CloseKey();
        return 0;
    });
}

void TAddressHistory::Clear() {
    Guard([&] {
        auto keyHolder = OpenKey();
        platform::Registry& reg = *keyHolder;
        for (int i = 0; i < SlotCount; ++i) reg.WriteString(std::to_string(i), "");
        reg.CloseKey();
        return 0;
    });
}

void TAddressHistory::RecordSkin(const std::string& sky, const std::string& menuName) {
    Guard([&] {
        auto keyHolder = OpenKey();
        platform::Registry& reg = *keyHolder;
        reg.WriteString("sky", sky);
        reg.WriteString("mnuame", menuName);
        reg.CloseKey();
        return 0;
    });
}

std::vector<std::pair<std::string, std::string>> TAddressHistory::Values() {
    return Guard([&] {
        auto keyHolder = OpenKey();
        platform::Registry& reg = *keyHolder;
        std::vector<std::string> names = {"sky", "mnuame", "int", "j"};
        for (int i = 0; i < SlotCount; ++i) names.push_back(std::to_string(i));
        std::vector<std::pair<std::string, std::string>> out;
        for (const std::string& name : names) {
            if (!reg.ValueExists(name)) continue;
            try {
                out.emplace_back(name, reg.ReadString(name));
            } catch (const std::exception& e) {
                out.emplace_back(name, std::string("<") + e.what() + ">");
            }
        }
        reg.CloseKey();
        return out;
    });
}
