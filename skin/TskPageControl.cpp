#include "skin/TskPageControl.h"

#include <algorithm>

#include "gui/TCustomForm.h"
#include "platform/Text.h"
#include "skin/SkinStyle.h"
#include "skin/TskPageControlTopPanel.h"
#include "skin/TskTabSheet.h"

const TClassInfo& TskPageControl::StaticClass() {
    static const TClassInfo info =
        TClassBuilder<TskPageControl>("TskPageControl", &TskTab::StaticClass())
            .Prop("ActivePage", &TskPageControl::ActivePage, &TskPageControl::SetActivePage)
            .Prop("Pages", &TskPageControl::PageNames, &TskPageControl::SetPageNames)
            .Custom(
                "PageCount", TPropKind::Integer,
                [](const TskPageControl* c) -> TValue { return int64_t{c->PageCount()}; },
                [](TskPageControl*, const TValue&) {
                    throw EConvertError("PageCount is read-only");
                })
            .Build();
    return info;
}

TskPageControl::TskPageControl(TComponent* owner) : TskTab(owner) {
    CreateStrip();
    Strip()->SetTabs({});
}

// Pages outlive their control only as plain panels.
TskPageControl::~TskPageControl() {
    Destroying();
    for (TskTabSheet* page : FPages) {
        page->FPageControl = nullptr;
        page->FPageIndex = -1;
    }
    FPages.clear();
    FActivePage = nullptr;
}

TskTabControlTopPanel* TskPageControl::CreateTopPanel() {
    return new TskPageControlTopPanel(this);
}

TskTabSheet* TskPageControl::PageAt(int index) const {
    if (index < 0 || index >= PageCount()) return nullptr;
    return FPages[static_cast<size_t>(index)];
}

int TskPageControl::ActivePageIndex() const {
    return FActivePage ? FActivePage->PageIndex() : 0;
}

void TskPageControl::SetActivePageIndex(int index) {
    if (TskTabSheet* page = PageAt(index)) ActivatePage(page, false);
}

void TskPageControl::SetActivePage(TskTabSheet* page) {
    // A layout may name the active page before the page has joined.
    if (IsLoading()) {
        FStoredActivePage = page;
        FHasStoredActivePage = true;
        return;
    }
    if (page && page->PageControl() != this) return;
    ActivatePage(page, false);
}

std::vector<std::string> TskPageControl::PageNames() const {
    std::vector<std::string> names;
    for (const TskTabSheet* page : FPages)
        names.push_back(page->Name());
    return names;
}

void TskPageControl::SetPageNames(const std::vector<std::string>& names) {
    FPageNames = names;
}

bool TskPageControl::Quiet() const {
    return IsDestroying() || (Owner() && Owner()->IsDestroying());
}

TskTabSheet* TskPageControl::FindPage(const TControl* control) const {
    for (TskTabSheet* page : FPages)
        if (static_cast<const TControl*>(page) == control) return page;
    return nullptr;
}

void TskPageControl::Renumber() {
    for (size_t i = 0; i < FPages.size(); ++i)
        FPages[i]->FPageIndex = static_cast<int>(i);
}

void TskPageControl::UpdateTabs() {
    if (!Strip()) return;
    std::vector<std::string> captions;
    for (const TskTabSheet* page : FPages)
        captions.push_back(page->Caption());
    Strip()->SetTabs(captions);
    for (size_t i = 0; i < FPages.size(); ++i) {
        Strip()->SetTabShown(static_cast<int>(i), FPages[i]->FTabVisible);
        Strip()->SetTabSound(static_cast<int>(i), FPages[i]->FSound);
    }
}

void TskPageControl::InsertPage(TskTabSheet* page) {
    if (FindPage(page) || Quiet()) return;
    if (page->FPageControl && page->FPageControl != this) page->FPageControl->RemovePage(page);
    page->FPageControl = this;
    page->SetColor(Color());
    page->FBorderColor = BorderColor();
    FPages.push_back(page);
    Renumber();
    if (IsLoading() && FPageNames.size() == FPages.size()) ApplyStoredOrder();
    UpdateTabs();
    ActivatePage(page, false);
}

void TskPageControl::RemovePage(TskTabSheet* page) {
    auto it = std::find(FPages.begin(), FPages.end(), page);
    if (it == FPages.end()) return;
    const int index = static_cast<int>(it - FPages.begin());
    FPages.erase(it);
    page->FPageControl = nullptr;
    page->FPageIndex = -1;
    // A page on its way out gets no OnHide; one that is only taken out does.
    if (page == FActivePage && (page->IsDestroying() || Quiet())) FActivePage = nullptr;
    Renumber();
    UpdateTabs();
    if (Quiet()) return;
    ActivatePage(PageAt(index - 1), false);
}

void TskPageControl::MovePage(TskTabSheet* page, int index) {
    if (index < 0 || index >= PageCount() || page->FPageControl != this) return;
    auto it = std::find(FPages.begin(), FPages.end(), page);
    FPages.erase(it);
    FPages.insert(FPages.begin() + index, page);
    Renumber();
    UpdateTabs();
    ActivatePage(page, false);
}

