#include "gui/TMenuItem.h"

#include <algorithm>

#include "gui/TMenu.h"
#include "gui/TMenuPainter.h"
#include "gui/graphics/TCanvas.h"
#include "gui/TMenuTracker.h"

std::string StripHotkey(std::string_view caption) {
    std::string out;
    out.reserve(caption.size());
    for (size_t i = 0; i < caption.size(); ++i) {
        if (caption[i] == '&') {
            if (i + 1 < caption.size() && caption[i + 1] == '&') {
                out += '&';
                ++i;
            }
            continue;
        }
        out += caption[i];
    }
    return out;
}

// The code point starting at text[i] (malformed bytes stand for themselves).
static char32_t CodePointAt(std::string_view text, size_t i) {
    auto byte = [&](size_t k) { return static_cast<unsigned char>(text[k]); };
    unsigned char lead = byte(i);
    int length = lead < 0x80         ? 1
                 : (lead >> 5) == 6  ? 2
                 : (lead >> 4) == 14 ? 3
                 : (lead >> 3) == 30 ? 4
                                     : 1;
    if (i + static_cast<size_t>(length) > text.size()) return lead;
    if (length == 1) return lead;
    char32_t cp = lead & (0x7F >> (length + 1));
    for (int k = 1; k < length; ++k) {
        if ((byte(i + k) & 0xC0) != 0x80) return lead;
        cp = (cp << 6) | (byte(i + k) & 0x3F);
    }
    return cp <= 0x10FFFF ? cp : lead;
}

static char32_t UpperAscii(char32_t c) {
    return c >= 'a' && c <= 'z' ? c - 'a' + 'A' : c;
}

char32_t GetHotkey(std::string_view caption) {
    for (size_t i = 0; i + 1 < caption.size(); ++i) {
        if (caption[i] != '&') continue;
        if (caption[i + 1] == '&') {
            ++i;
            continue;
        }
        return UpperAscii(CodePointAt(caption, i + 1));
    }
    return 0;
}

const TClassInfo& TMenuItem::StaticClass() {
    static const TClassInfo info =
        TClassBuilder<TMenuItem>("TMenuItem", &TComponent::StaticClass())
            .Prop("Caption", &TMenuItem::Caption, &TMenuItem::SetCaption)
            .Prop("Checked", &TMenuItem::Checked, &TMenuItem::SetChecked)
            .Prop("Enabled", &TMenuItem::Enabled, &TMenuItem::SetEnabled)
            .Prop("Visible", &TMenuItem::Visible, &TMenuItem::SetVisible)
            .Prop("Default", &TMenuItem::Default, &TMenuItem::SetDefault)
            .Prop("RadioItem", &TMenuItem::RadioItem, &TMenuItem::SetRadioItem)
            .Prop("GroupIndex", &TMenuItem::GroupIndex, &TMenuItem::SetGroupIndex)
            .Prop("AutoCheck", &TMenuItem::AutoCheck, &TMenuItem::SetAutoCheck)
            .Custom(
                "ShortCut", TPropKind::Integer,
                [](const TMenuItem* m) -> TValue { return int64_t{m->ShortCut()}; },
                [](TMenuItem* m, const TValue& v) {
                    if (auto* text = std::get_if<std::string>(&v)) {
                        TShortCut sc = TextToShortCut(*text);
                        if (sc == 0 && !text->empty())
                            throw EConvertError("\"" + *text + "\" is not a shortcut");
                        m->SetShortCut(sc);
                        return;
                    }
                    int64_t n = ValueToInt(v);
                    if (n < 0 || n > 0xFFFF)
                        throw EConvertError(std::to_string(n) + " is not a shortcut");
                    m->SetShortCut(static_cast<TShortCut>(n));
                })
            .Prop("ImageIndex", &TMenuItem::ImageIndex, &TMenuItem::SetImageIndex)
            .Prop("Hint", &TMenuItem::Hint, &TMenuItem::SetHint)
            .Event("OnClick", &TMenuItem::OnClick)
            .Event("OnMeasureItem", &TMenuItem::OnMeasureItem)
            .Event("OnDrawItem", &TMenuItem::OnDrawItem)
            .Event("OnAdvancedDrawItem", &TMenuItem::OnAdvancedDrawItem)
            .Build();
    return info;
}

