#include "gui/host/gtk/TGtkInputMethod.h"

#include <algorithm>

#include "platform/glib/TCallbackGuard.h"
#include "platform/Text.h"

TGtkInputMethod::TGtkInputMethod()
    : FContext(platform::TGObjectPtr<GtkIMContext>::Adopt(gtk_im_multicontext_new())) {
    // Our edits show the text being composed themselves, at the caret.
    gtk_im_context_set_use_preedit(FContext.Get(), TRUE);
    FCommit = TSignalConnection(FContext.Get(), "commit", G_CALLBACK(OnCommitSignal), this);
    FPreeditChanged =
        TSignalConnection(FContext.Get(), "preedit-changed", G_CALLBACK(OnPreeditSignal), this);
    FPreeditEnd =
        TSignalConnection(FContext.Get(), "preedit-end", G_CALLBACK(OnPreeditSignal), this);
}

TGtkInputMethod::~TGtkInputMethod() {
    FCommit.Disconnect();
    FPreeditChanged.Disconnect();
    FPreeditEnd.Disconnect();
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
    platform::TCallbackGuard::Run([&] {
        std::u16string utf16 = platform::Utf8ToUtf16(text);
        if (im->FFiltering)
            im->FFilterText += utf16;
        else if (im->OnCommit)
            im->OnCommit(utf16);
    });
}

void TGtkInputMethod::OnPreeditSignal(GtkIMContext* context, gpointer self) {
    auto* im = static_cast<TGtkInputMethod*>(self);
    platform::TCallbackGuard::Run([&] {
        gchar* raw = nullptr;
        gint cursor = 0;
        gtk_im_context_get_preedit_string(context, &raw, nullptr, &cursor);
        platform::TGCharPtr text(raw);
        const char* utf8 = text ? text.Get() : "";
        // GTK counts the cursor in characters; the edits count UTF-16 units.
        const char* end = g_utf8_offset_to_pointer(utf8, std::max<glong>(0, cursor));
        std::u16string before = platform::Utf8ToUtf16(std::string(utf8, end));
        std::u16string whole = platform::Utf8ToUtf16(utf8);
        if (whole == im->FPreedit) return;
        im->FPreedit = whole;
        if (im->OnPreedit) im->OnPreedit(whole, static_cast<int>(before.size()));
    });
}
