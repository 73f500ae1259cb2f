#pragma once
// One entry of a menu: caption ("-" is a separator, "&" marks the access
// key), state, shortcut, image, sub-items, and the owner-draw protocol:
// the menu window first asks each item its size (MeasureItem), then has it
// paint itself into a rectangle (DrawItem). An item without handlers, or
// in a menu whose OwnerDraw is off, is measured and drawn by TMenuPainter.
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "gui/Events.h"
#include "gui/ShortCut.h"
#include "gui/TComponent.h"

class TCanvas;
class TMenu;

enum TOwnerDrawStateFlag : uint32_t {
    odSelected = 1,
    odGrayed = 2,
    odDisabled = 4,
    odChecked = 8,
    odFocused = 16,
    odDefault = 32,
    odHotLight = 64,
    odInactive = 128,
    odNoAccel = 256,
    odNoFocusRect = 512,
};
using TOwnerDrawState = uint32_t;

using TMenuMeasureItemEvent =
    std::function<void(TObject* sender, TCanvas& canvas, int& width, int& height)>;
using TMenuDrawItemEvent =
    std::function<void(TObject* sender, TCanvas& canvas, TRect rect, bool selected)>;
using TAdvancedMenuDrawItemEvent =
    std::function<void(TObject* sender, TCanvas& canvas, TRect rect, TOwnerDrawState state)>;

// The caption without its "&" marks ("&&" stays as one "&").
std::string StripHotkey(std::string_view caption);
// The upper-cased character after a single "&", or 0.
char32_t GetHotkey(std::string_view caption);

class TMenuItem : public TComponent {
    XF_CLASS(TMenuItem)
public:
    explicit TMenuItem(TComponent* owner);
    ~TMenuItem() override;

    const std::string& Caption() const { return FCaption; }
    void SetCaption(const std::string& caption);
    bool IsLine() const { return FCaption == "-"; }
    bool Checked() const { return FChecked; }
    void SetChecked(bool checked);
    bool Enabled() const { return FEnabled; }
    void SetEnabled(bool enabled);
    bool Visible() const { return FVisible; }
    void SetVisible(bool visible);
    // The default item of its menu is drawn bold.
    bool Default() const { return FDefault; }
    void SetDefault(bool value);
    // Checking a radio item unchecks the radio items of its group among
    // its siblings.
    bool RadioItem() const { return FRadioItem; }
    void SetRadioItem(bool value);
    int GroupIndex() const { return FGroupIndex; }
    void SetGroupIndex(int index);
    bool AutoCheck() const { return FAutoCheck; }
    void SetAutoCheck(bool value) { FAutoCheck = value; }
    TShortCut ShortCut() const { return FShortCut; }
    void SetShortCut(TShortCut shortCut);
    int ImageIndex() const { return FImageIndex; }
    void SetImageIndex(int index);
    const std::string& Hint() const { return FHint; }
    void SetHint(const std::string& hint) { FHint = hint; }

    // The access key: the character after "&", or, when the menu assigns
    // keys automatically and the caption has no "&", its first ASCII
    // letter or digit. Upper-cased; 0 when none.
    char32_t AccessKey() const;

    // Sub-items.
    int Count() const { return static_cast<int>(FItems.size()); }
    // Raises EComponentError for an index outside 0..Count()-1.
    TMenuItem* Items(int index) const;
    TMenuItem* Parent() const { return FParent; }
    int MenuIndex() const { return FParent ? FParent->IndexOf(this) : -1; }
    void Add(TMenuItem* item);
    // Raises EComponentError for a bad index, an item that already has a
    // parent, or an item that would contain itself.
    void Insert(int index, TMenuItem* item);
    // Takes the item out of this one without destroying it.
    void Delete(int index);
    void Remove(TMenuItem* item);
    // Destroys every sub-item.
    void Clear();
    int IndexOf(const TMenuItem* item) const;
    // The sub-item whose caption equals `caption`, "&" marks ignored.
    TMenuItem* Find(std::string_view caption) const;
    // The menu whose tree holds this item (its root item's menu).
    TMenu* GetParentMenu() const;
    // A sub-menu opens from this item when it has visible sub-items.
    bool HasSubMenu() const;
    // Visible, enabled and reachable: every ancestor visible and enabled.
    bool CanChoose() const;

    // Choosing the item: toggles the check when AutoCheck, then OnClick.
    // Nothing for a disabled item.
    virtual void Click();
    // The owner-draw protocol. width/height arrive with the default size.
    virtual void MeasureItem(TCanvas& canvas, int& width, int& height);
    virtual void DrawItem(TCanvas& canvas, const TRect& rect, TOwnerDrawState state);

    void SetParentComponent(TComponent* parent) override;

    TNotifyEvent OnClick;
    TMenuMeasureItemEvent OnMeasureItem;
    TMenuDrawItemEvent OnDrawItem;
    TAdvancedMenuDrawItemEvent OnAdvancedDrawItem;

protected:
    // Tells the menu (and the windows showing it) that this item changed;
    // `rebuild` when the set or order of shown items changed.
    void MenuChanged(bool rebuild);
    bool UsesOwnerDraw() const;

private:
    friend class TMenu;
    void UncheckRadioSiblings();

    std::string FCaption;
    bool FChecked = false;
    bool FEnabled = true;
    bool FVisible = true;
    bool FDefault = false;
    bool FRadioItem = false;
    bool FAutoCheck = false;
    int FGroupIndex = 0;
    TShortCut FShortCut = 0;
    int FImageIndex = -1;
    std::string FHint;
    TMenuItem* FParent = nullptr;
    TMenu* FMenu = nullptr; // set on a menu's root item only
    std::vector<TMenuItem*> FItems;
};
