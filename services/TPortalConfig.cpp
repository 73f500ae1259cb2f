#include "services/TPortalConfig.h"

#include "platform/ProfileReader.h"

TPortalConfig TPortalConfig::Load(const std::string& programDir) {
    const std::string file = programDir + "xingfan.ini";
    TPortalConfig config;
    config.HomePage = platform::GetPrivateProfileString("Portal", "HomePage", DefaultHomePage, 2048, file);
    config.Contact = platform::GetPrivateProfileString("Portal", "Contact", DefaultContact, 2048, file);
    if (config.HomePage.empty()) config.HomePage = DefaultHomePage;
    if (config.Contact.empty()) config.Contact = DefaultContact;
    return config;
}
