#pragma once
// A scripted page of the fake browser: what it is called, what its body
// holds, which frames it loads and what its script does once loaded.
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace platform {

// One thing a page's script does.
struct TFakeAction {
    enum class TKind {
        SetTitle,   // document.title = Arg
        OpenWindow, // window.open(Arg)
        CloseWindow,
        StatusText, // the status line shows Arg
        Navigate,   // location.href = Arg
    };
    TKind Kind = TKind::SetTitle;
    std::string Arg;
};

struct TFakePage {
    // "" stands for a page without <title>: the view reports its address.
    std::string Title;
    // The body element's outer markup; nothing for a document that is not
    // HTML.
    std::optional<std::string> Body = std::string("<body></body>");
    std::string MimeType = "text/html";
    // Sub-frames the page loads, each a navigation of its own.
    std::vector<std::string> Frames;
    // Run in order once the document is complete.
    std::vector<TFakeAction> OnLoad;
};

} // namespace platform
