#include "platform/ProfileReader.h"

#include "platform/FileError.h"
#include "platform/TProfile.h"
#include "platform/TUniqueFd.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace platform {

namespace {

[[noreturn]] void Fail(const std::string& fileName, const char* what, int error) {
    throw FileError("Cannot read file \"" + fileName + "\": " + what +
                    (error ? std::string(": ") + std::strerror(error) : std::string()));
}

// Reads until end of file or `limit` bytes, whichever comes first.
std::string ReadUpTo(int fd, std::size_t limit, const std::string& fileName) {
    std::string bytes;
    char buffer[65536];
    while (bytes.size() < limit) {
        std::size_t want = std::min(sizeof buffer, limit - bytes.size());
        ssize_t got = ::read(fd, buffer, want);
        if (got < 0 && errno == EINTR) continue;
        if (got < 0) Fail(fileName, "read failed", errno);
        if (got == 0) break;
        bytes.append(buffer, static_cast<std::size_t>(got));
    }
    return bytes;
}

} // namespace

std::string ReadProfileFile(const std::string& fileName) {
    TUniqueFd fd(::open(fileName.c_str(), O_RDONLY | O_CLOEXEC));
    if (fd.Get() < 0) Fail(fileName, "cannot open", errno);
    struct stat info {};
    if (::fstat(fd.Get(), &info) != 0) Fail(fileName, "cannot stat", errno);
    if (S_ISDIR(info.st_mode)) Fail(fileName, "it is a folder", 0);
    return ReadUpTo(fd.Get(), TProfile::MaxFileBytes + 1, fileName);
}

std::string ProfileDefault(std::optional<std::string_view> defaultValue) {
    if (!defaultValue) return {};
    std::string_view text = *defaultValue;
    while (!text.empty() && text.back() == ' ')
        text.remove_suffix(1);
    return std::string(text);
}

// Length in bytes of the UTF-8 sequence starting with `lead`; malformed
// bytes count as one, as they would decode to one replacement character.
static std::size_t SequenceLength(unsigned char lead) {
    if (lead >= 0xF0 && lead <= 0xF4) return 4;
    if (lead >= 0xE0) return lead <= 0xEF ? 3 : 1;
    if (lead >= 0xC2) return 2;
    return 1;
}

std::string LimitToBufferChars(std::string_view text, std::size_t bufferChars) {
    if (bufferChars == 0) return {};
    std::size_t unitsLeft = bufferChars - 1;
    std::size_t i = 0;
    while (i < text.size()) {
        std::size_t length = SequenceLength(static_cast<unsigned char>(text[i]));
        if (i + length > text.size()) length = 1;
        std::size_t units = length == 4 ? 2 : 1;
        if (units > unitsLeft) break;
        unitsLeft -= units;
        i += length;
    }
    return std::string(text.substr(0, i));
}

std::string GetPrivateProfileString(std::string_view section, std::string_view key,
                                    std::optional<std::string_view> defaultValue,
                                    std::size_t bufferChars, const std::string& fileName) {
    if (fileName.empty()) return LimitToBufferChars(ProfileDefault(defaultValue), bufferChars);
    try {
        TProfile profile = TProfile::LoadFromFile(fileName);
        return profile.ReadString(section, key, defaultValue, bufferChars);
    } catch (const FileError&) {
        return LimitToBufferChars(ProfileDefault(defaultValue), bufferChars);
    }
}

} // namespace platform