void TskPageControl::PageTabVisibleChanged(TskTabSheet* page) {
    const int index = page->PageIndex();
    if (Strip()) Strip()->SetTabShown(index, page->FTabVisible);
    if (page->FTabVisible || page != FActivePage || IsLoading()) return;
    for (int i = index - 1; i >= 0; --i)
        if (PageAt(i)->TabVisible()) return ActivatePage(PageAt(i), false);
    for (int i = index + 1; i < PageCount(); ++i)
        if (PageAt(i)->TabVisible()) return ActivatePage(PageAt(i), false);
}

// Pages named in the stored list take their place in it; pages it does not
// name keep their order after those.
void TskPageControl::ApplyStoredOrder() {
    auto rank = [this](const TskTabSheet* page) {
        for (size_t i = 0; i < FPageNames.size(); ++i)
            if (platform::SameText(FPageNames[i], page->Name())) return i;
        return FPageNames.size();
    };
    std::stable_sort(
        FPages.begin(), FPages.end(),
        [&rank](const TskTabSheet* a, const TskTabSheet* b) { return rank(a) < rank(b); });
    Renumber();
    UpdateTabs();
    if (Strip()) Strip()->SelectQuietly(FActivePage ? FActivePage->PageIndex() : -1);
}

void TskPageControl::Loaded() {
    if (!FPages.empty() && FPageNames.size() == FPages.size()) ApplyStoredOrder();
    if (FHasStoredActivePage) {
        FHasStoredActivePage = false;
        TskTabSheet* stored = FStoredActivePage.Get();
        FStoredActivePage = nullptr;
        if (!stored || stored->PageControl() == this) ActivatePage(stored, false);
    }
    TskTab::Loaded();
}

void TskPageControl::TabActive(int index) {
    if (TskTabSheet* page = PageAt(index)) ActivatePage(page, true);
}

// The steps of one activation. `tabPath` is set when the strip's index
// changed (by a click or because the page's index differed from it): only
// then does the page take the focus and OnTabActive/OnChange fire.
void TskPageControl::ActivatePage(TskTabSheet* page, bool tabPath) {
    auto alive = AliveToken();
    TSafeRef<TskTabSheet> target(page);
    // A loop: an OnHide handler may itself activate another page.
    while (FActivePage && FActivePage != page) {
        TskTabSheet* old = FActivePage;
        // Cleared first: the strip's path below comes back here and must
        // not hide it a second time.
        FActivePage = nullptr;
        old->SetEnabled(false);
        old->SetVisible(false);
        old->DoHide();
        if (alive.expired() || (page && !target)) return;
    }
    if (!page) {
        FActivePage = nullptr;
        if (Strip()) Strip()->SelectQuietly(-1);
        return;
    }
    if (page->PageControl() != this) return;
    if (Strip() && page->PageIndex() != Strip()->TabIndex()) {
        Strip()->SetTabIndex(page->PageIndex());
        if (alive.expired() || !target || FActivePage == page || page->PageControl() != this)
            return;
    }
    FActivePage = page;
    page->SetVisible(true);
    page->SetEnabled(true);
    page->BringToFront();
    page->Invalidate();
    if (tabPath && !IsLoading()) FocusFirstControl(page);
    page->DoShow();
    if (alive.expired() || !target) return;
    if (tabPath) TskTab::TabActive(page->PageIndex());
}

void TskPageControl::FocusFirstControl(TskTabSheet* page) {
    try {
        if (page->ControlCount() == 0) return;
        auto* first = dynamic_cast<TWinControl*>(page->Control(0));
        if (!first || !first->Visible() || !first->CanFocus()) return;
        if (TCustomForm* form = ParentForm()) form->SetActiveControl(first);
    } catch (...) {
        // Focusing is a courtesy; a control that refuses it changes nothing.
    }
}

void TskPageControl::BorderColorChanged() {
    for (TskTabSheet* page : FPages)
        page->FBorderColor = BorderColor();
    if (FActivePage) FActivePage->Invalidate();
}

void TskPageControl::UpdateChildrenUIStyle(TskUIStyle style, TskFileTheme* theme) {
    for (TskTabSheet* page : FPages) {
        ApplyStyleToChildren(page, style, theme);
        page->SetColor(Color());
        page->SetAlign(TAlign::alClient);
    }
}

void TskPageControl::ColorChanged() {
    TskTab::ColorChanged();
    for (TskTabSheet* page : FPages)
        page->SetColor(Color());
}

void TskPageControl::ControlListChange(TControl* control, bool inserted) {
    if (!inserted) {
        if (TskTabSheet* page = FindPage(control)) RemovePage(page);
        return;
    }
    if (auto* sheet = dynamic_cast<TskTabSheet*>(control)) InsertPage(sheet);
}

void TskPageControl::WndProc(TMessage& message) {
    switch (message.Msg) {
    case CM_CONTROLLISTCHANGE:
        ControlListChange(reinterpret_cast<TControl*>(message.WParam), message.LParam != 0);
        return;
    case CM_SHOWCONTROL:
        if (TskTabSheet* page = FindPage(reinterpret_cast<TControl*>(message.WParam)))
            ActivatePage(page, false);
        break;
    default:
        break;
    }
    TskTab::WndProc(message);
}
