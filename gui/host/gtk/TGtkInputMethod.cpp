#include "gui/host/gtk/TGtkInputMethod.h"

#include "gui/host/gtk/TCallbackGuard.h"
#include "platform/Text.h"

TGtkInputMethod::TGtkInputMethod()
    : FContext(TGObjectPtr<GtkIMContext>::Adopt(gtk_im_multicontext_new())) {
    // The input method shows its own pre-edit window: our edits paint
    // committed text only.
    gtk_im_context_set_use_preedit(FContext.Get(), FALSE);
    FCommit = TSignalConnection(FContext.Get(), "commit", G_CALLBACK(OnCommitSignal), this);
}

TGtkInputMethod::~TGtkInputMethod() {
    FCommit.Disconnect();
    gtk_im_context_set_client_window(FContext.Get(), nullptr);
}

void TGtkInputMethod::SetClientWindow(GdkWindow* window) {
    gtk_im_context_set_client_window(FContext.Get(), window);
}

void TGtkInputMethod::SetFocused(bool focused) {
    if (focused == FFocused) return;
    FFocused = focused;
    if (focused)
        gtk_im_context_focus_in(FContext.Get());
    else
        gtk_im_context_focus_out(FContext.Get());
}

void TGtkInputMethod::Reset() {
    gtk_im_context_reset(FContext.Get());
}

void TGtkInputMethod::SetCursorRect(const TRect& rect) {
    GdkRectangle area{rect.Left, rect.Top, rect.Width(), rect.Height()};
    gtk_im_context_set_cursor_location(FContext.Get(), &area);
}

TGtkInputMethod::TFilterResult TGtkInputMethod::Filter(GdkEventKey* event) {
    FFiltering = true;
    FFilterText.clear();
    TFilterResult result;
    result.Consumed = gtk_im_context_filter_keypress(FContext.Get(), event) != FALSE;
    FFiltering = false;
    result.Committed = std::move(FFilterText);
    FFilterText.clear();
    return result;
}

void TGtkInputMethod::OnCommitSignal(GtkIMContext*, const gchar* text, gpointer self) {
    auto* im = static_cast<TGtkInputMethod*>(self);
    if (!text || !*text) return;
    TCallbackGuard::Run([&] {
        std::u16string utf16 = platform::Utf8ToUtf16(text);
        if (im->FFiltering)
            im->FFilterText += utf16;
        else if (im->OnCommit)
            im->OnCommit(utf16);
    });
}
