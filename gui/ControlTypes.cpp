#include "gui/ControlTypes.h"

#include "gui/graphics/TCanvas.h"

const TEnumTable& AlignmentNames() {
    static const TEnumTable names = {{"taLeftJustify", 0}, {"taRightJustify", 1}, {"taCenter", 2}};
    return names;
}

const TEnumTable& BevelCutNames() {
    static const TEnumTable names = {
        {"bvNone", 0}, {"bvLowered", 1}, {"bvRaised", 2}, {"bvSpace", 3}};
    return names;
}

const TEnumTable& LabelLayoutNames() {
    static const TEnumTable names = {{"tlTop", 0}, {"tlCenter", 1}, {"tlBottom", 2}};
    return names;
}

const TEnumTable& ButtonLayoutNames() {
    static const TEnumTable names = {
        {"blGlyphLeft", 0}, {"blGlyphRight", 1}, {"blGlyphTop", 2}, {"blGlyphBottom", 3}};
    return names;
}

const TEnumTable& ScrollBarKindNames() {
    static const TEnumTable names = {{"sbHorizontal", 0}, {"sbVertical", 1}};
    return names;
}

const TEnumTable& ScrollStyleNames() {
    static const TEnumTable names = {
        {"ssNone", 0}, {"ssHorizontal", 1}, {"ssVertical", 2}, {"ssBoth", 3}};
    return names;
}

const TEnumTable& EditCharCaseNames() {
    static const TEnumTable names = {{"ecNormal", 0}, {"ecUpperCase", 1}, {"ecLowerCase", 2}};
    return names;
}

unsigned AlignmentFlags(TAlignment alignment) {
    switch (alignment) {
    case TAlignment::taRightJustify:
        return DT_RIGHT;
    case TAlignment::taCenter:
        return DT_CENTER;
    default:
        return DT_LEFT;
    }
}
