#include "services/TPortalConfig.h"

#include "platform/ProfileReader.h"
#include "services/SiteHost.h"

namespace {

// A line of the ini file holds at most this many hosts.
constexpr size_t kMaxHosts = 64;

void AddHost(std::vector<std::string>& hosts, const std::string& host) {
    if (host.empty() || host == kLocalSite || hosts.size() >= kMaxHosts) return;
    for (const std::string& known : hosts)
        if (known == host) return;
    hosts.push_back(host);
}

// Each entry is a host or an address; the host is what counts.
void AddHostList(std::vector<std::string>& hosts, const std::string& list) {
    std::string entry;
    for (size_t i = 0; i <= list.size(); ++i) {
        char c = i < list.size() ? list[i] : ',';
        if (c == ',' || c == ';' || c == ' ' || c == '\t') {
            // "*.example.com" and ".example.com" name the subdomains, as
            // every entry does.
            size_t skip = entry.find_first_not_of("*.");
            if (skip != std::string::npos) {
                entry.erase(0, skip);
                AddHost(hosts,
                        SiteOf(entry.find("://") == std::string::npos ? "http://" + entry : entry));
            }
            entry.clear();
        } else {
            entry += c;
        }
    }
}

// The home page "www.xingfan.example" names the portal "xingfan.example":
// its games live beside it (game.xingfan.example).
std::string PortalDomain(const std::string& host) {
    if (host.rfind("www.", 0) == 0 && host.find('.', 4) != std::string::npos) return host.substr(4);
    return host;
}

} // namespace

TPortalConfig TPortalConfig::Load(const std::string& programDir) {
    const std::string file = programDir + "xingfan.ini";
    TPortalConfig config;
    config.HomePage =
        platform::GetPrivateProfileString("Portal", "HomePage", DefaultHomePage, 2048, file);
    config.Contact =
        platform::GetPrivateProfileString("Portal", "Contact", DefaultContact, 2048, file);
    if (config.HomePage.empty()) config.HomePage = DefaultHomePage;
    if (config.Contact.empty()) config.Contact = DefaultContact;
    AddHost(config.Hosts, PortalDomain(SiteOf(config.HomePage)));
    AddHostList(config.Hosts, platform::GetPrivateProfileString("Portal", "Hosts", "", 4096, file));
    return config;
}

bool TPortalConfig::IsPortalHost(const std::string& host) const {
    for (const std::string& portal : Hosts)
        if (IsHostWithin(host, portal)) return true;
    return false;
}
