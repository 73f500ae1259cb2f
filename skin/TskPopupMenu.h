#pragma once
// The skinned pop-up menu: every item drawn by the skin (TskMenuLook), with
// the pop-up menu's own image list; check marks come from the shared list.
#include "gui/TPopupMenu.h"
#include "skin/TskMenuLook.h"

class TskPopupMenu : public TPopupMenu, public TskMenuLook {
    XF_CLASS(TskPopupMenu)
public:
    explicit TskPopupMenu(TComponent* owner);

    bool OwnerDraw() const override { return true; }
    void SetOwnerDraw(bool) override {}
    void Loaded() override;
    void Notification(TComponent* component, TOperation operation) override;

protected:
    void ItemAdded(TMenuItem* item) override { InstallDrawHandlers(item); }
    const TCustomImageList* ItemImages() const override { return ImageList(); }
};
