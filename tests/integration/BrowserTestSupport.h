#pragma once
// A headless window with two browser controls on the scripted engine, the
// way the program's windows hold them: created from a layout, events bound
// to the form's handlers, steps run from the application's queue.
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "gui/StandardClasses.h"
#include "gui/TApplication.h"
#include "gui/TForm.h"
#include "gui/TLayoutLoader.h"
#include "gui/TWebBrowser.h"
#include "gui/host/headless/THeadlessHost.h"
#include "platform/browser/fake/TFakeBrowserEngine.h"
#include "platform/browser/fake/TFakeBrowserFactory.h"

namespace browsertest {

// The headless host, also telling which native view was given the focus.
class TFocusHost : public THeadlessHost {
public:
    void FocusNativeView(void* view) override {
        THeadlessHost::FocusNativeView(view);
        FocusedView = view;
    }
    void* FocusedView = nullptr;
};

class TBrowserForm : public TForm {
    XF_CLASS(TBrowserForm)
public:
    explicit TBrowserForm(TComponent* owner);

    void WebBeforeNavigate2(TObject* sender, const std::string& url, bool& cancel);
    void WebNewWindow2(TObject* sender, IBrowserAutomation*& ppDisp, bool& cancel);
    void WebTitleChange(TObject* sender, const std::string& text);
    void WebStatusTextChange(TObject* sender, const std::string& text);
    void WebDocumentComplete(TObject* sender, IBrowserAutomation* pDisp, const std::string& url);

    TWebBrowser* webMain = nullptr;
    TWebBrowser* webSide = nullptr;
    // "<browser name> <event>:<value>" in the order the handlers ran.
    std::vector<std::string> Log;
    // What the tests make the handlers do besides logging.
    std::function<void(TWebBrowser*, const std::string&, bool&)> BeforeNavigate;
    std::function<void(TWebBrowser*, IBrowserAutomation*&, bool&)> NewWindow;
    std::function<void(TWebBrowser*, const std::string&)> TitleChange;

private:
    void Record(TObject* sender, const std::string& what);
};

class BrowserTest : public ::testing::Test {
protected:
    BrowserTest();
    ~BrowserTest() override;

    platform::TFakeBrowserEngine& Fake(TWebBrowser* browser) const;
    // Runs the queue until nothing is left.
    void Pump() { FApp->ProcessMessages(); }
    THostWindow Window() { return FForm->HostWindow(); }
    // The log lines of one browser, without its name.
    std::vector<std::string> LogOf(TWebBrowser* browser) const;
    void ClearLog() { FForm->Log.clear(); }

    TFocusHost FHost;
    std::unique_ptr<TApplication> FApp;
    platform::TFakeBrowserFactory FFactory;
    TBrowserForm* FForm = nullptr;
};

} // namespace browsertest
