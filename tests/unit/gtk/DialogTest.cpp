#include <glib/gstdio.h>

#include <string>

#include "GtkTestSupport.h"
#include "gui/host/gtk/TGtkMessageBox.h"

TEST(MessageBoxRules, ButtonsDefaultsAndClosing) {
    auto ids = [](uint32_t flags) {
        std::vector<int> out;
        for (const TMessageBoxButton& b : TGtkMessageBox::Buttons(flags))
            out.push_back(b.Id);
        return out;
    };
    EXPECT_EQ(ids(MB_OK), (std::vector<int>{IDOK}));
    EXPECT_EQ(ids(MB_OKCANCEL | MB_ICONQUESTION), (std::vector<int>{IDOK, IDCANCEL}));
    EXPECT_EQ(ids(MB_ABORTRETRYIGNORE), (std::vector<int>{IDABORT, IDRETRY, IDIGNORE}));
    EXPECT_EQ(ids(MB_YESNOCANCEL), (std::vector<int>{IDYES, IDNO, IDCANCEL}));
    EXPECT_EQ(ids(MB_YESNO), (std::vector<int>{IDYES, IDNO}));
    EXPECT_EQ(ids(MB_RETRYCANCEL), (std::vector<int>{IDRETRY, IDCANCEL}));

    EXPECT_EQ(TGtkMessageBox::DefaultAnswer(MB_YESNO), IDYES);
    EXPECT_EQ(TGtkMessageBox::DefaultAnswer(MB_YESNO | MB_DEFBUTTON2), IDNO);
    EXPECT_EQ(TGtkMessageBox::DefaultAnswer(MB_YESNOCANCEL | 0x200), IDCANCEL);
    EXPECT_EQ(TGtkMessageBox::DefaultAnswer(MB_OK | MB_DEFBUTTON2), IDOK) << "no second button";

    EXPECT_EQ(TGtkMessageBox::CloseAnswer(MB_OK), IDOK);
    EXPECT_EQ(TGtkMessageBox::CloseAnswer(MB_OKCANCEL), IDCANCEL);
    EXPECT_EQ(TGtkMessageBox::CloseAnswer(MB_YESNOCANCEL), IDCANCEL);
    EXPECT_EQ(TGtkMessageBox::CloseAnswer(MB_RETRYCANCEL), IDCANCEL);
    EXPECT_EQ(TGtkMessageBox::CloseAnswer(MB_YESNO), 0);
    EXPECT_EQ(TGtkMessageBox::CloseAnswer(MB_ABORTRETRYIGNORE), 0);
}

TEST(MessageBoxRules, IconsFollowTheIconGroup) {
    EXPECT_STREQ(TGtkMessageBox::IconName(MB_OK | MB_ICONSTOP), "dialog-error");
    EXPECT_STREQ(TGtkMessageBox::IconName(MB_YESNO | MB_ICONQUESTION), "dialog-question");
    EXPECT_STREQ(TGtkMessageBox::IconName(MB_ICONWARNING), "dialog-warning");
    EXPECT_STREQ(TGtkMessageBox::IconName(MB_ICONINFORMATION), "dialog-information");
    EXPECT_EQ(TGtkMessageBox::IconName(MB_OK), nullptr);
    EXPECT_EQ(TGtkMessageBox::MessageType(MB_ICONQUESTION), GTK_MESSAGE_QUESTION);
    EXPECT_EQ(TGtkMessageBox::MessageType(MB_ICONSTOP | MB_YESNO), GTK_MESSAGE_ERROR);
}

