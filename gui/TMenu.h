#pragma once
// What main menus and pop-up menus share: the item tree under a root item,
// the image list, owner drawing, automatic access keys, shortcut lookup and
// change notification.
#include <functional>
#include <memory>
#include <vector>

#include "gui/TMenuItem.h"

class TCustomImageList;

enum class TMenuAutoFlag { maAutomatic, maManual, maParent };
const TEnumTable& MenuAutoFlagNames();

using TMenuChangeEvent = std::function<void(TObject* sender, TMenuItem* source, bool rebuild)>;

// Something that shows a menu (a menu bar) and follows its changes.
class IMenuView {
public:
    virtual ~IMenuView() = default;
    virtual void MenuChanged(TMenu* menu, TMenuItem* source, bool rebuild) = 0;
};

// The pictures of an image-list component, or nullptr when `images` is none
// or holds no pictures.
const TCustomImageList* ImageListOf(const TComponent* images);

class TMenu : public TComponent {
    XF_CLASS(TMenu)
public:
    explicit TMenu(TComponent* owner);
    ~TMenu() override;

    TMenuItem* Items() const { return FItems.get(); }
    TComponent* Images() const { return FImages; }
    virtual void SetImages(TComponent* images);
    // The pictures items are drawn with (a skinned menu may have its own).
    virtual const TCustomImageList* ImageList() const { return ImageListOf(FImages); }
    virtual bool OwnerDraw() const { return FOwnerDraw; }
    virtual void SetOwnerDraw(bool value);
    TMenuAutoFlag AutoHotkeys() const { return FAutoHotkeys; }
    void SetAutoHotkeys(TMenuAutoFlag value);

    // The first item with this shortcut that can be chosen and has a click
    // handler, or nullptr.
    TMenuItem* FindShortCut(TShortCut shortCut) const;
    // Chooses that item; returns whether there was one.
    bool IsShortCut(int key, TShiftState shift);

    void AddView(IMenuView* view);
    void RemoveView(IMenuView* view);

    // Called for every change of an item in the tree: fires OnChange and
    // tells the views and the open menu windows.
    virtual void MenuChanged(TMenuItem* source, bool rebuild);
    void Loaded() override;
    void Notification(TComponent* component, TOperation operation) override;

    TMenuChangeEvent OnChange;

protected:
    // An item (with its sub-items) joined the tree.
    virtual void ItemAdded(TMenuItem* item) { (void)item; }

private:
    friend class TMenuItem;

    std::unique_ptr<TMenuItem> FItems;
    TComponent* FImages = nullptr;
    bool FOwnerDraw = false;
    TMenuAutoFlag FAutoHotkeys = TMenuAutoFlag::maAutomatic;
    std::vector<IMenuView*> FViews;
};
