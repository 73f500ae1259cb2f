#include "platform/glib/TCallbackGuard.h"

#include <cstdio>

namespace platform {

namespace {

TCallbackGuard::TReporter& Reporter() {
    static TCallbackGuard::TReporter reporter;
    return reporter;
}

} // namespace

void TCallbackGuard::Report(const char* what) noexcept {
    const char* text = what ? what : "error";
    std::fprintf(stderr, "星帆IE: error in a callback: %s\n", text);
    try {
        if (Reporter()) Reporter()(text);
    } catch (...) {
    }
}

void TCallbackGuard::SetReporter(TReporter reporter) {
    Reporter() = std::move(reporter);
}

} // namespace platform
