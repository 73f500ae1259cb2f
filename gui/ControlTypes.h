#pragma once
// Enumerations shared by the standard controls, with the names layouts use.
#include "gui/Messages.h"
#include "gui/TClassInfo.h"

enum class TAlignment { taLeftJustify, taRightJustify, taCenter };
enum class TBevelCut { bvNone, bvLowered, bvRaised, bvSpace };
// Vertical placement of a label's text.
enum class TLabelLayout { tlTop, tlCenter, tlBottom };
enum class TButtonLayout { blGlyphLeft, blGlyphRight, blGlyphTop, blGlyphBottom };
enum class TScrollBarKind { sbHorizontal, sbVertical };
enum class TScrollStyle { ssNone, ssHorizontal, ssVertical, ssBoth };
enum class TEditCharCase { ecNormal, ecUpperCase, ecLowerCase };

const TEnumTable& AlignmentNames();
const TEnumTable& BevelCutNames();
const TEnumTable& LabelLayoutNames();
const TEnumTable& ButtonLayoutNames();
const TEnumTable& ScrollBarKindNames();
const TEnumTable& ScrollStyleNames();
const TEnumTable& EditCharCaseNames();

// DrawText alignment flag of an alignment.
unsigned AlignmentFlags(TAlignment alignment);
