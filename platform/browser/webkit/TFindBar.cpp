#include "platform/browser/webkit/TFindBar.h"

#include <exception>

namespace platform {

namespace {

constexpr guint32 kFindOptions =
    WEBKIT_FIND_OPTIONS_CASE_INSENSITIVE | WEBKIT_FIND_OPTIONS_WRAP_AROUND;

GtkWidget* Button(const char* label, const char* tip) {
    GtkWidget* button = gtk_button_new_with_label(label);
    gtk_widget_set_tooltip_text(button, tip);
    gtk_widget_set_can_focus(button, FALSE);
    gtk_button_set_relief(GTK_BUTTON(button), GTK_RELIEF_NONE);
    return button;
}

// Callbacks of the toolkit never let an error out.
template <class F> void Shielded(F&& fn) {
    try {
        fn();
    } catch (const std::exception&) {
    }
}

} // namespace

TFindBar::TFindBar() {
    FBar = gtk_box_new(GTK_ORIENTATION_HORIZONTAL, 2);
    g_object_ref_sink(FBar);
    gtk_widget_set_halign(FBar, GTK_ALIGN_END);
    gtk_widget_set_valign(FBar, GTK_ALIGN_START);
    gtk_widget_set_margin_top(FBar, 2);
    gtk_widget_set_margin_end(FBar, 16);
    GtkStyleContext* style = gtk_widget_get_style_context(FBar);
    gtk_style_context_add_class(style, "background");
    gtk_style_context_add_class(style, "frame");

    FEntry = gtk_search_entry_new();
    gtk_entry_set_placeholder_text(GTK_ENTRY(FEntry), "查找");
    gtk_entry_set_width_chars(GTK_ENTRY(FEntry), 18);
    FStatus = gtk_label_new("");
    GtkWidget* previous = Button("上一个", "查找上一个 (Shift+Enter)");
    GtkWidget* next = Button("下一个", "查找下一个 (Enter)");
    GtkWidget* close = Button("×", "关闭 (Esc)");
    gtk_box_pack_start(GTK_BOX(FBar), FEntry, FALSE, FALSE, 0);
    gtk_box_pack_start(GTK_BOX(FBar), previous, FALSE, FALSE, 0);
    gtk_box_pack_start(GTK_BOX(FBar), next, FALSE, FALSE, 0);
    gtk_box_pack_start(GTK_BOX(FBar), FStatus, FALSE, FALSE, 4);
    gtk_box_pack_start(GTK_BOX(FBar), close, FALSE, FALSE, 0);

    g_signal_connect(FEntry, "search-changed", G_CALLBACK(OnChanged), this);
    g_signal_connect(FEntry, "activate", G_CALLBACK(OnActivate), this);
    g_signal_connect(FEntry, "next-match", G_CALLBACK(OnNext), this);
    g_signal_connect(FEntry, "previous-match", G_CALLBACK(OnPrevious), this);
    g_signal_connect(FEntry, "stop-search", G_CALLBACK(OnStop), this);
    g_signal_connect(FEntry, "key-press-event", G_CALLBACK(OnEntryKey), this);
    g_signal_connect(previous, "clicked", G_CALLBACK(OnPrevious), this);
    g_signal_connect(next, "clicked", G_CALLBACK(OnNext), this);
    g_signal_connect(close, "clicked", G_CALLBACK(OnStop), this);
    gtk_widget_show_all(FBar);
    gtk_widget_hide(FBar);
    gtk_widget_set_no_show_all(FBar, TRUE);
}

TFindBar::~TFindBar() {
    Attach(nullptr);
    g_signal_handlers_disconnect_by_data(FEntry, this);
    gtk_widget_destroy(FBar);
    g_object_unref(FBar);
}

WebKitFindController* TFindBar::Controller() const {
    return FView ? webkit_web_view_get_find_controller(FView) : nullptr;
}

void TFindBar::Attach(WebKitWebView* view) {
    if (WebKitFindController* old = Controller()) {
        webkit_find_controller_search_finish(old);
        g_signal_handlers_disconnect_by_data(old, this);
    }
    FView = view;
    if (WebKitFindController* controller = Controller()) {
        g_signal_connect(controller, "found-text", G_CALLBACK(OnFound), this);
        g_signal_connect(controller, "failed-to-find-text", G_CALLBACK(OnFailed), this);
    }
    SetStatus("");
}

void TFindBar::Show() {
    gtk_widget_show(FBar);
    gtk_widget_grab_focus(FEntry);
    gtk_editable_select_region(GTK_EDITABLE(FEntry), 0, -1);
}

void TFindBar::Hide() {
    if (WebKitFindController* controller = Controller())
        webkit_find_controller_search_finish(controller);
    bool hadFocus = HasFocus();
    gtk_widget_hide(FBar);
    SetStatus("");
    if (hadFocus && FView) gtk_widget_grab_focus(GTK_WIDGET(FView));
}

bool TFindBar::Visible() const {
    return gtk_widget_get_visible(FBar);
}

bool TFindBar::HasFocus() const {
    return gtk_widget_is_focus(FEntry);
}

void TFindBar::SetText(const std::string& text) {
    gtk_entry_set_text(GTK_ENTRY(FEntry), text.c_str());
    Search(); // at once, not after the entry's typing delay
}

std::string TFindBar::Text() const {
    return gtk_entry_get_text(GTK_ENTRY(FEntry));
}

std::string TFindBar::Status() const {
    return gtk_label_get_text(GTK_LABEL(FStatus));
}

void TFindBar::SetStatus(const std::string& text) {
    gtk_label_set_text(GTK_LABEL(FStatus), text.c_str());
}

void TFindBar::Search() {
    WebKitFindController* controller = Controller();
    if (!controller) return;
    std::string text = Text();
    if (text.empty()) {
        webkit_find_controller_search_finish(controller);
        SetStatus("");
        return;
    }
    webkit_find_controller_search(controller, text.c_str(), kFindOptions, G_MAXUINT);
}

void TFindBar::FindNext() {
    WebKitFindController* controller = Controller();
    if (!controller || Text().empty()) return;
    // A new text is searched from the start; the same text moves on.
    const gchar* current = webkit_find_controller_get_search_text(controller);
    if (!current || Text() != current)
        Search();
    else
        webkit_find_controller_search_next(controller);
}

void TFindBar::FindPrevious() {
    WebKitFindController* controller = Controller();
    if (!controller || Text().empty()) return;
    const gchar* current = webkit_find_controller_get_search_text(controller);
    if (!current || Text() != current)
        Search();
    else
        webkit_find_controller_search_previous(controller);
}

void TFindBar::OnChanged(GtkSearchEntry*, gpointer self) {
    Shielded([&] { static_cast<TFindBar*>(self)->Search(); });
}

void TFindBar::OnActivate(GtkEntry*, gpointer self) {
    Shielded([&] { static_cast<TFindBar*>(self)->FindNext(); });
}

void TFindBar::OnNext(GtkWidget*, gpointer self) {
    Shielded([&] { static_cast<TFindBar*>(self)->FindNext(); });
}

void TFindBar::OnPrevious(GtkWidget*, gpointer self) {
    Shielded([&] { static_cast<TFindBar*>(self)->FindPrevious(); });
}

void TFindBar::OnStop(GtkWidget*, gpointer self) {
    Shielded([&] { static_cast<TFindBar*>(self)->Hide(); });
}

// Shift+Enter searches backwards, as in the usual find bars.
gboolean TFindBar::OnEntryKey(GtkWidget*, GdkEventKey* event, gpointer self) {
    bool back = (event->keyval == GDK_KEY_Return || event->keyval == GDK_KEY_KP_Enter) &&
                (event->state & GDK_SHIFT_MASK);
    if (!back) return FALSE;
    Shielded([&] { static_cast<TFindBar*>(self)->FindPrevious(); });
    return TRUE;
}

void TFindBar::OnFound(WebKitFindController*, guint count, gpointer self) {
    Shielded(
        [&] { static_cast<TFindBar*>(self)->SetStatus("找到 " + std::to_string(count) + " 处"); });
}

void TFindBar::OnFailed(WebKitFindController*, gpointer self) {
    Shielded([&] {
        auto* bar = static_cast<TFindBar*>(self);
        bar->SetStatus("找不到“" + bar->Text() + "”");
    });
}

} // namespace platform
