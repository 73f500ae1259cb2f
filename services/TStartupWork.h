#pragma once
// The work the main window hands over once it is up: the update module
// (loaded once per process and program folder), the start record with its
// list downloads, the timer's update check and the menu's update command.
// It holds no window: what the user must hear goes to OnWarning, a failure
// of the start record to OnError.
#include <exception>
#include <functional>
#include <optional>
#include <string>

#include "services/TStartRecord.h"

class TDbConnection;
class TDbQuery;
class THttpAntiFreeze;
class THttpClient;
class TTimer;
namespace platform {
class TUpdateModule;
}

class TStartupWork {
public:
    // The data module's components the start record runs on.
    struct TParts {
        TDbConnection* Connection = nullptr;
        TDbQuery* Query = nullptr;
        THttpClient* Http = nullptr;
        THttpAntiFreeze* AntiFreeze = nullptr; // optional
    };

    // `appPath` holds the module and the configuration files, `dataPath`
    // the database and the downloaded lists; both end with a separator.
    TStartupWork(std::string appPath, std::string dataPath);

    // Loads the module first (a missing one is told once), then runs the
    // start record. Nothing runs without the connection, the query or the
    // client. Empty when nothing ran, when the record's window went away
    // during a download, or after an error (handed to OnError).
    std::optional<TStartRecord::TOutcome>
    RunStartRecord(const TParts& parts, const std::optional<std::string>& computerName);
    // The timer's tick.
    void CheckForUpdate(TTimer& timer);
    // The menu's update command: straight to the module, without any check.
    void UpdateNow();
    // Throws Exception naming the file when the module cannot be loaded.
    platform::TUpdateModule& Module();

    std::function<void(const std::string& message)> OnWarning;
    std::function<void(const std::exception& error)> OnError;

private:
    void LoadModuleAtStart();

    std::string FAppPath;
    std::string FDataPath;
};
