// The user's gestures on a page: the browser's own keys for keys the page
// left unused, Ctrl+wheel text size, links opened in a tab of their own by
// a middle click, a Ctrl+click or the context menu.
#include <algorithm>
#include <cmath>

#include "platform/browser/OleCommands.h"
#include "platform/browser/TextZoom.h"
#include "platform/browser/webkit/TWebKitEngineGuard.h"
#include "platform/browser/webkit/TWebKitPageKeys.h"

namespace platform {

namespace {

constexpr const char* kEditingScript =
    "(function(){var e=document.activeElement;while(e&&e.shadowRoot&&e.shadowRoot.activeElement)"
    "e=e.shadowRoot.activeElement;return !!e&&(e.isContentEditable||"
    "/^(INPUT|TEXTAREA|SELECT)$/.test(e.tagName));})()";

constexpr const char* kOpenInTabLabel = "在新标签页中打开链接";

std::string NavigationURI(WebKitNavigationAction* action) {
    WebKitURIRequest* request = webkit_navigation_action_get_request(action);
    const gchar* uri = request ? webkit_uri_request_get_uri(request) : nullptr;
    return uri ? std::string(uri) : std::string();
}

bool WantsNewTab(WebKitNavigationAction* action) {
    if (webkit_navigation_action_get_navigation_type(action) != WEBKIT_NAVIGATION_TYPE_LINK_CLICKED)
        return false;
    guint button = webkit_navigation_action_get_mouse_button(action);
    guint mods = webkit_navigation_action_get_modifiers(action);
    return button == GDK_BUTTON_MIDDLE || (button == GDK_BUTTON_PRIMARY && (mods & GDK_CONTROL_MASK));
}

// What a context menu item of ours needs when it is chosen, possibly after
// its engine went.
struct TMenuLink {
    std::weak_ptr<int> Alive;
    std::function<bool(const std::string&)> Open;
    std::string URL;
};

void OnOpenLinkChosen(GSimpleAction*, GVariant*, gpointer data) {
    auto* link = static_cast<TMenuLink*>(data);
    try {
        if (!link->Alive.expired() && link->Open) link->Open(link->URL);
    } catch (...) {
    }
}

void FreeMenuLink(gpointer data, GClosure*) {
    delete static_cast<TMenuLink*>(data);
}

// The "open in a new window" entry becomes ours, at the same place.
void ReplaceNewWindowItem(WebKitContextMenu* menu, TMenuLink* link) {
    GList* items = webkit_context_menu_get_items(menu);
    guint position = 0;
    for (GList* i = items; i; i = i->next, ++position) {
        auto* item = static_cast<WebKitContextMenuItem*>(i->data);
        if (webkit_context_menu_item_get_stock_action(item) !=
            WEBKIT_CONTEXT_MENU_ACTION_OPEN_LINK_IN_NEW_WINDOW)
            continue;
        GSimpleAction* action = g_simple_action_new("open-link-in-new-tab", nullptr);
        g_signal_connect_data(action, "activate", G_CALLBACK(OnOpenLinkChosen), link, FreeMenuLink,
                              GConnectFlags(0));
        webkit_context_menu_remove(menu, item);
        webkit_context_menu_insert(
            menu,
            webkit_context_menu_item_new_from_gaction(G_ACTION(action), kOpenInTabLabel, nullptr),
            static_cast<gint>(position));
        g_object_unref(action);
        return;
    }
    delete link;
}

} // namespace

void TWebKitEngine::ConnectGestures() {
    // History keys come before the page: WebKit would take Alt+arrows for
    // scrolling. All other keys come after WebKit's own handler, and only
    // those the page did not use get here.
    g_signal_connect(FView, "key-press-event", G_CALLBACK(OnHistoryKey), this);
    g_signal_connect_after(FView, "key-press-event", G_CALLBACK(OnUnusedKey), this);
    g_signal_connect(FView, "scroll-event", G_CALLBACK(OnScroll), this);
    g_signal_connect(FView, "context-menu", G_CALLBACK(OnContextMenu), this);
    g_signal_connect(FView, "notify::estimated-load-progress", G_CALLBACK(OnProgress), this);
    g_signal_connect(FView, "notify::is-loading", G_CALLBACK(OnProgress), this);
    g_signal_connect(FView, "enter-fullscreen", G_CALLBACK(OnEnterFullScreen), this);
    g_signal_connect(FView, "script-dialog", G_CALLBACK(OnScriptDialog), this);
    g_signal_connect(FView, "leave-fullscreen", G_CALLBACK(OnLeaveFullScreen), this);
    g_signal_connect(FView, "notify::is-playing-audio", G_CALLBACK(OnAudio), this);
    if (FMuted) webkit_web_view_set_is_muted(FView, TRUE);
}

void TWebKitEngine::RunSoon(std::function<void(TWebKitEngine&)> fn) {
    struct TSoon {
        std::weak_ptr<int> Alive;
        TWebKitEngine* Engine;
        std::function<void(TWebKitEngine&)> Fn;
    };
    g_idle_add_full(
        G_PRIORITY_DEFAULT_IDLE,
        [](gpointer data) -> gboolean {
            auto* soon = static_cast<TSoon*>(data);
            if (soon->Alive.expired()) return G_SOURCE_REMOVE;
            try {
                soon->Fn(*soon->Engine);
            } catch (const std::exception& e) {
                if (!soon->Alive.expired() && soon->Engine->FEvents.Failure)
                    soon->Engine->FEvents.Failure(e.what());
            } catch (...) {
            }
            return G_SOURCE_REMOVE;
        },
        new TSoon{FAlive, this, std::move(fn)}, [](gpointer data) { delete static_cast<TSoon*>(data); });
}

gboolean TWebKitEngine::OnHistoryKey(GtkWidget* widget, GdkEventKey* event, gpointer data) {
    return Guard(widget, FALSE, [&]() -> gboolean {
        TPageKeyAction action =
            TWebKitPageKeys::Action(event->keyval, static_cast<GdkModifierType>(event->state));
        if (action != TPageKeyAction::Back && action != TPageKeyAction::Forward) return FALSE;
        static_cast<TWebKitEngine*>(data)->RunPageKey(static_cast<int>(action));
        return TRUE;
    });
}

gboolean TWebKitEngine::OnUnusedKey(GtkWidget* widget, GdkEventKey* event, gpointer data) {
    return Guard(widget, FALSE, [&]() -> gboolean {
        TPageKeyAction action =
            TWebKitPageKeys::Action(event->keyval, static_cast<GdkModifierType>(event->state));
        if (action == TPageKeyAction::None) return FALSE;
        static_cast<TWebKitEngine*>(data)->RunPageKey(static_cast<int>(action));
        return TRUE;
    });
}

void TWebKitEngine::RunPageKey(int code) {
    switch (static_cast<TPageKeyAction>(code)) {
    case TPageKeyAction::Refresh:
        Refresh(false);
        break;
    case TPageKeyAction::RefreshBypassCache:
        Refresh(true);
        break;
    case TPageKeyAction::Stop:
        Stop();
        break;
    case TPageKeyAction::Back:
        if (CanGoBack()) GoBack();
        break;
    case TPageKeyAction::Forward:
        if (CanGoForward()) GoForward();
        break;
    case TPageKeyAction::BackUnlessEditing:
        MoveUnlessEditing(true);
        break;
    case TPageKeyAction::ForwardUnlessEditing:
        MoveUnlessEditing(false);
        break;
    case TPageKeyAction::NewWindow:
        OpenNewWindow();
        break;
    case TPageKeyAction::Print:
        // The print dialog runs a loop of its own: not inside a key handler.
        RunSoon([](TWebKitEngine& engine) { engine.Print(true); });
        break;
    case TPageKeyAction::Open:
        if (FEvents.OpenRequest) FEvents.OpenRequest();
        break;
    case TPageKeyAction::SelectAll:
        EditCommand(TEditCommand::SelectAll);
        break;
    case TPageKeyAction::None:
        break;
    }
}

// A field that was just emptied may not take Backspace any more; the page
// says whether the focus is in one before the history moves.
void TWebKitEngine::MoveUnlessEditing(bool back) {
    struct TAsk {
        std::weak_ptr<int> Alive;
        TWebKitEngine* Engine;
        bool Back;
    };
    webkit_web_view_evaluate_javascript(
        FView, kEditingScript, -1, nullptr, nullptr, nullptr,
        [](GObject* source, GAsyncResult* result, gpointer data) {
            std::unique_ptr<TAsk> ask(static_cast<TAsk*>(data));
            TGErrorPtr error;
            TGObjectPtr<JSCValue> value(webkit_web_view_evaluate_javascript_finish(
                WEBKIT_WEB_VIEW(source), result, error.Out()));
            if (ask->Alive.expired() || ask->Engine->FView != WEBKIT_WEB_VIEW(source)) return;
            bool editing = !value || !jsc_value_is_boolean(value.Get()) || jsc_value_to_boolean(value.Get());
            if (editing) return;
            Guard(source, 0, [&] {
                TWebKitEngine& engine = *ask->Engine;
                if (ask->Back && engine.CanGoBack()) engine.GoBack();
                if (!ask->Back && engine.CanGoForward()) engine.GoForward();
                return 0;
            });
        },
        new TAsk{FAlive, this, back});
}

// Ctrl+N: the new-window path gives a tab, which then shows this page.
void TWebKitEngine::OpenNewWindow() {
    if (!FEvents.NewWindow) return;
    std::string url = LocationURL();
    IBrowserEngine* target = FEvents.NewWindow("", true);
    if (target && target != this) target->Navigate(url);
}

gboolean TWebKitEngine::OnScroll(GtkWidget* widget, GdkEventScroll* event, gpointer data) {
    if (!(event->state & GDK_CONTROL_MASK)) return FALSE;
    return Guard(widget, TRUE, [&]() -> gboolean {
        auto* self = static_cast<TWebKitEngine*>(data);
        double move = 0;
        if (event->direction == GDK_SCROLL_UP) move = 1;
        else if (event->direction == GDK_SCROLL_DOWN) move = -1;
        else if (event->direction == GDK_SCROLL_SMOOTH) move = -event->delta_y;
        self->FWheelRest += move;
        int steps = static_cast<int>(std::trunc(self->FWheelRest));
        if (steps == 0) return TRUE;
        self->FWheelRest -= steps;
        int delta = steps > 0 ? 1 : -1;
        if (self->FEvents.TextSizeStep) {
            self->FEvents.TextSizeStep(delta);
        } else {
            int level = std::clamp(self->FZoomLevel + delta, TEXT_ZOOM_MIN_LEVEL, TEXT_ZOOM_MAX_LEVEL);
            self->SetZoomLevel(level);
        }
        return TRUE;
    });
}

gboolean TWebKitEngine::OnContextMenu(WebKitWebView* view, WebKitContextMenu* menu, GdkEvent*,
                                      WebKitHitTestResult* hit, gpointer data) {
    return Guard(view, FALSE, [&]() -> gboolean {
        auto* self = static_cast<TWebKitEngine*>(data);
        if (!self->FEvents.OpenInNewTab || !webkit_hit_test_result_context_is_link(hit)) return FALSE;
        const gchar* uri = webkit_hit_test_result_get_link_uri(hit);
        if (!uri) return FALSE;
        ReplaceNewWindowItem(menu, new TMenuLink{self->FAlive, self->FEvents.OpenInNewTab, uri});
        return FALSE;
    });
}

gboolean TWebKitEngine::OnLinkToNewTab(WebKitWebView* view, WebKitPolicyDecision* decision,
                                       WebKitPolicyDecisionType type, gpointer data) {
    if (type != WEBKIT_POLICY_DECISION_TYPE_NAVIGATION_ACTION &&
        type != WEBKIT_POLICY_DECISION_TYPE_NEW_WINDOW_ACTION)
        return FALSE;
    return Guard(view, FALSE, [&]() -> gboolean {
        auto* self = static_cast<TWebKitEngine*>(data);
        if (!self->FEvents.OpenInNewTab) return FALSE;
        WebKitNavigationAction* action = webkit_navigation_policy_decision_get_navigation_action(
            WEBKIT_NAVIGATION_POLICY_DECISION(decision));
        if (!WantsNewTab(action)) return FALSE;
        std::string url = NavigationURI(action);
        if (url.empty()) return FALSE;
        TGObjectPtr<GObject> hold = TGObjectPtr<GObject>::Ref(G_OBJECT(decision));
        if (!self->FEvents.OpenInNewTab(url)) return FALSE;
        webkit_policy_decision_ignore(decision);
        return TRUE;
    });
}

} // namespace platform
