#include "gui/StandardClasses.h"

#include "gui/TComboBox.h"
#include "gui/TEdit.h"
#include "gui/TFrame.h"
#include "gui/TImage.h"
#include "gui/TImageList.h"
#include "gui/TLabel.h"
#include "gui/TMemo.h"
#include "gui/TOpenDialog.h"
#include "gui/TPanel.h"
#include "gui/TPopupWindow.h"
#include "gui/TScrollBar.h"
#include "gui/TSpeedButton.h"
#include "gui/TTreeView.h"

// The standard controls (panels, labels, images, buttons, edits, lists, ...).
void RegisterControlClasses() {
    RegisterClass(TImageList::StaticClass());
    RegisterClass(TPopupWindow::StaticClass());
    RegisterClass(TPanel::StaticClass());
    RegisterClass(TLabel::StaticClass());
    RegisterClass(TImage::StaticClass());
    RegisterClass(TSpeedButton::StaticClass());
    RegisterClass(TFrame::StaticClass());
    RegisterClass(TOpenDialog::StaticClass());
    RegisterClass(TEdit::StaticClass());
    RegisterClass(TComboBox::StaticClass());
    RegisterClass(TScrollBar::StaticClass());
    RegisterClass(TTreeView::StaticClass());
    RegisterClass(TMemo::StaticClass());
}
