#pragma once
// The automation object of a browser control (its `Application`): what a
// new-window handler hands back as the window to open the page in, and the
// in-place object that the keyboard hook offers keys to.
#include <cstdint>

#include "gui/Messages.h"

using HRESULT = int32_t;
constexpr HRESULT S_OK = 0;
constexpr HRESULT S_FALSE = 1;

class TWebBrowser;

class IBrowserAutomation {
public:
    virtual ~IBrowserAutomation() = default;
    // The control this object belongs to.
    virtual TWebBrowser* Browser() = 0;
    // S_OK when the page took the key message, S_FALSE when it is not the
    // page's (addressed to another window, or the page has no focus).
    virtual HRESULT TranslateAccelerator(const TMsg& msg) = 0;
};
