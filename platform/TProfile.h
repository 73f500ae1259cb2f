#pragma once
// An INI file read once and then asked for many values, with the lookup
// rules of the platform's profile functions: names compared without regard
// to case, the first section and the first key of a name win, spaces and
// one pair of matching quotes around a value removed, ';' only at the start
// of a line. Decoding happens before anything is split, so a GBK character
// whose second byte looks like '[' or ']' never cuts a name.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace platform {

class TProfile {
public:
    // Files are read up to this size; the rest is dropped at the last line
    // break before it, so a huge file costs bounded time and memory.
    static constexpr std::size_t MaxFileBytes = std::size_t{64} << 20;

    TProfile() = default;
    // `bytes` is the raw file content: UTF-8 when valid, else GB18030.
    explicit TProfile(std::string_view bytes);
    // Throws FileError naming the file when it is missing or unreadable.
    static TProfile LoadFromFile(const std::string& fileName);

    bool SectionExists(std::string_view section) const;
    // The value as the profile functions return it (trimmed, unquoted), or
    // nothing when the section or the key is absent.
    std::optional<std::string> FindValue(std::string_view section, std::string_view key) const;
    // GetPrivateProfileString on this file: see ProfileReader.h.
    std::string ReadString(std::string_view section, std::string_view key,
                           std::optional<std::string_view> defaultValue,
                           std::size_t bufferChars) const;

    // Distinct section names in file order, spelt as first written.
    std::vector<std::string> SectionNames() const;
    // Distinct key names of the (first) section in file order.
    std::vector<std::string> KeyNames(std::string_view section) const;
    // True when the file was longer than MaxFileBytes and its tail was dropped.
    bool Truncated() const { return FTruncated; }

private:
    struct TSection {
        uint32_t NameBegin;
        uint32_t NameLength;
        uint32_t BodyBegin;
        uint32_t BodyEnd;
    };

    void IndexSections();
    void AddToIndex(uint32_t sectionIndex);
    void GrowIndex();
    const TSection* FindSection(std::string_view section) const;
    std::string_view SectionName(const TSection& section) const;

    bool FTruncated = false;
    std::string FText; // decoded to UTF-8
    std::vector<TSection> FSections;
    // Open addressing over the folded names: section index + 1, 0 when free.
    std::vector<uint32_t> FSlots;
    std::size_t FUsedSlots = 0;
};

} // namespace platform
