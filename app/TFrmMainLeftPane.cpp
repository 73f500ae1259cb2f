// The game directory pane and the game search box.
#include "app/TFrmMain.h"
#include "gui/TWebBrowser.h"
#include "platform/Text.h"
#include "skin/TskEdit.h"

static const char* const kSearchHint = "在这里输入游戏名称";

// The engine hands the pane's addresses with their quotes percent-encoded
// ("R_Left=%27http://...%27"); a quote is a quote however it came.
static std::string DecodeQuotes(const std::string& url) {
    std::string out;
    for (size_t i = 0; i < url.size(); ++i) {
        if (url.compare(i, 3, "%27") == 0) {
            out += '\'';
            i += 2;
        } else {
            out += url[i];
        }
    }
    return out;
}

// The target of a direct link: what follows the first "=", at most 100
// characters of it, without single quotes.
static std::string DirectLinkTarget(const std::string& address) {
    const std::string url = DecodeQuotes(address);
    size_t eq = url.find('=');
    std::string target = platform::FirstUtf16Units(eq == std::string::npos ? url : url.substr(eq + 1), 100);
    std::string out;
    for (char c : target)
        if (c != '\'') out += c;
    return out;
}

// Links followed in the pane's own page; its frames load where they are.
void TFrmMain::webLeftBeforeNavigate2(TObject*, const std::string& url, bool& cancel) {
    if (!webLeft->MainFrameNavigation()) return;
    if (url.find("R_Class") != std::string::npos) {
        OpenTab(url);
        cancel = true;
    }
    if (url.find("R_Left") != std::string::npos) {
        OpenTab(DirectLinkTarget(url));
        cancel = true;
    }
}

void TFrmMain::edtFindNameClick(TObject*) {
    if (edtFindName->Text() == kSearchHint) edtFindName->SetText("");
}

void TFrmMain::edtFindNameKeyPress(TObject*, char16_t& key) {
    if (key == 13) SearchGame();
}
