#include "app/TFrmInternetOptions.h"

#include <memory>

#include "app/PlaceControl.h"
#include "gui/TApplication.h"
#include "gui/TLabel.h"
#include "gui/TSpeedButton.h"
#include "platform/browser/IBrowserEngine.h"

const TClassInfo& TFrmInternetOptions::StaticClass() {
    static const TClassInfo info =
        TClassBuilder<TFrmInternetOptions>("TFrmInternetOptions", &TForm::StaticClass()).Build();
    return info;
}

TFrmInternetOptions::TFrmInternetOptions(TComponent* owner) : TForm(owner) {
    SetName("frmInternetOptions");
    SetText("Internet选项");
    SetBorderStyle(TBorderStyle::bsDialog);
    SetPosition(TPosition::poScreenCenter);
    SetBounds(0, 0, 380, 190);
    CreateControls();
}

void TFrmInternetOptions::CreateControls() {
    labTitle = Place<TLabel>(this, 16, 14, 348, 20);
    labTitle->SetCaption("浏览数据");
    labHint = Place<TLabel>(this, 16, 38, 348, 20);
    labHint->SetCaption("删除所有网页保存在本机的临时文件或 Cookie。");
    btnCache = Place<TSpeedButton>(this, 16, 70, 170, 28);
    btnCache->SetCaption("删除临时文件(&F)");
    btnCache->OnClick = [this](TObject* sender) { btnCacheClick(sender); };
    btnCookies = Place<TSpeedButton>(this, 194, 70, 170, 28);
    btnCookies->SetCaption("删除 Cookie(&C)");
    btnCookies->OnClick = [this](TObject* sender) { btnCookiesClick(sender); };
    labStatus = Place<TLabel>(this, 16, 110, 348, 20);
    btnClose = Place<TSpeedButton>(this, 288, 146, 76, 26);
    btnClose->SetCaption("关闭");
    btnClose->OnClick = [this](TObject* sender) { btnCloseClick(sender); };
}

void TFrmInternetOptions::Execute() {
    std::unique_ptr<TFrmInternetOptions> dialog = std::make_unique<TFrmInternetOptions>(nullptr);
    dialog->ShowModal();
}

void TFrmInternetOptions::btnCacheClick(TObject*) {
    Clear(platform::bdCache, "临时文件");
}

void TFrmInternetOptions::btnCookiesClick(TObject*) {
    Clear(platform::bdCookies, "Cookie");
}

// Closing waits for a removal under way: its report comes to this dialog.
void TFrmInternetOptions::btnCloseClick(TObject*) {
    if (!FBusy) SetModalResult(IDCANCEL);
}

void TFrmInternetOptions::Clear(unsigned kinds, const std::string& what) {
    if (FBusy) return;
    platform::IBrowserEngineFactory* factory = platform::BrowserEngineFactory();
    if (!factory) {
        Finished(what, "浏览器组件不可用");
        return;
    }
    SetBusy(true);
    labStatus->SetCaption("正在删除" + what + "…");
    TSafeRef<TFrmInternetOptions> self(this);
    factory->ClearBrowsingData(kinds, [self, what](const std::string& error) {
        if (TFrmInternetOptions* dialog = self.Get()) dialog->Finished(what, error);
    });
}

void TFrmInternetOptions::Finished(const std::string& what, const std::string& error) {
    SetBusy(false);
    if (error.empty()) {
        labStatus->SetCaption(what + "已删除。");
        return;
    }
    labStatus->SetCaption("未能删除" + what + "。");
    Application->MessageBox("未能删除" + what + "：" + error, "Internet选项", MB_OK | MB_ICONWARNING);
}

void TFrmInternetOptions::SetBusy(bool busy) {
    FBusy = busy;
    btnCache->SetEnabled(!busy);
    btnCookies->SetEnabled(!busy);
    btnClose->SetEnabled(!busy);
}
