#pragma once
// Owners for what GLib hands out: a reference to a GObject, a g_malloc'ed
// string, a GError, a main-loop source id.
#include <glib-object.h>

#include <string>
#include <utility>

namespace platform {

template <class T> class TGObjectPtr {
public:
    TGObjectPtr() = default;
    // Takes over a reference the caller owns (a *_new result).
    explicit TGObjectPtr(T* adopted) : FPtr(adopted) {}
    TGObjectPtr(const TGObjectPtr&) = delete;
    TGObjectPtr& operator=(const TGObjectPtr&) = delete;
    TGObjectPtr(TGObjectPtr&& other) noexcept : FPtr(std::exchange(other.FPtr, nullptr)) {}
    TGObjectPtr& operator=(TGObjectPtr&& other) noexcept {
        if (this != &other) Reset(std::exchange(other.FPtr, nullptr));
        return *this;
    }
    ~TGObjectPtr() { Reset(); }

    // Adds a reference of our own to an object someone else owns.
    static TGObjectPtr Ref(T* object) {
        if (object) g_object_ref(object);
        return TGObjectPtr(object);
    }
    T* Get() const { return FPtr; }
    explicit operator bool() const { return FPtr != nullptr; }
    void Reset(T* adopted = nullptr) {
        if (FPtr) g_object_unref(FPtr);
        FPtr = adopted;
    }

private:
    T* FPtr = nullptr;
};

class TGCharPtr {
public:
    explicit TGCharPtr(gchar* adopted = nullptr) : FPtr(adopted) {}
    TGCharPtr(const TGCharPtr&) = delete;
    TGCharPtr& operator=(const TGCharPtr&) = delete;
    ~TGCharPtr() { g_free(FPtr); }
    const gchar* Get() const { return FPtr; }
    std::string Str() const { return FPtr ? std::string(FPtr) : std::string(); }

private:
    gchar* FPtr;
};

class TGErrorPtr {
public:
    TGErrorPtr() = default;
    TGErrorPtr(const TGErrorPtr&) = delete;
    TGErrorPtr& operator=(const TGErrorPtr&) = delete;
    ~TGErrorPtr() {
        if (FError) g_error_free(FError);
    }
    GError** Out() { return &FError; }
    GError* Get() const { return FError; }
    explicit operator bool() const { return FError != nullptr; }
    std::string Message() const { return FError ? std::string(FError->message) : std::string(); }

private:
    GError* FError = nullptr;
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
