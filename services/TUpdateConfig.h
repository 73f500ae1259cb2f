#pragma once
// The addresses the downloads and the update check use, from xingfan.ini in
// the program folder; a missing file or key gives the built-in default.
#include <string>

struct TUpdateConfig {
    static constexpr const char* DefaultBaseURL = "http://update.xingfan.example";
    static constexpr const char* DefaultTestURL = "http://www.example.com/";

    std::string BaseURL = DefaultBaseURL; // scheme and host, no trailing '/'
    std::string TestURL = DefaultTestURL;

    // `programDir` ends with '/'.
    static TUpdateConfig Load(const std::string& programDir);
    std::string UpdateFileURL() const { return BaseURL + "/Orbisurf.exe"; }
};
