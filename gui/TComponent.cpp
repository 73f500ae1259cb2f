#include "gui/TComponent.h"

#include <algorithm>

#include "platform/Text.h"

TObject* ComponentAsObject(TComponent* component) { return component; }

const TClassInfo& TComponent::StaticClass() {
    static const TClassInfo info =
        TClassBuilder<TComponent>("TComponent", &TObject::StaticClass())
            .Prop("Name", &TComponent::Name, &TComponent::SetName)
            .Prop("Tag", &TComponent::Tag, &TComponent::SetTag)
            .Build();
    return info;
}

TComponent::TComponent(TComponent* owner) {
    if (owner) owner->InsertComponent(this);
}

TComponent::~TComponent() {
    Destroying();
    // Holders first: they may hold references into the owner's tree.
    std::vector<TComponent*> holders;
    holders.swap(FFreeNotifies);
    for (TComponent* holder : holders) {
        auto& back = holder->FFreeNotifies;
        back.erase(std::remove(back.begin(), back.end(), this), back.end());
        holder->Notification(this, TOperation::opRemove);
    }
    DestroyComponents();
    if (FOwner) FOwner->RemoveComponent(this);
}

void TComponent::DestroyComponents() {
    while (!FComponents.empty()) {
        TComponent* last = FComponents.back();
        FComponents.pop_back();
        last->FOwner = nullptr;
        Notification(last, TOperation::opRemove);
        delete last;
    }
}

static bool IsIdentifier(const std::string& name) {
    if (name.empty()) return true; // unnamed components are allowed
    auto ok = [](char c, bool first) {
        return c == '_' || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') ||
               static_cast<unsigned char>(c) >= 0x80 || (!first && c >= '0' && c <= '9');
    };
    for (size_t i = 0; i < name.size(); ++i)
        if (!ok(name[i], i == 0)) return false;
    return true;
}

void TComponent::SetName(const std::string& name) {
    if (name == FName) return;
    if (!IsIdentifier(name)) throw EComponentError("\"" + name + "\" is not a valid component name");
    if (FOwner && !name.empty()) {
        TComponent* other = FOwner->FindComponent(name);
        if (other && other != this)
            throw EComponentError("A component named " + name + " already exists");
    }
    FName = name;
}

TComponent* TComponent::FindComponent(const std::string& name) const {
    if (name.empty()) return nullptr;
    for (TComponent* c : FComponents)
        if (platform::SameText(c->FName, name)) return c;
    return nullptr;
}

void TComponent::InsertComponent(TComponent* component) {
    if (component->FOwner) component->FOwner->RemoveComponent(component);
    FComponents.push_back(component);
    component->FOwner = this;
    Notification(component, TOperation::opInsert);
}

void TComponent::RemoveComponent(TComponent* component) {
    auto it = std::find(FComponents.begin(), FComponents.end(), component);
    if (it == FComponents.end()) return;
    Notification(component, TOperation::opRemove);
    // Notification may have changed the list; look again.
    it = std::find(FComponents.begin(), FComponents.end(), component);
    if (it != FComponents.end()) FComponents.erase(it);
    component->FOwner = nullptr;
}

void TComponent::FreeNotification(TComponent* component) {
    if (!component || component == this) return;
    auto add = [](std::vector<TComponent*>& list, TComponent* c) {
        if (std::find(list.begin(), list.end(), c) == list.end()) list.push_back(c);
    };
    add(FFreeNotifies, component);
    add(component->FFreeNotifies, this);
}

void TComponent::RemoveFreeNotification(TComponent* component) {
    if (!component) return;
    auto drop = [](std::vector<TComponent*>& list, TComponent* c) {
        list.erase(std::remove(list.begin(), list.end(), c), list.end());
    };
    drop(FFreeNotifies, component);
    drop(component->FFreeNotifies, this);
}

// The owner tells its whole tree, so that any component holding a reference
// to a sibling can drop it.
void TComponent::Notification(TComponent* component, TOperation operation) {
    if (operation == TOperation::opRemove) RemoveFreeNotification(component);
    std::vector<TComponent*> snapshot = FComponents;
    for (TComponent* c : snapshot)
        if (c != component && std::find(FComponents.begin(), FComponents.end(), c) != FComponents.end())
            c->Notification(component, operation);
}

void TComponent::SetLoading(bool loading) {
    if (loading) FComponentState |= csLoading;
    else FComponentState &= ~static_cast<uint32_t>(csLoading);
}

void TComponent::Loaded() { SetLoading(false); }

const std::any* TComponent::FindMethod(const std::string& name) const {
    for (auto& [key, value] : FMethods)
        if (platform::SameText(key, name)) return &value;
    return nullptr;
}

TComponent::TFieldBind TComponent::BindField(const std::string& name, TComponent* component) {
    for (auto& [key, bind] : FFields)
        if (platform::SameText(key, name))
            return bind(component) ? TFieldBind::Bound : TFieldBind::WrongClass;
    return TFieldBind::NoField;
}

std::vector<std::string> TComponent::FieldNames() const {
    std::vector<std::string> names;
    for (const auto& entry : FFields)
        names.push_back(entry.first);
    return names;
}
