#pragma once
// Every download of the program's web contexts: where its file goes (the
// user's download folder, under a cleaned name that replaces nothing, via a
// ".part" file), how far it got and how fast, and cancelling it. One per
// process, like the context; the program's window watches it through one
// observer.
#include <memory>
#include <vector>

#include "platform/browser/IBrowserEngine.h"

typedef struct _WebKitWebContext WebKitWebContext;

namespace platform {

class TWebKitDownloads {
public:
    // The downloads of the process, made on the first call; from then on
    // those of `context` too (each context is watched once).
    static TWebKitDownloads& Of(WebKitWebContext* context);

    void SetObserver(IBrowserEngineFactory::TDownloadObserver observer);
    void Cancel(int id);

    struct TItem;
    // From the signal handlers.
    void Started(void* download);
    void Report(TItem& item, bool now);

private:
    TWebKitDownloads() = default;
    void Watch(WebKitWebContext* context);

    IBrowserEngineFactory::TDownloadObserver FObserver;
    std::vector<std::unique_ptr<TItem>> FItems;
    int FNextId = 1;
    std::vector<WebKitWebContext*> FWatched;
};

} // namespace platform
