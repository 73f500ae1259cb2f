#include "gui/host/gtk/TGtkMessageBox.h"

#include "gui/Messages.h"
#include "platform/glib/GlibPtr.h"
#include "gui/host/gtk/TGtkModalLoop.h"
#include "gui/host/gtk/TSignalConnection.h"

namespace {

// The platform's default-button flags beyond the first two.
constexpr uint32_t defButton3 = 0x200; // MB_DEFBUTTON3
constexpr uint32_t defButtonMask = 0xF00;

const TMessageBoxButton btnOk{"确定", IDOK};
const TMessageBoxButton btnCancel{"取消", IDCANCEL};
const TMessageBoxButton btnYes{"是(_Y)", IDYES};
const TMessageBoxButton btnNo{"否(_N)", IDNO};
const TMessageBoxButton btnAbort{"中止(_A)", IDABORT};
const TMessageBoxButton btnRetry{"重试(_R)", IDRETRY};
const TMessageBoxButton btnIgnore{"忽略(_I)", IDIGNORE};

struct TBoxState {
    uint32_t Flags = 0;
    int Answer = 0;
    bool Done = false;
};

void OnResponse(GtkDialog*, gint response, gpointer data) {
    auto* state = static_cast<TBoxState*>(data);
    if (response > 0) {
        state->Answer = response;
        state->Done = true;
        return;
    }
    int closeAnswer = TGtkMessageBox::CloseAnswer(state->Flags);
    if (response == GTK_RESPONSE_DELETE_EVENT && closeAnswer == 0) return;
    // Destroyed under us (GTK_RESPONSE_NONE): answer as closing would.
    state->Answer = closeAnswer ? closeAnswer : TGtkMessageBox::DefaultAnswer(state->Flags);
    state->Done = true;
}

gboolean KeepOnDelete(GtkWidget*, GdkEvent*, gpointer) {
    return TRUE;
}

} // namespace

std::vector<TMessageBoxButton> TGtkMessageBox::Buttons(uint32_t flags) {
    switch (flags & MB_TYPEMASK) {
    case MB_OKCANCEL:
        return {btnOk, btnCancel};
    case MB_ABORTRETRYIGNORE:
        return {btnAbort, btnRetry, btnIgnore};
    case MB_YESNOCANCEL:
        return {btnYes, btnNo, btnCancel};
    case MB_YESNO:
        return {btnYes, btnNo};
    case MB_RETRYCANCEL:
        return {btnRetry, btnCancel};
    default:
        return {btnOk};
    }
}

int TGtkMessageBox::DefaultAnswer(uint32_t flags) {
    std::vector<TMessageBoxButton> buttons = Buttons(flags);
    size_t index = 0;
    if ((flags & defButtonMask) == MB_DEFBUTTON2)
        index = 1;
    else if ((flags & defButtonMask) == defButton3)
        index = 2;
    // A default beyond the last button falls back to the first, as on the platform.
    return index < buttons.size() ? buttons[index].Id : buttons[0].Id;
}

int TGtkMessageBox::CloseAnswer(uint32_t flags) {
    switch (flags & MB_TYPEMASK) {
    case MB_OKCANCEL:
    case MB_YESNOCANCEL:
    case MB_RETRYCANCEL:
        return IDCANCEL;
    case MB_YESNO:
    case MB_ABORTRETRYIGNORE:
        return 0;
    default:
        return IDOK;
    }
}

GtkMessageType TGtkMessageBox::MessageType(uint32_t flags) {
    switch (flags & MB_ICONMASK) {
    case MB_ICONSTOP:
        return GTK_MESSAGE_ERROR;
    case MB_ICONQUESTION:
        return GTK_MESSAGE_QUESTION;
    case MB_ICONWARNING:
        return GTK_MESSAGE_WARNING;
    case MB_ICONINFORMATION:
        return GTK_MESSAGE_INFO;
    default:
        return GTK_MESSAGE_OTHER;
    }
}

const char* TGtkMessageBox::IconName(uint32_t flags) {
    switch (flags & MB_ICONMASK) {
    case MB_ICONSTOP:
        return "dialog-error";
    case MB_ICONQUESTION:
        return "dialog-question";
    case MB_ICONWARNING:
        return "dialog-warning";
    case MB_ICONINFORMATION:
        return "dialog-information";
    default:
        return nullptr;
    }
}

int TGtkMessageBox::Run(GtkWindow* parent, const std::string& text, const std::string& caption,
                        uint32_t flags) {
    GtkWidget* widget = gtk_message_dialog_new(parent, GTK_DIALOG_MODAL, MessageType(flags),
                                               GTK_BUTTONS_NONE, "%s", text.c_str());
    auto dialog = platform::TGObjectPtr<GtkWidget>::RefSink(widget);
    gtk_window_set_title(GTK_WINDOW(widget), caption.c_str());
    gtk_window_set_position(GTK_WINDOW(widget),
                            parent ? GTK_WIN_POS_CENTER_ON_PARENT : GTK_WIN_POS_CENTER);
    if (const char* icon = IconName(flags)) {
        GtkWidget* image = gtk_image_new_from_icon_name(icon, GTK_ICON_SIZE_DIALOG);
        gtk_widget_show(image);
        // GTK 3 no longer shows the type's icon by itself; the platform's box does.
        G_GNUC_BEGIN_IGNORE_DEPRECATIONS
        gtk_message_dialog_set_image(GTK_MESSAGE_DIALOG(widget), image);
        G_GNUC_END_IGNORE_DEPRECATIONS
    }
    for (const TMessageBoxButton& button : Buttons(flags))
        gtk_dialog_add_button(GTK_DIALOG(widget), button.Label, button.Id);
    int defaultAnswer = DefaultAnswer(flags);
    gtk_dialog_set_default_response(GTK_DIALOG(widget), defaultAnswer);
    gtk_window_set_deletable(GTK_WINDOW(widget), CloseAnswer(flags) != 0);

    TBoxState state;
    state.Flags = flags;
    TSignalConnection response(widget, "response", G_CALLBACK(OnResponse), &state);
    TSignalConnection keep(widget, "delete-event", G_CALLBACK(KeepOnDelete), nullptr);
    gtk_window_present(GTK_WINDOW(widget));
    if (GtkWidget* button = gtk_dialog_get_widget_for_response(GTK_DIALOG(widget), defaultAnswer))
        gtk_widget_grab_focus(button);
    TGtkModalLoop::RunUntil(state.Done);
    response.Disconnect();
    keep.Disconnect();
    gtk_widget_destroy(widget);
    return state.Answer;
}
