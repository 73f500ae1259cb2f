#pragma once
// Work that must not hold up the window: it runs on a thread of its own
// while the calling GUI thread only waits for it, handling window messages
// as the anti-freeze does while a transfer waits. The work gets a cancel
// flag and must share nothing with the GUI thread but what it was given.
#include <atomic>
#include <chrono>
#include <functional>

class TBackgroundJob {
public:
    // How long the GUI thread sleeps between rounds of messages at most.
    static constexpr std::chrono::milliseconds PumpInterval{10};

    using TWork = std::function<void(const std::atomic<bool>& cancel)>;
    using TGoOn = std::function<bool()>;

    // Runs `work` and waits for it; the work's own exception is rethrown
    // here. `goOn` is asked after every round of messages: once it says no
    // (the program is quitting, the caller's objects are gone), the work is
    // told to cancel, waited for, and Run returns false.
    static bool Run(TWork work, const TGoOn& goOn);
};
