// The start record, the game-list downloads, the update check and the
// update module.
#include <memory>

#include "app/TFrmMain.h"
#include "gui/TApplication.h"
#include "platform/Kernel.h"
#include "platform/TUpdateModule.h"
#include "services/TDbConnection.h"
#include "services/TDbQuery.h"
#include "services/THttpAntiFreeze.h"
#include "services/THttpClient.h"
#include "services/TStartRecord.h"
#include "services/TUpdateCheck.h"
#include "services/TUpdateConfig.h"

namespace {

// The module is loaded once per process and stays loaded.
std::unique_ptr<platform::TUpdateModule> GUpdateModule;
bool GModuleLoadTried = false;

std::string ModulePath() {
    return AppPath + platform::TUpdateModule::FileName;
}

// Throws Exception naming the file when the module cannot be loaded.
platform::TUpdateModule& UpdateModule() {
    if (!GUpdateModule) {
        try {
            GUpdateModule = std::make_unique<platform::TUpdateModule>(ModulePath());
        } catch (const platform::UpdateModuleError& e) {
            throw Exception(e.what());
        }
    }
    return *GUpdateModule;
}

// Loaded at start; a missing module is told once, then the program goes on
// without it, since browsing does not need it.
void LoadUpdateModuleAtStart() {
    if (GModuleLoadTried) return;
    GModuleLoadTried = true;
    try {
        UpdateModule();
    } catch (const Exception& e) {
        Application->MessageBox(e.Message() + "\n在线更新不可用。", "系统提示",
                                MB_OK | MB_ICONWARNING);
    }
}

} // namespace

namespace {

// Touches the window only before the first download; after that only the
// components, through references that notice when they are gone.
void RunStartRecord(TFrmMain& form) {
    LoadUpdateModuleAtStart();
    form.adoqSys->SetBaseDir(DataPath);
    form.IdAntiFreeze1->SetOnlyWhenIdle(false);
    TStartRecord record(*form.adoqSystem, *form.IdHTTP1, DataPath,
                        TUpdateConfig::Load(AppPath).BaseURL);
    try {
        record.Run(platform::ComputerName());
    } catch (const EStartRecordAborted&) {
        // The window went away during a download: nothing is left to report to.
    } catch (const std::exception& e) {
        Application->HandleException(nullptr, e);
    }
}

} // namespace

// The start-up work runs from the message queue right after the window is
// shown, so that closing the window in the middle of a download unwinds only
// this work and never a window that is still being shown.
void TFrmMain::FormShow(TObject*) {
    TSafeRef<TFrmMain> self(this);
    Application->Queue([self] {
        if (TFrmMain* form = self.Get()) RunStartRecord(*form);
    });
}

void TFrmMain::timUpdateTimer(TObject*) {
    TUpdateCheck check(TUpdateConfig::Load(AppPath),
                       [](int reason) { UpdateModule().OnLineUpdateFile(reason); });
    check.Run(*timUpdate);
}

// The menu's update command: straight to the module, without any check.
void TFrmMain::UpdateFromMenu() {
    UpdateModule().OnLineUpdateFile(1);
}
