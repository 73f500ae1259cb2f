#pragma once
// The game screenshot: the active tab's page as a PNG file in the user's
// pictures folder (or the window's ScreenshotFolder), and the status line
// saying where it went.
class TFrmMain;

class TScreenshotCommand {
public:
    static void Run(TFrmMain& form);
};
