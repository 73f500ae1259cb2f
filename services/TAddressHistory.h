#pragma once
// The settings key: the remembered skin, the two counters and the history
// of twenty typed addresses, with the fill and shift modes of the counter "j".
#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace platform {
class Registry;
}

class TAddressHistory {
public:
    static constexpr const char* KeyPath = "Software\\Microsoft\\Windows\\CurrentVersion\\Orbisurf";
    static constexpr int SlotCount = 20;

    // Uses the registry file of the process (or the given one, for tests).
    TAddressHistory();
    explicit TAddressHistory(std::string registryFile);

    struct TStartup {
        std::string Sky;
        std::string MenuName;
        // The drop-down entries: slots "19" down to "0", empty ones skipped.
        std::vector<std::string> Items;
    };
    // Reads the skin values and the slots and creates "int" and "j" as "0"
    // where they are missing.
    TStartup ReadStartup();
    // Records an address typed into the address box whose drop-down list is
    // `items`; updates `items` as the box must show them. An empty address
    // or one already listed is not recorded. Throws on a value of the wrong
    // type or a counter that is not a decimal integer.
    void Record(const std::string& address, std::vector<std::string>& items);
    // Writes the empty string to every slot; "j" stays.
    void Clear();
    void RecordSkin(const std::string& sky, const std::string& menuName);

    // Every value of the key that exists, by name (for the state dump).
    std::vector<std::pair<std::string, std::string>> Values();

    static std::vector<std::string> ItemsFromSlots(const std::vector<std::string>& slots);

private:
    std::vector<std::string> ReadSlots(platform::Registry& reg) const;
    std::unique_ptr<platform::Registry> OpenKey() const;

    std::string FRegistryFile;
};
