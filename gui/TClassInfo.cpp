#include "gui/TClassInfo.h"

#include <algorithm>
#include <map>

#include "platform/Text.h"

bool TClassInfo::InheritsFrom(const TClassInfo& other) const {
    for (const TClassInfo* c = this; c; c = c->FParent)
        if (c == &other) return true;
    return false;
}

const TPropInfo* TClassInfo::FindProperty(std::string_view name) const {
    for (const TClassInfo* c = this; c; c = c->FParent)
        for (const TPropInfo& p : c->FProps)
            if (platform::SameText(p.Name, name)) return &p;
    return nullptr;
}

std::vector<const TPropInfo*> TClassInfo::AllProperties() const {
    std::vector<const TPropInfo*> out;
    for (const TClassInfo* c = this; c; c = c->FParent)
        for (const TPropInfo& p : c->FProps)
            if (std::none_of(out.begin(), out.end(), [&](const TPropInfo* q) {
                    return platform::SameText(q->Name, p.Name);
                }))
                out.push_back(&p);
    return out;
}

static std::map<std::string, const TClassInfo*>& ClassTable() {
    static std::map<std::string, const TClassInfo*> table;
    return table;
}

void RegisterClass(const TClassInfo& cls) { ClassTable()[platform::AsciiUpper(cls.Name())] = &cls; }

const TClassInfo* FindClass(std::string_view name) {
    auto it = ClassTable().find(platform::AsciiUpper(name));
    return it == ClassTable().end() ? nullptr : it->second;
}

static const char* KindText(const TValue& value) {
    static const char* names[] = {"nothing", "an integer", "a boolean", "a number",
                                  "a string", "an identifier", "a set", "a string list",
                                  "a collection", "a component", "a method"};
    return names[value.index()];
}

int64_t ValueToInt(const TValue& value, const TEnumTable* names) {
    if (auto* i = std::get_if<int64_t>(&value)) return *i;
    if (auto* id = std::get_if<TIdent>(&value); id && names) {
        for (auto& [name, v] : *names)
            if (platform::SameText(name, id->Name)) return v;
        throw EConvertError("unknown value " + id->Name);
    }
    throw EConvertError(std::string("an integer is expected, not ") + KindText(value));
}

bool ValueToBool(const TValue& value) {
    if (auto* b = std::get_if<bool>(&value)) return *b;
    if (auto* id = std::get_if<TIdent>(&value)) {
        if (platform::SameText(id->Name, "True")) return true;
        if (platform::SameText(id->Name, "False")) return false;
    }
    throw EConvertError(std::string("True or False is expected, not ") + KindText(value));
}

double ValueToDouble(const TValue& value) {
    if (auto* d = std::get_if<double>(&value)) return *d;
    if (auto* i = std::get_if<int64_t>(&value)) return static_cast<double>(*i);
    throw EConvertError(std::string("a number is expected, not ") + KindText(value));
}

std::string ValueToString(const TValue& value) {
    if (auto* s = std::get_if<std::string>(&value)) return *s;
    throw EConvertError(std::string("a string is expected, not ") + KindText(value));
}

int ValueToEnum(const TValue& value, const TEnumTable& names) {
    auto* id = std::get_if<TIdent>(&value);
    if (!id) throw EConvertError(std::string("an identifier is expected, not ") + KindText(value));
    for (auto& [name, v] : names)
        if (platform::SameText(name, id->Name)) return v;
    throw EConvertError("unknown value " + id->Name);
}

uint32_t ValueToSet(const TValue& value, const TEnumTable& names) {
    auto* set = std::get_if<TSetValue>(&value);
    if (!set) throw EConvertError(std::string("a set is expected, not ") + KindText(value));
    uint32_t bits = 0;
    for (const std::string& item : set->Items)
        bits |= 1u << ValueToEnum(TIdent{item}, names);
    return bits;
}

std::vector<std::string> ValueToStrings(const TValue& value) {
    if (auto* list = std::get_if<TStringsValue>(&value)) return list->Items;
    throw EConvertError(std::string("a string list is expected, not ") + KindText(value));
}

std::string EnumName(int value, const TEnumTable& names) {
    for (auto& [name, v] : names)
        if (v == value) return name;
    return std::to_string(value);
}

TSetValue SetToValue(uint32_t bits, const TEnumTable& names) {
    TSetValue out;
    for (auto& [name, v] : names)
        if (v >= 0 && v < 32 && (bits & (1u << v))) out.Items.push_back(name);
    return out;
}

static const TPropInfo& RequireProperty(const TObject* object, std::string_view name) {
    const TPropInfo* info = object->ClassInfo().FindProperty(name);
    if (!info)
        throw EComponentError(object->ClassName() + " has no property " + std::string(name));
    return *info;
}

TValue GetPropValue(const TObject* object, std::string_view name) {
    const TPropInfo& info = RequireProperty(object, name);
    return info.Get ? info.Get(object) : TValue{};
}

void SetPropValue(TObject* object, std::string_view name, const TValue& value) {
    RequireProperty(object, name).Set(object, value);
}

bool HasProperty(const TObject* object, std::string_view name) {
    return object && object->ClassInfo().FindProperty(name) != nullptr;
}
