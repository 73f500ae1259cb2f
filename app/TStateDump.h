#pragma once
// A JSON picture of the running program for tests: tabs, captions, the
// address box, check marks, the skin, message boxes and forms.
#include <string>

class TFrmMain;

class TStateDump {
public:
    static std::string Build(TFrmMain& form);
    // Replaces `fileName` atomically (a temporary file renamed over it).
    static void Write(TFrmMain& form, const std::string& fileName);
};
