#pragma once
// Components: ownership, names, free notification, loading state, and the
// method and field tables that the stored-layout loader binds by name.
#include <any>
#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "gui/TClassInfo.h"
#include "gui/TObject.h"

#define XF_CLASS(T)                                                                                \
public:                                                                                            \
    static const TClassInfo& StaticClass();                                                        \
    const TClassInfo& ClassInfo() const override { return StaticClass(); }

enum class TOperation { opInsert, opRemove };

enum TComponentStateFlag : uint32_t { csLoading = 1, csDestroying = 2, csReading = 4 };

class TComponent : public TObject {
    XF_CLASS(TComponent)
public:
    explicit TComponent(TComponent* owner);
    ~TComponent() override;
    TComponent(const TComponent&) = delete;
    TComponent& operator=(const TComponent&) = delete;

    TComponent* Owner() const { return FOwner; }
    const std::string& Name() const { return FName; }
    // Raises EComponentError when the owner already has a component of that
    // name (names compare case-insensitively) or the name is not an identifier.
    virtual void SetName(const std::string& name);
    const std::vector<TComponent*>& Components() const { return FComponents; }
    int ComponentCount() const { return static_cast<int>(FComponents.size()); }
    TComponent* FindComponent(const std::string& name) const;
    intptr_t Tag() const { return FTag; }
    void SetTag(intptr_t tag) { FTag = tag; }
    uint32_t ComponentState() const { return FComponentState; }
    bool IsLoading() const { return FComponentState & csLoading; }
    bool IsDestroying() const { return FComponentState & csDestroying; }

    void InsertComponent(TComponent* component);
    void RemoveComponent(TComponent* component);
    // The component tells `this` through Notification(component, opRemove)
    // when it is going away.
    void FreeNotification(TComponent* component);
    void RemoveFreeNotification(TComponent* component);
    virtual void Notification(TComponent* component, TOperation operation);

    // Loading from a stored layout.
    void SetLoading(bool loading);
    virtual void Loaded();
    // An object nested inside another in a layout is given its enclosing
    // object here: controls take it as their parent, menu items as their menu.
    virtual void SetParentComponent(TComponent* parent) { (void)parent; }

    // Methods of this component that layouts may name as event handlers.
    const std::any* FindMethod(const std::string& name) const;
    // Fields of this component that the loader fills with the created
    // component of the same name.
    enum class TFieldBind { Bound, WrongClass, NoField };
    TFieldBind BindField(const std::string& name, TComponent* component);
    // The registered field names: the loader fails on any the layout left empty.
    std::vector<std::string> FieldNames() const;
    // Set by a generated layout table (TLayoutTable), which registers a field
    // for every named object of its layout: an object without one then means
    // the table was generated from another layout.
    bool HasLayoutTable() const { return FHasLayoutTable; }

    // A token that expires when the component is destroyed: callbacks that may
    // destroy their sender keep one and check it afterwards.
    std::weak_ptr<void> AliveToken() const { return FAlive; }

protected:
    template <class W> friend class TLayoutTable;

    template <class T, class R, class... A> void Method(const std::string& name, R (T::*fn)(A...)) {
        T* self = static_cast<T*>(this);
        FMethods[name] = std::function<R(A...)>(
            [self, fn](A... args) -> R { return (self->*fn)(std::forward<A>(args)...); });
    }
    template <class C> void Field(const std::string& name, C*& field) {
        FFields[name] = [&field](TComponent* c) {
            C* typed = dynamic_cast<C*>(c);
            if (!typed) return false;
            field = typed;
            return true;
        };
    }
    void Destroying() { FComponentState |= csDestroying; }
    void DestroyComponents();

private:
    TComponent* FOwner = nullptr;
    std::string FName;
    std::vector<TComponent*> FComponents;
    std::vector<TComponent*> FFreeNotifies;
    intptr_t FTag = 0;
    uint32_t FComponentState = 0;
    std::map<std::string, std::any> FMethods;
    std::map<std::string, std::function<bool(TComponent*)>> FFields;
    std::shared_ptr<int> FAlive = std::make_shared<int>(0);
    bool FHasLayoutTable = false;
};

// A reference that reads as null once its component is destroyed.
template <class T> class TSafeRef {
public:
    TSafeRef() = default;
    TSafeRef(T* component) : FPtr(component), FToken(component ? component->AliveToken() : std::weak_ptr<void>()) {}
    T* Get() const { return FToken.expired() ? nullptr : FPtr; }
    explicit operator bool() const { return Get() != nullptr; }
    T* operator->() const { return Get(); }

private:
    T* FPtr = nullptr;
    std::weak_ptr<void> FToken;
};
