// Internet shortcut files and names into link lines: whatever the bytes,
// the line is one line of valid UTF-8 with exactly the markup of a link, the
// address read from disk matches the one read from memory, and a script
// address never stays a runnable href.
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>
#include <string_view>

#include "platform/TProfile.h"
#include "platform/Text.h"
#include "services/TFavoritesPage.h"

static void Check(bool condition) {
    if (!condition) __builtin_trap();
}

static size_t Count(std::string_view text, std::string_view part) {
    size_t n = 0;
    for (size_t at = text.find(part); at != std::string_view::npos; at = text.find(part, at + 1))
        ++n;
    return n;
}

static const std::string& TempFile() {
    static const std::string path = "/tmp/xf-fuzz-shortcut-" + std::to_string(::getpid()) + ".url";
    return path;
}

static std::string ReadFromDisk(std::string_view content) {
    std::FILE* file = std::fopen(TempFile().c_str(), "wb");
    if (!file) return "";
    if (!content.empty()) std::fwrite(content.data(), 1, content.size(), file);
    std::fclose(file);
    return TFavoritesPage::ReadShortcutURL(TempFile());
}

static void CheckLine(const std::string& line, const std::string& address, bool validText) {
    Check(!validText || platform::IsValidUtf8(line));
    Check(line.rfind("<a href=\"", 0) == 0);
    Check(line.size() >= 17 && line.compare(line.size() - 8, 8, "</a><BR>") == 0);
    Check(Count(line, "\"") == 2 && Count(line, "'") == 0);
    Check(Count(line, "<") == 3 && Count(line, ">") == 3);
    Check(line.find('\r') == std::string::npos && line.find('\n') == std::string::npos);
    bool script = TFavoritesPage::IsScriptAddress(address);
    Check(!script || line.rfind("<a href=\"#", 0) == 0);
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::string_view input(reinterpret_cast<const char*>(data), size);
    // The first line names the file, the rest is its content.
    size_t cut = input.find('\n');
    std::string_view name = input.substr(0, cut == std::string_view::npos ? 0 : cut);
    std::string_view content = cut == std::string_view::npos ? input : input.substr(cut + 1);

    platform::TProfile profile(content);
    std::string address = profile.ReadString("InternetShortcut", "URL", "", 2048);
    Check(platform::IsValidUtf8(address));
    Check(platform::Utf8ToUtf16(address).size() <= 2047);
    Check(ReadFromDisk(content) == address);

    std::string title = TFavoritesPage::TitleOf(std::string(name) + ".url");
    Check(platform::IsValidUtf8(title));
    CheckLine(TFavoritesPage::LinkLine(address, title), address, true);
    std::string rawTitle(content.substr(0, 256));
    CheckLine(TFavoritesPage::LinkLine(std::string(name), rawTitle), std::string(name),
              platform::IsValidUtf8(name) && platform::IsValidUtf8(rawTitle));
    return 0;
}
