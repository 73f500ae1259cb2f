#include "app/TFrameDownloads.h"

#include <algorithm>

#include "app/DownloadText.h"
#include "app/IWindowServices.h"
#include "gui/TLabel.h"
#include "gui/TPanel.h"
#include "platform/Shell.h"
#include "skin/SkinStyle.h"
#include "skin/TskButton.h"
#include "skin/TskThemeLookup.h"

using platform::TDownloadInfo;
using platform::TDownloadState;

namespace {

// The latest downloads get a row each; older ones stay in the list.
constexpr size_t kRows = 3;
constexpr int kRowHeight = 26;
constexpr int kNameLeft = 6;
constexpr int kNameWidth = 230;
constexpr int kButtonTop = 2;
constexpr int kButtonHeight = 22;
constexpr int kButtonWidths[3] = {52, 52, 84};
constexpr const char* kButtonCaptions[3] = {"取消", "打开", "打开文件夹"};

std::string FolderOf(const std::string& path) {
    size_t slash = path.find_last_of('/');
    return slash == std::string::npos || slash == 0 ? std::string("/") : path.substr(0, slash);
}

} // namespace

const TClassInfo& TFrameDownloads::StaticClass() {
    static TClassBuilder<TFrameDownloads> builder("TFrameDownloads", &TFrame::StaticClass());
    static const TClassInfo info = WithThemeProperties(builder).Build();
    return info;
}

TFrameDownloads::TFrameDownloads(TComponent* owner) : TFrame(owner), FTheme(this) {
    BindLayout(*this);
    LoadLayout("layouts/FrameDownloads.lay");
    CreateRows();
    ThemeChanged();
}

void TFrameDownloads::CreateRows() {
    for (size_t i = 0; i < kRows; ++i) {
        TRow row;
        row.Panel = new TPanel(this);
        row.Panel->SetParent(palDownloadsRows);
        row.Panel->SetBevelOuter(TBevelCut::bvNone);
        row.Panel->SetParentColor(true);
        row.Panel->SetBounds(0, static_cast<int>(i) * kRowHeight + 2, palDownloadsRows->Width(), kRowHeight);
        row.Panel->SetVisible(false);
        row.Name = new TLabel(this);
        row.Name->SetParent(row.Panel);
        row.Name->SetAutoSize(false);
        row.Name->SetTransparent(true);
        row.Name->SetBounds(kNameLeft, 7, kNameWidth, 14);
        row.Status = new TLabel(this);
        row.Status->SetParent(row.Panel);
        row.Status->SetAutoSize(false);
        row.Status->SetTransparent(true);
        for (int b = 0; b < 3; ++b) {
            auto* button = new TskButton(this);
            button->SetParent(row.Panel);
            button->SetCaption(kButtonCaptions[b]);
            const auto which = static_cast<TRowButton>(b);
            button->OnClick = [this, i, which](TObject*) { RowClick(i, which); };
            row.Buttons[b] = button;
        }
        FRows.push_back(row);
        PlaceRow(FRows.back());
    }
}

// Buttons keep to the right edge; the status text takes what is between.
void TFrameDownloads::PlaceRow(TRow& row) {
    const int width = palDownloadsRows ? palDownloadsRows->ClientWidth() : Width();
    row.Panel->SetWidth(width);
    int right = width - 6;
    for (int b = 2; b >= 0; --b) {
        right -= kButtonWidths[b];
        row.Buttons[b]->SetBounds(right, kButtonTop, kButtonWidths[b], kButtonHeight);
        right -= 4;
    }
    const int left = kNameLeft + kNameWidth + 10;
    row.Status->SetBounds(left, 7, std::max(right - left - 6, 0), 14);
}

void TFrameDownloads::Resize() {
    TFrame::Resize();
    for (TRow& row : FRows)
        PlaceRow(row);
}

void TFrameDownloads::Update(const TDownloadInfo& download) {
    auto known = std::find_if(FDownloads.begin(), FDownloads.end(),
                              [&](const TDownloadInfo& d) { return d.Id == download.Id; });
    if (known == FDownloads.end()) {
        FDownloads.push_back(download);
        SetVisible(true);
    } else {
        *known = download;
    }
    ShowRows();
}

