#include "app/TSearchSuggestions.h"

#include <algorithm>
#include <exception>

#include "gui/TApplication.h"
#include "gui/TApplicationEvents.h"
#include "gui/TCustomForm.h"
#include "gui/TPopupWindow.h"
#include "skin/TskEdit.h"
#include "skin/TskSuggestList.h"

namespace {

constexpr int kRowHeight = 20;

bool IsButtonDown(uint32_t msg) {
    return msg == WM_LBUTTONDOWN || msg == WM_RBUTTONDOWN || msg == WM_MBUTTONDOWN ||
           msg == WM_LBUTTONDBLCLK || msg == WM_RBUTTONDBLCLK || msg == WM_MBUTTONDBLCLK;
}

// How many names are asked for to fill the rows when some repeat.
constexpr size_t kPool = TSearchSuggestions::MaxItems * 4;

std::vector<std::string> FirstDistinct(const std::vector<std::string>& names, size_t limit) {
    std::vector<std::string> out;
    for (const std::string& name : names) {
        if (out.size() == limit) break;
        if (std::find(out.begin(), out.end(), name) == out.end()) out.push_back(name);
    }
    return out;
}

} // namespace

const TClassInfo& TSearchSuggestions::StaticClass() {
    static const TClassInfo info =
        TClassBuilder<TSearchSuggestions>("TSearchSuggestions", &TComponent::StaticClass()).Build();
    return info;
}

TSearchSuggestions::TSearchSuggestions(TComponent* owner, TskEdit* edit, TSource source)
    : TComponent(owner), FEdit(edit), FSource(std::move(source)) {
    SetName("SearchSuggestions");
    FPopup = new TPopupWindow(this);
    FPopup->SetGrabsInput(false);
    FList = new TskSuggestList(FPopup);
    FList->SetAlign(TAlign::alClient);
    FList->SetParent(FPopup);
    FList->SetItems(&FItems);
    FList->SetItemHeight(kRowHeight);
    FList->OnPick = [this](int index) {
        // Leave the list's mouse message before the pop-up closes.
        TSafeRef<TSearchSuggestions> self(this);
        Application->Queue([self, index] {
            if (TSearchSuggestions* suggestions = self.Get()) suggestions->Choose(index);
        });
    };
    HookEdit();
    // Without a grab, a press elsewhere in the program (a button that takes
    // no focus, the search button included) is seen on its way.
    auto* presses = new TApplicationEvents(this);
    presses->OnMessage = [this](TMsg& msg, bool&) {
        if (IsOpen() && IsButtonDown(msg.message) && !IsOwnWindow(msg.hwnd)) Close();
    };
}

bool TSearchSuggestions::IsOwnWindow(HWND window) const {
    TskEdit* edit = FEdit.Get();
    return (edit && window == edit->Handle()) || window == FPopup->Handle() ||
           window == FList->Handle();
}

TSearchSuggestions::~TSearchSuggestions() {
    Destroying();
}

// The box's handlers from the layout stay in place and run after ours; a
// key the list used never reaches them.
void TSearchSuggestions::HookEdit() {
    TskEdit* edit = FEdit.Get();
    if (!edit) return;
    TSafeRef<TSearchSuggestions> self(this);
    edit->OnChange = [self, old = edit->OnChange](TObject* sender) {
        if (TSearchSuggestions* suggestions = self.Get()) suggestions->EditChanged();
        if (old) old(sender);
    };
    edit->OnKeyDown = [self, old = edit->OnKeyDown](TObject* sender, int& key, TShiftState shift) {
        TSearchSuggestions* suggestions = self.Get();
        if (suggestions && (shift & (ssAlt | ssCtrl)) == 0 && suggestions->EditKeyDown(key)) {
            key = 0;
            return;
        }
        if (old) old(sender, key, shift);
    };
    edit->OnKeyPress = [self, old = edit->OnKeyPress](TObject* sender, char16_t& key) {
        TSearchSuggestions* suggestions = self.Get();
        if (suggestions && suggestions->SwallowChar(key)) {
            key = 0;
            return;
        }
        if (old) old(sender, key);
    };
    edit->OnExit = [self, old = edit->OnExit](TObject* sender) {
        if (TSearchSuggestions* suggestions = self.Get()) suggestions->Close();
        if (old) old(sender);
    };
    // The pop-up sits above every window: another program taking the
    // keyboard from ours (the box keeps its focus inside ours) closes it.
    if (TCustomForm* form = edit->ParentForm())
        form->OnDeactivate = [self, old = form->OnDeactivate](TObject* sender) {
            if (TSearchSuggestions* suggestions = self.Get()) suggestions->Close();
            if (old) old(sender);
        };
}

