#include "gui/TObject.h"

#include "gui/TClassInfo.h"

const TClassInfo& TObject::StaticClass() {
    static const TClassInfo info("TObject", nullptr);
    return info;
}

const TClassInfo& TObject::ClassInfo() const { return StaticClass(); }

std::string TObject::ClassName() const { return ClassInfo().Name(); }

bool TObject::InheritsFrom(const TClassInfo& cls) const { return ClassInfo().InheritsFrom(cls); }
