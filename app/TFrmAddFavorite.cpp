#include "app/TFrmAddFavorite.h"

#include <memory>

#include "app/PlaceControl.h"
#include "gui/Exception.h"
#include "gui/TApplication.h"
#include "gui/TComboBox.h"
#include "gui/TEdit.h"
#include "gui/TLabel.h"
#include "gui/TSpeedButton.h"
#include "platform/Kernel.h"
#include "services/TFavoritesFolder.h"

namespace {

// The root folder's entry in the folder list; the others are relative paths.
constexpr const char* kRootFolder = "收藏夹";

} // namespace

const TClassInfo& TFrmAddFavorite::StaticClass() {
    static const TClassInfo info =
        TClassBuilder<TFrmAddFavorite>("TFrmAddFavorite", &TForm::StaticClass()).Build();
    return info;
}

TFrmAddFavorite::TFrmAddFavorite(TComponent* owner) : TForm(owner) {
    SetText("添加到收藏夹");
    SetBorderStyle(TBorderStyle::bsDialog);
    SetPosition(TPosition::poScreenCenter);
    SetBounds(0, 0, 360, 150);
    CreateControls();
}

void TFrmAddFavorite::CreateControls() {
    labName = Place<TLabel>(this, 12, 16, 70, 20);
    labName->SetCaption("名称(&N):");
    edtName = Place<TEdit>(this, 86, 12, 258, 22);
    labName->SetFocusControl(edtName);
    labFolder = Place<TLabel>(this, 12, 50, 70, 20);
    labFolder->SetCaption("创建到(&I):");
    cmbFolder = Place<TComboBox>(this, 86, 46, 258, 22);
    cmbFolder->SetStyle(TComboBoxStyle::csDropDownList);
    labFolder->SetFocusControl(cmbFolder);
    btnOK = Place<TSpeedButton>(this, 184, 90, 76, 26);
    btnOK->SetCaption("确定");
    btnOK->OnClick = [this](TObject* sender) { btnOKClick(sender); };
    btnCancel = Place<TSpeedButton>(this, 268, 90, 76, 26);
    btnCancel->SetCaption("取消");
    btnCancel->OnClick = [this](TObject* sender) { btnCancelClick(sender); };
}

void TFrmAddFavorite::Prepare(const std::string& root, const std::string& title,
                              const std::string& url) {
    FRoot = root;
    FURL = url;
    std::string name = TFavoritesFolder::CleanName(title);
    edtName->SetText(name.empty() ? TFavoritesFolder::CleanName(url) : name);
    std::vector<std::string> folders = TFavoritesFolder(root).Folders();
    folders.front() = kRootFolder;
    cmbFolder->Items().Assign(folders);
    cmbFolder->SetItemIndex(0);
    SetActiveControl(edtName);
}

std::string TFrmAddFavorite::Execute(const std::string& root, const std::string& title,
                                     const std::string& url) {
    std::unique_ptr<TFrmAddFavorite> dialog = std::make_unique<TFrmAddFavorite>(nullptr);
    dialog->Prepare(root, title, url);
    if (dialog->ShowModal() != IDOK) return "";
    return dialog->WrittenPath();
}

bool TFrmAddFavorite::ConfirmReplace(const std::string& path) const {
    if (!platform::FileExists(path)) return true;
    std::string text = "收藏夹中已有“" + edtName->Text() + "”，是否替换？";
    return Application->MessageBox(text, "提示", MB_YESNO | MB_ICONQUESTION) == IDYES;
}

// A bad name keeps the dialog open with the reason shown, so the user can
// correct it instead of losing what was typed.
void TFrmAddFavorite::btnOKClick(TObject*) {
    TFavoritesFolder folder(FRoot);
    int index = cmbFolder->ItemIndex();
    std::string relative = index > 0 ? cmbFolder->Items()[index] : "";
    try {
        std::string path = folder.ShortcutPath(relative, edtName->Text());
        if (!ConfirmReplace(path)) return;
        FWrittenPath = folder.AddShortcut(relative, edtName->Text(), FURL);
    } catch (const Exception& error) {
        Application->MessageBox(error.Message(), "提示", MB_OK | MB_ICONWARNING);
        return;
    }
    SetModalResult(IDOK);
}

void TFrmAddFavorite::btnCancelClick(TObject*) {
    SetModalResult(IDCANCEL);
}
