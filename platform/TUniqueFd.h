#pragma once
// Owns a POSIX file descriptor and closes it once.
#include <unistd.h>

namespace platform {

class TUniqueFd {
public:
    explicit TUniqueFd(int fd = -1) : FFd(fd) {}
    ~TUniqueFd() { Reset(); }
    TUniqueFd(TUniqueFd&& other) noexcept : FFd(other.Release()) {}
    TUniqueFd& operator=(TUniqueFd&& other) noexcept {
        if (this != &other) {
            Reset();
            FFd = other.Release();
        }
        return *this;
    }
    TUniqueFd(const TUniqueFd&) = delete;
    TUniqueFd& operator=(const TUniqueFd&) = delete;

    int Get() const { return FFd; }
    bool Valid() const { return FFd >= 0; }
    int Release() {
        int fd = FFd;
        FFd = -1;
        return fd;
    }
    // Closes now; returns close()'s result so writers can see a late error.
    int Reset() {
        int result = FFd >= 0 ? ::close(FFd) : 0;
        FFd = -1;
        return result;
    }

private:
    int FFd;
};

} // namespace platform
