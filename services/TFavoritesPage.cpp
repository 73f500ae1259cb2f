#include "services/TFavoritesPage.h"

#include "platform/browser/BrowserURL.h"

#include <sys/stat.h>

#include <cstdio>
#include <cstdlib>
#include <set>
#include <utility>
#include <vector>

#include "gui/Exception.h"
#include "gui/TStringList.h"
#include "platform/Kernel.h"
#include "platform/ProfileReader.h"
#include "platform/TDataFolder.h"
#include "platform/Text.h"

namespace {

using TLines = std::vector<std::string>;
using TFolderId = std::pair<dev_t, ino_t>;

constexpr const char* kHead[] = {
    "<html>",
    "<head><Title>我的收藏夹</Title></head>",
    "<Body bgcolor=\"white\" style=\"color:#000000; font-size: 12px;\">",
};
constexpr const char* kTail = "</BODY></HTML>";
// The platform's reader is handed a buffer of this many characters.
constexpr size_t kURLBufferChars = 2048;

std::string EnvOr(const char* name, const std::string& fallback) {
    const char* value = std::getenv(name);
    return value && *value ? std::string(value) : fallback;
}

std::string StripTrailingSlashes(std::string path) {
    while (path.size() > 1 && path.back() == '/')
        path.pop_back();
    return path;
}

std::string ReadURL(const std::string& path, bool isRegularFile) {
    if (!isRegularFile) return "";
    return platform::GetPrivateProfileString("InternetShortcut", "URL", "", kURLBufferChars, path);
}

// Walks one folder; `walking` holds the folders between the top and this
// one, so a link back to any of them is not followed again.
class TWalker {
public:
    void Walk(const std::string& folder, TLines& lines) {
        struct stat info {};
        if (::stat(folder.c_str(), &info) != 0) return;
        TFolderId id{info.st_dev, info.st_ino};
        if (!FWalking.insert(id).second) return;
        std::vector<platform::TDirEntry> entries = platform::ListDirectory(folder);
        AddShortcuts(folder, entries, lines);
        AddSubfolders(folder, entries, lines);
        FWalking.erase(id);
    }

private:
    static void AddShortcuts(const std::string& folder,
                             const std::vector<platform::TDirEntry>& entries, TLines& lines) {
        for (const platform::TDirEntry& entry : entries) {
            if (!platform::MatchesMask(entry.Name, "*.url")) continue;
            std::string url = ReadURL(folder + "/" + entry.Name, entry.IsFile);
            lines.push_back(TFavoritesPage::LinkLine(url, TFavoritesPage::TitleOf(entry.Name)));
        }
    }

    void AddSubfolders(const std::string& folder, const std::vector<platform::TDirEntry>& entries,
                       TLines& lines) {
        for (const platform::TDirEntry& entry : entries) {
            if (!entry.IsDirectory || entry.Name.empty() || entry.Name[0] == '.') continue;
            lines.emplace_back("<BR>");
            lines.push_back(TFavoritesPage::EscapeHtml(platform::DecodeText(entry.Name)) + "<BR>");
            Walk(folder + "/" + entry.Name, lines);
        }
    }

    std::set<TFolderId> FWalking;
};

std::unique_ptr<TStringList> ToList(const TLines& lines) {
    auto list = std::make_unique<TStringList>();
    list->Assign(lines);
    return list;
}

} // namespace

std::string TFavoritesPage::Folder() {
    std::string own = EnvOr("XINGFAN_FAVORITES", "");
    if (!own.empty()) return StripTrailingSlashes(own);
    return platform::TDataFolder::UserFolder() + "Favorites";
}

std::unique_ptr<TStringList> TFavoritesPage::GetIEFavourites(const std::string& folder) {
    TLines lines;
    TWalker().Walk(folder, lines);
    return ToList(lines);
}

std::unique_ptr<TStringList> TFavoritesPage::Build(const std::string& folder) {
    TLines lines(std::begin(kHead), std::end(kHead));
    TWalker().Walk(folder, lines);
    lines.emplace_back(kTail);
    return ToList(lines);
}

// The byte-order mark is not a line of the page: it only tells the pane's
// browser that the text is UTF-8, since the head carries no charset.
std::string TFavoritesPage::Write(const std::string& dataPath, const std::string& folder) {
    std::string path = dataPath + FileName;
    std::string temp = path + ".tmp";
    std::string text = "\xEF\xBB\xBF" + Build(folder)->Text();
    std::FILE* file = std::fopen(temp.c_str(), "wb");
    if (!file) throw EFOpenError("Cannot create file \"" + path + "\"");
    bool written = std::fwrite(text.data(), 1, text.size(), file) == text.size();
    written = std::fclose(file) == 0 && written;
    if (!written || std::rename(temp.c_str(), path.c_str()) != 0) {
        std::remove(temp.c_str());
        throw EFOpenError("Cannot write file \"" + path + "\"");
    }
    return path;
}

std::string TFavoritesPage::LinkLine(std::string_view address, std::string_view title) {
    return "<a href=\"" + EscapeHtml(HrefOf(address)) + "\">" + EscapeHtml(title) + "</a><BR>";
}

// Line breaks become character references too, so that a strange file name
// can never split a link over two lines of the page.
std::string TFavoritesPage::EscapeHtml(std::string_view text) { return platform::HtmlEscape(text); }

bool TFavoritesPage::IsScriptAddress(std::string_view address) {
    size_t start = 0;
    while (start < address.size() && static_cast<unsigned char>(address[start]) <= 0x20)
        ++start;
    std::string scheme;
    for (size_t i = start; i < address.size() && scheme.size() < 11; ++i) {
        char c = address[i];
        if (c == '\t' || c == '\n' || c == '\r') continue;
        scheme += c;
    }
    return platform::SameText(scheme, "javascript:");
}

std::string TFavoritesPage::HrefOf(std::string_view address) {
    if (IsScriptAddress(address)) return "#" + std::string(address);
    return std::string(address);
}

std::string TFavoritesPage::ReadShortcutURL(const std::string& path) {
    struct stat info {};
    bool regular = ::stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode);
    return ReadURL(path, regular);
}

std::string TFavoritesPage::TitleOf(std::string_view fileName) {
    std::string name = platform::DecodeText(fileName);
    name.resize(name.size() >= 4 ? name.size() - 4 : 0);
    return name;
}
