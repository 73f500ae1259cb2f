#pragma once
// One style push: while a push is open, the theme managers' pushes and the
// skinned controls' restyles wait, and when the outermost push closes each
// manager pushes once and then each control restyles once, however many
// times its UIStyle and FileTheme were written meanwhile. Without an open
// push both run at once, as they always did.
#include <functional>
#include <memory>
#include <vector>

class TComponent;

class TskStylePush {
public:
    TskStylePush();
    // The deferred work runs here; it may throw, except while the scope is
    // left by an exception (then the error is dropped, the first one wins).
    ~TskStylePush() noexcept(false);
    TskStylePush(const TskStylePush&) = delete;
    TskStylePush& operator=(const TskStylePush&) = delete;

    static bool Open() { return FDepth > 0; }
    // The manager's push now, or once before the restyles of the open push.
    static void Push(TComponent* manager, std::function<void()> push);
    // The control restyles now, or once when the open push closes.
    static void Restyle(TComponent* control, std::function<void()> restyle);

    // Each restyle as it runs (tests count them; the props trace logs them).
    static inline std::function<void(const TComponent* control)> OnRestyle;

private:
    struct TWork {
        TComponent* Target;
        std::weak_ptr<void> Alive;
        std::function<void()> Run;
    };
    static void Add(std::vector<TWork>& list, TComponent* target, std::function<void()> work);
    static void RunRestyle(TComponent* control, const std::function<void()>& restyle);
    static void Flush();

    static inline int FDepth = 0;
    static inline std::vector<TWork> FPushes;
    static inline std::vector<TWork> FRestyles;
    // The managers that pushed since the outermost push opened.
    static inline std::vector<TComponent*> FPushed;
    int FUnwinding;
};
