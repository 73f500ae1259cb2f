#pragma once
// A row of a main menu's top items (the plain menu bar, or a tool bar whose
// buttons are bound to menu items). The menu tracker moves along it with
// Left/Right, drops the sub-menu of an entry under it, and tells it which
// entry to highlight.
#include "gui/Types.h"

class TControl;
class TMenuItem;

class IMenuBarView {
public:
    virtual ~IMenuBarView() = default;
    virtual TControl* BarControl() = 0;
    virtual int BarItemCount() const = 0;
    // nullptr for an entry that stands for no menu item (a plain button)
    // or that is hidden.
    virtual TMenuItem* BarItem(int index) const = 0;
    virtual TRect BarItemScreenRect(int index) const = 0;
    // `index` is highlighted (-1: none); `open` while its sub-menu shows.
    virtual void BarStateChanged(int index, bool open) = 0;
};
