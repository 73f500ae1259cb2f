#include "app/TFrmOrganizeFavorites.h"

#include <memory>
#include <vector>

#include "app/PlaceControl.h"
#include "gui/Exception.h"
#include "gui/TApplication.h"
#include "gui/TComboBox.h"
#include "gui/TEdit.h"
#include "gui/TLabel.h"
#include "gui/TSpeedButton.h"
#include "gui/TTreeView.h"
#include "platform/Kernel.h"
#include "services/TFavoritesFolder.h"

namespace {

constexpr const char* kRootFolder = "收藏夹";

void AddNodes(TTreeView& tree, TTreeNode* parent,
              const std::vector<TFavoritesFolder::TEntry>& entries,
              std::map<const TTreeNode*, std::string>& paths) {
    for (const TFavoritesFolder::TEntry& entry : entries) {
        TTreeNode* node = tree.Items().AddChild(parent, entry.Name);
        paths[node] = entry.Path;
        AddNodes(tree, node, entry.Children, paths);
    }
}

} // namespace

const TClassInfo& TFrmOrganizeFavorites::StaticClass() {
    static const TClassInfo info =
        TClassBuilder<TFrmOrganizeFavorites>("TFrmOrganizeFavorites", &TForm::StaticClass())
            .Build();
    return info;
}

TFrmOrganizeFavorites::TFrmOrganizeFavorites(TComponent* owner) : TForm(owner) {
    SetText("整理收藏夹");
    SetBorderStyle(TBorderStyle::bsDialog);
    SetPosition(TPosition::poScreenCenter);
    SetBounds(0, 0, 480, 360);
    CreateControls();
}

TSpeedButton* TFrmOrganizeFavorites::Button(int top, const char* caption,
                                            void (TFrmOrganizeFavorites::*handler)(TObject*)) {
    TSpeedButton* button = Place<TSpeedButton>(this, 364, top, 104, 26);
    button->SetCaption(caption);
    button->OnClick = [this, handler](TObject* sender) { (this->*handler)(sender); };
    return button;
}

void TFrmOrganizeFavorites::CreateControls() {
    tviwFavorites = Place<TTreeView>(this, 12, 12, 340, 250);
    tviwFavorites->SetReadOnly(true);
    tviwFavorites->SetHideSelection(false);
    tviwFavorites->OnChange = [this](TObject* sender, TTreeNode* node) {
        tviwFavoritesChange(sender, node);
    };
    labName = Place<TLabel>(this, 12, 276, 70, 20);
    labName->SetCaption("名称(&N):");
    edtName = Place<TEdit>(this, 86, 272, 266, 22);
    labName->SetFocusControl(edtName);
    labMoveTo = Place<TLabel>(this, 12, 308, 70, 20);
    labMoveTo->SetCaption("移到(&T):");
    cmbMoveTo = Place<TComboBox>(this, 86, 304, 266, 22);
    cmbMoveTo->SetStyle(TComboBoxStyle::csDropDownList);
    labMoveTo->SetFocusControl(cmbMoveTo);
    btnCreateFolder = Button(12, "创建文件夹(&C)", &TFrmOrganizeFavorites::btnCreateFolderClick);
    btnRename = Button(46, "重命名(&R)", &TFrmOrganizeFavorites::btnRenameClick);
    btnMove = Button(80, "移至文件夹(&M)", &TFrmOrganizeFavorites::btnMoveClick);
    btnDelete = Button(114, "删除(&D)", &TFrmOrganizeFavorites::btnDeleteClick);
    btnClose = Button(304, "关闭", &TFrmOrganizeFavorites::btnCloseClick);
}

void TFrmOrganizeFavorites::Prepare(const std::string& root) {
    FRoot = TFavoritesFolder(root).Root();
    Reload("");
}

void TFrmOrganizeFavorites::Execute(const std::string& root) {
    std::unique_ptr<TFrmOrganizeFavorites> dialog =
        std::make_unique<TFrmOrganizeFavorites>(nullptr);
    dialog->Prepare(root);
    dialog->ShowModal();
}

void TFrmOrganizeFavorites::Reload(const std::string& selectPath) {
    TFavoritesFolder folder(FRoot);
    tviwFavorites->Items().BeginUpdate();
    tviwFavorites->Items().Clear();
    FPaths.clear();
    AddNodes(*tviwFavorites, nullptr, folder.Tree(), FPaths);
    tviwFavorites->Items().EndUpdate();
    std::vector<std::string> folders = folder.Folders();
    folders.front() = kRootFolder;
    cmbMoveTo->Items().Assign(folders);
    cmbMoveTo->SetItemIndex(0);
    if (TTreeNode* node = NodeOf(selectPath)) {
        node->MakeVisible();
        tviwFavorites->SetSelected(node);
    }
}

std::string TFrmOrganizeFavorites::PathOf(const TTreeNode* node) const {
    auto found = FPaths.find(node);
    return found == FPaths.end() ? "" : found->second;
}

TTreeNode* TFrmOrganizeFavorites::NodeOf(const std::string& path) const {
    for (const auto& [node, nodePath] : FPaths)
        if (nodePath == path) return const_cast<TTreeNode*>(node);
    return nullptr;
}

std::string TFrmOrganizeFavorites::SelectedPath() const {
    return PathOf(tviwFavorites->Selected());
}

std::string TFrmOrganizeFavorites::Relative(const std::string& path) const {
    return path.size() > FRoot.size() + 1 ? path.substr(FRoot.size() + 1) : "";
}

std::string TFrmOrganizeFavorites::TargetFolder() const {
    std::string path = SelectedPath();
    if (path.empty()) return "";
    if (!platform::DirectoryExists(path)) path = path.substr(0, path.rfind('/'));
    return Relative(path);
}

template <typename Fn> void TFrmOrganizeFavorites::Change(Fn&& fn) {
    std::string keep = SelectedPath();
    try {
        keep = fn();
    } catch (const Exception& error) {
        Application->MessageBox(error.Message(), "提示", MB_OK | MB_ICONWARNING);
    }
    Reload(keep);
}

void TFrmOrganizeFavorites::tviwFavoritesChange(TObject*, TTreeNode* node) {
    if (node) edtName->SetText(node->Text());
}

void TFrmOrganizeFavorites::btnCreateFolderClick(TObject*) {
    Change([&] { return TFavoritesFolder(FRoot).CreateFolder(TargetFolder(), edtName->Text()); });
}

void TFrmOrganizeFavorites::btnRenameClick(TObject*) {
    if (SelectedPath().empty()) return;
    Change([&] { return TFavoritesFolder(FRoot).Rename(SelectedPath(), edtName->Text()); });
}

void TFrmOrganizeFavorites::btnMoveClick(TObject*) {
    if (SelectedPath().empty()) return;
    int index = cmbMoveTo->ItemIndex();
    std::string into = index > 0 ? cmbMoveTo->Items()[index] : "";
    Change([&] { return TFavoritesFolder(FRoot).MoveTo(SelectedPath(), into); });
}

void TFrmOrganizeFavorites::btnDeleteClick(TObject*) {
    TTreeNode* node = tviwFavorites->Selected();
    if (!node || SelectedPath().empty()) return;
    std::string text = "确实要删除“" + node->Text() + "”吗？";
    if (Application->MessageBox(text, "确认删除", MB_YESNO | MB_ICONQUESTION) != IDYES) return;
    Change([&] {
        TFavoritesFolder(FRoot).Delete(SelectedPath());
        return std::string();
    });
}

void TFrmOrganizeFavorites::btnCloseClick(TObject*) {
    SetModalResult(IDCANCEL);
}
