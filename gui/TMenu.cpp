#include "gui/TMenu.h"

#include <algorithm>

#include "gui/MenuHooks.h"
#include "gui/TMenuTracker.h"
#include "gui/graphics/TCustomImageList.h"

const TEnumTable& MenuAutoFlagNames() {
    static const TEnumTable names = {{"maAutomatic", 0}, {"maManual", 1}, {"maParent", 2}};
    return names;
}

const TCustomImageList* ImageListOf(const TComponent* images) {
    if (!images) return nullptr;
    return dynamic_cast<const TCustomImageList*>(static_cast<const TObject*>(images));
}

const TClassInfo& TMenu::StaticClass() {
    static const TClassInfo info =
        TClassBuilder<TMenu>("TMenu", &TComponent::StaticClass())
            .Prop("Images", &TMenu::Images, &TMenu::SetImages)
            .Prop("OwnerDraw", &TMenu::OwnerDraw, &TMenu::SetOwnerDraw)
            .Enum("AutoHotkeys", &TMenu::AutoHotkeys, &TMenu::SetAutoHotkeys, MenuAutoFlagNames())
            .Custom("AutoLineReduction", TPropKind::Enum, nullptr,
                    [](TMenu*, const TValue& v) { (void)ValueToEnum(v, MenuAutoFlagNames()); })
            .Custom("BiDiMode", TPropKind::Enum, nullptr, [](TMenu*, const TValue&) {})
            .Event("OnChange", &TMenu::OnChange)
            .Build();
    return info;
}

TMenu::TMenu(TComponent* owner) : TComponent(owner), FItems(std::make_unique<TMenuItem>(nullptr)) {
    FItems->FMenu = this;
    InstallMenuHooks();
}

TMenu::~TMenu() {
    Destroying();
    TMenuTracker::MenuDestroying(this);
    FItems.reset();
}

void TMenu::SetImages(TComponent* images) {
    if (images == FImages) return;
    if (FImages) FImages->RemoveFreeNotification(this);
    FImages = images;
    if (images) images->FreeNotification(this);
    MenuChanged(nullptr, false);
}

void TMenu::SetOwnerDraw(bool value) {
    if (value == FOwnerDraw) return;
    FOwnerDraw = value;
    MenuChanged(nullptr, false);
}

void TMenu::SetAutoHotkeys(TMenuAutoFlag value) {
    if (value == FAutoHotkeys) return;
    FAutoHotkeys = value;
    MenuChanged(nullptr, false);
}

static TMenuItem* FindShortCutIn(const TMenuItem* parent, TShortCut shortCut) {
    for (int i = 0; i < parent->Count(); ++i) {
        TMenuItem* item = parent->Items(i);
        if (!item->Visible() || !item->Enabled()) continue;
        if (item->ShortCut() == shortCut && item->OnClick) return item;
        if (TMenuItem* found = FindShortCutIn(item, shortCut)) return found;
    }
    return nullptr;
}

TMenuItem* TMenu::FindShortCut(TShortCut shortCut) const {
    if (shortCut == 0) return nullptr;
    return FindShortCutIn(FItems.get(), shortCut);
}

bool TMenu::IsShortCut(int key, TShiftState shift) {
    TMenuItem* item = FindShortCut(::ShortCut(key, shift));
    if (!item) return false;
    item->Click();
    return true;
}

void TMenu::AddView(IMenuView* view) {
    if (std::find(FViews.begin(), FViews.end(), view) == FViews.end()) FViews.push_back(view);
}

void TMenu::RemoveView(IMenuView* view) {
    FViews.erase(std::remove(FViews.begin(), FViews.end(), view), FViews.end());
}

void TMenu::MenuChanged(TMenuItem* source, bool rebuild) {
    // While the window that owns the menu is being torn down its handlers
    // must not run.
    if (IsDestroying() || IsLoading() || (Owner() && Owner()->IsDestroying())) return;
    TMenuTracker::MenuChanged(this, source, rebuild);
    for (IMenuView* view : std::vector<IMenuView*>(FViews))
        if (std::find(FViews.begin(), FViews.end(), view) != FViews.end())
            view->MenuChanged(this, source, rebuild);
    if (OnChange) OnChange(this, source, rebuild);
}

void TMenu::Loaded() {
    TComponent::Loaded();
    MenuChanged(nullptr, true);
}

void TMenu::Notification(TComponent* component, TOperation operation) {
    TComponent::Notification(component, operation);
    if (operation == TOperation::opRemove && component == FImages) {
        FImages = nullptr;
        MenuChanged(nullptr, false);
    }
}
