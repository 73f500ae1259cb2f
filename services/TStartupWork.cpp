#include "services/TStartupWork.h"

#include <map>
#include <memory>
#include <set>

#include "gui/Exception.h"
#include "platform/TUpdateModule.h"
#include "services/TDbConnection.h"
#include "services/THttpAntiFreeze.h"
#include "services/TUpdateCheck.h"
#include "services/TUpdateConfig.h"

namespace {

// A module stays loaded for the rest of the process; a missing one is told
// once, then the program goes on without it, since browsing does not need it.
std::map<std::string, std::unique_ptr<platform::TUpdateModule>>& LoadedModules() {
    static std::map<std::string, std::unique_ptr<platform::TUpdateModule>> modules;
    return modules;
}

std::set<std::string>& TriedAtStart() {
    static std::set<std::string> tried;
    return tried;
}

} // namespace

TStartupWork::TStartupWork(std::string appPath, std::string dataPath)
    : FAppPath(std::move(appPath)), FDataPath(std::move(dataPath)) {}

platform::TUpdateModule& TStartupWork::Module() {
    const std::string path = FAppPath + platform::TUpdateModule::FileName;
    std::unique_ptr<platform::TUpdateModule>& module = LoadedModules()[path];
    if (!module) {
        try {
            module = std::make_unique<platform::TUpdateModule>(path);
        } catch (const platform::UpdateModuleError& e) {
            throw Exception(e.what());
        }
    }
    return *module;
}

void TStartupWork::LoadModuleAtStart() {
    if (!TriedAtStart().insert(FAppPath).second) return;
    try {
        Module();
    } catch (const Exception& e) {
        if (OnWarning) OnWarning(e.Message() + "\n在线更新不可用。");
    }
}

std::optional<TStartRecord::TOutcome>
TStartupWork::RunStartRecord(const TParts& parts, const std::optional<std::string>& computerName) {
    LoadModuleAtStart();
    if (!parts.Connection || !parts.Query || !parts.Http) return std::nullopt;
    parts.Connection->SetBaseDir(FDataPath);
    if (parts.AntiFreeze) parts.AntiFreeze->SetOnlyWhenIdle(false);
    TStartRecord record(*parts.Query, *parts.Http, FDataPath,
                        TUpdateConfig::Load(FAppPath).BaseURL);
    try {
        return record.Run(computerName);
    } catch (const EStartRecordAborted&) {
        // The window went away during a download: nothing is left to report to.
    } catch (const std::exception& e) {
        if (OnError) OnError(e);
    }
    return std::nullopt;
}

void TStartupWork::CheckForUpdate(TTimer& timer) {
    TUpdateCheck check(TUpdateConfig::Load(FAppPath),
                       [this](int reason) { Module().OnLineUpdateFile(reason); });
    check.Run(timer);
}

void TStartupWork::UpdateNow() {
    Module().OnLineUpdateFile(1);
}
