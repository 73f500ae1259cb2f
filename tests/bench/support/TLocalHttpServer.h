#pragma once
// A small HTTP/1.1 server on 127.0.0.1 for the benchmarks' pages: one
// thread per connection, so a handler may hold a request open (a page
// waiting for its next order) while others are answered. Every reply
// closes its connection and is never cached.
#include <atomic>
#include <functional>
#include <map>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

class TLocalHttpServer {
public:
    struct TRequest {
        std::string Method;
        std::string Path; // without the query
        std::map<std::string, std::string> Query;
        std::string Body;
    };
    struct TResponse {
        int Status = 200;
        std::string ContentType = "text/plain; charset=utf-8";
        std::string Body;
    };
    using THandler = std::function<TResponse(const TRequest&)>;

    // Listens on a free port at once; throws std::runtime_error when it cannot.
    explicit TLocalHttpServer(THandler handler);
    // Handlers still running must return on their own (their owner wakes
    // them first); the server then waits for them.
    ~TLocalHttpServer();
    TLocalHttpServer(const TLocalHttpServer&) = delete;
    TLocalHttpServer& operator=(const TLocalHttpServer&) = delete;

    int Port() const { return FPort; }
    std::string Url(const std::string& path) const;

    // A file's reply, its type from its extension; 404 when unreadable.
    static TResponse File(const std::string& fileName);

private:
    void Accept();
    void Serve(int socket);

    THandler FHandler;
    int FListen = -1;
    int FPort = 0;
    std::atomic<bool> FStopping{false};
    std::thread FAcceptor;
    std::mutex FLock;
    std::vector<std::thread> FConnections;
};
