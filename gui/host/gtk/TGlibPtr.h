#pragma once
// Owning holders for the GLib/GTK/cairo values the host keeps: every
// GObject, gchar*, GError and cairo object is released by its holder, so an
// early return or an exception never leaks one.
#include <cairo.h>
#include <glib-object.h>

#include <utility>

template <class T, void (*Release)(T*)> class TGlibPtr {
public:
    TGlibPtr() = default;
    // Takes over a reference the caller owns.
    explicit TGlibPtr(T* owned) : FPtr(owned) {}
    ~TGlibPtr() { Reset(); }
    TGlibPtr(const TGlibPtr&) = delete;
    TGlibPtr& operator=(const TGlibPtr&) = delete;
    TGlibPtr(TGlibPtr&& other) noexcept : FPtr(std::exchange(other.FPtr, nullptr)) {}
    TGlibPtr& operator=(TGlibPtr&& other) noexcept {
        if (this != &other) {
            Reset();
            FPtr = std::exchange(other.FPtr, nullptr);
        }
        return *this;
    }

    T* Get() const { return FPtr; }
    explicit operator bool() const { return FPtr != nullptr; }
    void Reset(T* owned = nullptr) {
        T* old = std::exchange(FPtr, owned);
        if (old) Release(old);
    }
    T* Detach() { return std::exchange(FPtr, nullptr); }
    // For out-parameters (GError**, gchar**): the holder must be empty.
    T** Out() {
        Reset();
        return &FPtr;
    }

private:
    T* FPtr = nullptr;
};

namespace gtkhost_detail {
inline void UnrefObject(GObject* object) {
    g_object_unref(object);
}
inline void FreeChars(gchar* text) {
    g_free(text);
}
inline void FreeError(GError* error) {
    g_error_free(error);
}
} // namespace gtkhost_detail

using TGCharPtr = TGlibPtr<gchar, gtkhost_detail::FreeChars>;
using TGErrorPtr = TGlibPtr<GError, gtkhost_detail::FreeError>;
using TCairoRegionPtr = TGlibPtr<cairo_region_t, cairo_region_destroy>;
using TCairoSurfacePtr = TGlibPtr<cairo_surface_t, cairo_surface_destroy>;

// A strong reference to a GObject of type T.
template <class T> class TGObjectPtr {
public:
    TGObjectPtr() = default;
    // Adopt: takes over a reference the caller owns (a floating one is sunk).
    static TGObjectPtr Adopt(T* object) {
        TGObjectPtr p;
        if (object && g_object_is_floating(object)) g_object_ref_sink(object);
        p.FPtr = object;
        return p;
    }
    // Adds a reference of its own.
    static TGObjectPtr Ref(T* object) {
        TGObjectPtr p;
        if (object) p.FPtr = static_cast<T*>(g_object_ref_sink(object));
        return p;
    }
    ~TGObjectPtr() { Reset(); }
    TGObjectPtr(const TGObjectPtr&) = delete;
    TGObjectPtr& operator=(const TGObjectPtr&) = delete;
    TGObjectPtr(TGObjectPtr&& other) noexcept : FPtr(std::exchange(other.FPtr, nullptr)) {}
    TGObjectPtr& operator=(TGObjectPtr&& other) noexcept {
        if (this != &other) {
            Reset();
            FPtr = std::exchange(other.FPtr, nullptr);
        }
        return *this;
    }

    T* Get() const { return FPtr; }
    explicit operator bool() const { return FPtr != nullptr; }
    void Reset() {
        if (T* old = std::exchange(FPtr, nullptr)) g_object_unref(old);
    }

private:
    T* FPtr = nullptr;
};
