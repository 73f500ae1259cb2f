#pragma once
// Pictures of pages kept as PNG files in the user's pictures folder.
#include <string>

#include "platform/browser/IBrowserEngine.h"

namespace platform {

// The user's pictures folder as the desktop names it, else ~/Pictures.
std::string PicturesFolder();

// Writes `picture` into `folder` (made when missing) as "<stem>.png", or
// "<stem>(1).png", "<stem>(2).png" … when taken: a file already there is
// never replaced, even by another program writing at the same moment.
// Answers the path written; raises std::runtime_error with the reason for
// the user.
std::string WriteNewPng(const std::string& folder, const std::string& stem,
                        const TPageSnapshot& picture);

} // namespace platform
