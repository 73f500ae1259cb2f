#pragma once
// The UIStyle and FileTheme pair every skinned control carries. The link
// drops the file theme when it is destroyed and falls back to DeepBlue.
#include "gui/TComponent.h"
#include "skin/SkinThemes.h"
#include "skin/TskFileTheme.h"
#include "skin/TskStylePush.h"

class TskThemeLink {
public:
    explicit TskThemeLink(TComponent* self);
    TskUIStyle UIStyle() const { return FUIStyle; }
    void SetUIStyle(TskUIStyle style) { FUIStyle = style; }
    TskFileTheme* FileTheme() const { return FFileTheme; }
    void SetFileTheme(TskFileTheme* theme);
    // Call from the component's Notification; true when the theme went.
    bool Removed(TComponent* component);

private:
    TComponent* FSelf;
    TskUIStyle FUIStyle;
    TskFileTheme* FFileTheme = nullptr;
};

// After either property was set: a class with a ThemeChanged() restyles
// itself there, any other control just repaints; once per style push.
template <class T> void ThemeLinkChanged(T* c) {
    TskStylePush::Restyle(c, [c] {
        if constexpr (requires(T * x) { x->ThemeChanged(); })
            c->ThemeChanged();
        else if constexpr (requires(T * x) { x->Invalidate(); })
            c->Invalidate();
    });
}

// Adds the two published properties to a skinned class's table.
template <class T> TClassBuilder<T>& WithThemeProperties(TClassBuilder<T>& builder) {
    return builder
        .Custom(
            "UIStyle", TPropKind::Enum,
            [](const T* c) -> TValue {
                return TIdent{EnumName(static_cast<int>(c->Theme().UIStyle()), UIStyleNames())};
            },
            [](T* c, const TValue& v) {
                c->Theme().SetUIStyle(static_cast<TskUIStyle>(ValueToEnum(v, UIStyleNames())));
                ThemeLinkChanged(c);
            })
        .Custom(
            "FileTheme", TPropKind::Component,
            [](const T* c) -> TValue { return static_cast<TComponent*>(c->Theme().FileTheme()); },
            [](T* c, const TValue& v) {
                TPropInfo info;
                info.Name = "FileTheme";
                c->Theme().SetFileTheme(ValueAs<TskFileTheme*>(v, info));
                ThemeLinkChanged(c);
            });
}
