#include "services/TUpdateCheck.h"

#include "gui/TTimer.h"
#include "services/THttpAntiFreeze.h"
#include "services/THttpClient.h"

TUpdateCheck::TUpdateCheck(TUpdateConfig config, TModuleCall callModule)
    : FConfig(std::move(config)), FCallModule(std::move(callModule)) {}

TUpdateCheck::TOutcome TUpdateCheck::Run(TTimer& timerRef) {
    if (timerRef.Interval() != TimerInterval) return TOutcome::Skipped;
    TSafeRef<TTimer> timer(&timerRef);
    // The timer goes off before anything waits, so no second tick can start
    // a second check while this one runs.
    timer->SetEnabled(false);
    if (!platform::InternetCheckConnection(FConfig.TestURL, FConnectLimit, &THttpAntiFreeze::Pump))
        return TOutcome::NoConnection;
    if (!timer) return TOutcome::Ended;
    try {
        THttpClient client(nullptr);
        client.Get(FConfig.UpdateFileURL());
        if (!timer) return TOutcome::Ended;
        FCallModule(2);
        return TOutcome::ModuleCalled;
    } catch (const std::exception&) {
        return timer ? TOutcome::NoUpdate : TOutcome::Ended;
    }
}
