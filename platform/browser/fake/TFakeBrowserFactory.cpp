#include "platform/browser/fake/TFakeBrowserFactory.h"

#include <algorithm>

#include "platform/browser/fake/TFakeBrowserEngine.h"

namespace platform {

TFakeBrowserFactory::TFakeBrowserFactory(TPost post) : FPost(std::move(post)) {}

// Engines that outlive the factory stop loading instead of reaching it.
TFakeBrowserFactory::~TFakeBrowserFactory() {
    for (TFakeBrowserEngine* engine : FEngines)
        engine->FFactory = nullptr;
}

void TFakeBrowserFactory::AddPage(const std::string& url, TFakePage page) {
    FPages[url] = std::move(page);
}

TFakePage TFakeBrowserFactory::PageFor(const std::string& url) const {
    auto it = FPages.find(url);
    return it == FPages.end() ? TFakePage{} : it->second;
}

void TFakeBrowserFactory::ClearBrowsingData(unsigned kinds, TClearDone done) {
    ClearRequests.push_back(kinds);
    Post([done = std::move(done), error = ClearError] {
        if (done) done(error);
    });
}

std::unique_ptr<IBrowserEngine> TFakeBrowserFactory::CreateEngine(TBrowserEvents events) {
    auto engine = std::make_unique<TFakeBrowserEngine>(this, std::move(events));
    FEngines.push_back(engine.get());
    ++FCreated;
    return engine;
}

std::unique_ptr<IBrowserEngine> TFakeBrowserFactory::CreateEngineInAccount(TBrowserEvents events, int account) {
    if (account < 0 || account > ACCOUNT_SLOTS)
        throw BrowserError("没有第 " + std::to_string(account) + " 号小号");
    auto engine = std::make_unique<TFakeBrowserEngine>(this, std::move(events));
    engine->FAccount = account;
    FEngines.push_back(engine.get());
    ++FCreated;
    return engine;
}

TFakeBrowserEngine* TFakeBrowserFactory::EngineForView(const void* view) const {
    for (TFakeBrowserEngine* engine : FEngines)
        if (engine->NativeView() == view) return engine;
    return nullptr;
}

void TFakeBrowserFactory::Forget(TFakeBrowserEngine* engine) {
    FEngines.erase(std::remove(FEngines.begin(), FEngines.end(), engine), FEngines.end());
}

} // namespace platform
