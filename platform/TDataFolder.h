#pragma once
// Where the program writes its files. A build folder is its own data
// folder, as it always was. An installed copy lives in a folder its users
// cannot (and root should not) write, so each user gets a folder of their
// own, seeded from the installed copy with the files the program updates
// in place.
#include <string>
#include <vector>

namespace platform {

class TDataFolder {
public:
    // Installed beside the executable by `cmake --install`; never in a build.
    static constexpr const char* MarkerName = "xingfan.installed";

    // True when `programDir` holds the marker, or cannot be written (an
    // unpacked copy on a read-only disk then still starts cleanly).
    static bool IsInstalled(const std::string& programDir);
    // $XDG_DATA_HOME/xingfan/, with ~/.local/share standing in for an unset
    // XDG_DATA_HOME; always ending in '/'.
    static std::string UserFolder();
    // The folder to write into, ending in '/': `programDir` itself unless
    // installed, else UserFolder(), made if missing and kept private (mode
    // 0700), with each of
    // `seeds` copied from `programDir` where the user has none yet. Never
    // throws: a folder that cannot be made shows up later as the error of
    // the first file that cannot be written there.
    static std::string Prepare(const std::string& programDir,
                               const std::vector<std::string>& seeds);
    // Copies `from` to `to` unless `to` exists. The copy is written beside
    // `to` and renamed into place, so an interrupted copy never leaves half
    // a database behind. False when nothing could be copied.
    static bool Seed(const std::string& from, const std::string& to);
};

} // namespace platform
