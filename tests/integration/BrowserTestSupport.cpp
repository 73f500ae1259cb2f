#include "BrowserTestSupport.h"

namespace browsertest {

namespace {

const char* kLayout = R"(
object FrmBrowser: TBrowserForm
  Left = 0
  Top = 0
  ClientWidth = 640
  ClientHeight = 480
  object webSide: TWebBrowser
    Align = alLeft
    Width = 200
    OnBeforeNavigate2 = WebBeforeNavigate2
    OnTitleChange = WebTitleChange
  end
  object webMain: TWebBrowser
    Align = alClient
    OnBeforeNavigate2 = WebBeforeNavigate2
    OnNewWindow2 = WebNewWindow2
    OnTitleChange = WebTitleChange
    OnStatusTextChange = WebStatusTextChange
    OnDocumentComplete = WebDocumentComplete
  end
end
)";

} // namespace

const TClassInfo& TBrowserForm::StaticClass() {
    static const TClassInfo info =
        TClassBuilder<TBrowserForm>("TBrowserForm", &TForm::StaticClass()).Build();
    return info;
}

TBrowserForm::TBrowserForm(TComponent* owner) : TForm(owner) {
    Method("WebBeforeNavigate2", &TBrowserForm::WebBeforeNavigate2);
    Method("WebNewWindow2", &TBrowserForm::WebNewWindow2);
    Method("WebTitleChange", &TBrowserForm::WebTitleChange);
    Method("WebStatusTextChange", &TBrowserForm::WebStatusTextChange);
    Method("WebDocumentComplete", &TBrowserForm::WebDocumentComplete);
    Field("webMain", webMain);
    Field("webSide", webSide);
}

void TBrowserForm::Record(TObject* sender, const std::string& what) {
    auto* browser = dynamic_cast<TWebBrowser*>(sender);
    Log.push_back((browser ? browser->Name() : std::string("?")) + " " + what);
}

void TBrowserForm::WebBeforeNavigate2(TObject* sender, const std::string& url, bool& cancel) {
    Record(sender, "navigate:" + url);
    if (BeforeNavigate) BeforeNavigate(static_cast<TWebBrowser*>(sender), url, cancel);
}

void TBrowserForm::WebNewWindow2(TObject* sender, IBrowserAutomation*& ppDisp, bool& cancel) {
    Record(sender, "newwindow");
    if (NewWindow) NewWindow(static_cast<TWebBrowser*>(sender), ppDisp, cancel);
}

void TBrowserForm::WebTitleChange(TObject* sender, const std::string& text) {
    Record(sender, "title:" + text);
    if (TitleChange) TitleChange(static_cast<TWebBrowser*>(sender), text);
}

void TBrowserForm::WebStatusTextChange(TObject* sender, const std::string& text) {
    Record(sender, "status:" + text);
}

void TBrowserForm::WebDocumentComplete(TObject* sender, IBrowserAutomation* pDisp,
                                       const std::string& url) {
    EXPECT_EQ(pDisp, static_cast<TWebBrowser*>(sender)->Application());
    Record(sender, "complete:" + url);
}

BrowserTest::BrowserTest()
    : FFactory([](std::function<void()> step) { Application->Queue(std::move(step)); }) {
    RegisterStandardClasses();
    FApp = std::make_unique<TApplication>(&FHost);
    FApp->SetTitle("test");
    platform::SetBrowserEngineFactory(&FFactory);
    FForm = new TBrowserForm(nullptr);
    TLayoutLoader::LoadText(FForm, kLayout, "Browser.lay");
    FForm->Show();
}

BrowserTest::~BrowserTest() {
    delete FForm;
    FApp.reset();
    platform::SetBrowserEngineFactory(nullptr);
}

platform::TFakeBrowserEngine& BrowserTest::Fake(TWebBrowser* browser) const {
    return dynamic_cast<platform::TFakeBrowserEngine&>(browser->Engine());
}

std::vector<std::string> BrowserTest::LogOf(TWebBrowser* browser) const {
    std::vector<std::string> lines;
    std::string prefix = browser->Name() + " ";
    for (const std::string& line : FForm->Log)
        if (line.rfind(prefix, 0) == 0) lines.push_back(line.substr(prefix.size()));
    return lines;
}

} // namespace browsertest
