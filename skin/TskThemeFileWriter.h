#pragma once
// Builds a skin file the reader accepts: the header, one record per entry in
// the order added, the terminating record, then the entries' data. Keys are
// 1 to 64 bytes without NUL; invalid keys and files past 4 GiB raise
// Exception.
#include "skin/TskThemeFileReader.h"

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

class TskThemeFileWriter {
public:
    struct TEntry {
        std::string Key;
        uint8_t Type = 0;
        std::vector<uint8_t> Data;
    };

    // Any type byte and any data: also builds the damaged or unusual files
    // that tests feed to the reader.
    void Add(std::string_view key, uint8_t type, std::span<const uint8_t> data);
    void AddStream(std::string_view key, std::span<const uint8_t> data);
    // Raises EFOpenError naming the file when it cannot be read.
    void AddStreamFromFile(std::string_view key, const std::string& fileName);
    void AddInteger(std::string_view key, int32_t value);
    void AddByte(std::string_view key, uint8_t value);
    void AddBool(std::string_view key, bool value) { AddByte(key, value ? 1 : 0); }
    void AddString(std::string_view key, std::string_view bytes);

    const std::vector<TEntry>& Entries() const { return FEntries; }
    std::vector<uint8_t> Build() const;
    // Raises EFOpenError naming the file when it cannot be written.
    void SaveToFile(const std::string& fileName) const;

private:
    static void CheckKey(std::string_view key);

    std::vector<TEntry> FEntries;
};
