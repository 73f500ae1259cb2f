#include "app/TPlayerState.h"

#include "app/DumpJson.h"
#include "app/TFrmMain.h"
#include "app/TFullScreen.h"
#include "gui/ShortCut.h"
#include "gui/TApplication.h"
#include "gui/TMenuItem.h"
#include "gui/TWebBrowser.h"

std::string TPlayerState::Json(TFrmMain& form) {
    TRect bounds = form.BoundsRect();
    TFullScreen& full = form.FullScreen();
    TRect screen = Application->Host().ScreenArea();
    std::string json = "{";
    json += "\"x\":" + std::to_string(bounds.Left) + ",\"y\":" + std::to_string(bounds.Top);
    json +=
        ",\"w\":" + std::to_string(bounds.Width()) + ",\"h\":" + std::to_string(bounds.Height());
    json += ",\"maximized\":" + JsonBool(form.WindowState() == TWindowState::wsMaximized);
    json += ",\"minimized\":" + JsonBool(form.WindowState() == TWindowState::wsMinimized);
    json += ",\"active\":" + JsonBool(form.Active());
    json += ",\"screenW\":" + std::to_string(screen.Width());
    json += ",\"screenH\":" + std::to_string(screen.Height());
    json += ",\"fullScreen\":" + JsonBool(full.Active());
    json += ",\"fullScreenFromPage\":" + JsonBool(full.FromPage());
    json += ",\"fullScreenHint\":" + JsonQuote(full.HintText());
    json += ",\"coverURL\":" + JsonQuote(full.Browser() ? full.Browser()->LocationURL() : "");
    std::string keys;
    for (TComponent* c : form.Components())
        if (auto* item = dynamic_cast<TMenuItem*>(c); item && item->ShortCut() != 0)
            keys += (keys.empty() ? "" : ",") + JsonQuote(item->Name()) + ":" +
                    JsonQuote(ShortCutToText(item->ShortCut()));
    json += ",\"shortCuts\":{" + keys + "}";
    json += "}";
    return json;
}
