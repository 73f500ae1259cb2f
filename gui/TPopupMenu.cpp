#include "gui/TPopupMenu.h"

const TClassInfo& TPopupMenu::StaticClass() {
    static const TClassInfo info =
        TClassBuilder<TPopupMenu>("TPopupMenu", &TMenu::StaticClass())
            .Prop("AutoPopup", &TPopupMenu::AutoPopup, &TPopupMenu::SetAutoPopup)
            .Enum("Alignment", &TPopupMenu::Alignment, &TPopupMenu::SetAlignment,
                  PopupAlignmentNames())
            .Custom("TrackButton", TPropKind::Enum, nullptr, [](TPopupMenu*, const TValue&) {})
            .Custom("MenuAnimation", TPropKind::Set, nullptr, [](TPopupMenu*, const TValue&) {})
            .Event("OnPopup", &TPopupMenu::OnPopup)
            .Build();
    return info;
}

TPopupMenu::TPopupMenu(TComponent* owner) : TMenu(owner) {}

void TPopupMenu::SetPopupComponent(TComponent* component) {
    if (component == FPopupComponent) return;
    if (FPopupComponent) FPopupComponent->RemoveFreeNotification(this);
    FPopupComponent = component;
    if (component) component->FreeNotification(this);
}

void TPopupMenu::Notification(TComponent* component, TOperation operation) {
    TMenu::Notification(component, operation);
    if (operation == TOperation::opRemove && component == FPopupComponent)
        FPopupComponent = nullptr;
}

void TPopupMenu::Popup(int x, int y) {
    FPopupPoint = {x, y};
    TMenuTracker* tracker = TMenuTracker::Instance();
    if (!tracker) return;
    // Only one menu is open at a time; this one's handler sees it closed.
    tracker->CloseAll();
    auto alive = AliveToken();
    if (OnPopup) OnPopup(this);
    if (alive.expired()) return;
    tracker->Popup(this, Items(), FPopupPoint, FAlignment);
}
