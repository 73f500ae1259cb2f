#include "platform/Kernel.h"

#include "platform/Text.h"

#include <cerrno>
#include <cstring>
#include <dirent.h>
#include <limits.h>
#include <memory>
#include <sys/stat.h>
#include <unistd.h>

namespace platform {

namespace {

std::u32string CodePoints(std::string_view utf8) {
    std::u16string units = Utf8ToUtf16(utf8);
    std::u32string out;
    for (std::size_t i = 0; i < units.size(); ++i) {
        char32_t unit = units[i];
        if (unit >= 0xD800 && unit <= 0xDBFF && i + 1 < units.size()) {
            out += 0x10000 + ((unit - 0xD800) << 10) + (units[i + 1] - 0xDC00);
            ++i;
        } else {
            out += unit;
        }
    }
    return out;
}

// Glob match with one backtrack point per '*', linear in practice.
bool Glob(const std::u32string& name, const std::u32string& mask) {
    std::size_t n = 0, m = 0, starMask = std::u32string::npos, starName = 0;
    while (n < name.size()) {
        if (m < mask.size() && (mask[m] == U'?' || mask[m] == name[n])) {
            ++n;
            ++m;
        } else if (m < mask.size() && mask[m] == U'*') {
            starMask = m++;
            starName = n;
        } else if (starMask != std::u32string::npos) {
            m = starMask + 1;
            n = ++starName;
        } else {
            return false;
        }
    }
    while (m < mask.size() && mask[m] == U'*')
        ++m;
    return m == mask.size();
}

void FillKind(const std::string& folder, const dirent& entry, TDirEntry& out) {
    out.IsSymlink = entry.d_type == DT_LNK;
    if (entry.d_type != DT_UNKNOWN && entry.d_type != DT_LNK) {
        out.IsDirectory = entry.d_type == DT_DIR;
        out.IsFile = entry.d_type == DT_REG;
        return;
    }
    std::string path = folder + "/" + entry.d_name;
    struct stat info {};
    if (entry.d_type == DT_UNKNOWN && ::lstat(path.c_str(), &info) == 0)
        out.IsSymlink = S_ISLNK(info.st_mode);
    if (::stat(path.c_str(), &info) != 0) return; // a dangling link is neither
    out.IsDirectory = S_ISDIR(info.st_mode);
    out.IsFile = S_ISREG(info.st_mode);
}

struct TDirCloser {
    void operator()(DIR* dir) const { ::closedir(dir); }
};

} // namespace

std::optional<std::string> ComputerName(std::size_t bufferBytes) {
    char name[HOST_NAME_MAX + 1] = {};
    if (::gethostname(name, sizeof name - 1) != 0) return std::nullopt;
    std::string text = DecodeText(name);
    if (text.empty() || std::strlen(name) + 1 > bufferBytes) return std::nullopt;
    return text;
}

std::string ExecutableDir() {
    std::string target(256, '\0');
    for (;;) {
        ssize_t length = ::readlink("/proc/self/exe", target.data(), target.size());
        if (length < 0)
            throw KernelError(std::string("Cannot find the program folder: ") +
                              std::strerror(errno));
        if (static_cast<std::size_t>(length) < target.size()) {
            target.resize(static_cast<std::size_t>(length));
            break;
        }
        target.resize(target.size() * 2);
    }
    // A program file replaced while it runs is reported with this suffix.
    constexpr std::string_view deleted = " (deleted)";
    if (target.ends_with(deleted)) target.resize(target.size() - deleted.size());
    std::size_t slash = target.rfind('/');
    if (slash == std::string::npos)
        throw KernelError("Cannot find the program folder: \"" + target + "\" is not a path");
    return target.substr(0, slash + 1);
}

std::string NativePath(std::string_view path) {
    std::string out;
    out.reserve(path.size());
    for (char c : path) {
        if (c == '\\') c = '/';
        if (c == '/' && !out.empty() && out.back() == '/') continue;
        out += c;
    }
    return out;
}

bool FileExists(const std::string& path) {
    struct stat info {};
    return ::stat(path.c_str(), &info) == 0 && !S_ISDIR(info.st_mode);
}

bool DirectoryExists(const std::string& path) {
    struct stat info {};
    return ::stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

bool DeleteFile(const std::string& path) {
    return ::unlink(path.c_str()) == 0;
}

std::vector<TDirEntry> ListDirectory(const std::string& folder) {
    std::vector<TDirEntry> entries;
    std::unique_ptr<DIR, TDirCloser> dir(::opendir(folder.c_str()));
    if (!dir) return entries;
    while (const dirent* entry = ::readdir(dir.get())) {
        TDirEntry out;
        out.Name = entry->d_name;
        FillKind(folder, *entry, out);
        entries.push_back(std::move(out));
    }
    return entries;
}

std::vector<TDirEntry> FindFiles(const std::string& folder, std::string_view mask) {
    std::vector<TDirEntry> entries = ListDirectory(folder);
    std::erase_if(entries, [&](const TDirEntry& entry) { return !MatchesMask(entry.Name, mask); });
    return entries;
}

bool MatchesMask(std::string_view name, std::string_view mask) {
    if (mask == "*.*" || mask == "*") return true;
    return Glob(CodePoints(FoldCase(name)), CodePoints(FoldCase(mask)));
}

} // namespace platform
