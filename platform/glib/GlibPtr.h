#pragma once
// The one set of owners for what GLib, GTK, WebKit and cairo hand out: a
// reference to a GObject, a g_malloc'ed string, a GError, a main-loop source
// id, a cairo object. Each releases what it holds, so an early return or an
// exception never leaks one. Used by the GTK host, the WebKit engine and the
// platform's shell and download helpers alike.
//
// Exceptions and callbacks: a C callback of GLib, GTK or WebKit never lets a
// C++ exception through (it would unwind through C frames). Every callback
// body runs inside `Shield` (platform/glib/Shield.h): an exception is
// reported on stderr with the callback's name and the callback returns its
// neutral value.
#include <glib-object.h>

#include <string>
#include <utility>

namespace platform {

// Holds one pointer and releases it with `Release`.
template <class T, void (*Release)(T*)> class TGlibPtr {
public:
    TGlibPtr() = default;
    // Takes over what the caller owns.
    explicit TGlibPtr(T* owned) : FPtr(owned) {}
    ~TGlibPtr() { Reset(); }
    TGlibPtr(const TGlibPtr&) = delete;
    TGlibPtr& operator=(const TGlibPtr&) = delete;
    TGlibPtr(TGlibPtr&& other) noexcept : FPtr(std::exchange(other.FPtr, nullptr)) {}
    TGlibPtr& operator=(TGlibPtr&& other) noexcept {
        if (this != &other) Reset(std::exchange(other.FPtr, nullptr));
        return *this;
    }

    T* Get() const { return FPtr; }
    explicit operator bool() const { return FPtr != nullptr; }
    void Reset(T* owned = nullptr) {
        T* old = std::exchange(FPtr, owned);
        if (old) Release(old);
    }
    T* Detach() { return std::exchange(FPtr, nullptr); }
    // For out-parameters (GError**, gchar**): what was held is released first.
    T** Out() {
        Reset();
        return &FPtr;
    }

private:
    T* FPtr = nullptr;
};

namespace glib_detail {
inline void FreeChars(gchar* text) {
    g_free(text);
}
inline void FreeError(GError* error) {
    g_error_free(error);
}
} // namespace glib_detail

class TGCharPtr : public TGlibPtr<gchar, glib_detail::FreeChars> {
public:
    using TGlibPtr::TGlibPtr;
    std::string Str() const { return Get() ? std::string(Get()) : std::string(); }
};

class TGErrorPtr : public TGlibPtr<GError, glib_detail::FreeError> {
public:
    using TGlibPtr::TGlibPtr;
    std::string Message() const { return Get() ? std::string(Get()->message) : std::string(); }
};

// A strong reference to a GObject of type T.
template <class T> class TGObjectPtr {
public:
    TGObjectPtr() = default;
    // Takes over a reference the caller owns (a *_new result).
    explicit TGObjectPtr(T* adopted) : FPtr(adopted) {}
    // The same for widgets and other objects born floating: the floating
    // reference is sunk and becomes ours.
    static TGObjectPtr Adopt(T* object) {
        if (object && g_object_is_floating(object)) g_object_ref_sink(object);
        return TGObjectPtr(object);
    }
    // Adds a reference of our own to an object someone else owns. A floating
    // object stays floating: a signal's emitter held this way is not claimed.
    static TGObjectPtr Ref(T* object) {
        if (object) g_object_ref(object);
        return TGObjectPtr(object);
    }
    // Adds a reference of our own, claiming the floating one if there is one:
    // for widgets the holder keeps whether or not a container takes them.
    static TGObjectPtr RefSink(T* object) {
        if (object) g_object_ref_sink(object);
        return TGObjectPtr(object);
    }
    ~TGObjectPtr() { Reset(); }
    TGObjectPtr(const TGObjectPtr&) = delete;
    TGObjectPtr& operator=(const TGObjectPtr&) = delete;
    TGObjectPtr(TGObjectPtr&& other) noexcept : FPtr(std::exchange(other.FPtr, nullptr)) {}
    TGObjectPtr& operator=(TGObjectPtr&& other) noexcept {
        if (this != &other) Reset(std::exchange(other.FPtr, nullptr));
        return *this;
    }

    T* Get() const { return FPtr; }
    explicit operator bool() const { return FPtr != nullptr; }
    void Reset(T* adopted = nullptr) {
        if (T* old = std::exchange(FPtr, adopted)) g_object_unref(old);
    }

private:
    T* FPtr = nullptr;
};

// A main-loop source that is removed when its owner goes.
class TGSourceId {
public:
    TGSourceId() = default;
    TGSourceId(const TGSourceId&) = delete;
    TGSourceId& operator=(const TGSourceId&) = delete;
    ~TGSourceId() { Remove(); }
    void Set(guint id) {
        Remove();
        FId = id;
    }
    // The source ran for the last time (its callback returned FALSE).
    void Fired() { FId = 0; }
    void Remove() {
        if (FId) g_source_remove(FId);
        FId = 0;
    }

private:
    guint FId = 0;
};

} // namespace platform