// The newest download on top. Rows are placed for the bar's width now:
// the bar may have been laid out while it was hidden.
void TFrameDownloads::ShowRows() {
    for (size_t i = 0; i < FRows.size(); ++i) {
        TRow& row = FRows[i];
        PlaceRow(row);
        if (i >= FDownloads.size()) {
            row.Id = 0;
            row.Panel->SetVisible(false);
            continue;
        }
        FillRow(row, FDownloads[FDownloads.size() - 1 - i]);
        row.Panel->SetVisible(true);
    }
}

void TFrameDownloads::FillRow(TRow& row, const TDownloadInfo& download) {
    row.Id = download.Id;
    row.Name->SetCaption(DownloadTitle(download));
    row.Status->SetCaption(DownloadStatusText(download));
    const bool running = download.State == TDownloadState::Running;
    const bool finished = download.State == TDownloadState::Finished;
    row.Buttons[rbCancel]->SetEnabled(running);
    row.Buttons[rbOpen]->SetEnabled(finished);
    row.Buttons[rbFolder]->SetEnabled(!download.Path.empty());
}

const TDownloadInfo* TFrameDownloads::Find(int id) const {
    for (const TDownloadInfo& d : FDownloads)
        if (d.Id == id) return &d;
    return nullptr;
}

TskButton* TFrameDownloads::RowButton(int id, TRowButton which) const {
    for (const TRow& row : FRows)
        if (row.Id == id && row.Panel->Visible()) return row.Buttons[which];
    return nullptr;
}

// Files and folders open in the desktop's programs, never through a shell.
void TFrameDownloads::RowClick(size_t index, TRowButton which) {
    const TDownloadInfo* download = index < FRows.size() ? Find(FRows[index].Id) : nullptr;
    if (!download) return;
    // What the row offers follows the state; a click that raced a change
    // of state does nothing.
    const bool running = download->State == TDownloadState::Running;
    const bool finished = download->State == TDownloadState::Finished;
    if ((which == rbCancel && !running) || (which == rbOpen && !finished) ||
        (which != rbCancel && download->Path.empty()))
        return;
    if (which == rbCancel) {
        if (platform::IBrowserEngineFactory* factory = platform::BrowserEngineFactory())
            factory->CancelDownload(download->Id);
        return;
    }
    const std::string target = which == rbOpen ? download->Path : FolderOf(download->Path);
    platform::OpenDocumentAsync(target, [this, alive = AliveToken(), target](bool noProgram,
                                                                          const std::string& reason) {
        if (alive.expired() || reason.empty()) return;
        Report(noProgram ? "没有可以打开“" + target + "”的程序" : "无法打开“" + target + "”：" + reason);
    });
}

void TFrameDownloads::Report(const std::string& text) {
    if (FWindow) FWindow->ShowStatus(text);
}

void TFrameDownloads::btnDownloadsCloseClick(TObject*) {
    SetVisible(false);
}

// The bar takes the skin's control colours; its buttons take the skin.
void TFrameDownloads::ThemeChanged() {
    TskThemeLookup theme(FTheme.FileTheme(), FTheme.UIStyle());
    SetColor(theme.Color(ThemeItem::ControlBackgroundColor));
    if (palDownloadsLine) palDownloadsLine->SetColor(theme.Color(ThemeItem::ControlBorderColor));
    std::vector<TskButton*> buttons;
    if (btnDownloadsClose) buttons.push_back(btnDownloadsClose);
    for (TRow& row : FRows)
        buttons.insert(buttons.end(), std::begin(row.Buttons), std::end(row.Buttons));
    for (TskButton* button : buttons) {
        SetFileThemeProperty(button, FTheme.FileTheme());
        SetUIStyleProperty(button, FTheme.UIStyle());
    }
    const TColor font = theme.Color(ThemeItem::ControlFontColor);
    if ((font & 0xFF000000) == 0 && font < 0x1000000) {
        if (labDownloads) labDownloads->Font().SetColor(font);
        for (TRow& row : FRows) {
            row.Name->Font().SetColor(font);
            row.Status->Font().SetColor(font);
        }
    }
    Invalidate();
}

void TFrameDownloads::Notification(TComponent* component, TOperation operation) {
    TFrame::Notification(component, operation);
    if (operation == TOperation::opRemove && FTheme.Removed(component)) ThemeChanged();
}
