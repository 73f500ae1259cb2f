#include "platform/browser/webkit/TWebProcessSandbox.h"

#include <webkit2/webkit2.h>

#include <cstdio>

#include "platform/glib/GlibPtr.h"

namespace platform {

namespace {

bool gApplied = false;
bool gEnabled = false;

std::string FindProgram(const char* name) {
    TGCharPtr path(g_find_program_in_path(name));
    return path.Str();
}

// The namespaces WebKit asks bubblewrap for; a system that refuses any of
// them refuses WebKit's sandbox as well.
bool TrialRun(const std::string& bwrap, std::string& failure) {
    const gchar* argv[] = {bwrap.c_str(), "--unshare-user-try", "--unshare-pid", "--unshare-net",
                           "--unshare-uts", "--unshare-ipc", "--die-with-parent",
                           "--ro-bind", "/", "/", "true", nullptr};
    gint status = 0;
    TGErrorPtr error;
    gchar* errorText = nullptr;
    gboolean ran = g_spawn_sync(nullptr, const_cast<gchar**>(argv), nullptr,
                                G_SPAWN_STDOUT_TO_DEV_NULL, nullptr, nullptr, nullptr, &errorText,
                                &status, error.Out());
    TGCharPtr stderrText(errorText);
    if (!ran) {
        failure = error.Message();
        return false;
    }
    if (g_spawn_check_wait_status(status, nullptr)) return true;
    failure = stderrText.Str();
    while (!failure.empty() && (failure.back() == '\n' || failure.back() == ' ')) failure.pop_back();
    if (failure.empty()) failure = "bwrap 试运行失败";
    return false;
}

// The system's own folders are inside the sandbox already, and WebKit
// refuses them as extra paths.
bool SystemFolder(const std::string& folder) {
    for (const char* core : {"/usr", "/etc", "/lib", "/lib64", "/bin", "/sbin"}) {
        std::string prefix = core;
        if (folder == prefix || folder.rfind(prefix + "/", 0) == 0) return true;
    }
    return false;
}

} // namespace

TWebProcessSandbox::TCheck TWebProcessSandbox::Check() {
    TCheck check;
    if (g_getenv("WEBKIT_DISABLE_SANDBOX_THIS_IS_DANGEROUS")) {
        check.Reason = "环境变量 WEBKIT_DISABLE_SANDBOX_THIS_IS_DANGEROUS 关闭了沙箱";
        return check;
    }
    std::string bwrap = FindProgram("bwrap");
    if (bwrap.empty()) {
        check.Reason = "没有安装 bubblewrap（bwrap）";
        return check;
    }
    if (FindProgram("xdg-dbus-proxy").empty()) {
        check.Reason = "没有安装 xdg-dbus-proxy";
        return check;
    }
    std::string failure;
    if (!TrialRun(bwrap, failure)) {
        check.Reason = "系统不允许创建沙箱（" + failure + "）";
        return check;
    }
    check.Usable = true;
    return check;
}

bool TWebProcessSandbox::Apply(WebKitWebContext* context, const std::vector<std::string>& readable) {
    if (!gApplied) {
        gApplied = true;
        TCheck check = Check();
        if (!check.Usable) {
            std::fprintf(stderr, "星帆IE: 网页进程不在沙箱中运行：%s。\n", check.Reason.c_str());
            return false;
        }
        gEnabled = true;
    }
    if (!gEnabled) return false;
    webkit_web_context_set_sandbox_enabled(context, TRUE);
    for (std::string folder : readable) {
        while (folder.size() > 1 && folder.back() == '/') folder.pop_back();
        if (!folder.empty() && !SystemFolder(folder) && g_file_test(folder.c_str(), G_FILE_TEST_IS_DIR))
            webkit_web_context_add_path_to_sandbox(context, folder.c_str(), TRUE);
    }
    return true;
}

bool TWebProcessSandbox::Enabled() {
    return gEnabled;
}

} // namespace platform
