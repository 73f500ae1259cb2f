#pragma once
// The organise-favourites dialog: the favourites folder as a tree of
// folders and shortcuts; the selected entry can be renamed to the name in
// the edit box, moved into the folder chosen in the list, or deleted, and a
// folder of that name can be created in the selected folder.
#include <map>
#include <string>

#include "gui/TForm.h"

class TComboBox;
class TEdit;
class TLabel;
class TSpeedButton;
class TTreeNode;
class TTreeView;

class TFrmOrganizeFavorites : public TForm {
    XF_CLASS(TFrmOrganizeFavorites)
public:
    explicit TFrmOrganizeFavorites(TComponent* owner);

    // Lists the favourites folder `root`.
    void Prepare(const std::string& root);
    static void Execute(const std::string& root);

    // The path of a node, or "" for none.
    std::string PathOf(const TTreeNode* node) const;
    // The node of a path after the last reload, or nullptr.
    TTreeNode* NodeOf(const std::string& path) const;
    // Re-reads the folder, keeping the selection on `selectPath` if it exists.
    void Reload(const std::string& selectPath);

    void tviwFavoritesChange(TObject* sender, TTreeNode* node);
    void btnCreateFolderClick(TObject* sender);
    void btnRenameClick(TObject* sender);
    void btnMoveClick(TObject* sender);
    void btnDeleteClick(TObject* sender);
    void btnCloseClick(TObject* sender);

    TTreeView* tviwFavorites = nullptr;
    TLabel* labName = nullptr;
    TEdit* edtName = nullptr;
    TLabel* labMoveTo = nullptr;
    TComboBox* cmbMoveTo = nullptr;
    TSpeedButton* btnCreateFolder = nullptr;
    TSpeedButton* btnRename = nullptr;
    TSpeedButton* btnMove = nullptr;
    TSpeedButton* btnDelete = nullptr;
    TSpeedButton* btnClose = nullptr;

private:
    void CreateControls();
    TSpeedButton* Button(int top, const char* caption,
                         void (TFrmOrganizeFavorites::*handler)(TObject*));
    // Runs one change; its failure is shown and the list re-read either way.
    template <typename Fn> void Change(Fn&& fn);
    std::string SelectedPath() const;
    // The folder (relative to the root) new folders go into.
    std::string TargetFolder() const;
    std::string Relative(const std::string& path) const;

    std::string FRoot;
    std::map<const TTreeNode*, std::string> FPaths;
};
