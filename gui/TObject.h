#pragma once
// Root of the framework's classes: a class name and the published-property
// table of the class chain.
#include <string>

class TClassInfo;

class TObject {
public:
    virtual ~TObject() = default;
    virtual const TClassInfo& ClassInfo() const;
    static const TClassInfo& StaticClass();
    std::string ClassName() const;
    bool InheritsFrom(const TClassInfo& cls) const;
};
