#include "platform/browser/IBrowserEngine.h"

namespace platform {

namespace {
IBrowserEngineFactory* gFactory = nullptr;
}

void SetBrowserEngineFactory(IBrowserEngineFactory* factory) {
    gFactory = factory;
}

IBrowserEngineFactory* BrowserEngineFactory() {
    return gFactory;
}

} // namespace platform
