#pragma once
// A growable block of owned bytes with a read/write position, the in-memory
// stream the skin reader hands out pictures in.
#include <cstdint>
#include <span>
#include <string>
#include <vector>

enum class TSeekOrigin { soBeginning, soCurrent, soEnd };

class TMemoryStream {
public:
    TMemoryStream() = default;
    explicit TMemoryStream(std::span<const uint8_t> bytes);

    int64_t Size() const { return static_cast<int64_t>(FBytes.size()); }
    // Cuts or extends (with zero bytes); the position is left where it was.
    void SetSize(int64_t size);
    int64_t Position() const { return FPosition; }
    // A position past the end is allowed (a later Write fills the gap with
    // zeros); a negative one is taken as 0 so that no read starts before the
    // first byte.
    void SetPosition(int64_t position);
    int64_t Seek(int64_t offset, TSeekOrigin origin);

    // Copies at most count bytes from the position on and advances past
    // them; returns how many were copied (0 at or past the end).
    int64_t Read(void* buffer, int64_t count);
    // Writes count bytes at the position, growing the stream as needed.
    int64_t Write(const void* buffer, int64_t count);
    void Clear();

    std::span<const uint8_t> Bytes() const { return FBytes; }

    // Replace the whole content; platform::FileError names the file on any
    // failure. Only regular files are loaded, so a device or a pipe cannot
    // feed the stream without end or hold the caller up.
    void LoadFromFile(const std::string& fileName);
    // Only the first maxBytes bytes (or fewer when the file is shorter).
    void LoadFromFile(const std::string& fileName, int64_t maxBytes);
    void SaveToFile(const std::string& fileName) const;

private:
    std::vector<uint8_t> FBytes;
    int64_t FPosition = 0;
};
