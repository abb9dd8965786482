// Components: ownership in insertion order, lookup by name, and the class registry of stored
// descriptions.
#include "ui/component.h"

#include <algorithm>
#include <map>

#include "platform/ascii.h"
#include "ui/hooks.h"
#include "ui/std_controls.h"

namespace plz::ui {

bool SameText(std::string_view a, std::string_view b) { return SameIgnoringCase(a, b); }

TComponent::~TComponent() {
    // Owned components go last-in first-out; each leaves this list as it goes.
    while (!components_.empty()) delete components_.back();
    if (owner_) owner_->RemoveComponent(*this);
}

const PropertyTable& TComponent::Properties() const {
    static constexpr PropertyInfo own[] = {
        Prop<TComponent, PropertyKind::String, &TComponent::Name, &TComponent::SetName>("Name")};
    static const PropertyTable table(&TPersistent::Properties(), own);
    return table;
}

TComponent* TComponent::FindComponent(std::string_view name) const {
    if (name.empty()) return nullptr;
    for (TComponent* c : components_)
        if (SameText(c->Name(), name)) return c;
    return nullptr;
}

void TComponent::InsertDefault(TComponent& owner, TComponent& component) {
    if (component.owner_ == &owner) return;
    if (component.owner_) component.owner_->RemoveComponent(component);
    owner.components_.push_back(&component);
    component.owner_ = &owner;
}

void TComponent::RemoveComponent(TComponent& component) {
    auto it = std::find(components_.begin(), components_.end(), &component);
    if (it == components_.end()) return;
    components_.erase(it);
    component.owner_ = nullptr;
}

void InsertComponent(TComponent& owner, TComponent& component) { hooks().componentInserted(owner, component); }

namespace {
std::map<std::string, ComponentFactory, std::less<>>& Registry() {
    static std::map<std::string, ComponentFactory, std::less<>> registry;
    return registry;
}
}  // namespace

void RegisterComponentClass(const std::string& className, ComponentFactory factory) {
    Registry()[className] = factory;
}

TComponent* CreateComponentOfClass(std::string_view className) {
    RegisterStandardClasses();
    for (const auto& [name, factory] : Registry())
        if (SameText(name, className)) return factory();
    return nullptr;
}

}  // namespace plz::ui
