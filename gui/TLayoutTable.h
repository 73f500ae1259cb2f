#pragma once
// What a window's generated layout table (xf_laygen, `<window>.bind.cpp`)
// registers with it before the layout loads: every named object's field and
// every handler the layout names. The generated code takes members by
// pointer, so a handler the window lacks or of another shape, or a field of
// another class, stops the build instead of failing at run time.
#include <functional>

#include "gui/TComponent.h"

// The event type a handler of this shape fills, as TComponent::Method wraps
// it: the generated table checks it against each event the layout names.
template <class M> struct THandlerEvent;
template <class T, class R, class... A> struct THandlerEvent<R (T::*)(A...)> {
    using Type = std::function<R(A...)>;
};

template <class W> class TLayoutTable {
public:
    explicit TLayoutTable(W& window) : FWindow(window) { Base().FHasLayoutTable = true; }

    template <class C, class B> void Field(const char* name, C* B::*member) {
        Base().Field(name, FWindow.*member);
    }
    template <class F> void Handler(const char* name, F method) { Base().Method(name, method); }

private:
    TComponent& Base() { return static_cast<TComponent&>(FWindow); }

    W& FWindow;
};
