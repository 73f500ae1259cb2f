#include "gui/TCustomComboBox.h"

#include <algorithm>

#include "gui/ControlDraw.h"
#include "gui/TApplication.h"
#include "gui/TDropDownList.h"
#include "gui/TPopupWindow.h"
#include "gui/graphics/TCanvas.h"
#include "platform/Text.h"

namespace {
constexpr int ButtonWidth = 17;
constexpr int Edge = 2;

char16_t FoldAscii(char16_t c) {
    return (c >= u'A' && c <= u'Z') ? static_cast<char16_t>(c + 32) : c;
}

bool StartsWithFolded(const std::u16string& text, const std::u16string& prefix) {
    if (prefix.size() > text.size()) return false;
    for (size_t i = 0; i < prefix.size(); ++i)
        if (FoldAscii(text[i]) != FoldAscii(prefix[i])) return false;
    return true;
}
} // namespace

const TEnumTable& ComboBoxStyleNames() {
    static const TEnumTable names = {{"csDropDown", 0},
                                     {"csSimple", 1},
                                     {"csDropDownList", 2},
                                     {"csOwnerDrawFixed", 3},
                                     {"csOwnerDrawVariable", 4}};
    return names;
}

const TClassInfo& TCustomComboBox::StaticClass() {
    static const TClassInfo info =
        TClassBuilder<TCustomComboBox>("TCustomComboBox", &TCustomEdit::StaticClass())
            .Enum("Style", &TCustomComboBox::Style, &TCustomComboBox::SetStyle,
                  ComboBoxStyleNames())
            .Custom(
                "Items", TPropKind::Strings,
                [](const TCustomComboBox* c) -> TValue {
                    return TStringsValue{c->Items().Items()};
                },
                [](TCustomComboBox* c, const TValue& v) { c->Items().Assign(ValueToStrings(v)); })
            .Prop("ItemIndex", &TCustomComboBox::ItemIndex, &TCustomComboBox::SetItemIndex)
            .Prop("ItemHeight", &TCustomComboBox::ItemHeight, &TCustomComboBox::SetItemHeight)
            .Prop("DropDownCount", &TCustomComboBox::DropDownCount,
                  &TCustomComboBox::SetDropDownCount)
            .Prop("Sorted", &TCustomComboBox::Sorted, &TCustomComboBox::SetSorted)
            .Prop("AutoComplete", &TCustomComboBox::AutoComplete, &TCustomComboBox::SetAutoComplete)
            .Prop("AutoDropDown", &TCustomComboBox::AutoDropDown, &TCustomComboBox::SetAutoDropDown)
            .Event("OnDropDown", &TCustomComboBox::OnDropDown)
            .Event("OnCloseUp", &TCustomComboBox::OnCloseUp)
            .Event("OnSelect", &TCustomComboBox::OnSelect)
            .Build();
    return info;
}

TCustomComboBox::TCustomComboBox(TComponent* owner) : TCustomEdit(owner) {
    // OnClick means "an entry was picked", never a click into the box.
    SetControlStyle(ControlStyle() & ~csClickEvents);
    SetBorderStyle(TBorderStyle::bsNone);
    SetBounds(0, 0, 145, 21);
    FItems.OnChange = [this] { ItemsChanged(); };
}

TCustomComboBox::~TCustomComboBox() {
    FItems.OnChange = nullptr;
    delete FPopup; // its list shows our items
}

// --- properties ------------------------------------------------------------

void TCustomComboBox::SetStyle(TComboBoxStyle style) {
    if (style == FStyle) return;
    FStyle = style;
    Invalidate();
}

void TCustomComboBox::SetItemHeight(int height) {
    height = std::max(height, 1);
    if (height == FItemHeight) return;
    FItemHeight = height;
    if (FList) FList->SetItemHeight(height);
}

void TCustomComboBox::SetDropDownCount(int count) {
    FDropDownCount = std::max(count, 1);
}

void TCustomComboBox::ItemsChanged() {
    if (FItemIndex >= FItems.Count()) FItemIndex = -1;
    if (FList) FList->ItemsChanged();
    if (FDroppedDown) FPopup->SetBoundsRect(ListScreenRect());
}

