#include "platform/TDataFolder.h"

#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <system_error>

namespace platform {

namespace fs = std::filesystem;

namespace {

std::string EnvOr(const char* name, const std::string& fallback) {
    const char* value = std::getenv(name);
    return value && *value ? std::string(value) : fallback;
}

std::string WithSlash(std::string path) {
    if (path.empty() || path.back() != '/') path += '/';
    return path;
}

} // namespace

bool TDataFolder::IsInstalled(const std::string& programDir) {
    std::error_code error;
    if (fs::exists(fs::path(programDir) / MarkerName, error)) return true;
    return ::access(programDir.c_str(), W_OK) != 0;
}

std::string TDataFolder::UserFolder() {
    std::string data = EnvOr("XDG_DATA_HOME", EnvOr("HOME", "") + "/.local/share");
    while (data.size() > 1 && data.back() == '/')
        data.pop_back();
    return data + "/xingfan/";
}

std::string TDataFolder::Prepare(const std::string& programDir,
                                 const std::vector<std::string>& seeds) {
    if (!IsInstalled(programDir)) return WithSlash(programDir);
    std::string folder = UserFolder();
    std::error_code error;
    fs::create_directories(folder, error);
    // The web engine may have made the folder first (it keeps its site data
    // under the same name), open to all; the user's pages and database are
    // nobody else's.
    if (!error) fs::permissions(folder, fs::perms::owner_all, fs::perm_options::replace, error);
    for (const std::string& name : seeds)
        Seed(WithSlash(programDir) + name, folder + name);
    return folder;
}

bool TDataFolder::Seed(const std::string& from, const std::string& to) {
    std::error_code error;
    if (fs::exists(fs::symlink_status(to, error))) return true;
    std::string partial = to + ".part";
    fs::remove(partial, error);
    if (!fs::copy_file(from, partial, error)) return false;
    // The installed copy is read-only; the user's copy must take writes.
    fs::permissions(partial, fs::perms::owner_read | fs::perms::owner_write, fs::perm_options::add,
                    error);
    if (!error) fs::rename(partial, to, error);
    if (error) fs::remove(partial, error);
    return !error;
}

} // namespace platform
