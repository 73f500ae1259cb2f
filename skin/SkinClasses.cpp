#include "skin/SkinClasses.h"

#include "gui/TClassInfo.h"
#include "skin/SkinAccessible.h"
#include "skin/TskButton.h"
#include "skin/TskComboBox.h"
#include "skin/TskEdit.h"
#include "skin/TskFileTheme.h"
#include "skin/TskForm.h"
#include "skin/TskImageButton.h"
#include "skin/TskImagePanel.h"
#include "skin/TskMainMenu.h"
#include "skin/TskPageControl.h"
#include "skin/TskTabSheet.h"
#include "skin/TskPopupMenu.h"
#include "skin/TskScrollBar.h"
#include "skin/TskScrollTrackBar.h"
#include "skin/TskThemeManager.h"
#include "skin/TskTitleBar.h"
#include "skin/TskTrackBar.h"
#include "skin/TskTreeView.h"

void RegisterSkinClasses() {
    RegisterClass(TskPageControl::StaticClass());
    RegisterClass(TskTabSheet::StaticClass());
    RegisterClass(TskThemeManager::StaticClass());
    RegisterClass(TskFileTheme::StaticClass());
    RegisterClass(TskForm::StaticClass());
    RegisterClass(TskImagePanel::StaticClass());
    RegisterClass(TskComboBox::StaticClass());
    RegisterClass(TskEdit::StaticClass());
    RegisterClass(TskTreeView::StaticClass());
    RegisterClass(TskMainMenu::StaticClass());
    RegisterClass(TskPopupMenu::StaticClass());
    RegisterClass(TskButton::StaticClass());
    RegisterClass(TskImageButton::StaticClass());
    RegisterClass(TskTitleBar::StaticClass());
    RegisterClass(TskTrackBar::StaticClass());
    RegisterClass(TskScrollTrackBar::StaticClass());
    RegisterClass(TskScrollBar::StaticClass());
    RegisterSkinAccessibility();
}
