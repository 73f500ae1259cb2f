#include "platform/TDownloadFile.h"

#include <errno.h>
#include <fcntl.h>
#include <glib.h>
#include <stdio.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstring>
#include <stdexcept>

#include "platform/DownloadName.h"
#include "platform/glib/GlibPtr.h"
#include "platform/TUniqueFd.h"

namespace platform {

namespace {

constexpr int kMaxNumber = 9999;

bool Exists(const std::string& path) {
    struct stat st;
    return lstat(path.c_str(), &st) == 0 || errno != ENOENT;
}

std::string Join(const std::string& folder, const std::string& name) {
    return folder.empty() || folder.back() == '/' ? folder + name : folder + "/" + name;
}

// Renames without ever replacing `to`: false with EEXIST when it exists.
bool RenameNoReplace(const std::string& from, const std::string& to) {
    if (renameat2(AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str(), RENAME_NOREPLACE) == 0) return true;
    if (errno != EINVAL && errno != ENOSYS) return false;
    // A file system without that flag: a hard link fails on an existing name too.
    if (link(from.c_str(), to.c_str()) != 0) return false;
    unlink(from.c_str());
    return true;
}

} // namespace

TDownloadFile::TDownloadFile(const std::string& folder, const std::string& name)
    : FFolder(folder), FName(name) {
    for (FNumber = 0; FNumber <= kMaxNumber; ++FNumber) {
        FFinalName = NumberedDownloadName(FName, FNumber);
        FFinalPath = Join(FFolder, FFinalName);
        FPartPath = FFinalPath + ".part";
        if (Exists(FFinalPath)) continue;
        TUniqueFd fd(open(FPartPath.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644));
        if (fd.Valid()) return;
        if (errno != EEXIST)
            throw std::runtime_error("无法在“" + FFolder + "”中建立文件：" + std::strerror(errno));
    }
    throw std::runtime_error("“" + FFolder + "”中同名的文件太多");
}

TDownloadFile::~TDownloadFile() {
    Discard();
}

void TDownloadFile::Commit() {
    if (FCommitted || FDiscarded) return;
    for (int number = FNumber; number <= kMaxNumber; ++number) {
        std::string name = NumberedDownloadName(FName, number);
        std::string path = Join(FFolder, name);
        // Another download's part keeps its name reserved.
        if (number != FNumber && Exists(path + ".part")) continue;
        if (RenameNoReplace(FPartPath, path)) {
            FFinalName = name;
            FFinalPath = path;
            FCommitted = true;
            return;
        }
        if (errno != EEXIST) throw std::runtime_error("无法保存文件“" + path + "”：" + std::strerror(errno));
    }
    throw std::runtime_error("“" + FFolder + "”中同名的文件太多");
}

void TDownloadFile::Discard() {
    if (FCommitted || FDiscarded) return;
    FDiscarded = true;
    unlink(FPartPath.c_str());
}

std::string TDownloadFile::UserFolder() {
    const gchar* desktop = g_get_user_special_dir(G_USER_DIRECTORY_DOWNLOAD);
    TGCharPtr folder(desktop && *desktop
                         ? g_strdup(desktop)
                         : g_build_filename(g_get_home_dir(), "Downloads", nullptr));
    std::string path = folder.Str();
    g_mkdir_with_parents(path.c_str(), 0755);
    return path;
}

} // namespace platform
