#include "services/TFavoritesFolder.h"

#include <sys/stat.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <system_error>
#include <utility>

#include "gui/Exception.h"
#include "platform/Kernel.h"
#include "platform/Text.h"

namespace fs = std::filesystem;

namespace {

constexpr const char* kExtension = ".url";

bool IsShortcutName(const std::string& name) {
    return platform::MatchesMask(name, "*.url");
}

std::string Quoted(const std::string& text) {
    return "“" + text + "”";
}

std::string FolderIdOf(const std::string& path) {
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0) return "";
    return std::to_string(info.st_dev) + ":" + std::to_string(info.st_ino);
}

bool EntryBefore(const TFavoritesFolder::TEntry& a, const TFavoritesFolder::TEntry& b) {
    if (a.IsFolder != b.IsFolder) return a.IsFolder;
    return platform::FoldCase(a.Name) < platform::FoldCase(b.Name);
}

std::string StripExtension(const std::string& name) {
    return name.substr(0, name.size() - std::string(kExtension).size());
}

void WriteWhole(const std::string& path, const std::string& text) {
    std::string temp = path + ".tmp";
    std::FILE* file = std::fopen(temp.c_str(), "wb");
    if (!file) throw Exception("无法创建文件" + Quoted(path) + "。");
    bool written = std::fwrite(text.data(), 1, text.size(), file) == text.size();
    written = std::fclose(file) == 0 && written;
    if (!written || std::rename(temp.c_str(), path.c_str()) != 0) {
        std::remove(temp.c_str());
        throw Exception("无法写入文件" + Quoted(path) + "。");
    }
}

void RenameOrThrow(const std::string& from, const std::string& to) {
    std::error_code error;
    if (fs::exists(fs::symlink_status(to, error)))
        throw Exception(Quoted(fs::path(to).filename().string()) + "已存在。");
    fs::rename(from, to, error);
    if (error) throw Exception("无法移动" + Quoted(from) + "：" + error.message());
}

} // namespace

TFavoritesFolder::TFavoritesFolder(std::string root) : FRoot(std::move(root)) {
    while (FRoot.size() > 1 && FRoot.back() == '/')
        FRoot.pop_back();
}

std::vector<TFavoritesFolder::TEntry> TFavoritesFolder::Tree() const {
    std::vector<std::string> walking;
    return List(FRoot, walking);
}

std::vector<TFavoritesFolder::TEntry>
TFavoritesFolder::List(const std::string& folder, std::vector<std::string>& walking) const {
    std::vector<TEntry> out;
    std::string id = FolderIdOf(folder);
    if (id.empty() || std::find(walking.begin(), walking.end(), id) != walking.end()) return out;
    walking.push_back(id);
    for (const platform::TDirEntry& dirEntry : platform::ListDirectory(folder)) {
        if (dirEntry.Name.empty() || dirEntry.Name[0] == '.') continue;
        TEntry entry;
        entry.Path = folder + "/" + dirEntry.Name;
        entry.IsFolder = dirEntry.IsDirectory;
        if (!entry.IsFolder && !IsShortcutName(dirEntry.Name)) continue;
        std::string name = platform::DecodeText(dirEntry.Name);
        entry.Name = entry.IsFolder ? name : StripExtension(name);
        if (entry.IsFolder) entry.Children = List(entry.Path, walking);
        out.push_back(std::move(entry));
    }
    walking.pop_back();
    std::sort(out.begin(), out.end(), EntryBefore);
    return out;
}

static void CollectFolders(const std::vector<TFavoritesFolder::TEntry>& entries,
                           const std::string& prefix, std::vector<std::string>& out) {
    for (const TFavoritesFolder::TEntry& entry : entries) {
        if (!entry.IsFolder) continue;
        std::string relative = prefix + fs::path(entry.Path).filename().string();
        out.push_back(relative);
        CollectFolders(entry.Children, relative + "/", out);
    }
}

std::vector<std::string> TFavoritesFolder::Folders() const {
    std::vector<std::string> out{""};
    CollectFolders(Tree(), "", out);
    return out;
}

