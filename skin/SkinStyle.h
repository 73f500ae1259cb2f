#pragma once
// Handing a UI style and a file theme to components through their published
// "UIStyle" and "FileTheme" properties, so that any skinned class can take
// part without this code knowing it.
#include "gui/TClassInfo.h"
#include "skin/SkinThemes.h"

class TComponent;
class TWinControl;

// The UIStyle of the first skinned window frame (a TskForm, or a class
// derived from it) among the form's direct child controls; DeepBlue when
// there is none or `owner` is not a form. Skinned controls start in it.
TskUIStyle GetOwnerFormStyle(const TComponent* owner);

// For each direct child control of `container`, in order, that publishes
// both "FileTheme" and "UIStyle": FileTheme first, then UIStyle.
void ApplyStyleToChildren(const TWinControl* container, TskUIStyle style, TskFileTheme* fileTheme);

// Set the published property when the object has one; false when it has
// none. The style is given in the form the property takes (an identifier
// for an enumeration, else a number).
bool SetUIStyleProperty(TObject* object, TskUIStyle style);
bool SetFileThemeProperty(TObject* object, TskFileTheme* fileTheme);
// The object's published UIStyle; `fallback` when it has none or its value
// is not a style.
TskUIStyle GetUIStyleProperty(const TObject* object, TskUIStyle fallback);
