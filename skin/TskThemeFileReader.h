#pragma once
// The skin file reader: parses a whole skin file at construction into four
// tables (pictures, integers, bytes, strings) and answers lookups by key.
//
// Layout (little-endian, absolute offsets): a 24-byte header with the magic
// "StarSkinTB" in its first 12 bytes, its own size at 12 and the offset of
// the first entry record at 20; then a chain of 77-byte entry records (name
// [64], type [1], data offset [4], data size [4], next record [4]) that ends
// with a record whose next offset is 0 and which is itself never loaded.
//
// Damaged files never make the reader read outside the file, loop, or hold
// more entry bytes than the file has:
// - a file shorter than 16 bytes, or whose header size is below 24 or past
//   the end, has no entries; a larger header is read for its first 24 bytes;
// - the chain stops at a record that does not lie whole inside the file, at a
//   record offset it has already visited, and once the records read so far
//   would need more bytes than the file has;
// - an entry is skipped (and the chain goes on) when its data lies past the
//   end, when an integer entry has other than 4 data bytes or a byte entry
//   other than 1, or when its data would take the bytes loaded so far past
//   the size of the file (entries sharing data: a sound file never does);
// - entries of an unknown type are skipped silently, as the format says.
// Each stop or skip is noted in Problems(); nothing is raised for them.
#include "platform/TMemoryStream.h"

#include <cstddef>
#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <vector>

enum class TskThemeEntryType : uint8_t { Stream = 0, Integer = 1, Byte = 2, String = 3 };

constexpr std::string_view SkinFileMagic = "StarSkinTB";
constexpr size_t SkinFileMagicField = 12;
constexpr size_t SkinFileHeaderSize = 24;
constexpr size_t SkinFileRecordSize = 77;
constexpr size_t SkinFileNameSize = 64;

// True when the file can be opened and read for 16 bytes and its first 12
// bytes, up to the first NUL, are exactly the magic. Never raises.
bool IsValidThemeFile(const std::string& fileName);

class TskThemeFileReader {
public:
    struct TStreamItem {
        std::string Key;
        std::unique_ptr<TMemoryStream> Stream;
    };

    // Raises EFOpenError naming the file when it cannot be opened or read.
    // The file is closed again before the constructor returns.
    explicit TskThemeFileReader(const std::string& fileName);
    // Parses a skin file already in memory; the bytes are not kept.
    explicit TskThemeFileReader(std::span<const uint8_t> bytes);
    ~TskThemeFileReader() = default;
    TskThemeFileReader(const TskThemeFileReader&) = delete;
    TskThemeFileReader& operator=(const TskThemeFileReader&) = delete;

    // The first matching picture, rewound to position 0; nullptr when none.
    // The stream stays owned by the reader.
    TMemoryStream* GetStream(std::string_view key) const;
    // -1 when no integer entry matches or its text is not a 32-bit integer.
    int32_t GetInteger(std::string_view key) const;
    // The low 8 bits of the first matching byte entry are non-zero.
    bool GetBool(std::string_view key) const;

    // The tables in chain order, duplicates kept. The integer, byte and
    // string tables hold "key=value" texts.
    const std::vector<TStreamItem>& StreamTable() const { return FStreams; }
    const std::vector<std::string>& IntegerTable() const { return FIntegers; }
    const std::vector<std::string>& ByteTable() const { return FBytes; }
    const std::vector<std::string>& StringTable() const { return FStrings; }

    // Where the parse stopped early or what it skipped; empty for a sound
    // file. At most MaxProblems texts are kept; ProblemCount() counts all.
    static constexpr size_t MaxProblems = 16;
    const std::vector<std::string>& Problems() const { return FProblems; }
    size_t ProblemCount() const { return FProblemCount; }

private:
    struct TRecord;

    void Parse(std::span<const uint8_t> file);
    void ParseChain(std::span<const uint8_t> file, uint32_t offset);
    void LoadEntry(std::span<const uint8_t> file, const TRecord& record, uint64_t& budget);
    bool HasValidSize(const TRecord& record);
    void Append(const TRecord& record, std::span<const uint8_t> data);
    void Note(std::string problem);

    std::vector<TStreamItem> FStreams;
    std::vector<std::string> FIntegers;
    std::vector<std::string> FBytes;
    std::vector<std::string> FStrings;
    std::vector<std::string> FProblems;
    size_t FProblemCount = 0;
};
