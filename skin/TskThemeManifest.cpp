#include "skin/TskThemeManifest.h"

#include "gui/Exception.h"
#include "platform/FileError.h"
#include "platform/TMemoryStream.h"
#include "platform/Text.h"

#include <charconv>
#include <filesystem>
#include <optional>

namespace {

// An error already placed on its manifest line.
class EManifestLineError : public Exception {
public:
    using Exception::Exception;
};

bool IsBlank(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\f' || c == '\v';
}

std::string_view TrimEnd(std::string_view text) {
    while (!text.empty() && IsBlank(text.back()))
        text.remove_suffix(1);
    return text;
}

std::string_view TrimStart(std::string_view text) {
    while (!text.empty() && IsBlank(text.front()))
        text.remove_prefix(1);
    return text;
}

// Takes the first blank-separated word off the front of text.
std::string_view NextWord(std::string_view& text) {
    text = TrimStart(text);
    size_t end = 0;
    while (end < text.size() && !IsBlank(text[end]))
        ++end;
    std::string_view word = text.substr(0, end);
    text = TrimStart(text.substr(end));
    return word;
}

std::vector<std::string_view> Words(std::string_view text) {
    std::vector<std::string_view> words;
    while (!(text = TrimStart(text)).empty())
        words.push_back(NextWord(text));
    return words;
}

std::optional<int64_t> ParseHex(std::string_view digits) {
    if (digits.empty() || digits.size() > 8) return std::nullopt;
    uint32_t value = 0;
    auto [ptr, ec] = std::from_chars(digits.data(), digits.data() + digits.size(), value, 16);
    if (ec != std::errc() || ptr != digits.data() + digits.size()) return std::nullopt;
    return static_cast<int32_t>(value);
}

std::optional<int64_t> ParseInteger(std::string_view text) {
    if (text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X'))
        return ParseHex(text.substr(2));
    return platform::ParseInt(text);
}

std::optional<int64_t> ParseInRange(std::string_view text, int64_t low, int64_t high) {
    std::optional<int64_t> value = platform::ParseInt(text);
    if (!value || *value < low || *value > high) return std::nullopt;
    return value;
}

bool IsBmp(std::span<const uint8_t> bytes) {
    return bytes.size() >= 2 && bytes[0] == 'B' && bytes[1] == 'M';
}

} // namespace

TskThemeManifest::TskThemeManifest(std::string sourceName, std::string baseDir)
    : FSourceName(std::move(sourceName)), FBaseDir(std::move(baseDir)) {}

TskThemeManifest TskThemeManifest::FromFile(const std::string& fileName) {
    TMemoryStream file;
    try {
        file.LoadFromFile(fileName);
    } catch (const platform::FileError& error) {
        throw EFOpenError(error.what());
    }
    TskThemeManifest manifest(fileName, std::filesystem::path(fileName).parent_path().string());
    std::span<const uint8_t> bytes = file.Bytes();
    manifest.Compile(std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()));
    return manifest;
}

void TskThemeManifest::Compile(std::string_view text) {
    while (!text.empty()) {
        size_t end = text.find('\n');
        ++FLine;
        CompileLine(text.substr(0, end));
        text = end == std::string_view::npos ? std::string_view() : text.substr(end + 1);
    }
}

void TskThemeManifest::CompileLine(std::string_view line) {
    line = TrimEnd(line);
    std::string_view rest = TrimStart(line);
    if (rest.empty() || rest.front() == '#' || rest.front() == ';') return;
    std::string kind(NextWord(rest));
    std::string key(NextWord(rest));
    if (key.empty()) Fail("\"" + kind + "\" needs a key");
    try {
        AddEntry(kind, key, rest);
    } catch (const EManifestLineError&) {
        throw;
    } catch (const Exception& error) {
        // The writer's and the file system's own errors, placed on the line.
        Fail(error.Message());
    }
}

void TskThemeManifest::AddEntry(std::string_view kind, const std::string& key,
                                std::string_view rest) {
    std::vector<std::string_view> words = Words(rest);
    auto expect = [&](size_t count, const char* what) {
        if (words.size() != count) Fail(std::string(kind) + " " + key + " needs " + what);
    };
    if (kind == "int") {
        expect(1, "one integer");
        std::optional<int64_t> value = ParseInteger(words[0]);
        if (!value || *value < INT32_MIN || *value > INT32_MAX)
            Fail("\"" + std::string(words[0]) + "\" is not a 32-bit integer");
        Remember("integer", key);
        FWriter.AddInteger(key, static_cast<int32_t>(*value));
    } else if (kind == "color") {
        expect(3, "three values r g b from 0 to 255");
        int32_t color = 0;
        for (size_t i = 0; i < 3; ++i) {
            std::optional<int64_t> part = ParseInRange(words[i], 0, 255);
            if (!part)
                Fail("\"" + std::string(words[i]) + "\" is not a colour value from 0 to 255");
            color |= static_cast<int32_t>(*part) << (8 * i);
        }
        Remember("integer", key);
        FWriter.AddInteger(key, color);
    } else if (kind == "bool") {
        expect(1, "0, 1, true or false");
        bool on = platform::SameText(words[0], "true") || words[0] == "1";
        if (!on && !platform::SameText(words[0], "false") && words[0] != "0")
            Fail("\"" + std::string(words[0]) + "\" is not 0, 1, true or false");
        Remember("byte", key);
        FWriter.AddBool(key, on);
    } else if (kind == "byte") {
        expect(1, "one value from 0 to 255");
        std::optional<int64_t> value = ParseInRange(words[0], 0, 255);
        if (!value) Fail("\"" + std::string(words[0]) + "\" is not a byte value from 0 to 255");
        Remember("byte", key);
        FWriter.AddByte(key, static_cast<uint8_t>(*value));
    } else if (kind == "string") {
        Remember("string", key);
        FWriter.AddString(key, rest);
    } else if (kind == "bmp") {
        if (rest.empty()) Fail("bmp " + key + " needs a file name");
        AddPicture(key, rest);
    } else {
        Fail("unknown entry kind \"" + std::string(kind) +
             "\" (int, color, bool, byte, string or bmp)");
    }
}

void TskThemeManifest::AddPicture(const std::string& key, std::string_view path) {
    std::filesystem::path file(path);
    if (file.is_relative() && !FBaseDir.empty()) file = std::filesystem::path(FBaseDir) / file;
    TMemoryStream picture;
    try {
        picture.LoadFromFile(file.string());
    } catch (const platform::FileError& error) {
        Fail(error.what());
    }
    if (!IsBmp(picture.Bytes())) Fail("\"" + file.string() + "\" is not a BMP picture");
    Remember("stream", key);
    FWriter.AddStream(key, picture.Bytes());
}

void TskThemeManifest::Remember(std::string_view table, const std::string& key) {
    std::string id = std::string(table) + "\n" + platform::AsciiLower(key);
    auto [found, added] = FFirstUse.emplace(id, FLine);
    if (added) return;
    FWarnings.push_back(FSourceName + ":" + std::to_string(FLine) + ": " + key +
                        " was already given on line " + std::to_string(found->second) +
                        "; the first one wins");
}

void TskThemeManifest::Fail(const std::string& what) const {
    throw EManifestLineError(FSourceName + ":" + std::to_string(FLine) + ": " + what);
}