void TCustomComboBox::SetItemIndex(int index) {
    if (index < -1 || index >= FItems.Count()) index = -1;
    FItemIndex = index;
    ShowItem(index);
    if (FList) FList->SetHotIndex(index);
}

// Text set from outside or from the list does not count as typing.
void TCustomComboBox::ShowItem(int index) {
    FQuietText = true;
    TCustomEdit::SetText(index >= 0 ? FItems[index] : std::string());
    FQuietText = false;
    if (Focused()) SelectAll();
}

void TCustomComboBox::SetText(const std::string& text) {
    if (FStyle == TComboBoxStyle::csDropDownList) {
        const int index = FItems.IndexOf(text);
        if (index >= 0 || text.empty()) SetItemIndex(index);
        return;
    }
    FQuietText = true;
    TCustomEdit::SetText(text);
    FQuietText = false;
    FItemIndex = FItems.IndexOf(Text());
}

void TCustomComboBox::Change() {
    if (!FQuietText) TCustomEdit::Change();
}

bool TCustomComboBox::Editable() const {
    return FStyle != TComboBoxStyle::csDropDownList && TCustomEdit::Editable();
}

// --- the list ---------------------------------------------------------------

void TCustomComboBox::EnsureList() {
    if (FPopup) return;
    FPopup = new TPopupWindow(this);
    FPopup->SetKeyTarget(this);
    FList = new TDropDownList(FPopup);
    FList->SetAlign(TAlign::alClient);
    FList->SetParent(FPopup);
    FList->SetItems(&FItems);
    FList->OnPick = [this](int index) {
        // Leave the list's mouse message before the pop-up goes away.
        TSafeRef<TCustomComboBox> self(this);
        Application->Queue([self, index] {
            if (TCustomComboBox* box = self.Get()) {
                box->CloseList(false);
                box->PickItem(index);
            }
        });
    };
    FPopup->OnCloseUp = [this](TObject*) {
        FDroppedDown = false;
        Invalidate();
        CloseUp();
    };
}

TRect TCustomComboBox::ListScreenRect() const {
    const TRect nc = NonClientInsets();
    const TPoint topLeft = ClientToScreen({-nc.Left, -nc.Top});
    const int rows = std::clamp(FItems.Count(), 1, FDropDownCount);
    const int height = rows * FItemHeight + 2;
    TRect rect = TRect::FromSize(topLeft.X, topLeft.Y + Height(), Width(), height);
    const TRect work = Application->Host().WorkArea();
    if (rect.Bottom > work.Bottom && topLeft.Y - height >= work.Top)
        rect = TRect::FromSize(topLeft.X, topLeft.Y - height, Width(), height);
    return rect;
}

void TCustomComboBox::DropDown() {
    if (FDroppedDown || !EnabledInTree() || FStyle == TComboBoxStyle::csSimple) return;
    auto alive = AliveToken();
    if (OnDropDown) OnDropDown(this);
    if (alive.expired()) return;
    EnsureList();
    FList->Font().Assign(Font());
    FList->SetItemHeight(FItemHeight);
    FList->ItemsChanged();
    FList->SetHotIndex(FItemIndex);
    FDroppedDown = true;
    FPopup->Popup(ListScreenRect());
    FList->ScrollIntoView(FItemIndex);
    Invalidate();
}

void TCustomComboBox::CloseList(bool pick) {
    if (!FDroppedDown) return;
    const int hot = FList->HotIndex();
    auto alive = AliveToken();
    FPopup->ClosePopup();
    if (!alive.expired() && pick && hot >= 0) PickItem(hot);
}

void TCustomComboBox::CloseUp() {
    if (OnCloseUp) OnCloseUp(this);
}

void TCustomComboBox::SetDroppedDown(bool down) {
    if (down)
        DropDown();
    else
        CloseList(false);
}

void TCustomComboBox::PickItem(int index) {
    if (index < 0 || index >= FItems.Count()) return;
    FItemIndex = index;
    ShowItem(index);
    auto alive = AliveToken();
    Click();
    if (alive.expired()) return;
    if (OnSelect)
        OnSelect(this);
    else
        TCustomEdit::Change();
}

