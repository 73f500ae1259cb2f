#include "TLocalHttpServer.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cstdlib>
#include <fstream>
#include <sstream>
#include <stdexcept>

namespace {

// Requests of the benchmark pages are small; anything larger is refused.
constexpr size_t maxRequest = 1 << 20;

std::string Decode(const std::string& text) {
    std::string out;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '%' && i + 2 < text.size()) {
            out += static_cast<char>(std::strtol(text.substr(i + 1, 2).c_str(), nullptr, 16));
            i += 2;
        } else {
            out += text[i] == '+' ? ' ' : text[i];
        }
    }
    return out;
}

std::map<std::string, std::string> ParseQuery(const std::string& query) {
    std::map<std::string, std::string> fields;
    std::istringstream in(query);
    for (std::string pair; std::getline(in, pair, '&');) {
        size_t eq = pair.find('=');
        if (eq == std::string::npos)
            fields[Decode(pair)] = "";
        else
            fields[Decode(pair.substr(0, eq))] = Decode(pair.substr(eq + 1));
    }
    return fields;
}

bool ReadRequest(int socket, TLocalHttpServer::TRequest& request) {
    std::string data;
    char chunk[4096];
    size_t headerEnd = std::string::npos;
    while ((headerEnd = data.find("\r\n\r\n")) == std::string::npos) {
        ssize_t n = recv(socket, chunk, sizeof chunk, 0);
        if (n <= 0 || data.size() > maxRequest) return false;
        data.append(chunk, static_cast<size_t>(n));
    }
    std::istringstream head(data.substr(0, headerEnd));
    std::string target, version;
    head >> request.Method >> target >> version;
    size_t length = 0;
    for (std::string line; std::getline(head, line);) {
        for (size_t i = 0; i < line.size() && line[i] != ':'; ++i)
            line[i] = static_cast<char>(std::tolower(static_cast<unsigned char>(line[i])));
        if (line.rfind("content-length:", 0) == 0)
            length = std::strtoul(line.c_str() + 15, nullptr, 10);
    }
    if (length > maxRequest) return false;
    request.Body = data.substr(headerEnd + 4);
    while (request.Body.size() < length) {
        ssize_t n = recv(socket, chunk, sizeof chunk, 0);
        if (n <= 0) return false;
        request.Body.append(chunk, static_cast<size_t>(n));
    }
    size_t question = target.find('?');
    request.Path = Decode(target.substr(0, question));
    if (question != std::string::npos) request.Query = ParseQuery(target.substr(question + 1));
    return true;
}

void SendAll(int socket, const std::string& data) {
    size_t sent = 0;
    while (sent < data.size()) {
        ssize_t n = send(socket, data.data() + sent, data.size() - sent, MSG_NOSIGNAL);
        if (n <= 0) return;
        sent += static_cast<size_t>(n);
    }
}

const char* StatusText(int status) {
    switch (status) {
    case 200:
        return "OK";
    case 404:
        return "Not Found";
    default:
        return "Error";
    }
}

} // namespace

TLocalHttpServer::TLocalHttpServer(THandler handler) : FHandler(std::move(handler)) {
    FListen = socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (FListen < 0) throw std::runtime_error("no socket");
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t size = sizeof address;
    if (bind(FListen, reinterpret_cast<sockaddr*>(&address), size) != 0 ||
        listen(FListen, 64) != 0 ||
        getsockname(FListen, reinterpret_cast<sockaddr*>(&address), &size) != 0) {
        close(FListen);
        throw std::runtime_error("cannot listen on 127.0.0.1");
    }
    FPort = ntohs(address.sin_port);
    FAcceptor = std::thread([this] { Accept(); });
}

TLocalHttpServer::~TLocalHttpServer() {
    FStopping = true;
    shutdown(FListen, SHUT_RDWR);
    FAcceptor.join();
    close(FListen);
    std::vector<std::thread> connections;
    {
        std::lock_guard<std::mutex> hold(FLock);
        connections.swap(FConnections);
    }
    for (std::thread& t : connections)
        t.join();
}

std::string TLocalHttpServer::Url(const std::string& path) const {
    return "http://127.0.0.1:" + std::to_string(FPort) + path;
}

void TLocalHttpServer::Accept() {
    while (!FStopping) {
        int socket = accept4(FListen, nullptr, nullptr, SOCK_CLOEXEC);
        if (socket < 0) {
            if (FStopping) return;
            continue;
        }
        std::lock_guard<std::mutex> hold(FLock);
        FConnections.emplace_back([this, socket] { Serve(socket); });
    }
}

void TLocalHttpServer::Serve(int socket) {
    TRequest request;
    if (ReadRequest(socket, request)) {
        TResponse response = FHandler(request);
        std::string head = "HTTP/1.1 " + std::to_string(response.Status) + " " +
                           StatusText(response.Status) +
                           "\r\nContent-Type: " + response.ContentType +
                           "\r\nContent-Length: " + std::to_string(response.Body.size()) +
                           "\r\nCache-Control: no-store\r\nConnection: close\r\n\r\n";
        SendAll(socket, head + response.Body);
    }
    close(socket);
}

TLocalHttpServer::TResponse TLocalHttpServer::File(const std::string& fileName) {
    std::ifstream in(fileName, std::ios::binary);
    if (!in) return {404, "text/plain; charset=utf-8", "not found\n"};
    std::ostringstream body;
    body << in.rdbuf();
    std::string type = "application/octet-stream";
    auto endsWith = [&](const char* ext) {
        std::string e = ext;
        return fileName.size() >= e.size() &&
               fileName.compare(fileName.size() - e.size(), e.size(), e) == 0;
    };
    if (endsWith(".html"))
        type = "text/html; charset=utf-8";
    else if (endsWith(".js"))
        type = "text/javascript; charset=utf-8";
    else if (endsWith(".css"))
        type = "text/css; charset=utf-8";
    return {200, type, body.str()};
}
