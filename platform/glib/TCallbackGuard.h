#pragma once
// The rule for every C callback of GLib, GTK and WebKit (signal handlers,
// idle and timeout functions, async completions): its body runs through
// Run, so an exception never unwinds into C frames. The exception is written
// to stderr and handed to the reporter the layer above installed (the
// window framework shows it in its error report after the callback has
// returned); the callback then returns its neutral value.
#include <exception>
#include <functional>
#include <utility>

namespace platform {

class TCallbackGuard {
public:
    using TReporter = std::function<void(const char* what)>;

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
    // Installed once by the window host; empty for none.
    static void SetReporter(TReporter reporter);
};

} // namespace platform
