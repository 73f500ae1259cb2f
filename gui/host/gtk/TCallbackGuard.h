#pragma once
// Every GTK callback of the host runs its body through Run: an exception
// never unwinds into GTK's C frames. It is handed to the framework's error
// report from the message queue, after GTK's callback has returned.
#include <exception>
#include <utility>

class TCallbackGuard {
public:
    // False when the body threw.
    template <class F> static bool Run(F&& body) noexcept {
        try {
            std::forward<F>(body)();
            return true;
        } catch (const std::exception& e) {
            Report(e.what());
        } catch (...) {
            Report("unknown error");
        }
        return false;
    }
    static void Report(const char* what) noexcept;
};
