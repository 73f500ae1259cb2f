#pragma once
// The portal's home page and contact address, from xingfan.ini in the
// program folder; a missing file or key gives the built-in default.
#include <string>

struct TPortalConfig {
    static constexpr const char* DefaultHomePage = "http://www.xingfan.example/";
    static constexpr const char* DefaultContact = "service@xingfan.example";

    std::string HomePage = DefaultHomePage;
    std::string Contact = DefaultContact;

    // `programDir` ends with '/'.
    static TPortalConfig Load(const std::string& programDir);
};
