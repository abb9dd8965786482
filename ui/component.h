// Components: a name, a class name, an owner, and the components it owns, in insertion order.
// An owner frees what it owns; a component freed on its own leaves its owner's list. Components
// are made by New (or by class name, for stored descriptions), which puts them into their owner
// through the framework's insertion point once they are fully built.
#pragma once

#include <memory>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "ui/properties.h"

namespace plz::ui {

class TComponent : public TPersistent {
public:
    TComponent() = default;
    TComponent(const TComponent&) = delete;
    TComponent& operator=(const TComponent&) = delete;
    ~TComponent() override;

    std::string ClassName() const override { return "TComponent"; }
    const PropertyTable& Properties() const override;

    const std::string& Name() const { return name_; }
    void SetName(const std::string& name) { name_ = name; }
    TComponent* Owner() const { return owner_; }
    const std::vector<TComponent*>& Components() const { return components_; }
    // An owned component by name (ASCII case ignored), or none.
    TComponent* FindComponent(std::string_view name) const;

    // Called once the component's stored description has been read.
    virtual void Loaded() {}

    // The framework's own insertion (behind the insertion point) and removal.
    static void InsertDefault(TComponent& owner, TComponent& component);
    void RemoveComponent(TComponent& component);

private:
    std::string name_;
    TComponent* owner_ = nullptr;
    std::vector<TComponent*> components_;
};

// Puts a component into its owner through the insertion point.
void InsertComponent(TComponent& owner, TComponent& component);

// Makes a component of class T and gives it to `owner`; without an owner the caller frees it.
template <typename T, typename... Args>
T* New(TComponent* owner, Args&&... args) {
    auto made = std::make_unique<T>(std::forward<Args>(args)...);
    if (owner) InsertComponent(*owner, *made);
    return made.release();
}

// Classes that stored descriptions may name.
using ComponentFactory = TComponent* (*)();
void RegisterComponentClass(const std::string& className, ComponentFactory factory);
// A new component of the named class (no owner yet), or none for an unknown class.
TComponent* CreateComponentOfClass(std::string_view className);

template <typename T>
void RegisterComponentClass() {
    RegisterComponentClass(T().ClassName(), [] { return static_cast<TComponent*>(new T()); });
}

bool SameText(std::string_view a, std::string_view b);

}  // namespace plz::ui
