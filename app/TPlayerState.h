#pragma once
// The state dump's view of what a player sees beyond tabs and menus: the
// window's place and state, a fullscreen page and its notice.
#include <string>

class TFrmMain;

class TPlayerState {
public:
    // A JSON object.
    static std::string Json(TFrmMain& form);
};