TMenuItem::TMenuItem(TComponent* owner) : TComponent(owner) {}

TMenuItem::~TMenuItem() {
    Destroying();
    TMenuTracker::ItemDestroying(this);
    if (FParent) FParent->Remove(this);
    while (!FItems.empty()) {
        TMenuItem* child = FItems.back();
        FItems.pop_back();
        child->FParent = nullptr;
        delete child;
    }
}

void TMenuItem::SetCaption(const std::string& caption) {
    if (caption == FCaption) return;
    bool lineChanged = (caption == "-") != IsLine();
    FCaption = caption;
    MenuChanged(lineChanged);
}

void TMenuItem::SetChecked(bool checked) {
    if (checked == FChecked) return;
    FChecked = checked;
    if (checked && FRadioItem) UncheckRadioSiblings();
    MenuChanged(false);
}

void TMenuItem::UncheckRadioSiblings() {
    if (!FParent) return;
    for (TMenuItem* sibling : FParent->FItems)
        if (sibling != this && sibling->FRadioItem && sibling->FGroupIndex == FGroupIndex &&
            sibling->FChecked) {
            sibling->FChecked = false;
            sibling->MenuChanged(false);
        }
}

void TMenuItem::SetEnabled(bool enabled) {
    if (enabled == FEnabled) return;
    FEnabled = enabled;
    MenuChanged(false);
}

void TMenuItem::SetVisible(bool visible) {
    if (visible == FVisible) return;
    FVisible = visible;
    MenuChanged(true);
}

void TMenuItem::SetDefault(bool value) {
    if (value == FDefault) return;
    if (value && FParent)
        for (TMenuItem* sibling : FParent->FItems)
            sibling->FDefault = false;
    FDefault = value;
    MenuChanged(false);
}

void TMenuItem::SetRadioItem(bool value) {
    if (value == FRadioItem) return;
    FRadioItem = value;
    if (value && FChecked) UncheckRadioSiblings();
    MenuChanged(false);
}

void TMenuItem::SetGroupIndex(int index) {
    if (index == FGroupIndex) return;
    FGroupIndex = index;
    if (FRadioItem && FChecked) UncheckRadioSiblings();
}

void TMenuItem::SetShortCut(TShortCut shortCut) {
    if (shortCut == FShortCut) return;
    FShortCut = shortCut;
    MenuChanged(false);
}

void TMenuItem::SetImageIndex(int index) {
    if (index == FImageIndex) return;
    FImageIndex = index;
    MenuChanged(false);
}

