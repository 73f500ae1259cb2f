#include "skin/TskThemeManager.h"

#include <algorithm>

#include "gui/TCustomForm.h"
#include "platform/Text.h"
#include "skin/SkinStyle.h"
#include "skin/TskFileTheme.h"
#include "skin/TskStylePush.h"

const TClassInfo& TskThemeManager::StaticClass() {
    static const TClassInfo info =
        TClassBuilder<TskThemeManager>("TskThemeManager", &TComponent::StaticClass())
            .Enum("UIStyle", &TskThemeManager::UIStyle, &TskThemeManager::SetUIStyle,
                  UIStyleNames())
            .Prop("FileTheme", &TskThemeManager::FileTheme, &TskThemeManager::SetFileTheme)
            .Prop("CompList", &TskThemeManager::CompList, &TskThemeManager::SetCompList)
            .Event("OnUIStyleChanged", &TskThemeManager::OnUIStyleChanged)
            .Build();
    return info;
}

TskThemeManager::TskThemeManager(TComponent* owner) : TComponent(owner) {
    FUIStyle = TskUIStyle::DeepBlue;
}

TskThemeManager::~TskThemeManager() {
    if (FFileTheme) RemoveFreeNotification(FFileTheme);
}

void TskThemeManager::SetUIStyle(TskUIStyle style) {
    const TskUIStyle previous = FUIStyle;
    FUIStyle = style;
    const std::weak_ptr<void> alive = AliveToken();
    Push();
    if (alive.expired()) return;
    if (style != previous && OnUIStyleChanged) OnUIStyleChanged(this);
}

void TskThemeManager::SetFileTheme(TskFileTheme* theme) {
    if (FFileTheme && FFileTheme != theme) RemoveFreeNotification(FFileTheme);
    FFileTheme = theme;
    if (theme) FreeNotification(theme);
    SetUIStyle(FUIStyle);
}

// Inside an open style push the manager pushes once, when it closes; on its
// own a push is a style push of its own, so that each control restyles once
// for the two properties it is given.
void TskThemeManager::Push() {
    if (FPushing) return;
    TskStylePush::Push(this, [this] { PushNow(); });
}

// Each listed component takes the style first, then the file theme. A
// manager reached again through its own list (directly or through another
// manager) does not push a second time.
void TskThemeManager::PushNow() {
    auto* form = dynamic_cast<TCustomForm*>(Owner());
    if (!form || FPushing) return;
    FPushing = true;
    const std::weak_ptr<void> alive = AliveToken();
    const TskThemeMgrCompList names = FCompList;
    try {
        for (const std::string& name : names) {
            TComponent* target = form->FindComponent(name);
            if (!target) continue;
            const std::weak_ptr<void> targetAlive = target->AliveToken();
            SetUIStyleProperty(target, FUIStyle);
            if (alive.expired()) return;
            if (!targetAlive.expired()) SetFileThemeProperty(target, FFileTheme);
            if (alive.expired()) return;
        }
    } catch (...) {
        if (!alive.expired()) FPushing = false;
        throw;
    }
    FPushing = false;
}

bool TskThemeManager::RemovalAlreadyHandled(const TComponent* component) {
    const std::weak_ptr<void> token = component->AliveToken();
    const bool same = !FLastRemoved.owner_before(token) && !token.owner_before(FLastRemoved) &&
                      !FLastRemoved.expired();
    FLastRemoved = token;
    return same;
}

void TskThemeManager::Notification(TComponent* component, TOperation operation) {
    TComponent::Notification(component, operation);
    if (operation != TOperation::opRemove || component == this) return;
    if (!RemovalAlreadyHandled(component) && !component->Name().empty()) {
        auto it = std::find_if(FCompList.begin(), FCompList.end(), [&](const std::string& name) {
            return platform::SameText(name, component->Name());
        });
        if (it != FCompList.end()) FCompList.erase(it);
    }
    if (component == FFileTheme) {
        FFileTheme = nullptr;
        FUIStyle = TskUIStyle::DeepBlue;
    }
}
