#include "gui/MenuHooks.h"

#include <algorithm>
#include <vector>

#include "gui/TApplication.h"
#include "gui/TCustomForm.h"
#include "gui/TMenuTracker.h"
#include "gui/TPopupMenu.h"

static std::vector<TMenu*> FormMenus(const TCustomForm* form) {
    std::vector<TMenu*> menus;
    if (auto* main = dynamic_cast<TMenu*>(form->Menu())) menus.push_back(main);
    for (TComponent* c : form->Components())
        if (auto* menu = dynamic_cast<TMenu*>(c))
            if (std::find(menus.begin(), menus.end(), menu) == menus.end()) menus.push_back(menu);
    return menus;
}

TMenuItem* FindFormShortCut(const TCustomForm* form, TShortCut shortCut) {
    if (!form || shortCut == 0) return nullptr;
    for (TMenu* menu : FormMenus(form))
        if (TMenuItem* item = menu->FindShortCut(shortCut)) return item;
    return nullptr;
}

static bool DispatchShortCut(TCustomForm* form, int key, TShiftState shift) {
    TMenuItem* item = FindFormShortCut(form, ShortCut(key, shift));
    if (!item) return false;
    item->Click();
    return true;
}

static void ShowPopupMenu(TComponent* menu, TControl* sender, TPoint screen) {
    auto* popup = dynamic_cast<TPopupMenu*>(menu);
    if (!popup || !popup->AutoPopup()) return;
    popup->SetPopupComponent(sender);
    popup->Popup(screen.X, screen.Y);
}

void InstallMenuHooks() {
    if (!TCustomForm::ShortCutHandler) TCustomForm::ShortCutHandler = DispatchShortCut;
    if (!TCustomForm::DeactivateHandler) TCustomForm::DeactivateHandler = TMenuTracker::FormDeactivated;
    if (!TControl::PopupMenuHandler) TControl::PopupMenuHandler = ShowPopupMenu;
    if (!TApplication::MenuMessageFilter)
        TApplication::MenuMessageFilter = TMenuTracker::FilterMessage;
}
