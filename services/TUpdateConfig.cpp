#include "services/TUpdateConfig.h"

#include "platform/ProfileReader.h"

TUpdateConfig TUpdateConfig::Load(const std::string& programDir) {
    const std::string file = programDir + "xingfan.ini";
    TUpdateConfig config;
    config.BaseURL =
        platform::GetPrivateProfileString("Update", "BaseURL", DefaultBaseURL, 2048, file);
    config.TestURL =
        platform::GetPrivateProfileString("Network", "TestURL", DefaultTestURL, 2048, file);
    if (config.BaseURL.empty()) config.BaseURL = DefaultBaseURL;
    if (config.TestURL.empty()) config.TestURL = DefaultTestURL;
    while (config.BaseURL.size() > 1 && config.BaseURL.back() == '/')
        config.BaseURL.pop_back();
    return config;
}
