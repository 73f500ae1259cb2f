#pragma once
// Names for downloaded files. A name that a server or a page suggests is
// outside data: it is reduced to a plain base name that cannot leave the
// download folder, hide itself or break the terminal that lists it.
#include <cstddef>
#include <string>
#include <string_view>

namespace platform {

// Longest cleaned name in bytes: with a "(n)" number and ".part" added it
// stays well under the 255 bytes a file name may have.
inline constexpr size_t kMaxDownloadNameBytes = 180;
// What an unusable suggestion becomes.
inline constexpr std::string_view kDefaultDownloadName = "下载";

// The part after the last '/' or '\', without control and direction-override
// characters, malformed UTF-8 bytes replaced by '_', leading dots and
// surrounding spaces removed, trailing dots removed, at most
// kMaxDownloadNameBytes (the extension kept when the name is cut, never half
// a character); kDefaultDownloadName when nothing is left.
std::string CleanDownloadName(std::string_view suggested);

// "name.ext" for 0, else "name(n).ext"; the number goes before the last
// extension ("a.tar(1).gz"), or at the end of a name without one.
std::string NumberedDownloadName(std::string_view name, int number);

} // namespace platform