// --- keyboard --------------------------------------------------------------

bool TCustomComboBox::WantsKey(int key) const {
    return TCustomEdit::WantsKey(key) || (FDroppedDown && (key == VK_RETURN || key == VK_ESCAPE));
}

bool TCustomComboBox::ListKey(int& key, TShiftState shift) {
    const bool alt = shift & ssAlt;
    const bool list = FStyle == TComboBoxStyle::csDropDownList;
    const int last = FItems.Count() - 1;
    if (FDroppedDown) {
        const int hot = FList->HotIndex();
        const int page = std::max(1, FList->VisibleRows() - 1);
        int to = hot;
        switch (key) {
        case VK_UP:
        case VK_DOWN:
            if (alt) {
                CloseList(true);
                return true;
            }
            to = hot < 0 ? 0 : hot + (key == VK_DOWN ? 1 : -1);
            break;
        case VK_PRIOR:
            to = hot - page;
            break;
        case VK_NEXT:
            to = hot + page;
            break;
        case VK_HOME:
        case VK_END:
            if (!list) return false;
            to = key == VK_HOME ? 0 : last;
            break;
        case VK_F4:
            CloseList(true);
            return true;
        case VK_RETURN:
            FSwallowChar = u'\r';
            CloseList(true);
            return true;
        case VK_ESCAPE:
            FSwallowChar = u'\x1b';
            CloseList(false);
            return true;
        case VK_TAB:
            CloseList(false);
            return false;
        default:
            return false;
        }
        if (last >= 0) {
            FList->SetHotIndex(std::clamp(to, 0, last));
            FList->ScrollIntoView(FList->HotIndex());
        }
        return true;
    }
    if ((alt && key == VK_DOWN) || key == VK_F4) {
        DropDown();
        return true;
    }
    int to = FItemIndex;
    switch (key) {
    case VK_UP:
    case VK_DOWN:
        if (alt) return false;
        to = FItemIndex < 0 ? 0 : FItemIndex + (key == VK_DOWN ? 1 : -1);
        break;
    case VK_HOME:
    case VK_END:
        if (!list) return false;
        to = key == VK_HOME ? 0 : last;
        break;
    default:
        return false;
    }
    to = std::clamp(to, 0, std::max(last, 0));
    if (last >= 0 && to != FItemIndex) PickItem(to);
    return true;
}

void TCustomComboBox::EditKey(int& key, TShiftState shift) {
    if (ListKey(key, shift)) {
        key = 0;
        return;
    }
    TCustomEdit::EditKey(key, shift);
}

void TCustomComboBox::KeyPress(char16_t& key) {
    if (FSwallowChar && key == FSwallowChar) {
        FSwallowChar = 0;
        key = 0;
        return;
    }
    FSwallowChar = 0;
    TCustomEdit::KeyPress(key);
}

void TCustomComboBox::EditChar(char16_t ch) {
    const bool printable = ch >= 0x20 && ch != 0x7F;
    if (FStyle == TComboBoxStyle::csDropDownList) {
        if (printable) SelectByFirstChar(ch);
        return;
    }
    const std::string before = Text();
    TCustomEdit::EditChar(ch);
    if (Text() == before) return;
    FItemIndex = FItems.IndexOf(Text());
    if (printable && FAutoDropDown && !FDroppedDown) DropDown();
    if (printable && FAutoComplete) Complete();
}

// The first item that begins with what was typed takes its place, the
// part not typed selected so that typing on replaces it.
void TCustomComboBox::Complete() {
    const TEditBuffer& buffer = Buffer();
    if (buffer.HasSelection() || buffer.CaretPos() != buffer.Length() || buffer.Length() == 0)
        return;
    const std::u16string typed = buffer.Text();
    for (int i = 0; i < FItems.Count(); ++i) {
        std::u16string item = platform::Utf8ToUtf16(FItems[i]);
        if (item.size() <= typed.size() || !StartsWithFolded(item, typed)) continue;
        FQuietText = true;
        TCustomEdit::SetText(FItems[i]);
        FQuietText = false;
        FItemIndex = i;
        MutableBuffer().Select(static_cast<int>(typed.size()),
                               static_cast<int>(item.size() - typed.size()));
        ScrollCaretIntoView();
        if (FDroppedDown) FList->SetHotIndex(i);
        Invalidate();
        return;
    }
}

