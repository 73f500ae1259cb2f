#pragma once
// Where the boss key's chord is kept: value "Chord" of a subkey of the
// settings key, as text ("Ctrl+Alt+Z"). What the user or a damaged file put
// there that is no chord reads as the default.
#include <string>

#include "services/TBossKeyChord.h"

class TBossKeySetting {
public:
    static constexpr const char* KeyPath =
        "Software\\Microsoft\\Windows\\CurrentVersion\\Orbisurf\\BossKey";
    static constexpr const char* ValueName = "Chord";

    // Uses the registry file of the process (or the given one, for tests).
    TBossKeySetting();
    explicit TBossKeySetting(std::string registryFile);

    TBossKeyChord Read() const;
    // Throws Exception when the registry cannot be written.
    void Write(const TBossKeyChord& chord);

private:
    std::string FRegistryFile;
};
