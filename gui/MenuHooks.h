#pragma once
// Connects the menus to the framework's hooks: right clicks on controls
// with a PopupMenu (TControl::PopupMenuHandler), form shortcuts
// (TCustomForm::ShortCutHandler) and the open menu's hold on the input
// (TApplication::MenuMessageFilter). Every menu calls it when it is made;
// a handler someone else installed first is left in place.
#include "gui/ShortCut.h"

class TCustomForm;
class TMenuItem;

void InstallMenuHooks();
// The item a form's shortcut would choose: the form's main menu first, then
// the menus it owns, in creation order.
TMenuItem* FindFormShortCut(const TCustomForm* form, TShortCut shortCut);
