// Text that reaches the edit boxes from outside: pasted clipboard text,
// addresses and page text set from the browser, input-method units. Any
// bytes, typed or pasted into an edit, a combo box and a word-wrapped memo
// with keys in between, must leave valid UTF-8 text, a caret on a
// character boundary, memo rows that cover the text, and paint.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "gui/StandardClasses.h"
#include "gui/TApplication.h"
#include "gui/TComboBox.h"
#include "gui/TEdit.h"
#include "gui/TForm.h"
#include "gui/TMemo.h"
#include "gui/host/headless/THeadlessHost.h"
#include "platform/Text.h"

static void Check(bool condition) {
    if (!condition) __builtin_trap();
}

namespace {

struct TWorld {
    THeadlessHost Host;
    std::unique_ptr<TApplication> App;
    TForm* Form = nullptr;
    TEdit* Edit = nullptr;
    TComboBox* Combo = nullptr;
    TMemo* Memo = nullptr;

    TWorld() {
        RegisterStandardClasses();
        App = std::make_unique<TApplication>(&Host);
        Form = new TForm(nullptr);
        Form->SetBounds(0, 0, 400, 300);
        Edit = new TEdit(Form);
        Edit->SetBounds(0, 0, 120, 22);
        Edit->SetParent(Form);
        Combo = new TComboBox(Form);
        Combo->SetBounds(0, 30, 150, 20);
        Combo->Items().Assign({"http://a.example/", "about:blank", "星帆"});
        Combo->SetParent(Form);
        Memo = new TMemo(Form);
        Memo->SetBounds(0, 60, 160, 120);
        Memo->SetScrollBars(TScrollStyle::ssBoth);
        Memo->SetParent(Form);
        Form->Show();
    }
};

TWorld& World() {
    static TWorld world;
    return world;
}

void CheckEdit(const TCustomEdit& edit) {
    Check(platform::IsValidUtf8(edit.Text()));
    const TEditBuffer& b = edit.Buffer();
    Check(b.CaretPos() >= 0 && b.CaretPos() <= b.Length());
    Check(b.SnapToBoundary(b.CaretPos()) == b.CaretPos());
    Check(b.SnapToBoundary(b.Anchor()) == b.Anchor());
}

void CheckMemo(const TMemo& memo) {
    CheckEdit(memo);
    int covered = 0;
    for (int i = 0; i < memo.RowCount(); ++i) {
        TCustomMemo::TRow row = memo.Row(i);
        Check(row.Start >= covered && row.End >= row.Start);
        Check(row.Start == covered || row.Start == covered + 1); // + a line break
        covered = row.End;
    }
    Check(covered == memo.Buffer().Length());
    for (const std::string& line : memo.Lines().Items())
        Check(line.find_first_of("\r\n") == std::string::npos);
}

// Keys chosen by the input: moving, selecting, deleting, clipboard.
void PressKey(TWorld& w, uint8_t code) {
    static const int keys[] = {VK_LEFT, VK_RIGHT,  VK_HOME, VK_END,    VK_UP,
                               VK_DOWN, VK_DELETE, VK_BACK, VK_RETURN, VK_PRIOR,
                               VK_NEXT, 'A',       'C',     'X',       'V'};
    const int key = keys[code % (sizeof(keys) / sizeof(keys[0]))];
    const bool shift = code & 0x10, ctrl = code & 0x20;
    THostWindow window = w.Form->HostWindow();
    if (shift) w.Host.KeyEvent(window, WM_KEYDOWN, VK_SHIFT);
    if (ctrl) w.Host.KeyEvent(window, WM_KEYDOWN, VK_CONTROL);
    char16_t ch = key == VK_BACK ? u'\b' : key == VK_RETURN ? u'\r' : 0;
    w.Host.KeyEvent(window, WM_KEYDOWN, key, 0, ch);
    w.App->ProcessMessages();
    if (ctrl) w.Host.KeyEvent(window, WM_KEYUP, VK_CONTROL);
    if (shift) w.Host.KeyEvent(window, WM_KEYUP, VK_SHIFT);
}

void Exercise(TWorld& w, TCustomEdit* target, std::string_view text, uint8_t control) {
    target->SetFocus();
    target->SetMaxLength(control & 0x08 ? control % 17 : 0);
    target->SetText(std::string(text));
    w.Host.SetClipboardText(std::string(text.substr(text.size() / 2)));
    std::u16string units = platform::Utf8ToUtf16(text.substr(0, text.size() / 3));
    // Raw units too, lone surrogate halves included.
    for (size_t i = 0; i + 1 < text.size() && i < 16; i += 2)
        units += static_cast<char16_t>(static_cast<uint8_t>(text[i]) |
                                       static_cast<uint8_t>(text[i + 1]) << 8);
    w.Host.TypeText(w.Form->HostWindow(), units);
    w.App->ProcessMessages();
    for (size_t i = 0; i < text.size() && i < 24; ++i)
        PressKey(w, static_cast<uint8_t>(text[i]));
    w.App->ProcessMessages();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size == 0 || size > 4096) return 0;
    TWorld& w = World();
    const uint8_t control = data[0];
    std::string_view text(reinterpret_cast<const char*>(data) + 1, size - 1);
    w.Memo->SetWordWrap(control & 1);
    w.Memo->SetWidth(40 + control % 200);
    Exercise(w, w.Edit, text, control);
    CheckEdit(*w.Edit);
    Exercise(w, w.Combo, text, control);
    CheckEdit(*w.Combo);
    Exercise(w, w.Memo, text, control);
    CheckMemo(*w.Memo);
    w.Memo->Lines().SetText(text);
    CheckMemo(*w.Memo);
    w.App->ProcessMessages();
    return 0;
}
