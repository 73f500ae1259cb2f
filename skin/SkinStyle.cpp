#include "skin/SkinStyle.h"

#include "gui/TCustomForm.h"
#include "gui/TWinControl.h"
#include "platform/Text.h"
#include "skin/TskFileTheme.h"

namespace {

// By name, so that this layer does not depend on the frame's class.
bool IsSkinnedFrame(const TObject* object) {
    for (const TClassInfo* c = &object->ClassInfo(); c; c = c->Parent())
        if (c->Name() == "TskForm") return true;
    return false;
}

bool StyleFromValue(const TValue& value, TskUIStyle& style) {
    if (auto* id = std::get_if<TIdent>(&value)) {
        for (auto& [name, v] : UIStyleNames())
            if (platform::SameText(name, id->Name)) {
                style = static_cast<TskUIStyle>(v);
                return true;
            }
        return false;
    }
    if (auto* number = std::get_if<int64_t>(&value)) {
        if (*number < 0 || *number > 255) return false;
        style = static_cast<TskUIStyle>(*number);
        return true;
    }
    return false;
}

} // namespace

bool SetUIStyleProperty(TObject* object, TskUIStyle style) {
    const TPropInfo* info = object ? object->ClassInfo().FindProperty("UIStyle") : nullptr;
    if (!info) return false;
    if (info->Kind == TPropKind::Integer) {
        info->Set(object, static_cast<int64_t>(style));
        return true;
    }
    info->Set(object, TIdent{EnumName(static_cast<int>(style), UIStyleNames())});
    return true;
}

bool SetFileThemeProperty(TObject* object, TskFileTheme* fileTheme) {
    const TPropInfo* info = object ? object->ClassInfo().FindProperty("FileTheme") : nullptr;
    if (!info) return false;
    info->Set(object, static_cast<TComponent*>(fileTheme));
    return true;
}

TskUIStyle GetUIStyleProperty(const TObject* object, TskUIStyle fallback) {
    const TPropInfo* info = object ? object->ClassInfo().FindProperty("UIStyle") : nullptr;
    if (!info || !info->Get) return fallback;
    TskUIStyle style = fallback;
    return StyleFromValue(info->Get(object), style) ? style : fallback;
}

TskUIStyle GetOwnerFormStyle(const TComponent* owner) {
    auto* form = dynamic_cast<const TCustomForm*>(owner);
    if (!form) return TskUIStyle::DeepBlue;
    for (const TControl* child : form->Controls())
        if (IsSkinnedFrame(child)) return GetUIStyleProperty(child, TskUIStyle::DeepBlue);
    return TskUIStyle::DeepBlue;
}

void ApplyStyleToChildren(const TWinControl* container, TskUIStyle style, TskFileTheme* fileTheme) {
    if (!container) return;
    const std::vector<TControl*> children = container->Controls();
    std::vector<std::weak_ptr<void>> alive;
    for (TControl* child : children)
        alive.push_back(child->AliveToken());
    for (size_t i = 0; i < children.size(); ++i) {
        if (alive[i].expired()) continue;
        TControl* child = children[i];
        if (!HasProperty(child, "FileTheme") || !HasProperty(child, "UIStyle")) continue;
        SetFileThemeProperty(child, fileTheme);
        SetUIStyleProperty(child, style);
    }
}
