#include "app/TPlayerState.h"

#include "app/TFrmMain.h"
#include "app/TFullScreen.h"
#include "gui/ShortCut.h"
#include "gui/TApplication.h"
#include "gui/TMenuItem.h"
#include "gui/TWebBrowser.h"

namespace {

std::string Bool(bool v) { return v ? "true" : "false"; }

std::string Text(const std::string& text) {
    std::string out = "\"";
    for (unsigned char c : text) {
        if (c == '"' || c == '\\') out += '\\';
        if (c < 0x20) continue;
        out += static_cast<char>(c);
    }
    return out + "\"";
}

} // namespace

std::string TPlayerState::Json(TFrmMain& form) {
    TRect bounds = form.BoundsRect();
    TFullScreen& full = form.FullScreen();
    TRect screen = Application->Host().ScreenArea();
    std::string json = "{";
    json += "\"x\":" + std::to_string(bounds.Left) + ",\"y\":" + std::to_string(bounds.Top);
    json += ",\"w\":" + std::to_string(bounds.Width()) + ",\"h\":" + std::to_string(bounds.Height());
    json += ",\"maximized\":" + Bool(form.WindowState() == TWindowState::wsMaximized);
    json += ",\"minimized\":" + Bool(form.WindowState() == TWindowState::wsMinimized);
    json += ",\"active\":" + Bool(form.Active());
    json += ",\"screenW\":" + std::to_string(screen.Width());
    json += ",\"screenH\":" + std::to_string(screen.Height());
    json += ",\"fullScreen\":" + Bool(full.Active());
    json += ",\"fullScreenFromPage\":" + Bool(full.FromPage());
    json += ",\"fullScreenHint\":" + Text(full.HintText());
    json += ",\"coverURL\":" + Text(full.Browser() ? full.Browser()->LocationURL() : "");
    std::string keys;
    for (TComponent* c : form.Components())
        if (auto* item = dynamic_cast<TMenuItem*>(c); item && item->ShortCut() != 0)
            keys += (keys.empty() ? "" : ",") + Text(item->Name()) + ":" + Text(ShortCutToText(item->ShortCut()));
    json += ",\"shortCuts\":{" + keys + "}";
    json += "}";
    return json;
}
