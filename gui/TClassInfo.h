#pragma once
// Published properties: each class registers a table of (name, kind,
// getter, setter); lookup walks the class chain. The stored-layout loader,
// the theme manager's push and HasProperty all go through it.
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <type_traits>
#include <utility>
#include <vector>

#include "gui/Exception.h"
#include "gui/TObject.h"
#include "gui/TTrace.h"
#include "gui/TValue.h"

class TComponent;
// TComponent is incomplete here; this converts without needing it.
TObject* ComponentAsObject(TComponent* component);

enum class TPropKind { Integer, Boolean, String, Double, Enum, Set, Component, Strings, Collection, Event };

// Identifier names of an enumeration or set (alClient = 5, fsBold = bit 0).
using TEnumTable = std::vector<std::pair<std::string, int>>;

// Raised when a value does not fit a property; the loader adds file and line.
class EConvertError : public Exception {
public:
    using Exception::Exception;
};

struct TPropInfo {
    std::string Name;
    TPropKind Kind = TPropKind::Integer;
    const TEnumTable* Names = nullptr; // enum/set names, or named integer constants (colours)
    std::function<TValue(const TObject*)> Get;
    std::function<void(TObject*, const TValue&)> Set;
};

class TClassInfo {
public:
    using TFactory = std::function<TComponent*(TComponent* owner)>;

    TClassInfo(std::string name, const TClassInfo* parent) : FName(std::move(name)), FParent(parent) {}
    const std::string& Name() const { return FName; }
    const TClassInfo* Parent() const { return FParent; }
    bool InheritsFrom(const TClassInfo& other) const;
    const TPropInfo* FindProperty(std::string_view name) const;
    std::vector<const TPropInfo*> AllProperties() const;
    // Creates an instance for the layout loader; empty for abstract classes.
    TComponent* Create(TComponent* owner) const { return FFactory ? FFactory(owner) : nullptr; }
    bool CanCreate() const { return static_cast<bool>(FFactory); }

    void AddProperty(TPropInfo info) { FProps.push_back(std::move(info)); }
    void SetFactory(TFactory factory) { FFactory = std::move(factory); }

private:
    std::string FName;
    const TClassInfo* FParent;
    std::vector<TPropInfo> FProps;
    TFactory FFactory;
};

// The classes the loader can create by name.
void RegisterClass(const TClassInfo& cls);
const TClassInfo* FindClass(std::string_view name);

// Conversions used by property setters; they throw EConvertError.
int64_t ValueToInt(const TValue& value, const TEnumTable* names = nullptr);
bool ValueToBool(const TValue& value);
double ValueToDouble(const TValue& value);
std::string ValueToString(const TValue& value);
int ValueToEnum(const TValue& value, const TEnumTable& names);
uint32_t ValueToSet(const TValue& value, const TEnumTable& names);
std::vector<std::string> ValueToStrings(const TValue& value);
std::string EnumName(int value, const TEnumTable& names);
TSetValue SetToValue(uint32_t bits, const TEnumTable& names);

template <class P> std::remove_cvref_t<P> ValueAs(const TValue& value, const TPropInfo& info) {
    using B = std::remove_cvref_t<P>;
    if constexpr (std::is_same_v<B, bool>) {
        return ValueToBool(value);
    } else if constexpr (std::is_enum_v<B>) {
        return static_cast<B>(ValueToEnum(value, *info.Names));
    } else if constexpr (std::is_integral_v<B>) {
        return static_cast<B>(ValueToInt(value, info.Names));
    } else if constexpr (std::is_floating_point_v<B>) {
        return static_cast<B>(ValueToDouble(value));
    } else if constexpr (std::is_same_v<B, std::string>) {
        return ValueToString(value);
    } else if constexpr (std::is_same_v<B, std::vector<std::string>>) {
        return ValueToStrings(value);
    } else if constexpr (std::is_pointer_v<B>) {
        if (auto* c = std::get_if<TComponent*>(&value)) {
            if (!*c) return nullptr;
            auto* typed = dynamic_cast<B>(ComponentAsObject(*c));
            if (!typed) throw EConvertError("the component is of the wrong class for " + info.Name);
            return typed;
        }
        if (std::holds_alternative<std::monostate>(value)) return nullptr;
        throw EConvertError("a component reference is expected for " + info.Name);
    } else {
        static_assert(sizeof(B) == 0, "no conversion for this property type");
    }
}

template <class G> TValue ValueFrom(G&& got, const TPropInfo& info) {
    using B = std::remove_cvref_t<G>;
    if constexpr (std::is_same_v<B, bool>) {
        return got;
    } else if constexpr (std::is_enum_v<B>) {
        return TIdent{EnumName(static_cast<int>(got), *info.Names)};
    } else if constexpr (std::is_integral_v<B>) {
        return static_cast<int64_t>(got);
    } else if constexpr (std::is_floating_point_v<B>) {
        return static_cast<double>(got);
    } else if constexpr (std::is_same_v<B, std::string>) {
        return std::string(got);
    } else if constexpr (std::is_same_v<B, std::vector<std::string>>) {
        return TStringsValue{got};
    } else if constexpr (std::is_pointer_v<B>) {
        return static_cast<TComponent*>(got);
    } else {
        static_assert(sizeof(B) == 0, "no conversion for this property type");
    }
}

