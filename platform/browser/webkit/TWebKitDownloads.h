#pragma once
// Every download of the program's web context: where its file goes (the
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
    // The downloads of `context`, made on the first call.
    static TWebKitDownloads& Of(WebKitWebContext* context);

    void SetObserver(IBrowserEngineFactory::TDownloadObserver observer);
    void Cancel(int id);

    struct TItem;
    // From the signal handlers.
    void Started(void* download);
    void Report(TItem& item, bool now);

private:
    explicit TWebKitDownloads(WebKitWebContext* context);

    IBrowserEngineFactory::TDownloadObserver FObserver;
    std::vector<std::unique_ptr<TItem>> FItems;
    int FNextId = 1;
};

} // namespace platform
