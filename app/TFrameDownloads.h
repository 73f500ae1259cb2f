#pragma once
// The downloads bar: the latest downloads with their name, progress and
// speed, each with cancel, open and open-folder buttons; a failed one says
// why. It appears when a download starts and hides on request; the
// downloads go on either way. Drawn in the window's skin: the theme
// manager hands it the style, which its buttons and colours follow.
#include <string>
#include <vector>

#include "gui/TFrame.h"
#include "layouts/FrameDownloads.fields.h"
#include "platform/browser/IBrowserEngine.h"
#include "skin/TskThemeLink.h"

class IWindowServices;
class TLabel;
class TPanel;
class TskButton;

// The components of its layout are the fields of TFrameDownloadsFields.
class TFrameDownloads : public TFrame, public TFrameDownloadsFields {
    XF_CLASS(TFrameDownloads)
public:
    explicit TFrameDownloads(TComponent* owner);
    // The window whose status line tells what could not be opened; not owned.
    void SetWindow(IWindowServices* window) { FWindow = window; }

    // Every download the program saw, oldest first.
    const std::vector<platform::TDownloadInfo>& Downloads() const { return FDownloads; }
    // A download changed; a new one shows the bar.
    void Update(const platform::TDownloadInfo& download);

    enum TRowButton { rbCancel, rbOpen, rbFolder };
    // The button of a download's row; nullptr when the row is not shown.
    TskButton* RowButton(int id, TRowButton which) const;

    TskThemeLink& Theme() { return FTheme; }
    const TskThemeLink& Theme() const { return FTheme; }
    void ThemeChanged();
    void Notification(TComponent* component, TOperation operation) override;

    void btnDownloadsCloseClick(TObject* sender);

protected:
    void Resize() override;

private:
    struct TRow {
        TPanel* Panel = nullptr;
        TLabel* Name = nullptr;
        TLabel* Status = nullptr;
        TskButton* Buttons[3] = {};
        int Id = 0;
    };
    void CreateRows();
    void PlaceRow(TRow& row);
    void ShowRows();
    void FillRow(TRow& row, const platform::TDownloadInfo& download);
    void RowClick(size_t row, TRowButton which);
    const platform::TDownloadInfo* Find(int id) const;
    void Report(const std::string& text);

    std::vector<platform::TDownloadInfo> FDownloads;
    std::vector<TRow> FRows;
    TskThemeLink FTheme;
    IWindowServices* FWindow = nullptr;
};
