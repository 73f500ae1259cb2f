#pragma once
// The e2e demo window: a caption strip that moves the window, a grip that
// sizes it, buttons that count clicks, ask a question, maximise and open a
// pop-up, an edit, a native view, rounded top corners. Its state goes to
// the JSON file named by XF_STATE_DUMP on request and at exit.
#include <string>

#include "gui/TForm.h"
#include "gui/TPopupWindow.h"

class TApplicationEvents;
class TDemoViewHost;
class TEdit;
class TPanel;

class TDemoForm : public TForm {
    XF_CLASS(TDemoForm)
public:
    explicit TDemoForm(TComponent* owner);

    void WriteState(const std::string& fileName);

    void palCaptionMouseDown(TObject* sender, TMouseButton button, TShiftState shift, int x, int y);
    void palCaptionDblClick(TObject* sender);
    void palGripMouseDown(TObject* sender, TMouseButton button, TShiftState shift, int x, int y);
    void palToggleClick(TObject* sender);
    void palToggleDblClick(TObject* sender);
    void palToggleMouseUp(TObject* sender, TMouseButton button, TShiftState shift, int x, int y);
    void palAskClick(TObject* sender);
    void palMaxClick(TObject* sender);
    void FormResize(TObject* sender);

    TPanel* palCaption = nullptr;
    TPanel* palToggle = nullptr;
    TPanel* palAsk = nullptr;
    TPanel* palMax = nullptr;
    TPanel* palGrip = nullptr;
    TEdit* edtText = nullptr;
    TDemoViewHost* palView = nullptr;

private:
    void ApplyRoundCorners();
    void WatchMessage(TMsg& msg, bool& handled);
    std::string StateJson() const;

    TPopupWindow* FPopup = nullptr;
    TApplicationEvents* FEvents = nullptr;
    int FSeq = 0;
    int FClicks = 0;
    int FDoubleClicks = 0;
    int FCaptionDoubleClicks = 0;
    int FWheel = 0;
    int FLastKey = 0;
    bool FLastKeyExtended = false;
    int FAsked = 0;
    int FAnswer = 0;
    int FPopups = 0;
};