template <class T> class TClassBuilder {
public:
    TClassBuilder(std::string name, const TClassInfo* parent) : FInfo(std::move(name), parent) {
        if constexpr (std::is_constructible_v<T, TComponent*> && !std::is_abstract_v<T>)
            FInfo.SetFactory([](TComponent* owner) -> TComponent* { return new T(owner); });
    }

    // getter: a const member function; setter: a member function of one
    // argument. The kind follows from the setter's parameter type unless given.
    template <class G, class S>
    TClassBuilder& Prop(std::string name, G getter, S setter, const TEnumTable* names = nullptr,
                        TPropKind kind = TPropKind::Integer, bool kindGiven = false) {
        TPropInfo info;
        info.Name = std::move(name);
        info.Names = names;
        using P = typename SetterArg<S>::type;
        info.Kind = kindGiven ? kind : KindOf<P>();
        info.Get = [getter, copy = info](const TObject* o) {
            return ValueFrom((static_cast<const T*>(o)->*getter)(), copy);
        };
        info.Set = [setter, copy = info](TObject* o, const TValue& v) {
            if (TTrace::Enabled(TTraceKind::Props)) TTrace::Property(o, copy.Name, v);
            (static_cast<T*>(o)->*setter)(ValueAs<P>(v, copy));
        };
        FInfo.AddProperty(std::move(info));
        return *this;
    }
    template <class G, class S> TClassBuilder& Enum(std::string name, G g, S s, const TEnumTable& names) {
        return Prop(std::move(name), g, s, &names, TPropKind::Enum, true);
    }
    // A set stored as bits (bit n = the name whose value is n).
    template <class G, class S> TClassBuilder& Set(std::string name, G getter, S setter, const TEnumTable& names) {
        TPropInfo info;
        info.Name = std::move(name);
        info.Kind = TPropKind::Set;
        info.Names = &names;
        info.Get = [getter, &names](const TObject* o) -> TValue {
            return SetToValue(static_cast<uint32_t>((static_cast<const T*>(o)->*getter)()), names);
        };
        info.Set = [setter, &names, name = info.Name](TObject* o, const TValue& v) {
            if (TTrace::Enabled(TTraceKind::Props)) TTrace::Property(o, name, v);
            (static_cast<T*>(o)->*setter)(ValueToSet(v, names));
        };
        FInfo.AddProperty(std::move(info));
        return *this;
    }
    // A property the class converts itself (pictures, collections).
    TClassBuilder& Custom(std::string name, TPropKind kind, std::function<TValue(const T*)> get,
                          std::function<void(T*, const TValue&)> set) {
        TPropInfo info;
        info.Name = std::move(name);
        info.Kind = kind;
        if (get) info.Get = [get](const TObject* o) { return get(static_cast<const T*>(o)); };
        info.Set = [set, name = info.Name](TObject* o, const TValue& v) {
            if (TTrace::Enabled(TTraceKind::Props)) TTrace::Property(o, name, v);
            set(static_cast<T*>(o), v);
        };
        FInfo.AddProperty(std::move(info));
        return *this;
    }
    // An event: a std::function field bound by the loader to a method of the
    // layout's root with the same signature.
    template <class F> TClassBuilder& Event(std::string name, F T::*field) {
        TPropInfo info;
        info.Name = name;
        info.Kind = TPropKind::Event;
        info.Get = [](const TObject*) -> TValue { return std::monostate{}; };
        info.Set = [field, name](TObject* o, const TValue& v) {
            if (TTrace::Enabled(TTraceKind::Props)) TTrace::Property(o, name, v);
            if (std::holds_alternative<std::monostate>(v)) {
                static_cast<T*>(o)->*field = nullptr;
                return;
            }
            auto* method = std::get_if<TMethodValue>(&v);
            if (!method) throw EConvertError("a method name is expected for " + name);
            auto* handler = std::any_cast<F>(&method->Handler);
            if (!handler)
                throw EConvertError("method " + method->Name + " does not fit event " + name);
            static_cast<T*>(o)->*field = *handler;
        };
        FInfo.AddProperty(std::move(info));
        return *this;
    }
    TClassInfo Build() { return std::move(FInfo); }

private:
    template <class S> struct SetterArg;
    template <class C, class A> struct SetterArg<void (C::*)(A)> { using type = A; };

    template <class P> static constexpr TPropKind KindOf() {
        using B = std::remove_cvref_t<P>;
        if constexpr (std::is_same_v<B, bool>) return TPropKind::Boolean;
        else if constexpr (std::is_enum_v<B>) return TPropKind::Enum;
        else if constexpr (std::is_integral_v<B>) return TPropKind::Integer;
        else if constexpr (std::is_floating_point_v<B>) return TPropKind::Double;
        else if constexpr (std::is_same_v<B, std::string>) return TPropKind::String;
        else if constexpr (std::is_same_v<B, std::vector<std::string>>) return TPropKind::Strings;
        else return TPropKind::Component;
    }

    TClassInfo FInfo;
};

// Reads or writes a published property by name on any object; throws
// EComponentError when the class has no such property.
TValue GetPropValue(const TObject* object, std::string_view name);
void SetPropValue(TObject* object, std::string_view name, const TValue& value);
bool HasProperty(const TObject* object, std::string_view name);
