#pragma once
// The list a combo box drops down: rows of ItemHeight pixels, the row under
// the pointer highlighted, a scroll bar when there are more items than
// rows, and a one-pixel frame. A click picks a row (OnPick).
#include <functional>

#include "gui/TWinControl.h"

class TScrollBar;
class TStringList;

class TDropDownList : public TWinControl {
    XF_CLASS(TDropDownList)
public:
    explicit TDropDownList(TComponent* owner);

    void SetItems(const TStringList* items);
    // After the items changed.
    void ItemsChanged();
    int Count() const;
    // Row `index` (0 ≤ index < Count()).
    const std::string& Item(int index) const;
    int ItemHeight() const { return FItemHeight; }
    void SetItemHeight(int height);
    // The one-pixel frame around the list (a skin gives its own colour).
    TColor FrameColor() const { return FFrameColor; }
    void SetFrameColor(TColor color);
    // The highlighted row, -1 for none.
    int HotIndex() const { return FHotIndex; }
    void SetHotIndex(int index);
    int TopIndex() const { return FTopIndex; }
    void SetTopIndex(int index);
    // Rows that fit the client height.
    int VisibleRows() const;
    int IndexAt(TPoint clientPoint) const;
    TRect ItemRect(int index) const;
    // Makes `index` one of the visible rows.
    void ScrollIntoView(int index);
    TScrollBar* ScrollBar() const { return FScrollBar; }

    TRect NonClientInsets() const override;
    void Paint(TCanvas& canvas) override;
    void WndProc(TMessage& message) override;

    std::function<void(int index)> OnPick;

protected:
    void MouseMove(TShiftState shift, int x, int y) override;
    void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override;
    void PaintNonClient(TCanvas& canvas) override;
    void Resize() override;
    virtual void PaintItem(TCanvas& canvas, int index, const TRect& rect, bool hot);

private:
    void UpdateScrollBar();
    int ContentWidth() const;

    const TStringList* FItems = nullptr;
    int FItemHeight = 16;
    TColor FFrameColor = clWindowFrame;
    int FHotIndex = -1;
    int FTopIndex = 0;
    TScrollBar* FScrollBar = nullptr;
};
