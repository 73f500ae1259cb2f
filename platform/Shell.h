#pragma once
// Hands a document or an address to the desktop's default program (a text
// viewer, the mail program), never through a shell command line.
#include <functional>
#include <string>

namespace platform {

// Throws std::runtime_error with the desktop's reason when nothing opens it.
void OpenDocument(const std::string& fileOrUri);

// Hands the address or absolute file name to the desktop's program for its
// scheme or type and returns at once. `done` runs later from the main loop with "" when a
// program took it, else the reason; `noProgram` says that none is set up
// for it. Never called from inside this call.
using TOpenDone = std::function<void(bool noProgram, const std::string& reason)>;
void OpenDocumentAsync(const std::string& fileOrUri, TOpenDone done);

} // namespace platform
