#pragma once
// The add-favourite dialog: a name (the page title to start with) and the
// folder of the favourites to put the shortcut in. OK writes the shortcut;
// a file of that name is replaced only after the user agrees.
#include <string>

#include "gui/TForm.h"

class TComboBox;
class TEdit;
class TLabel;
class TSpeedButton;

class TFrmAddFavorite : public TForm {
    XF_CLASS(TFrmAddFavorite)
public:
    explicit TFrmAddFavorite(TComponent* owner);

    // Fills the dialog for `url` under the favourites folder `root`.
    void Prepare(const std::string& root, const std::string& title, const std::string& url);
    // Runs the dialog modally; the path of the written shortcut, or "" when
    // the user cancelled.
    static std::string Execute(const std::string& root, const std::string& title,
                               const std::string& url);

    void btnOKClick(TObject* sender);
    void btnCancelClick(TObject* sender);
    // The path written by the last OK.
    const std::string& WrittenPath() const { return FWrittenPath; }

    TLabel* labName = nullptr;
    TEdit* edtName = nullptr;
    TLabel* labFolder = nullptr;
    TComboBox* cmbFolder = nullptr;
    TSpeedButton* btnOK = nullptr;
    TSpeedButton* btnCancel = nullptr;

private:
    void CreateControls();
    // False when the user declined to replace an existing shortcut.
    bool ConfirmReplace(const std::string& path) const;

    std::string FRoot;
    std::string FURL;
    std::string FWrittenPath;
};