bool TSearchSuggestions::IsOpen() const {
    return FPopup->IsOpen();
}

int TSearchSuggestions::Highlight() const {
    return IsOpen() ? FList->HotIndex() : -1;
}

TRect TSearchSuggestions::ScreenRect() const {
    return IsOpen() ? FPopup->BoundsRect() : TRect{};
}

void TSearchSuggestions::EditChanged() {
    TskEdit* edit = FEdit.Get();
    if (FChoosing || !edit) return;
    // Text set by the program while the player is elsewhere offers nothing.
    if (!edit->Focused()) {
        Close();
        return;
    }
    Refresh();
}

void TSearchSuggestions::Refresh() {
    TskEdit* edit = FEdit.Get();
    std::vector<std::string> names;
    if (edit && !edit->Text().empty() && FSource) {
        // A list that cannot be read offers nothing; the search itself
        // reports the fault when the player runs it.
        try {
            names = FirstDistinct(FSource(edit->Text(), kPool), MaxItems);
        } catch (const std::exception&) {
            names.clear();
        }
    }
    if (names.empty()) {
        Close();
        return;
    }
    FItems.Assign(names);
    FList->SetHotIndex(-1);
    FList->SetTopIndex(0);
    FList->ItemsChanged();
    Open();
}

void TSearchSuggestions::Open() {
    TskEdit* edit = FEdit.Get();
    FList->ApplyStyle(edit->Theme().UIStyle(), edit->Theme().FileTheme());
    FList->Font().Assign(edit->Font());
    if (FPopup->IsOpen())
        FPopup->SetBoundsRect(DropRect());
    else
        FPopup->Popup(DropRect());
}

// Under the box and as wide as it; above it when the screen ends below.
TRect TSearchSuggestions::DropRect() const {
    TskEdit* edit = FEdit.Get();
    const TRect nc = edit->NonClientInsets();
    const TPoint topLeft = edit->ClientToScreen({-nc.Left, -nc.Top});
    const int height = FItems.Count() * kRowHeight + 2;
    TRect rect = TRect::FromSize(topLeft.X, topLeft.Y + edit->Height(), edit->Width(), height);
    const TRect work = Application->Host().WorkArea();
    if (rect.Bottom > work.Bottom && topLeft.Y - height >= work.Top)
        rect = TRect::FromSize(topLeft.X, topLeft.Y - height, edit->Width(), height);
    return rect;
}

void TSearchSuggestions::Close() {
    FPopup->ClosePopup();
}

void TSearchSuggestions::Choose(int index) {
    TskEdit* edit = FEdit.Get();
    if (!edit || index < 0 || index >= FItems.Count()) return;
    const std::string name = FItems[index];
    Close();
    FChoosing = true;
    edit->SetText(name);
    FChoosing = false;
    edit->SetSelStart(static_cast<int>(edit->Buffer().Length()));
    if (OnChoose) OnChoose(this);
}

bool TSearchSuggestions::EditKeyDown(int key) {
    FSwallow = 0;
    switch (key) {
    case VK_DOWN:
        if (!IsOpen()) {
            Refresh();
            return IsOpen();
        }
        MoveHighlight(1);
        return true;
    case VK_UP:
        if (!IsOpen()) return false;
        MoveHighlight(-1);
        return true;
    // The list is never longer than one page: a page is all of it.
    case VK_NEXT:
    case VK_PRIOR:
        if (!IsOpen()) return false;
        FList->SetHotIndex(key == VK_NEXT ? FItems.Count() - 1 : 0);
        return true;
    case VK_RETURN:
        if (!IsOpen()) return false;
        if (Highlight() < 0) {
            Close();
            return false;
        }
        FSwallow = u'\r';
        Choose(Highlight());
        return true;
    case VK_ESCAPE:
        if (!IsOpen()) return false;
        FSwallow = u'\x1b';
        Close();
        return true;
    default:
        return false;
    }
}

bool TSearchSuggestions::SwallowChar(char16_t key) {
    if (FSwallow == 0 || key != FSwallow) return false;
    FSwallow = 0;
    return true;
}

void TSearchSuggestions::MoveHighlight(int step) {
    const int to = std::clamp(FList->HotIndex() + step, -1, FItems.Count() - 1);
    FList->SetHotIndex(to);
}
