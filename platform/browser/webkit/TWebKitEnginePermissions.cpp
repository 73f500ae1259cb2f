// What a page asks of the user: notifications, the location, camera and
// microphone, the pointer. The owner decides; WebKit waits for the answer
// as long as the request is held.
#include "platform/browser/webkit/TWebKitEngineGuard.h"

namespace platform {

namespace {

// A game's click that locks the pointer arrives here a few milliseconds
// after the click itself; a page cannot wait that long on its own and
// still pass for the user.
constexpr gint64 kGestureWindowUs = 1000 * 1000;

std::optional<TPermissionKind> KindOf(WebKitPermissionRequest* request) {
    if (WEBKIT_IS_NOTIFICATION_PERMISSION_REQUEST(request)) return TPermissionKind::Notifications;
    if (WEBKIT_IS_GEOLOCATION_PERMISSION_REQUEST(request)) return TPermissionKind::Geolocation;
    if (WEBKIT_IS_USER_MEDIA_PERMISSION_REQUEST(request) ||
        WEBKIT_IS_DEVICE_INFO_PERMISSION_REQUEST(request))
        return TPermissionKind::Media;
    if (WEBKIT_IS_POINTER_LOCK_PERMISSION_REQUEST(request)) return TPermissionKind::PointerLock;
    return std::nullopt;
}

// The request stays alive until it is answered; dropping it unanswered
// refuses it.
class TPendingPermission {
public:
    explicit TPendingPermission(WebKitPermissionRequest* request)
        : FRequest(WEBKIT_PERMISSION_REQUEST(g_object_ref(request))) {}
    ~TPendingPermission() {
        if (FRequest) g_object_unref(FRequest);
    }
    TPendingPermission(const TPendingPermission&) = delete;
    TPendingPermission& operator=(const TPendingPermission&) = delete;

    void Answer(bool allow) {
        if (!FRequest) return;
        WebKitPermissionRequest* request = FRequest;
        FRequest = nullptr;
        if (allow)
            webkit_permission_request_allow(request);
        else
            webkit_permission_request_deny(request);
        g_object_unref(request);
    }

private:
    WebKitPermissionRequest* FRequest;
};

} // namespace

void TWebKitEngine::ConnectPermissions() {
    g_signal_connect(FView, "permission-request", G_CALLBACK(OnPermissionRequest), this);
    g_signal_connect(FView, "button-press-event", G_CALLBACK(OnUserInput), this);
    g_signal_connect(FView, "key-press-event", G_CALLBACK(OnUserInput), this);
}

gboolean TWebKitEngine::OnUserInput(GtkWidget*, GdkEvent*, gpointer data) {
    static_cast<TWebKitEngine*>(data)->FLastInputTime = g_get_monotonic_time();
    return FALSE;
}

bool TWebKitEngine::RecentUserInput() const {
    return FLastInputTime != 0 && g_get_monotonic_time() - FLastInputTime <= kGestureWindowUs;
}

gboolean TWebKitEngine::OnPermissionRequest(WebKitWebView* view, WebKitPermissionRequest* request,
                                            gpointer data) {
    return Guard(view, FALSE, [&]() -> gboolean {
        auto* self = static_cast<TWebKitEngine*>(data);
        std::optional<TPermissionKind> kind = KindOf(request);
        if (!kind) return FALSE; // WebKit's own answer
        if (*kind == TPermissionKind::PointerLock && self->RecentUserInput()) {
            webkit_permission_request_allow(request);
            return TRUE;
        }
        auto pending = std::make_shared<TPendingPermission>(request);
        if (self->FEvents.PermissionRequest)
            self->FEvents.PermissionRequest(*kind,
                                            [pending](bool allow) { pending->Answer(allow); });
        return TRUE;
    });
}

} // namespace platform
