#pragma once
// The skinned tree view: the plain tree view inside a one-pixel frame in the
// style's control border colour (and one in the tree's colour inside it),
// with optional skinned scroll bars laid over its own and kept in step.
#include "gui/TTreeView.h"
#include "skin/TskThemeLink.h"

class TskScrollBar;

class TskTreeView : public TTreeView {
    XF_CLASS(TskTreeView)
public:
    explicit TskTreeView(TComponent* owner);
    ~TskTreeView() override;

    TskThemeLink& Theme() { return FTheme; }
    const TskThemeLink& Theme() const { return FTheme; }
    // Restyles after UIStyle or FileTheme changed.
    void ThemeChanged();
    TColor BorderColor() const { return FBorderColor; }
    void SetBorderColor(TColor color);

    TskScrollBar* VScrollBar() const { return FVBar; }
    void SetVScrollBar(TskScrollBar* bar);
    TskScrollBar* HScrollBar() const { return FHBar; }
    void SetHScrollBar(TskScrollBar* bar);

    // Lays the hooked bars over the tree's edges (after a sync).
    void PlaceScrollBars();
    // Copies the tree's own scroll state into the hooked bars.
    void SyncScrollBars();

    void Paint(TCanvas& canvas) override;
    void WndProc(TMessage& message) override;
    void Notification(TComponent* component, TOperation operation) override;
    void PlacementChanged() override;
    void Loaded() override;

protected:
    void PaintNonClient(TCanvas& canvas) override;
    void ColorChanged() override;
    void VisibleChanged() override;
    void EnabledChanged() override;

private:
    void Hook(TskScrollBar*& slot, TskScrollBar* bar, bool vertical);
    void Unhook(TskScrollBar* bar);
    void SyncBar(TskScrollBar* bar, TScrollBarKind kind);
    void BarScrolled(TskScrollBar* bar, bool vertical);
    void QueueSyncWhenChanged();

    TskThemeLink FTheme;
    TColor FBorderColor = clBlack;
    TskScrollBar* FVBar = nullptr;
    TskScrollBar* FHBar = nullptr;
    bool FSyncing = false;
    bool FLeftDown = false;
    bool FSyncQueued = false;
    TScrollInfo FLastInfo[2];
};
