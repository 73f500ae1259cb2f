#include "app/TFrmInternetOptions.h"

#include <memory>

#include "app/PlaceControl.h"
#include "app/TBossKey.h"
#include "app/TFrmMain.h"
#include "gui/Exception.h"
#include "gui/TApplication.h"
#include "gui/TEdit.h"
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
    SetBounds(0, 0, 380, 318);
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
    labStatus = Place<TLabel>(this, 16, 106, 348, 20);
    CreateBossKeyControls();
    btnClose = Place<TSpeedButton>(this, 288, 274, 76, 26);
    btnClose->SetCaption("关闭");
    btnClose->OnClick = [this](TObject* sender) { btnCloseClick(sender); };
}

void TFrmInternetOptions::CreateBossKeyControls() {
    labBossTitle = Place<TLabel>(this, 16, 136, 348, 20);
    labBossTitle->SetCaption("老板键");
    labBossHint = Place<TLabel>(this, 16, 160, 348, 20);
    labBossHint->SetCaption("按下即隐藏窗口并静音所有网页，再按一次恢复。");
    edtBossKey = Place<TEdit>(this, 16, 188, 250, 24);
    edtBossKey->SetName("edtBossKey");
    edtBossKey->OnKeyPress = [this](TObject* sender, char16_t& key) {
        if (key != u'\r') return;
        key = 0;
        btnBossKeyClick(sender);
    };
    btnBossKey = Place<TSpeedButton>(this, 274, 186, 90, 28);
    btnBossKey->SetCaption("设置(&S)");
    btnBossKey->OnClick = [this](TObject* sender) { btnBossKeyClick(sender); };
    labBossStatus = Place<TLabel>(this, 16, 222, 348, 40);
    labBossStatus->SetAutoSize(false);
    labBossStatus->SetWordWrap(true);
    labBossStatus->SetBounds(16, 222, 348, 40);
    ShowBossKeyState();
}

void TFrmInternetOptions::ShowBossKeyState() {
    TBossKey* bossKey = TBossKey::Of(FrmMain);
    if (!bossKey) {
        edtBossKey->SetEnabled(false);
        btnBossKey->SetEnabled(false);
        labBossStatus->SetCaption("老板键不可用：主窗口尚未打开。");
        return;
    }
    edtBossKey->SetText(bossKey->Chord().Text());
    labBossStatus->SetCaption(bossKey->Problem());
}

void TFrmInternetOptions::btnBossKeyClick(TObject*) {
    TBossKey* bossKey = TBossKey::Of(FrmMain);
    if (!bossKey) return;
    std::optional<TBossKeyChord> chord = TBossKeyChord::Parse(edtBossKey->Text());
    if (!chord) {
        labBossStatus->SetCaption("无法识别“" + edtBossKey->Text() +
                                  "”：组合键须含 Ctrl 或 Alt，如 Ctrl+Alt+Z。");
        return;
    }
    try {
        bossKey->SetChord(*chord);
    } catch (const Exception& e) {
        labBossStatus->SetCaption(std::string("未能保存老板键：") + e.what());
        return;
    }
    edtBossKey->SetText(chord->Text());
    const std::string problem = bossKey->Problem();
    labBossStatus->SetCaption(problem.empty() ? "老板键已设为 " + chord->Text() + "。" : problem);
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
