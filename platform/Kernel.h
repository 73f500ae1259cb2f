#pragma once
// The kernel services the program asks the platform for: the computer's
// name, the program folder, paths written with backslashes, file checks and
// directory searches in the order the file system keeps its entries.
#include <cstddef>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace platform {

class KernelError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// The computer's name, or nothing when the system cannot give one or it does
// not fit a buffer of `bufferBytes` with its terminating NUL (the platform's
// call fails then too). Callers stop what needs the name when it is absent.
std::optional<std::string> ComputerName(std::size_t bufferBytes = 255);

// The folder of the running executable, with a trailing '/'. Throws
// KernelError when the system does not say where it is.
std::string ExecutableDir();

// Turns the program's backslash paths ("Skins\", AppPath + "\images\show.bmp")
// into native ones: every '\' becomes '/', and runs of separators collapse
// into one, so "a/" + "\b" is "a/b". Nothing else is changed.
std::string NativePath(std::string_view path);

// True for anything that exists and is not a folder (symbolic links followed).
bool FileExists(const std::string& path);
bool DirectoryExists(const std::string& path);
// Removes a file (never a folder); false when it could not be removed.
bool DeleteFile(const std::string& path);

struct TDirEntry {
    std::string Name;         // as stored, not decoded
    bool IsDirectory = false; // after following a symbolic link
    bool IsFile = false;      // a regular file, after following a symbolic link
    bool IsSymlink = false;   // lets a walk over folders avoid link loops
};

// Every entry of `folder`, "." and ".." included, in the order the file
// system returns them; a folder that is missing or unreadable has none.
std::vector<TDirEntry> ListDirectory(const std::string& folder);
// The entries whose names match `mask`: '*' any run of characters, '?' one
// character, letters without regard to case; "*.*" matches every name, as
// the platform's search does.
std::vector<TDirEntry> FindFiles(const std::string& folder, std::string_view mask);
bool MatchesMask(std::string_view name, std::string_view mask);

} // namespace platform
