#pragma once
// The registry file on disk, shared by every process of the user.
//
// Readers need no lock: the file is only ever replaced whole by a rename, so
// a reader sees the old or the new content, never a mix. Writers hold an
// advisory lock on "<file>.lock" for the whole read-modify-write, so two
// processes never lose each other's values.
//
// A damaged file (cut short, padded with NULs, partly overwritten) loses only
// what is damaged: it is moved aside as "<file>.corrupt-<timestamp>", never
// overwritten, every value that still parses becomes the new file, and the
// damage is told once through OnDamage. A file that cannot be read at all
// is moved aside the same way and the settings start afresh.
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

    // Told, in words for the user, when a damaged file was found and set
    // aside; called on the thread that found it, after the file was mended.
    static inline std::function<void(const std::string& message)> OnDamage;

    // The current content; a missing file is an empty registry. Throws
    // RegistryError only when a damaged file cannot be set aside or mended.
    RegistryFile Load() const;
    // Runs `change` on the current content under the writers' lock and
    // writes the result when `change` returns true.
    void Update(const std::function<bool(RegistryFile&)>& change);

private:
    RegistryFile LoadLocked() const;
    // Sets the damaged file aside, writes what was saved of it as the new
    // file and tells OnDamage.
    RegistryFile Mend(const std::string* bytes, const std::string& reason) const;
    std::string KeepAside() const;
    void WriteAtomically(const std::string& text) const;
    std::string LockFileName() const { return FFileName + ".lock"; }

    std::string FFileName;
};

} // namespace platform