namespace {

// Finds the visible toplevel of a type and hands it to `step` every 20 ms
// until `step` says it is done.
class TDialogProbe {
public:
    TDialogProbe(GType type, std::function<bool(GtkWindow*)> step)
        : FType(type), FStep(std::move(step)) {
        FId = g_timeout_add(20, &TDialogProbe::Tick, this);
    }
    ~TDialogProbe() {
        if (FId) g_source_remove(FId);
    }
    int Calls = 0;

private:
    static gboolean Tick(gpointer self) {
        auto* probe = static_cast<TDialogProbe*>(self);
        GList* windows = gtk_window_list_toplevels();
        GtkWindow* found = nullptr;
        for (GList* l = windows; l; l = l->next)
            if (G_TYPE_CHECK_INSTANCE_TYPE(l->data, probe->FType) &&
                gtk_widget_get_visible(GTK_WIDGET(l->data)))
                found = GTK_WINDOW(l->data);
        g_list_free(windows);
        if (!found) return G_SOURCE_CONTINUE;
        ++probe->Calls;
        if (!probe->FStep(found)) return G_SOURCE_CONTINUE;
        probe->FId = 0;
        return G_SOURCE_REMOVE;
    }

    GType FType;
    std::function<bool(GtkWindow*)> FStep;
    guint FId = 0;
};

std::string ButtonLabel(GtkWindow* dialog, int id) {
    GtkWidget* button = gtk_dialog_get_widget_for_response(GTK_DIALOG(dialog), id);
    return button ? gtk_button_get_label(GTK_BUTTON(button)) : "";
}

} // namespace

TEST_F(GtkTest, MessageBoxShowsTheTextCaptionButtonsAndIconAndEscapeCannotDismissYesNo) {
    std::string title, text, icon;
    std::string yes, no, cancel;
    bool deletable = true;
    int stage = 0;
    TDialogProbe probe(GTK_TYPE_MESSAGE_DIALOG, [&](GtkWindow* dialog) {
        if (stage == 0) {
            title = gtk_window_get_title(dialog);
            gchar* t = nullptr;
            g_object_get(dialog, "text", &t, nullptr);
            text = t ? t : "";
            g_free(t);
            G_GNUC_BEGIN_IGNORE_DEPRECATIONS
            GtkWidget* image = gtk_message_dialog_get_image(GTK_MESSAGE_DIALOG(dialog));
            G_GNUC_END_IGNORE_DEPRECATIONS
            const gchar* name = nullptr;
            if (GTK_IS_IMAGE(image)) gtk_image_get_icon_name(GTK_IMAGE(image), &name, nullptr);
            icon = name ? name : "";
            yes = ButtonLabel(dialog, IDYES);
            no = ButtonLabel(dialog, IDNO);
            cancel = ButtonLabel(dialog, IDCANCEL);
            deletable = gtk_window_get_deletable(dialog);
            g_signal_emit_by_name(dialog, "close"); // what Escape does
            stage = 1;
            return false;
        }
        // Still there after Escape: answer with the second button.
        gtk_button_clicked(
            GTK_BUTTON(gtk_dialog_get_widget_for_response(GTK_DIALOG(dialog), IDNO)));
        return true;
    });
    int answer =
        FHost.MessageBox(0, "确定要退出星帆IE吗? a & b %s", "确认退出", MB_YESNO | MB_ICONQUESTION);
    EXPECT_EQ(answer, IDNO);
    EXPECT_EQ(stage, 1);
    EXPECT_EQ(title, "确认退出");
    EXPECT_EQ(text, "确定要退出星帆IE吗? a & b %s");
    EXPECT_EQ(icon, "dialog-question");
    EXPECT_EQ(yes, "是(_Y)");
    EXPECT_EQ(no, "否(_N)");
    EXPECT_EQ(cancel, "");
    EXPECT_FALSE(deletable);
    EXPECT_GE(probe.Calls, 2);
}

TEST_F(GtkTest, MessageBoxEscapeAndEnterAnswerAsThePlatformDoes) {
    TDialogProbe escape(GTK_TYPE_MESSAGE_DIALOG, [](GtkWindow* dialog) {
        g_signal_emit_by_name(dialog, "close");
        return true;
    });
    EXPECT_EQ(FHost.MessageBox(0, "x", "提示", MB_OKCANCEL), IDCANCEL);
    TDialogProbe escapeOk(GTK_TYPE_MESSAGE_DIALOG, [](GtkWindow* dialog) {
        g_signal_emit_by_name(dialog, "close");
        return true;
    });
    EXPECT_EQ(FHost.MessageBox(0, "x", "提示", MB_OK | MB_ICONSTOP), IDOK);
    TDialogProbe enter(GTK_TYPE_MESSAGE_DIALOG, [](GtkWindow* dialog) {
        gtk_window_activate_default(dialog);
        return true;
    });
    EXPECT_EQ(FHost.MessageBox(0, "x", "提示", MB_YESNOCANCEL | MB_DEFBUTTON2), IDNO);
}

