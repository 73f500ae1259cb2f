#pragma once
// The loop a modal dialog runs until it is answered. The framework's queue
// keeps being served meanwhile (timers fire, windows repaint), as under
// the platform's own modal loops; before the application exists or after
// it was terminated only GTK's events are served.
class TGtkModalLoop {
public:
    static void RunUntil(const bool& done);
};
