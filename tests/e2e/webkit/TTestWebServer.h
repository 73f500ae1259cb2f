#pragma once
// A real HTTP server on 127.0.0.1 for the WebKit tests, served from the
// test's own main loop (RunUntil keeps it answering). Pages are added by
// path; a page may be held back for a while before its answer starts.
#include <libsoup/soup.h>

#include <map>
#include <string>
#include <vector>

namespace e2e {

class TTestWebServer {
public:
    TTestWebServer();
    ~TTestWebServer();
    TTestWebServer(const TTestWebServer&) = delete;
    TTestWebServer& operator=(const TTestWebServer&) = delete;

    // Answers `path` (with any query) with `body`; `delayMs` holds the
    // answer back that long.
    void Add(const std::string& path, const std::string& body,
             const std::string& type = "text/html; charset=utf-8", int delayMs = 0);
    // http://127.0.0.1:PORT followed by `path`.
    std::string URL(const std::string& path) const;
    // Every path asked for, in order, with its query.
    const std::vector<std::string>& Requests() const { return FRequests; }

private:
    struct TPage {
        std::string Body;
        std::string Type;
        int DelayMs = 0;
    };
    static void OnRequest(SoupServer* server, SoupServerMessage* message, const char* path,
                          GHashTable* query, gpointer self);
    SoupServer* FServer = nullptr;
    int FPort = 0;
    std::map<std::string, TPage> FPages;
    std::vector<std::string> FRequests;
};

} // namespace e2e
