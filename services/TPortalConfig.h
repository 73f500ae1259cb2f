#pragma once
// The portal's home page, contact address and own hosts, from xingfan.ini
// in the program folder; a missing file or key gives the built-in default.
#include <string>
#include <vector>

struct TPortalConfig {
    static constexpr const char* DefaultHomePage = "http://www.xingfan.example/";
    static constexpr const char* DefaultContact = "service@xingfan.example";

    std::string HomePage = DefaultHomePage;
    std::string Contact = DefaultContact;
    // The portal's own hosts, in lower case: the home page's (without a
    // leading "www."), then those listed in [Portal] Hosts (separated by
    // commas, semicolons or spaces).
    std::vector<std::string> Hosts;

    // True for a host of the portal or a subdomain of one.
    bool IsPortalHost(const std::string& host) const;

    // `programDir` ends with '/'.
    static TPortalConfig Load(const std::string& programDir);
};
