#pragma once
// The external update module: a shared library beside the executable that
// exports `OnLineUpdateFile(int32_t)`. Loaded once; a missing file or export
// is an UpdateModuleError that names what is missing.
#include <cstdint>
#include <stdexcept>
#include <string>

namespace platform {

class UpdateModuleError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

class TUpdateModule {
public:
    static constexpr const char* FileName = "UpModule.so";
    static constexpr const char* ExportName = "OnLineUpdateFile";

    explicit TUpdateModule(const std::string& path);
    ~TUpdateModule();
    TUpdateModule(const TUpdateModule&) = delete;
    TUpdateModule& operator=(const TUpdateModule&) = delete;

    // 1: the user asked from the menu; 2: the update file is on the server.
    void OnLineUpdateFile(int32_t reason) const;
    const std::string& Path() const { return FPath; }

private:
    using TEntry = void (*)(int32_t);
    std::string FPath;
    void* FHandle = nullptr;
    TEntry FEntry = nullptr;
};

} // namespace platform