void TCustomComboBox::SelectByFirstChar(char16_t ch) {
    const int count = FItems.Count();
    for (int step = 1; step <= count; ++step) {
        const int i = (FItemIndex + step + count) % count;
        std::u16string item = platform::Utf8ToUtf16(FItems[i]);
        if (!item.empty() && FoldAscii(item[0]) == FoldAscii(ch)) {
            if (FDroppedDown)
                FList->SetHotIndex(i);
            else
                PickItem(i);
            return;
        }
    }
}

// --- mouse and focus --------------------------------------------------------

void TCustomComboBox::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
    const bool onButton = ButtonRect().Contains({x, y});
    if (button == TMouseButton::mbLeft && (onButton || FStyle == TComboBoxStyle::csDropDownList)) {
        if (!Focused() && CanFocus()) SetFocus();
        SetDroppedDown(!FDroppedDown);
        TWinControl::MouseDown(button, shift, x, y);
        return;
    }
    TCustomEdit::MouseDown(button, shift, x, y);
}

void TCustomComboBox::DoExit() {
    CloseList(false);
    TCustomEdit::DoExit();
}

// --- geometry and painting -----------------------------------------------

TRect TCustomComboBox::ButtonRect() const {
    if (FStyle == TComboBoxStyle::csSimple) return {};
    const int cw = ClientWidth(), ch = ClientHeight();
    return {std::max(Edge, cw - Edge - ButtonWidth), Edge, std::max(Edge, cw - Edge),
            std::max(Edge, ch - Edge)};
}

TRect TCustomComboBox::TextArea() const {
    const int right = FStyle == TComboBoxStyle::csSimple ? ClientWidth() - Edge : ButtonRect().Left;
    return {Edge + 1, Edge, std::max(Edge + 1, right - 1), std::max(Edge, ClientHeight() - Edge)};
}

void TCustomComboBox::PaintFrame(TCanvas& canvas) {
    TRect rect = ClientRect();
    DrawSunkenEdge(canvas, rect);
}

void TCustomComboBox::PaintButton(TCanvas& canvas, const TRect& rect) {
    if (rect.IsEmpty()) return;
    TRect r = rect;
    FillSolid(canvas, r, clBtnFace);
    DrawButtonEdge(canvas, r, FDroppedDown);
    TRect arrow = FDroppedDown ? rect.Offset(1, 1) : rect;
    DrawArrow(canvas, arrow, TArrowDirection::Down, EnabledInTree() ? clBtnText : clGrayText, 3);
}

void TCustomComboBox::PaintText(TCanvas& canvas) {
    if (FStyle != TComboBoxStyle::csDropDownList) {
        TCustomEdit::PaintText(canvas);
        return;
    }
    const TRect area = TextArea();
    const bool highlighted = Focused() && !FDroppedDown;
    TCanvasSaver saver(canvas);
    if (highlighted) FillSolid(canvas, area, clHighlight);
    canvas.IntersectClipRect(area);
    canvas.Font().Assign(Font());
    if (highlighted) canvas.Font().SetColor(clHighlightText);
    if (!EnabledInTree()) canvas.Font().SetColor(clGrayText);
    canvas.Brush().SetStyle(bsClear);
    TRect text{area.Left + 1, area.Top, area.Right, area.Bottom};
    canvas.DrawText(Text(), text, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
    if (highlighted) DrawFocusRect(canvas, area);
}

void TCustomComboBox::PaintCaret(TCanvas& canvas) {
    if (FStyle != TComboBoxStyle::csDropDownList) TCustomEdit::PaintCaret(canvas);
}

void TCustomComboBox::Paint(TCanvas& canvas) {
    TCustomEdit::Paint(canvas);
    PaintFrame(canvas);
    PaintButton(canvas, ButtonRect());
}
