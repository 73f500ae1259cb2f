#include "gui/TOpenDialog.h"

#include "gui/TApplication.h"
#include "gui/TCustomForm.h"

const TClassInfo& TOpenDialog::StaticClass() {
    static const TClassInfo info =
        TClassBuilder<TOpenDialog>("TOpenDialog", &TComponent::StaticClass())
            .Prop("Filter", &TOpenDialog::Filter, &TOpenDialog::SetFilter)
            .Prop("FilterIndex", &TOpenDialog::FilterIndex, &TOpenDialog::SetFilterIndex)
            .Prop("FileName", &TOpenDialog::FileName, &TOpenDialog::SetFileName)
            .Prop("InitialDir", &TOpenDialog::InitialDir, &TOpenDialog::SetInitialDir)
            .Prop("Title", &TOpenDialog::Title, &TOpenDialog::SetTitle)
            .Prop("DefaultExt", &TOpenDialog::DefaultExt, &TOpenDialog::SetDefaultExt)
            .Build();
    return info;
}

TOpenDialog::TOpenDialog(TComponent* owner) : TComponent(owner) {}

static THostWindow ParentWindow(TComponent* owner) {
    for (TComponent* c = owner; c; c = c->Owner())
        if (auto* form = dynamic_cast<TCustomForm*>(static_cast<TObject*>(c)))
            return form->HostWindow();
    if (TCustomForm* main = Application->MainForm()) return main->HostWindow();
    return 0;
}

bool TOpenDialog::Execute() {
    TFileDialogRequest request;
    request.Title = FTitle;
    request.Filter = FFilter;
    request.FilterIndex = FFilterIndex;
    request.InitialDir = FInitialDir;
    request.FileName = FFileName;
    request.Save = IsSaveDialog();
    std::string chosen;
    if (!Application->Host().FileDialog(ParentWindow(Owner()), request, chosen)) return false;
    FFileName = chosen;
    return true;
}
