#pragma once
// An opt-in signal for whoever starts the program and waits for it to be
// usable (the start-up benchmark). Once every watched browser has completed
// a document, the file named by XINGFAN_READY_FILE is written once with the
// CLOCK_MONOTONIC time of that moment in nanoseconds. Without the variable
// nothing is watched and nothing is written.
#include <memory>
#include <string>
#include <vector>

class TFrmMain;
class TWebBrowser;

class TReadySignal {
public:
    explicit TReadySignal(std::string fileName);

    // Watches the first tab's browser and the left pane when the variable is
    // set. Call before the loop runs so that no completion is missed.
    static void Install(TFrmMain& form);

    // Chains onto the browser's OnDocumentComplete; a handler set earlier
    // still runs, and runs first. Watch every browser before any completes.
    void Watch(TWebBrowser* browser);
    bool Written() const { return FState->Written; }

    // Replaces `fileName` atomically with the current monotonic time; false
    // when it cannot be written.
    static bool WriteReadyFile(const std::string& fileName);

private:
    struct TState {
        std::string FileName;
        std::vector<bool> Done;
        bool Written = false;
    };
    static void Completed(TState& state, size_t index);

    std::shared_ptr<TState> FState;
};
