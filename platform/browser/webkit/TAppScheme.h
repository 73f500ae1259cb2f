#pragma once
// A URI scheme of the program's own ("xingfan:"), answered in this process:
// pages ask it for data the program holds (the game search) without any
// access to files. Its answers may be fetched from any page, local ones
// included, as they hold nothing private.
#include <functional>
#include <string>

typedef struct _WebKitWebContext WebKitWebContext;

namespace platform {

struct TAppSchemeReply {
    int Status = 200;
    std::string ContentType = "application/json; charset=utf-8";
    std::string Body;
};

class TAppScheme {
public:
    static constexpr const char* Name = "xingfan";
    // `host` is the part after "xingfan://" up to the path or query;
    // `query` what follows '?', still encoded. Runs on the GUI thread; an
    // exception it raises answers 500 with its message.
    using THandler =
        std::function<TAppSchemeReply(const std::string& host, const std::string& query)>;

    // Sets the handler every served context answers with, and serves the
    // scheme on `context`.
    static void Register(WebKitWebContext* context, THandler handler);
    // Serves the scheme on `context` (once per context), with the handler
    // set now or later.
    static void Serve(WebKitWebContext* context);
};

} // namespace platform
