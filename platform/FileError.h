#pragma once
// A file of the platform layer could not be opened, read or written. The
// message names the file. The framework's own file-open error lives above
// this layer, so callers up there translate this one into it.
#include <stdexcept>
#include <string>

namespace platform {

class FileError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

} // namespace platform
