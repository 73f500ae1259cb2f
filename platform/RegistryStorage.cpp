#include "platform/RegistryStorage.h"

#include "platform/TUniqueFd.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <fcntl.h>
#include <filesystem>
#include <optional>
#include <pwd.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <system_error>
#include <unistd.h>

namespace platform {

namespace {

std::string Quoted(const std::string& fileName) {
    return "\"" + fileName + "\"";
}

std::string Named(const std::string& fileName) {
    return "“" + fileName + "”";
}

std::string ErrorText(int error) {
    return std::strerror(error);
}

// The outcome of reading the file: its bytes, or that it is absent, or why
// it could not be read.
struct TReadResult {
    bool Missing = false;
    std::optional<std::string> Bytes;
    std::string Problem;
};

TReadResult ReadWhole(const std::string& fileName, std::size_t limit) {
    TReadResult result;
    TUniqueFd fd(::open(fileName.c_str(), O_RDONLY | O_CLOEXEC));
    if (!fd.Valid()) {
        result.Missing = errno == ENOENT;
        result.Problem = "无法打开: " + ErrorText(errno);
        return result;
    }
    std::string bytes;
    char buffer[65536];
    while (bytes.size() <= limit) {
        ssize_t got = ::read(fd.Get(), buffer, sizeof buffer);
        if (got < 0 && errno == EINTR) continue;
        if (got < 0) {
            result.Problem = "无法读取: " + ErrorText(errno);
            return result;
        }
        if (got == 0) {
            result.Bytes = std::move(bytes);
            return result;
        }
        bytes.append(buffer, static_cast<std::size_t>(got));
    }
    result.Problem = "文件大于 " + std::to_string(limit >> 20) + " MiB";
    return result;
}

// Holds the writers' lock; flock locks belong to the open file, so closing
// the descriptor releases it even when the holder dies.
class TWriterLock {
public:
    explicit TWriterLock(const std::string& lockFile)
        : FFd(::open(lockFile.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600)) {
        if (!FFd.Valid())
            throw RegistryError("Cannot lock the registry: cannot open " + Quoted(lockFile) + ": " +
                                ErrorText(errno));
        while (::flock(FFd.Get(), LOCK_EX) != 0)
            if (errno != EINTR)
                throw RegistryError("Cannot lock the registry through " + Quoted(lockFile) + ": " +
                                    ErrorText(errno));
    }

private:
    TUniqueFd FFd;
};

std::string Timestamp() {
    std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    char text[32];
    std::strftime(text, sizeof text, "%Y%m%d-%H%M%S", &local);
    return text;
}

std::string FreeAsideName(const std::string& fileName) {
    std::string base = fileName + ".corrupt-" + Timestamp();
    std::string name = base;
    for (int n = 2; std::filesystem::exists(std::filesystem::symlink_status(name)); ++n)
        name = base + "-" + std::to_string(n);
    return name;
}

std::string FolderOf(const std::string& fileName) {
    std::string folder = std::filesystem::path(fileName).parent_path().string();
    return folder.empty() ? "." : folder;
}

void WriteAll(int fd, const std::string& text) {
    std::size_t done = 0;
    while (done < text.size()) {
        ssize_t wrote = ::write(fd, text.data() + done, text.size() - done);
        if (wrote < 0 && errno == EINTR) continue;
        if (wrote < 0) throw std::system_error(errno, std::generic_category());
        done += static_cast<std::size_t>(wrote);
    }
}

void SyncFolder(const std::string& folder) {
    TUniqueFd fd(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (!fd.Valid() || ::fsync(fd.Get()) != 0)
        throw std::system_error(errno, std::generic_category());
}

std::string EnvOrEmpty(const char* name) {
    const char* value = std::getenv(name);
    return value ? value : "";
}

std::string HomeFolder() {
    std::string home = EnvOrEmpty("HOME");
    if (!home.empty()) return home;
    if (const passwd* entry = ::getpwuid(::getuid()); entry && entry->pw_dir) return entry->pw_dir;
    return ".";
}

} // namespace

RegistryStorage::RegistryStorage(std::string fileName) : FFileName(std::move(fileName)) {}

std::string RegistryStorage::DefaultFileName() {
    std::string explicitFile = EnvOrEmpty("XINGFAN_REGISTRY");
    if (!explicitFile.empty()) return explicitFile;
    std::string config = EnvOrEmpty("XDG_CONFIG_HOME");
    // Relative values are to be ignored, so a stray setting cannot scatter files.
    if (config.empty() || config.front() != '/') config = HomeFolder() + "/.config";
    return config + "/xingfan/registry.reg";
}

RegistryFile RegistryStorage::Load() const {
    TReadResult read = ReadWhole(FFileName, MaxFileBytes);
    if (read.Missing) return {};
    std::string problem = read.Problem;
    if (read.Bytes) {
        try {
            return RegistryFile::Parse(*read.Bytes);
        } catch (const RegistryFormatError& error) {
            problem = error.what();
        }
    }
    // Decide under the lock, so that a file another process is just
    // replacing is not taken for a bad one, and only one process moves it.
    std::optional<TWriterLock> lock;
    try {
        lock.emplace(LockFileName());
    } catch (const RegistryError&) {
        throw RegistryError("设置文件" + Named(FFileName) + "无法使用: " + problem);
    }
    return LoadLocked();
}

RegistryFile RegistryStorage::LoadLocked() const {
    TReadResult read = ReadWhole(FFileName, MaxFileBytes);
    if (read.Missing) return {};
    if (!read.Bytes) return Mend(nullptr, read.Problem);
    try {
        return RegistryFile::Parse(*read.Bytes);
    } catch (const RegistryFormatError&) {
        return Mend(&*read.Bytes, "");
    }
}

RegistryFile RegistryStorage::Mend(const std::string* bytes, const std::string& reason) const {
    std::size_t dropped = 0;
    RegistryFile saved = bytes ? RegistryFile::Salvage(*bytes, dropped) : RegistryFile();
    std::string aside = KeepAside();
    WriteAtomically(saved.Serialize());
    std::string message = "设置文件" + Named(FFileName);
    if (!bytes)
        message += "无法读取（" + reason + "），设置已重新开始。";
    else if (dropped == 0)
        message += "已损坏，所有设置都已保留。";
    else
        message +=
            "已损坏，能读出的设置都已保留，无法读出的 " + std::to_string(dropped) + " 行已舍弃。";
    message += "原文件已另存为" + Named(aside) + "。";
    if (OnDamage) OnDamage(message);
    return saved;
}

std::string RegistryStorage::KeepAside() const {
    std::string aside = FreeAsideName(FFileName);
    if (::rename(FFileName.c_str(), aside.c_str()) != 0)
        throw RegistryError("设置文件" + Named(FFileName) +
                            "已损坏，且无法另存: " + ErrorText(errno));
    return aside;
}

void RegistryStorage::Update(const std::function<bool(RegistryFile&)>& change) {
    std::error_code error;
    std::filesystem::create_directories(FolderOf(FFileName), error);
    if (error)
        throw RegistryError("Cannot create the folder of the registry file " + Quoted(FFileName) +
                            ": " + error.message());
    TWriterLock lock(LockFileName());
    RegistryFile file = LoadLocked();
    if (change(file)) WriteAtomically(file.Serialize());
}

void RegistryStorage::WriteAtomically(const std::string& text) const {
    std::string temp = FFileName + ".tmp-XXXXXX";
    TUniqueFd fd(::mkstemp(temp.data()));
    if (!fd.Valid())
        throw RegistryError("Cannot write the registry file " + Quoted(FFileName) + ": " +
                            ErrorText(errno));
    try {
        WriteAll(fd.Get(), text);
        if (::fsync(fd.Get()) != 0 || fd.Reset() != 0)
            throw std::system_error(errno, std::generic_category());
        if (::rename(temp.c_str(), FFileName.c_str()) != 0)
            throw std::system_error(errno, std::generic_category());
    } catch (const std::system_error& failure) {
        ::unlink(temp.c_str());
        throw RegistryError("Cannot write the registry file " + Quoted(FFileName) + ": " +
                            failure.code().message());
    }
    try {
        SyncFolder(FolderOf(FFileName));
    } catch (const std::system_error& failure) {
        // The new content is in place; only its durability is in doubt.
        throw RegistryError(
            "The registry file " + Quoted(FFileName) +
            " was written but its folder could not be synced: " + failure.code().message());
    }
}

} // namespace platform
