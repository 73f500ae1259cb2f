#include "skin/TskThemeFileWriter.h"

#include "gui/Exception.h"
#include "platform/FileError.h"
#include "platform/TMemoryStream.h"

#include <cstring>
#include <limits>

namespace {

void PutU32(std::vector<uint8_t>& out, size_t at, uint64_t value) {
    for (int i = 0; i < 4; ++i)
        out[at + i] = static_cast<uint8_t>(value >> (8 * i));
}

void PutRecord(std::vector<uint8_t>& out, size_t at, const TskThemeFileWriter::TEntry& entry,
               uint64_t dataOffset, uint64_t next) {
    std::memcpy(out.data() + at, entry.Key.data(), entry.Key.size());
    out[at + 64] = entry.Type;
    PutU32(out, at + 65, dataOffset);
    PutU32(out, at + 69, entry.Data.size());
    PutU32(out, at + 73, next);
}

} // namespace

void TskThemeFileWriter::CheckKey(std::string_view key) {
    if (key.empty()) throw Exception("A skin file entry needs a key");
    if (key.size() > SkinFileNameSize)
        throw Exception("The skin file key \"" + std::string(key) + "\" is longer than 64 bytes");
    if (key.find('\0') != std::string_view::npos)
        throw Exception("A skin file key cannot hold a NUL byte");
}

void TskThemeFileWriter::Add(std::string_view key, uint8_t type, std::span<const uint8_t> data) {
    CheckKey(key);
    FEntries.push_back({std::string(key), type, std::vector<uint8_t>(data.begin(), data.end())});
}

void TskThemeFileWriter::AddStream(std::string_view key, std::span<const uint8_t> data) {
    Add(key, static_cast<uint8_t>(TskThemeEntryType::Stream), data);
}

void TskThemeFileWriter::AddStreamFromFile(std::string_view key, const std::string& fileName) {
    CheckKey(key);
    TMemoryStream file;
    try {
        file.LoadFromFile(fileName);
    } catch (const platform::FileError& error) {
        throw EFOpenError(error.what());
    }
    AddStream(key, file.Bytes());
}

void TskThemeFileWriter::AddInteger(std::string_view key, int32_t value) {
    auto bits = static_cast<uint32_t>(value);
    const uint8_t data[4] = {static_cast<uint8_t>(bits), static_cast<uint8_t>(bits >> 8),
                             static_cast<uint8_t>(bits >> 16), static_cast<uint8_t>(bits >> 24)};
    Add(key, static_cast<uint8_t>(TskThemeEntryType::Integer), data);
}

void TskThemeFileWriter::AddByte(std::string_view key, uint8_t value) {
    Add(key, static_cast<uint8_t>(TskThemeEntryType::Byte), std::span<const uint8_t>(&value, 1));
}

void TskThemeFileWriter::AddString(std::string_view key, std::string_view bytes) {
    Add(key, static_cast<uint8_t>(TskThemeEntryType::String),
        std::span<const uint8_t>(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size()));
}

std::vector<uint8_t> TskThemeFileWriter::Build() const {
    const uint64_t records = FEntries.size() + 1;
    uint64_t total = SkinFileHeaderSize + records * SkinFileRecordSize;
    for (const TEntry& entry : FEntries)
        total += entry.Data.size();
    if (total > std::numeric_limits<uint32_t>::max())
        throw Exception("A skin file cannot be larger than 4 GiB");

    std::vector<uint8_t> out(total, 0);
    std::memcpy(out.data(), SkinFileMagic.data(), SkinFileMagic.size());
    PutU32(out, 12, SkinFileHeaderSize);
    PutU32(out, 20, SkinFileHeaderSize);
    uint64_t data = SkinFileHeaderSize + records * SkinFileRecordSize;
    for (size_t i = 0; i < FEntries.size(); ++i) {
        size_t at = SkinFileHeaderSize + i * SkinFileRecordSize;
        PutRecord(out, at, FEntries[i], data, at + SkinFileRecordSize);
        if (!FEntries[i].Data.empty())
            std::memcpy(out.data() + data, FEntries[i].Data.data(), FEntries[i].Data.size());
        data += FEntries[i].Data.size();
    }
    // The terminating record stays all zeros: next offset 0 ends the chain.
    return out;
}

void TskThemeFileWriter::SaveToFile(const std::string& fileName) const {
    std::vector<uint8_t> bytes = Build();
    try {
        TMemoryStream(bytes).SaveToFile(fileName);
    } catch (const platform::FileError& error) {
        throw EFOpenError(error.what());
    }
}
