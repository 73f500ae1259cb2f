#pragma once
// The skinned main menu: its drop-downs and submenus are drawn by the
// skin (TskMenuLook); the top-level items are the window frame's menu bar.
// While no image list is set the items take their pictures from a private
// list that holds only the check mark; Images then reads none.
#include "gui/TMainMenu.h"
#include "skin/TskMenuLook.h"

class TskMainMenu : public TMainMenu, public TskMenuLook {
    XF_CLASS(TskMainMenu)
public:
    explicit TskMainMenu(TComponent* owner);

    bool OwnerDraw() const override { return true; }
    void SetOwnerDraw(bool) override {}
    const TCustomImageList* ImageList() const override;
    void Loaded() override;
    void Notification(TComponent* component, TOperation operation) override;

protected:
    void ItemAdded(TMenuItem* item) override { InstallDrawHandlers(item); }
    const TCustomImageList* ItemImages() const override { return ImageList(); }
};
