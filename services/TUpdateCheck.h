#pragma once
// The one automatic update check of a run: test the connection, switch the
// timer off, ask for the update file and, when it is there, hand over to
// the update module with 2. It shows no message in any case.
#include <chrono>
#include <functional>
#include <string>

#include "platform/ConnectionCheck.h"
#include "services/TUpdateConfig.h"

class TTimer;

class TUpdateCheck {
public:
    static constexpr int TimerInterval = 10000;
    enum class TOutcome { Skipped, NoConnection, NoUpdate, ModuleCalled, Ended };

    using TModuleCall = std::function<void(int reason)>;
    TUpdateCheck(TUpdateConfig config, TModuleCall callModule);

    // The timer's tick. The request uses a client of its own, so it never
    // shares a connection with the start-up downloads.
    TOutcome Run(TTimer& timer);
    void SetConnectLimit(std::chrono::milliseconds limit) { FConnectLimit = limit; }

private:
    TUpdateConfig FConfig;
    TModuleCall FCallModule;
    std::chrono::milliseconds FConnectLimit = platform::ConnectionCheckLimit;
};
