#include "gui/TLayoutLoader.h"

#include <set>
#include <vector>

#include "gui/Exception.h"
#include "gui/TComponent.h"
#include "gui/TLayoutParser.h"
#include "platform/Resources.h"
#include "platform/Text.h"

namespace {

struct TPendingRef {
    TObject* Target;
    const TPropInfo* Prop;
    std::string Name;
    int Line;
};

class TLoadRun {
public:
    TLoadRun(TComponent* root, std::string fileName) : FRoot(root), FFile(std::move(fileName)) {}

    void Run(const TLayoutObject& top) {
        if (!top.ClassName.empty() && top.ClassName != FRoot->ClassName())
            Fail(top.Line, "the layout is for " + top.ClassName + ", not " + FRoot->ClassName());
        try {
            Build(top);
            ResolveReferences();
            CheckFieldsFilled(top.Line);
        } catch (...) {
            for (TComponent* c : FCreated) c->SetLoading(false);
            throw;
        }
        for (TComponent* c : FCreated) c->Loaded();
    }

private:
    [[noreturn]] void Fail(int line, const std::string& what) const {
        throw ELayoutError(FFile + ":" + std::to_string(line) + ": " + what);
    }

    void Build(const TLayoutObject& top) {
        FRoot->SetLoading(true);
        FCreated.push_back(FRoot);
        if (!top.Name.empty()) Guard(top.Line, top.Name, [&] { FRoot->SetName(top.Name); });
        ApplyProps(FRoot, top.Props, top.Name);
        for (const TLayoutObject& child : top.Children) BuildChild(child, FRoot);
    }

    void BuildChild(const TLayoutObject& obj, TComponent* parent) {
        const TClassInfo* cls = FindClass(obj.ClassName);
        if (!cls) Fail(obj.Line, "unknown class " + obj.ClassName + " (object " + obj.Name + ")");
        if (!cls->CanCreate())
            Fail(obj.Line, "class " + obj.ClassName + " cannot be created (object " + obj.Name + ")");
        TComponent* c = nullptr;
        Guard(obj.Line, obj.Name, [&] { c = cls->Create(FRoot); });
        c->SetLoading(true);
        FCreated.push_back(c);
        Guard(obj.Line, obj.Name, [&] { c->SetName(obj.Name); });
        BindField(obj, c);
        Guard(obj.Line, obj.Name, [&] { c->SetParentComponent(parent); });
        ApplyProps(c, obj.Props, obj.Name);
        for (const TLayoutObject& child : obj.Children) BuildChild(child, c);
    }

    void BindField(const TLayoutObject& obj, TComponent* c) {
        switch (FRoot->BindField(obj.Name, c)) {
        case TComponent::TFieldBind::Bound:
            FFilled.insert(platform::AsciiLower(obj.Name));
            return;
        case TComponent::TFieldBind::WrongClass:
            Fail(obj.Line, "field " + obj.Name + " does not take class " + obj.ClassName);
        case TComponent::TFieldBind::NoField:
            if (FRoot->HasLayoutTable())
                Fail(obj.Line, FRoot->ClassName() + " has no field " + obj.Name +
                                   ": its layout table was generated from another layout");
            return;
        }
    }

    // A field the layout never filled would stay null until some handler
    // trips over it; the window's own line is the closest place to name.
    void CheckFieldsFilled(int rootLine) const {
        for (const std::string& name : FRoot->FieldNames())
            if (!FFilled.count(platform::AsciiLower(name)))
                Fail(rootLine, "field " + name + " of " + FRoot->ClassName() +
                                   " is filled by no object of the layout");
    }

    template <class F> void Guard(int line, const std::string& item, F&& fn) {
        try {
            fn();
        } catch (const ELayoutError&) {
            throw;
        } catch (const std::exception& e) {
            Fail(line, item + ": " + e.what());
        }
    }

    void ApplyProps(TObject* target, const std::vector<TLayoutItem>& props, const std::string& owner) {
        for (const TLayoutItem& item : props) ApplyProp(target, item, owner);
    }

    void ApplyProp(TObject* target, const TLayoutItem& item, const std::string& owner) {
        const std::string where = owner + "." + item.Name;
        const TPropInfo* prop = target->ClassInfo().FindProperty(item.Name);
        if (!prop) Fail(item.Line, "unknown property " + where + " of class " + target->ClassName());
        if (prop->Kind == TPropKind::Component) {
            if (auto* id = std::get_if<TIdent>(&item.Value)) {
                FRefs.push_back({target, prop, id->Name, item.Line});
                return;
            }
            if (!std::holds_alternative<std::monostate>(item.Value))
                Fail(item.Line, where + ": a component name is expected");
        }
        if (prop->Kind == TPropKind::Event) {
            auto* id = std::get_if<TIdent>(&item.Value);
            if (!id) Fail(item.Line, where + ": a method name is expected");
            const std::any* method = FRoot->FindMethod(id->Name);
            if (!method) Fail(item.Line, where + ": " + FRoot->ClassName() + " has no method " + id->Name);
            Guard(item.Line, where, [&] { prop->Set(target, TMethodValue{id->Name, *method}); });
            return;
        }
        Guard(item.Line, where, [&] { prop->Set(target, item.Value); });
    }

    void ResolveReferences() {
        for (const TPendingRef& ref : FRefs) {
            TComponent* found = nullptr;
            if (ref.Name == FRoot->Name() && !ref.Name.empty()) found = FRoot;
            else found = FRoot->FindComponent(ref.Name);
            if (!found) Fail(ref.Line, ref.Prop->Name + " refers to " + ref.Name + ", which does not exist");
            Guard(ref.Line, ref.Prop->Name, [&] { ref.Prop->Set(ref.Target, found); });
        }
    }

    TComponent* FRoot;
    std::string FFile;
    std::vector<TComponent*> FCreated;
    std::vector<TPendingRef> FRefs;
    std::set<std::string> FFilled;
};

} // namespace

void TLayoutLoader::LoadText(TComponent* root, std::string_view text, const std::string& fileName) {
    TLayoutObject top = TLayoutParser(text, fileName).Parse();
    TLoadRun(root, fileName).Run(top);
}

void TLayoutLoader::LoadResource(TComponent* root, const std::string& resourceName) {
    auto data = platform::FindResource(resourceName);
    if (!data) throw ELayoutError(resourceName + ": no such layout resource");
    LoadText(root, std::string_view(reinterpret_cast<const char*>(data->data()), data->size()),
             resourceName);
}
