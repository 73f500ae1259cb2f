// The default update module: it does not update anything itself, it tells
// the user what it was asked. Replacing this library beside the executable
// replaces what an update does.
#include <gtk/gtk.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

std::string RequestText(int32_t reason) {
    switch (reason) {
    case 1:
        return "更新模块收到了在线更新的请求（来自菜单）。";
    case 2:
        return "更新模块收到了自动检查的结果：服务器上有可用的更新。";
    default:
        return "更新模块收到了未知的请求：" + std::to_string(reason) + "。";
    }
}

// Tests and scripted runs ask for a record of the calls instead of a dialog.
bool WriteRecord(int32_t reason) {
    const char* log = std::getenv("XINGFAN_UPMODULE_LOG");
    if (!log || !*log) return false;
    if (FILE* file = std::fopen(log, "a")) {
        std::fprintf(file, "OnLineUpdateFile(%d)\n", static_cast<int>(reason));
        std::fclose(file);
    }
    return true;
}

void ShowDialog(const std::string& text) {
    GtkWidget* dialog = gtk_message_dialog_new(nullptr, GTK_DIALOG_MODAL, GTK_MESSAGE_INFO,
                                               GTK_BUTTONS_OK, "%s", text.c_str());
    gtk_window_set_title(GTK_WINDOW(dialog), "在线更新");
    gtk_dialog_run(GTK_DIALOG(dialog));
    gtk_widget_destroy(dialog);
}

} // namespace

extern "C" __attribute__((visibility("default"))) void OnLineUpdateFile(int32_t reason) {
    if (WriteRecord(reason)) return;
    std::string text = RequestText(reason);
    // Without a display there is nobody to ask; say it where it can be read.
    if (!gdk_display_get_default()) {
        std::fprintf(stderr, "UpModule: %s\n", text.c_str());
        return;
    }
    ShowDialog(text);
}
