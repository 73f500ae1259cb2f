#include "skin/TskThemeLink.h"

#include "skin/SkinStyle.h"

// A skinned control starts in the style of the window it is dropped on.
TskThemeLink::TskThemeLink(TComponent* self) : FSelf(self), FUIStyle(GetOwnerFormStyle(self->Owner())) {}

void TskThemeLink::SetFileTheme(TskFileTheme* theme) {
    if (theme == FFileTheme) return;
    if (FFileTheme) FFileTheme->RemoveFreeNotification(FSelf);
    FFileTheme = theme;
    if (theme) theme->FreeNotification(FSelf);
}

bool TskThemeLink::Removed(TComponent* component) {
    if (!FFileTheme || component != FFileTheme) return false;
    FFileTheme = nullptr;
    FUIStyle = TskUIStyle::DeepBlue;
    return true;
}
