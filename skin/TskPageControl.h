#pragma once
// A tab control whose tabs are its pages (TskTabSheet children): the page
// list, the active page, moving, hiding and removing pages, the events of
// an activation and their order, and the page order stored in layouts.
#include <string>
#include <vector>

#include "skin/TskTab.h"

class TskTabSheet;

class TskPageControl : public TskTab {
    XF_CLASS(TskPageControl)
public:
    explicit TskPageControl(TComponent* owner);
    ~TskPageControl() override;

    int PageCount() const { return static_cast<int>(FPages.size()); }
    // None when the index is outside 0 .. PageCount - 1.
    TskTabSheet* PageAt(int index) const;
    const std::vector<TskTabSheet*>& Pages() const { return FPages; }
    TskTabSheet* ActivePage() const { return FActivePage; }
    // Activates the page (none: no page is active); a sheet of another
    // control is ignored. Never asks OnChanging.
    void SetActivePage(TskTabSheet* page);
    // The active page's index, 0 when no page is active.
    int ActivePageIndex() const;
    void SetActivePageIndex(int index);

    // The stored "Pages": the pages' component names in page order.
    std::vector<std::string> PageNames() const;
    void SetPageNames(const std::vector<std::string>& names);

    void TabActive(int index) override;

protected:
    TskTabControlTopPanel* CreateTopPanel() override;
    void BorderColorChanged() override;
    // The pages' children take the style; the pages take the body colour
    // and fill the body.
    void UpdateChildrenUIStyle(TskUIStyle style, TskFileTheme* theme) override;
    void ColorChanged() override;
    void WndProc(TMessage& message) override;
    void Loaded() override;

private:
    friend class TskTabSheet;

    void InsertPage(TskTabSheet* page);
    void RemovePage(TskTabSheet* page);
    void MovePage(TskTabSheet* page, int index);
    void PageTabVisibleChanged(TskTabSheet* page);
    void ControlListChange(TControl* control, bool inserted);
    TskTabSheet* FindPage(const TControl* control) const;
    void Renumber();
    void UpdateTabs();
    void ApplyStoredOrder();
    void ActivatePage(TskTabSheet* page, bool tabPath);
    void FocusFirstControl(TskTabSheet* page);
    // Set while the control or its owner is going away: the page list is
    // kept right but no page is activated and no event fires.
    bool Quiet() const;

    std::vector<TskTabSheet*> FPages;
    std::vector<std::string> FPageNames;
    TskTabSheet* FActivePage = nullptr;
    // The layout's ActivePage, applied once every page has joined.
    TSafeRef<TskTabSheet> FStoredActivePage;
    bool FHasStoredActivePage = false;
};