char32_t TMenuItem::AccessKey() const {
    if (char32_t key = GetHotkey(FCaption)) return key;
    TMenu* menu = GetParentMenu();
    if (FCaption.find('&') != std::string::npos) return 0;
    if (!menu || menu->AutoHotkeys() != TMenuAutoFlag::maAutomatic || IsLine()) return 0;
    for (char c : FCaption)
        if ((c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9'))
            return UpperAscii(static_cast<char32_t>(c));
    return 0;
}

// --- the tree ------------------------------------------------------------

TMenuItem* TMenuItem::Items(int index) const {
    if (index < 0 || index >= Count())
        throw EComponentError("Menu index out of range: " + std::to_string(index));
    return FItems[static_cast<size_t>(index)];
}

void TMenuItem::Add(TMenuItem* item) {
    Insert(Count(), item);
}

void TMenuItem::Insert(int index, TMenuItem* item) {
    if (!item) throw EComponentError("A menu item cannot be nil");
    if (item->FParent) throw EComponentError("Menu item " + item->Name() + " is already in a menu");
    if (index < 0 || index > Count())
        throw EComponentError("Menu index out of range: " + std::to_string(index));
    for (const TMenuItem* p = this; p; p = p->FParent)
        if (p == item) throw EComponentError("A menu item cannot contain itself");
    FItems.insert(FItems.begin() + index, item);
    item->FParent = this;
    if (TMenu* menu = GetParentMenu()) menu->ItemAdded(item);
    MenuChanged(true);
}

void TMenuItem::Delete(int index) {
    TMenuItem* item = Items(index);
    // An item leaving the tree takes its open sub-menus with it.
    TMenuTracker::ItemDestroying(item);
    FItems.erase(FItems.begin() + index);
    item->FParent = nullptr;
    MenuChanged(true);
}

void TMenuItem::Remove(TMenuItem* item) {
    int index = IndexOf(item);
    if (index >= 0) Delete(index);
}

void TMenuItem::Clear() {
    while (!FItems.empty())
        delete FItems.back();
}

int TMenuItem::IndexOf(const TMenuItem* item) const {
    auto it = std::find(FItems.begin(), FItems.end(), item);
    return it == FItems.end() ? -1 : static_cast<int>(it - FItems.begin());
}

TMenuItem* TMenuItem::Find(std::string_view caption) const {
    std::string wanted = StripHotkey(caption);
    for (TMenuItem* item : FItems)
        if (StripHotkey(item->FCaption) == wanted) return item;
    return nullptr;
}

TMenu* TMenuItem::GetParentMenu() const {
    const TMenuItem* root = this;
    while (root->FParent)
        root = root->FParent;
    return root->FMenu;
}

bool TMenuItem::HasSubMenu() const {
    return std::any_of(FItems.begin(), FItems.end(),
                       [](const TMenuItem* i) { return i->FVisible; });
}

bool TMenuItem::CanChoose() const {
    for (const TMenuItem* item = this; item && item->FParent; item = item->FParent)
        if (!item->FVisible || !item->FEnabled) return false;
    return true;
}

void TMenuItem::SetParentComponent(TComponent* parent) {
    if (auto* item = dynamic_cast<TMenuItem*>(parent))
        item->Add(this);
    else if (auto* menu = dynamic_cast<TMenu*>(parent))
        menu->Items()->Add(this);
}

// --- choosing and drawing --------------------------------------------------

void TMenuItem::Click() {
    if (!FEnabled) return;
    auto alive = AliveToken();
    if (FAutoCheck) SetChecked(!FChecked);
    if (!alive.expired() && OnClick) OnClick(this);
}

void TMenuItem::MenuChanged(bool rebuild) {
    if (IsDestroying()) return;
    if (TMenu* menu = GetParentMenu()) menu->MenuChanged(this, rebuild);
}

bool TMenuItem::UsesOwnerDraw() const {
    TMenu* menu = GetParentMenu();
    return !menu || menu->OwnerDraw();
}

void TMenuItem::MeasureItem(TCanvas& canvas, int& width, int& height) {
    TMenuPainter::Measure(*this, canvas, width, height);
    if (UsesOwnerDraw() && OnMeasureItem) OnMeasureItem(this, canvas, width, height);
}

// As the platform does, the sub-menu arrow of an owner-drawn item is added
// after its handler, in the text colour the handler left.
void TMenuItem::DrawItem(TCanvas& canvas, const TRect& rect, TOwnerDrawState state) {
    if (UsesOwnerDraw() && OnAdvancedDrawItem)
        OnAdvancedDrawItem(this, canvas, rect, state);
    else if (UsesOwnerDraw() && OnDrawItem)
        OnDrawItem(this, canvas, rect, (state & odSelected) != 0);
    else
        return TMenuPainter::Draw(*this, canvas, rect, state);
    if (HasSubMenu()) TMenuPainter::DrawArrow(canvas, rect, canvas.Font().Color());
}
