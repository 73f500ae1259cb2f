// The yardstick for the benchmarks: the least a WebKitGTK program does to
// show a page — one window, one view, about:blank unless addresses are
// given. When the first load finishes it writes XINGFAN_READY_FILE the way
// the browser does (the CLOCK_MONOTONIC time in nanoseconds, replaced
// atomically), then keeps running until it is killed.
//   bare_webview [--size WxH] [URL...]
// --size makes the view exactly W x H (the window holds nothing else);
// several addresses become tabs of a notebook, one view each.
#include <gtk/gtk.h>
#include <time.h>
#include <webkit2/webkit2.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

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

GtkWidget* NewView(const char* uri, bool first) {
    GtkWidget* view = webkit_web_view_new();
    if (first) g_signal_connect(view, "load-changed", G_CALLBACK(OnLoadChanged), nullptr);
    webkit_web_view_load_uri(WEBKIT_WEB_VIEW(view), uri);
    return view;
}

} // namespace

int main(int argc, char** argv) {
    gtk_init(&argc, &argv);
    int width = 800;
    int height = 600;
    std::vector<const char*> uris;
    for (int i = 1; i < argc; ++i) {
        if (std::string(argv[i]) == "--size" && i + 1 < argc) {
            if (std::sscanf(argv[++i], "%dx%d", &width, &height) != 2 || width <= 0 ||
                height <= 0) {
                std::fprintf(stderr, "bare_webview: --size WxH\n");
                return 2;
            }
        } else {
            uris.push_back(argv[i]);
        }
    }
    if (uris.empty()) uris.push_back("about:blank");
    GtkWidget* window = gtk_window_new(GTK_WINDOW_TOPLEVEL);
    gtk_window_set_title(GTK_WINDOW(window), "bare web view");
    g_signal_connect(window, "destroy", G_CALLBACK(gtk_main_quit), nullptr);
    if (uris.size() == 1) {
        GtkWidget* view = NewView(uris[0], true);
        gtk_widget_set_size_request(view, width, height);
        gtk_container_add(GTK_CONTAINER(window), view);
    } else {
        GtkWidget* tabs = gtk_notebook_new();
        for (size_t i = 0; i < uris.size(); ++i) {
            GtkWidget* view = NewView(uris[i], i == 0);
            gtk_widget_set_size_request(view, width, height);
            gtk_notebook_append_page(GTK_NOTEBOOK(tabs), view, nullptr);
        }
        gtk_container_add(GTK_CONTAINER(window), tabs);
    }
    gtk_window_set_resizable(GTK_WINDOW(window), FALSE);
    gtk_widget_show_all(window);
    gtk_main();
    return 0;
}
