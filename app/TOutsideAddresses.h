#pragma once
// Addresses that come from outside the window: those on this start's
// command line, and those a later start hands over while this one runs.
// Each opens in a tab of its own, after the first tab that start-up made.
#include <string>
#include <vector>

class TFrmMain;

namespace platform {
class TSingleInstance;
}

class TOutsideAddresses {
public:
    // Opens this start's `addresses`, then takes what `instance` receives
    // for as long as the main window lives.
    static void Install(platform::TSingleInstance& instance, TFrmMain& form,
                        const std::vector<std::string>& addresses);
    // Opens each address in a new tab, in order; the last becomes active.
    static void Open(TFrmMain& form, const std::vector<std::string>& addresses);
    // What a hand-over does once the loop runs it: opens the addresses, then
    // brings the window forward (also when there are none: the user started
    // the program again to get to its window).
    static void Receive(const std::vector<std::string>& addresses);
};
