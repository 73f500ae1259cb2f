#pragma once
// Values of published properties: what the stored-layout loader hands to a
// setter and what a getter returns.
#include <any>
#include <cstdint>
#include <string>
#include <variant>
#include <vector>

class TComponent;
struct TLayoutItem;

// A bare identifier in a layout (alClient, clWhite, True, a component name,
// a method name). The setter decides what it means.
struct TIdent {
    std::string Name;
    bool operator==(const TIdent&) const = default;
};

// A set value: [fsBold, fsItalic].
struct TSetValue {
    std::vector<std::string> Items;
    bool operator==(const TSetValue&) const = default;
};

// A string list: ('a' 'b').
struct TStringsValue {
    std::vector<std::string> Items;
    bool operator==(const TStringsValue&) const = default;
};

// A collection: < item ... end item ... end >; each item a list of
// property assignments applied to a collection item object.
struct TCollectionValue {
    std::vector<std::vector<TLayoutItem>> Items;
};

// A bound event handler (a method of the layout's root, taken by name).
struct TMethodValue {
    std::string Name;
    std::any Handler;
};

using TValue = std::variant<std::monostate, int64_t, bool, double, std::string, TIdent,
                            TSetValue, TStringsValue, TCollectionValue, TComponent*,
                            TMethodValue>;

// One "Name = value" line of a layout, with the line it came from.
struct TLayoutItem {
    std::string Name;
    TValue Value;
    int Line = 0;
};
