#pragma once
// The Internet options dialog: removes what the embedded browser keeps for
// every site, its cached files and its cookies. The removal runs in the
// background; the dialog says what it is doing and what came of it, and the
// buttons wait until it is over.
#include <string>

#include "gui/TForm.h"

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
    // True while a removal has not reported back.
    bool Busy() const { return FBusy; }

    TLabel* labTitle = nullptr;
    TLabel* labHint = nullptr;
    TSpeedButton* btnCache = nullptr;
    TSpeedButton* btnCookies = nullptr;
    TLabel* labStatus = nullptr;
    TSpeedButton* btnClose = nullptr;

private:
    void CreateControls();
    void Clear(unsigned kinds, const std::string& what);
    void Finished(const std::string& what, const std::string& error);
    void SetBusy(bool busy);

    bool FBusy = false;
};
