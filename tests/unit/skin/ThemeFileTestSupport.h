#pragma once
// Helpers for the skin file tests: a scratch folder, and a byte-level
// builder for skin files the writer would never produce.
#include "platform/TMemoryStream.h"

#include <cstdint>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>
#include <string_view>
#include <vector>

#include <stdlib.h>

namespace skinfile_test {

class TScratchDir {
public:
    TScratchDir() {
        std::string pattern =
            (std::filesystem::temp_directory_path() / "xf-skinfile-XXXXXX").string();
        FPath = ::mkdtemp(pattern.data());
    }
    ~TScratchDir() {
        std::error_code ignored;
        std::filesystem::remove_all(FPath, ignored);
    }
    std::string File(std::string_view name) const { return (FPath / name).string(); }
    std::string Write(std::string_view name, const std::vector<uint8_t>& bytes) const {
        std::string path = File(name);
        std::ofstream(path, std::ios::binary)
            .write(reinterpret_cast<const char*>(bytes.data()),
                   static_cast<std::streamsize>(bytes.size()));
        return path;
    }
    std::string Write(std::string_view name, std::string_view text) const {
        return Write(name, std::vector<uint8_t>(text.begin(), text.end()));
    }
    const std::filesystem::path& Path() const { return FPath; }

private:
    std::filesystem::path FPath;
};

// Places header, records and data at chosen offsets of a zero-filled file.
class TRawSkin {
public:
    explicit TRawSkin(size_t size, uint32_t headerSize = 24, uint32_t first = 24) : FBytes(size) {
        std::memcpy(FBytes.data(), "StarSkinTB", 10);
        PutU32(12, headerSize);
        PutU32(20, first);
    }
    void PutU32(size_t at, uint32_t value) {
        for (int i = 0; i < 4; ++i)
            FBytes.at(at + i) = static_cast<uint8_t>(value >> (8 * i));
    }
    void Record(uint32_t at, std::string_view name, uint8_t type, uint32_t dataOffset,
                uint32_t dataSize, uint32_t next) {
        std::memcpy(&FBytes.at(at), name.data(), name.size());
        FBytes.at(at + 64) = type;
        PutU32(at + 65, dataOffset);
        PutU32(at + 69, dataSize);
        PutU32(at + 73, next);
    }
    void Put(size_t at, std::string_view bytes) {
        std::memcpy(&FBytes.at(at), bytes.data(), bytes.size());
    }
    const std::vector<uint8_t>& Bytes() const { return FBytes; }

private:
    std::vector<uint8_t> FBytes;
};

// Reads the stream from its position to the end.
inline std::string ReadRest(TMemoryStream& stream) {
    std::string out(static_cast<size_t>(stream.Size() - stream.Position()), '\0');
    out.resize(static_cast<size_t>(stream.Read(out.data(), static_cast<int64_t>(out.size()))));
    return out;
}

} // namespace skinfile_test
