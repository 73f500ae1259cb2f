#pragma once
// The registry file on disk, shared by every process of the user.
//
// Readers need no lock: the file is only ever replaced whole by a rename, so
// a reader sees the old or the new content, never a mix. Writers hold an
// advisory lock on "<file>.lock" for the whole read-modify-write, so two
// processes never lose each other's values. A file that cannot be read or
// parsed is moved aside as "<file>.corrupt-<timestamp>" and reported; it is
// never overwritten.
#include "platform/RegistryFile.h"

#include <functional>
#include <string>

namespace platform {

class RegistryStorage {
public:
    // Larger files are treated as corrupt: this program stores a few dozen values.
    static constexpr std::size_t MaxFileBytes = std::size_t{4} << 20;

    explicit RegistryStorage(std::string fileName);

    // $XINGFAN_REGISTRY, else $XDG_CONFIG_HOME/xingfan/registry.reg, else
    // ~/.config/xingfan/registry.reg.
    static std::string DefaultFileName();

    const std::string& FileName() const { return FFileName; }

    // The current content; a missing file is an empty registry. Throws
    // RegistryError for an unreadable or corrupt file (after moving it aside).
    RegistryFile Load() const;
    // Runs `change` on the current content under the writers' lock and
    // writes the result when `change` returns true.
    void Update(const std::function<bool(RegistryFile&)>& change);

private:
    RegistryFile LoadLocked() const;
    [[noreturn]] void KeepAside(const std::string& reason) const;
    void WriteAtomically(const std::string& text) const;
    std::string LockFileName() const { return FFileName + ".lock"; }

    std::string FFileName;
};

} // namespace platform
