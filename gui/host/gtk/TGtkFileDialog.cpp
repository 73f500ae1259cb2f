#include "gui/host/gtk/TGtkFileDialog.h"

#include "gui/host/gtk/TFileFilterList.h"
#include "platform/glib/GlibPtr.h"
#include "gui/host/gtk/TGtkModalLoop.h"
#include "gui/host/gtk/TSignalConnection.h"

namespace {

struct TDialogState {
    gint Response = GTK_RESPONSE_NONE;
    bool Done = false;
};

void OnResponse(GtkNativeDialog*, gint response, gpointer data) {
    auto* state = static_cast<TDialogState*>(data);
    state->Response = response;
    state->Done = true;
}

void AddFilters(GtkFileChooser* chooser, const TFileDialogRequest& request) {
    std::vector<TFileFilter> filters = TFileFilterList::Parse(request.Filter);
    for (size_t i = 0; i < filters.size(); ++i) {
        GtkFileFilter* filter = gtk_file_filter_new();
        gtk_file_filter_set_name(filter, filters[i].Name.c_str());
        for (const std::string& pattern : filters[i].Patterns)
            gtk_file_filter_add_pattern(filter,
                                        TFileFilterList::CaseInsensitiveGlob(pattern).c_str());
        gtk_file_chooser_add_filter(chooser, filter); // takes the floating reference
        if (static_cast<int>(i) + 1 == request.FilterIndex)
            gtk_file_chooser_set_filter(chooser, filter);
    }
}

void SetStart(GtkFileChooser* chooser, const TFileDialogRequest& request) {
    if (!request.InitialDir.empty())
        gtk_file_chooser_set_current_folder(chooser, request.InitialDir.c_str());
    if (request.FileName.empty()) return;
    platform::TGCharPtr base(g_path_get_basename(request.FileName.c_str()));
    bool hasFolder = request.FileName.find('/') != std::string::npos;
    if (request.Save) {
        if (hasFolder) {
            platform::TGCharPtr dir(g_path_get_dirname(request.FileName.c_str()));
            gtk_file_chooser_set_current_folder(chooser, dir.Get());
        }
        gtk_file_chooser_set_current_name(chooser, base.Get());
    } else if (hasFolder || !request.InitialDir.empty()) {
        platform::TGCharPtr full(hasFolder
                           ? g_strdup(request.FileName.c_str())
                           : g_build_filename(request.InitialDir.c_str(), base.Get(), nullptr));
        gtk_file_chooser_set_filename(chooser, full.Get());
    }
}

} // namespace

bool TGtkFileDialog::Run(GtkWindow* parent, const TFileDialogRequest& request,
                         std::string& fileName) {
    GtkFileChooserAction action =
        request.Save ? GTK_FILE_CHOOSER_ACTION_SAVE : GTK_FILE_CHOOSER_ACTION_OPEN;
    auto native = platform::TGObjectPtr<GtkFileChooserNative>::Adopt(
        gtk_file_chooser_native_new(request.Title.empty() ? nullptr : request.Title.c_str(), parent,
                                    action, request.Save ? "保存(_S)" : "打开(_O)", "取消"));
    GtkFileChooser* chooser = GTK_FILE_CHOOSER(native.Get());
    AddFilters(chooser, request);
    SetStart(chooser, request);
    gtk_native_dialog_set_modal(GTK_NATIVE_DIALOG(native.Get()), TRUE);

    TDialogState state;
    TSignalConnection response(native.Get(), "response", G_CALLBACK(OnResponse), &state);
    gtk_native_dialog_show(GTK_NATIVE_DIALOG(native.Get()));
    TGtkModalLoop::RunUntil(state.Done);
    response.Disconnect();
    bool accepted = false;
    if (state.Response == GTK_RESPONSE_ACCEPT) {
        platform::TGCharPtr chosen(gtk_file_chooser_get_filename(chooser));
        if (chosen) {
            fileName = chosen.Get();
            accepted = true;
        }
    }
    gtk_native_dialog_destroy(GTK_NATIVE_DIALOG(native.Get()));
    return accepted;
}
