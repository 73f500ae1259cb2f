#include "platform/TMemoryStream.h"

#include "platform/FileError.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <limits>
#include <sys/stat.h>
#include <unistd.h>

namespace {

std::string Describe(const char* what, const std::string& fileName, int error) {
    return std::string(what) + " \"" + fileName + "\": " + std::strerror(error);
}

// Closes the descriptor on every path out, including exceptions.
class TFileHandle {
public:
    explicit TFileHandle(int fd) : FFd(fd) {}
    ~TFileHandle() {
        if (FFd >= 0) ::close(FFd);
    }
    TFileHandle(const TFileHandle&) = delete;
    TFileHandle& operator=(const TFileHandle&) = delete;
    int Fd() const { return FFd; }
    // Closing reports late write errors (full disk on some file systems).
    int Close() {
        int result = ::close(FFd);
        FFd = -1;
        return result;
    }

private:
    int FFd;
};

size_t ReadAtMost(int fd, uint8_t* buffer, size_t count) {
    size_t done = 0;
    while (done < count) {
        ssize_t got = ::read(fd, buffer + done, count - done);
        if (got < 0 && errno == EINTR) continue;
        if (got < 0) return static_cast<size_t>(-1);
        if (got == 0) break;
        done += static_cast<size_t>(got);
    }
    return done;
}

bool WriteAll(int fd, const uint8_t* buffer, size_t count) {
    size_t done = 0;
    while (done < count) {
        ssize_t put = ::write(fd, buffer + done, count - done);
        if (put < 0 && errno == EINTR) continue;
        if (put <= 0) return false;
        done += static_cast<size_t>(put);
    }
    return true;
}

} // namespace

TMemoryStream::TMemoryStream(std::span<const uint8_t> bytes) : FBytes(bytes.begin(), bytes.end()) {}

void TMemoryStream::SetSize(int64_t size) {
    FBytes.resize(static_cast<size_t>(std::max<int64_t>(size, 0)));
}

void TMemoryStream::SetPosition(int64_t position) {
    FPosition = std::max<int64_t>(position, 0);
}

int64_t TMemoryStream::Seek(int64_t offset, TSeekOrigin origin) {
    int64_t base = 0;
    if (origin == TSeekOrigin::soCurrent) base = FPosition;
    if (origin == TSeekOrigin::soEnd) base = Size();
    SetPosition(base + offset);
    return FPosition;
}

int64_t TMemoryStream::Read(void* buffer, int64_t count) {
    if (count <= 0 || FPosition >= Size()) return 0;
    int64_t n = std::min(count, Size() - FPosition);
    std::memcpy(buffer, FBytes.data() + FPosition, static_cast<size_t>(n));
    FPosition += n;
    return n;
}

int64_t TMemoryStream::Write(const void* buffer, int64_t count) {
    if (count <= 0) return 0;
    int64_t end = FPosition + count;
    if (end > Size()) FBytes.resize(static_cast<size_t>(end));
    std::memcpy(FBytes.data() + FPosition, buffer, static_cast<size_t>(count));
    FPosition = end;
    return count;
}

void TMemoryStream::Clear() {
    FBytes.clear();
    FBytes.shrink_to_fit();
    FPosition = 0;
}

void TMemoryStream::LoadFromFile(const std::string& fileName) {
    LoadFromFile(fileName, std::numeric_limits<int64_t>::max());
}

void TMemoryStream::LoadFromFile(const std::string& fileName, int64_t maxBytes) {
    // Non-blocking, so that a named pipe put in place of the file cannot hang
    // the open; the descriptor is used only once it is known to be a file.
    TFileHandle file(::open(fileName.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK));
    if (file.Fd() < 0) throw platform::FileError(Describe("Cannot open file", fileName, errno));
    struct stat info {};
    if (::fstat(file.Fd(), &info) != 0)
        throw platform::FileError(Describe("Cannot open file", fileName, errno));
    if (!S_ISREG(info.st_mode))
        throw platform::FileError("Cannot open file \"" + fileName + "\": not a regular file");
    // Never more than the size seen at open: a file that grows meanwhile
    // cannot make the stream grow with it.
    std::vector<uint8_t> bytes(
        static_cast<size_t>(std::clamp<int64_t>(info.st_size, 0, std::max<int64_t>(maxBytes, 0))));
    size_t got = ReadAtMost(file.Fd(), bytes.data(), bytes.size());
    if (got == static_cast<size_t>(-1))
        throw platform::FileError(Describe("Cannot read file", fileName, errno));
    bytes.resize(got);
    FBytes = std::move(bytes);
    FPosition = 0;
}

void TMemoryStream::SaveToFile(const std::string& fileName) const {
    TFileHandle file(::open(fileName.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644));
    if (file.Fd() < 0) throw platform::FileError(Describe("Cannot create file", fileName, errno));
    if (!WriteAll(file.Fd(), FBytes.data(), FBytes.size()) || file.Close() != 0)
        throw platform::FileError(Describe("Cannot write file", fileName, errno));
}
