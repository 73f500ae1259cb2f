#pragma once
// The Internet options dialog: removes what the embedded browser keeps for
// every site, its cached files and its cookies. The removal runs in the
// background; the dialog says what it is doing and what came of it, and the
// buttons wait until it is over. Below it, the boss key's chord is set and
// the dialog says when the desktop does not pass it on from everywhere.
#include <string>

#include "gui/TForm.h"

class TEdit;
class TLabel;
class TSpeedButton;

class TFrmInternetOptions : public TForm {
    XF_CLASS(TFrmInternetOptions)
public:
    explicit TFrmInternetOptions(TComponent* owner);

    static void Execute();

    void btnCacheClick(TObject* sender);
    void btnCookiesClick(TObject* sender);
    void btnCloseClick(TObject* sender);
    // Takes the chord typed in edtBossKey ("Ctrl+Alt+Z").
    void btnBossKeyClick(TObject* sender);
    // True while a removal has not reported back.
    bool Busy() const { return FBusy; }

    TLabel* labTitle = nullptr;
    TLabel* labHint = nullptr;
    TSpeedButton* btnCache = nullptr;
    TSpeedButton* btnCookies = nullptr;
    TLabel* labStatus = nullptr;
    TLabel* labBossTitle = nullptr;
    TLabel* labBossHint = nullptr;
    TEdit* edtBossKey = nullptr;
    TSpeedButton* btnBossKey = nullptr;
    TLabel* labBossStatus = nullptr;
    TSpeedButton* btnClose = nullptr;

private:
    void CreateControls();
    void CreateBossKeyControls();
    void ShowBossKeyState();
    void Clear(unsigned kinds, const std::string& what);
    void Finished(const std::string& what, const std::string& error);
    void SetBusy(bool busy);

    bool FBusy = false;
};