std::string TFavoritesFolder::FolderPath(const std::string& relative) const {
    if (relative.empty()) return FRoot;
    std::string path = FRoot + "/" + relative;
    CheckInside(path);
    return path;
}

std::string TFavoritesFolder::ShortcutPath(const std::string& folder,
                                           const std::string& name) const {
    return FolderPath(folder) + "/" + CheckName(name) + kExtension;
}

std::string TFavoritesFolder::AddShortcut(const std::string& folder, const std::string& name,
                                          const std::string& url) const {
    std::string path = ShortcutPath(folder, name);
    std::error_code error;
    fs::create_directories(FolderPath(folder), error);
    if (fs::is_directory(path, error))
        throw Exception(Quoted(CheckName(name)) + "已是一个文件夹。");
    WriteWhole(path, ShortcutText(url));
    return path;
}

std::string TFavoritesFolder::CreateFolder(const std::string& parent,
                                           const std::string& name) const {
    std::string path = FolderPath(parent) + "/" + CheckName(name);
    std::error_code error;
    if (fs::exists(fs::symlink_status(path, error)))
        throw Exception(Quoted(CheckName(name)) + "已存在。");
    fs::create_directories(path, error);
    if (error) throw Exception("无法创建文件夹" + Quoted(path) + "：" + error.message());
    return path;
}

std::string TFavoritesFolder::Rename(const std::string& path, const std::string& newName) const {
    CheckInside(path);
    fs::path from(path);
    bool shortcut =
        !fs::is_directory(fs::symlink_status(from)) && IsShortcutName(from.filename().string());
    std::string target =
        from.parent_path().string() + "/" + CheckName(newName) +
        (shortcut ? from.filename().string().substr(from.filename().string().size() - 4) : "");
    if (target == path) return path;
    RenameOrThrow(path, target);
    return target;
}

std::string TFavoritesFolder::MoveTo(const std::string& path, const std::string& folder) const {
    CheckInside(path);
    std::string destination = FolderPath(folder);
    std::string normal = fs::path(path).lexically_normal().string();
    std::string into = fs::path(destination).lexically_normal().string();
    if (into == normal || into.rfind(normal + "/", 0) == 0)
        throw Exception("不能把文件夹移到它自己里面。");
    std::string target = destination + "/" + fs::path(path).filename().string();
    if (fs::path(target).lexically_normal() == fs::path(normal)) return path;
    RenameOrThrow(path, target);
    return target;
}

void TFavoritesFolder::Delete(const std::string& path) const {
    CheckInside(path);
    std::error_code error;
    fs::remove_all(path, error);
    if (error) throw Exception("无法删除" + Quoted(path) + "：" + error.message());
}

void TFavoritesFolder::CheckInside(const std::string& path) const {
    std::string normal = fs::path(path).lexically_normal().string();
    std::string root = fs::path(FRoot).lexically_normal().string();
    if (normal.rfind(root + "/", 0) != 0 || normal.size() == root.size() + 1)
        throw Exception(Quoted(path) + "不在收藏夹里。");
}

std::string TFavoritesFolder::CheckName(const std::string& name) {
    std::string trimmed = platform::Trim(name);
    if (trimmed.empty()) throw Exception("请输入名称。");
    if (trimmed == "." || trimmed == "..") throw Exception(Quoted(trimmed) + "不能作为名称。");
    for (unsigned char c : trimmed)
        if (c == '/' || c < 0x20 || c == 0x7F) throw Exception("名称中不能含有“/”或控制字符。");
    return trimmed;
}

std::string TFavoritesFolder::CleanName(const std::string& title) {
    std::string out = title;
    for (char& c : out)
        if (c == '/' || static_cast<unsigned char>(c) < 0x20 || c == 0x7F) c = '_';
    out = platform::Trim(out);
    return out == "." || out == ".." ? std::string() : out;
}

std::string TFavoritesFolder::ShortcutText(const std::string& url) {
    std::string value;
    for (char c : url)
        if (c != '\r' && c != '\n') value += c;
    return "[InternetShortcut]\r\nURL=" + platform::Trim(value) + "\r\n";
}
