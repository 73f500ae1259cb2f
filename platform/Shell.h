#pragma once
// Hands a document or an address to the desktop's default program (a text
// viewer, the mail program), never through a shell command line.
#include <string>

namespace platform {

// Throws std::runtime_error with the desktop's reason when nothing opens it.
void OpenDocument(const std::string& fileOrUri);

} // namespace platform
