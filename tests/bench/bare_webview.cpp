// The yardstick for the start-up benchmark: the least a WebKitGTK program
// does to show a page — one window, one view, about:blank. When the load
// finishes it writes XINGFAN_READY_FILE the way the browser does (the
// CLOCK_MONOTONIC time in nanoseconds, replaced atomically), then keeps
// running until it is killed.
#include <gtk/gtk.h>
#include <time.h>
#include <webkit2/webkit2.h>

#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

bool WriteReadyFile(const std::string& fileName) {
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    std::string temp = fileName + ".tmp";
    FILE* out = std::fopen(temp.c_str(), "w");
    if (!out) return false;
    std::fprintf(out, "%lld\n", static_cast<long long>(now.tv_sec) * 1000000000LL + now.tv_nsec);
    bool ok = std::fclose(out) == 0;
    return ok && std::rename(temp.c_str(), fileName.c_str()) == 0;
}

void OnLoadChanged(WebKitWebView*, WebKitLoadEvent event, gpointer) {
    static bool written = false;
    if (event != WEBKIT_LOAD_FINISHED || written) return;
    written = true;
    const char* file = std::getenv("XINGFAN_READY_FILE");
    if (file && *file && !WriteReadyFile(file))
        std::fprintf(stderr, "bare_webview: cannot write %s\n", file);
}

} // namespace

int main(int argc, char** argv) {
    gtk_init(&argc, &argv);
    GtkWidget* window = gtk_window_new(GTK_WINDOW_TOPLEVEL);
    gtk_window_set_title(GTK_WINDOW(window), "bare web view");
    gtk_window_set_default_size(GTK_WINDOW(window), 800, 600);
    g_signal_connect(window, "destroy", G_CALLBACK(gtk_main_quit), nullptr);
    GtkWidget* view = webkit_web_view_new();
    g_signal_connect(view, "load-changed", G_CALLBACK(OnLoadChanged), nullptr);
    gtk_container_add(GTK_CONTAINER(window), view);
    webkit_web_view_load_uri(WEBKIT_WEB_VIEW(view), "about:blank");
    gtk_widget_show_all(window);
    gtk_main();
    return 0;
}
