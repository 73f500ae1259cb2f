#pragma once
// A combo box: an edit (csDropDown) or a fixed choice (csDropDownList) with
// a drop-down button and a list in a pop-up window under the box. Picking
// an entry (a click in the list, Enter in the open list, or Up/Down while
// closed) sets Text and ItemIndex, then fires OnClick and OnSelect (or,
// without OnSelect, OnChange). Typing fires OnKeyPress as in an edit and,
// with AutoComplete, completes the text from the items.
//
// The box draws its own sunken edge inside the client area; ButtonRect,
// DroppedDown and ListWindow tell a skin where the parts are.
#include "gui/TCustomEdit.h"
#include "gui/TStringList.h"

class TDropDownList;
class TPopupWindow;

enum class TComboBoxStyle {
    csDropDown,
    csSimple,
    csDropDownList,
    csOwnerDrawFixed,
    csOwnerDrawVariable
};
const TEnumTable& ComboBoxStyleNames();

class TCustomComboBox : public TCustomEdit {
    XF_CLASS(TCustomComboBox)
public:
    explicit TCustomComboBox(TComponent* owner);
    ~TCustomComboBox() override;

    TStringList& Items() { return FItems; }
    const TStringList& Items() const { return FItems; }
    int ItemIndex() const { return FItemIndex; }
    // Also shows the item's text; -1 clears the choice.
    void SetItemIndex(int index);
    TComboBoxStyle Style() const { return FStyle; }
    void SetStyle(TComboBoxStyle style);
    int ItemHeight() const { return FItemHeight; }
    void SetItemHeight(int height);
    int DropDownCount() const { return FDropDownCount; }
    void SetDropDownCount(int count);
    bool Sorted() const { return FItems.Sorted(); }
    void SetSorted(bool sorted) { FItems.SetSorted(sorted); }
    bool AutoComplete() const { return FAutoComplete; }
    void SetAutoComplete(bool v) { FAutoComplete = v; }
    bool AutoDropDown() const { return FAutoDropDown; }
    void SetAutoDropDown(bool v) { FAutoDropDown = v; }
    bool DroppedDown() const { return FDroppedDown; }
    void SetDroppedDown(bool down);

    void SetText(const std::string& text) override;

    // Parts, in client coordinates; the list window exists once dropped.
    TRect ButtonRect() const;
    TRect TextArea() const override;
    TPopupWindow* ListWindow() const { return FPopup; }
    TDropDownList* List() const { return FList; }
    // The list's screen rectangle when it drops down now.
    TRect ListScreenRect() const;

    void Paint(TCanvas& canvas) override;

    TNotifyEvent OnDropDown;
    TNotifyEvent OnCloseUp;
    TNotifyEvent OnSelect;

protected:
    bool Editable() const override;
    void Change() override;
    void KeyPress(char16_t& key) override;
    void EditKey(int& key, TShiftState shift) override;
    void EditChar(char16_t ch) override;
    void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
    void DoExit() override;
    bool WantsKey(int key) const override;

    // Steps the skin replaces or draws after.
    virtual void PaintFrame(TCanvas& canvas);
    virtual void PaintButton(TCanvas& canvas, const TRect& rect);
    void PaintText(TCanvas& canvas) override;
    void PaintCaret(TCanvas& canvas) override;
    // Called after the list closed (then OnCloseUp).
    virtual void CloseUp();

    void DropDown();
    void CloseList(bool pick);
    // Chooses item `index` as the user did.
    void PickItem(int index);

private:
    void ItemsChanged();
    void ShowItem(int index);
    void Complete();
    bool ListKey(int& key, TShiftState shift);
    void SelectByFirstChar(char16_t ch);
    void EnsureList();

    TStringList FItems;
    int FItemIndex = -1;
    TComboBoxStyle FStyle = TComboBoxStyle::csDropDown;
    int FItemHeight = 16;
    int FDropDownCount = 8;
    bool FAutoComplete = true;
    bool FAutoDropDown = false;
    bool FDroppedDown = false;
    bool FQuietText = false;
    char16_t FSwallowChar = 0;
    TPopupWindow* FPopup = nullptr;
    TDropDownList* FList = nullptr;
};