TEST_F(GtkTest, MessageBoxCentresOnItsParentAndKeepsTheQueueRunning) {
    TRecordingClient& client = NewClient();
    THostWindow parent = ShowWindow(client, TRect::FromSize(100, 100, 400, 300), clWhite);
    GtkWindow* transientFor = nullptr;
    int ticks = 0;
    guint tick = g_timeout_add(
        10,
        [](gpointer n) -> gboolean {
            ++*static_cast<int*>(n);
            return G_SOURCE_CONTINUE;
        },
        &ticks);
    TDialogProbe probe(GTK_TYPE_MESSAGE_DIALOG, [&](GtkWindow* dialog) {
        transientFor = gtk_window_get_transient_for(dialog);
        if (ticks < 5) return false;
        gtk_dialog_response(GTK_DIALOG(dialog), IDOK);
        return true;
    });
    EXPECT_EQ(FHost.MessageBox(parent, "x", "提示", MB_OK), IDOK);
    g_source_remove(tick);
    EXPECT_EQ(transientFor, FHost.GtkWindowOf(parent));
    EXPECT_GE(ticks, 5);
}

TEST_F(GtkTest, OpenDialogOffersTheFiltersAndCancelLeavesTheNameAlone) {
    std::string title;
    std::vector<std::string> names;
    std::string current;
    TDialogProbe probe(GTK_TYPE_FILE_CHOOSER_DIALOG, [&](GtkWindow* dialog) {
        title = gtk_window_get_title(dialog);
        GSList* filters = gtk_file_chooser_list_filters(GTK_FILE_CHOOSER(dialog));
        for (GSList* l = filters; l; l = l->next)
            names.push_back(gtk_file_filter_get_name(GTK_FILE_FILTER(l->data)));
        g_slist_free(filters);
        if (GtkFileFilter* f = gtk_file_chooser_get_filter(GTK_FILE_CHOOSER(dialog)))
            current = gtk_file_filter_get_name(f);
        gtk_dialog_response(GTK_DIALOG(dialog), GTK_RESPONSE_CANCEL);
        return true;
    });
    TFileDialogRequest request;
    request.Title = "打开";
    request.Filter = "网页|*.htm;*.html|所有文件|*.*";
    request.FilterIndex = 2;
    std::string fileName = "unchanged";
    EXPECT_FALSE(FHost.FileDialog(0, request, fileName));
    EXPECT_EQ(fileName, "unchanged");
    EXPECT_EQ(title, "打开");
    EXPECT_EQ(names, (std::vector<std::string>{"网页", "所有文件"}));
    EXPECT_EQ(current, "所有文件");
}

TEST_F(GtkTest, SaveDialogReturnsTheChosenPath) {
    gchar* dir = g_dir_make_tmp("xfdialog-XXXXXX", nullptr);
    ASSERT_NE(dir, nullptr);
    std::string folder = dir;
    g_free(dir);
    // The chooser checks the name before it lets the answer through; keep
    // answering until it does, and give up (failing, not hanging) after a while.
    int tries = 0;
    TDialogProbe probe(GTK_TYPE_FILE_CHOOSER_DIALOG, [&](GtkWindow* dialog) {
        gtk_dialog_response(GTK_DIALOG(dialog),
                            ++tries < 50 ? GTK_RESPONSE_ACCEPT : GTK_RESPONSE_CANCEL);
        return false;
    });
    TFileDialogRequest request;
    request.Save = true;
    request.Filter = "文本|*.txt";
    request.FileName = folder + "/Codehtml.txt";
    std::string fileName;
    EXPECT_TRUE(FHost.FileDialog(0, request, fileName));
    EXPECT_EQ(fileName, folder + "/Codehtml.txt");
    g_rmdir(folder.c_str());
}
