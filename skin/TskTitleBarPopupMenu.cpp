#include "skin/TskTitleBarPopupMenu.h"

#include "gui/TCustomForm.h"
#include "gui/TMenuItem.h"
#include "skin/TskTitleBar.h"
#include "skin/TskTitleBarButton.h"

const TClassInfo& TskTitleBarPopupMenu::StaticClass() {
    static const TClassInfo info =
        TClassBuilder<TskTitleBarPopupMenu>("TskTitleBarPopupMenu", &TskPopupMenu::StaticClass()).Build();
    return info;
}

TskTitleBarPopupMenu::TskTitleBarPopupMenu(TskTitleBar* bar) : TskPopupMenu(bar), FBar(bar) {
    SetAutoHotkeys(TMenuAutoFlag::maAutomatic);
    FMinimize = AddItem("最小化(&N)");
    FMaximize = AddItem("最大化/还原(&X)");
    AddItem("-");
    FClose = AddItem("关闭(&C)");
    FMinimize->OnClick = [this](TObject*) {
        if (TskTitleBarButton* button = FBar->FindButton(TskTitleBarBtnType::skMin)) button->DoClick();
    };
    FMaximize->OnClick = [this](TObject*) {
        for (TskTitleBarButton* button : FBar->ButtonList())
            if (button->ButtonType() == TskTitleBarBtnType::skMax) button->DoClick();
    };
    FClose->OnClick = [this](TObject*) {
        if (TCustomForm* host = FBar->HostWindow()) host->Close();
    };
    InstallDrawHandlers(Items());
}

TMenuItem* TskTitleBarPopupMenu::AddItem(const char* caption) {
    auto* item = new TMenuItem(this);
    item->SetCaption(caption);
    Items()->Add(item);
    return item;
}

void TskTitleBarPopupMenu::Popup(int x, int y) {
    FMinimize->SetEnabled(FBar->FindButton(TskTitleBarBtnType::skMin) != nullptr);
    FMaximize->SetEnabled(FBar->FindButton(TskTitleBarBtnType::skMax) != nullptr);
    FClose->SetEnabled(FBar->FindButton(TskTitleBarBtnType::skClose) != nullptr);
    TskPopupMenu::Popup(x, y);
}
