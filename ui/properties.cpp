// Property tables: lookup by name along the class chain, and access by name.
#include "ui/properties.h"

#include "ui/component.h"

namespace plz::ui {

const PropertyInfo* PropertyTable::Find(std::string_view name) const {
    for (const PropertyTable* t = this; t; t = t->base_)
        for (const PropertyInfo& p : t->own_)
            if (SameText(p.name, name)) return &p;
    return nullptr;
}

std::vector<const PropertyInfo*> PropertyTable::All() const {
    std::vector<const PropertyInfo*> out = base_ ? base_->All() : std::vector<const PropertyInfo*>{};
    for (const PropertyInfo& p : own_) out.push_back(&p);
    return out;
}

const PropertyTable& TPersistent::Properties() const {
    static const PropertyTable table(nullptr, {});
    return table;
}

bool HasProperty(const TPersistent& object, std::string_view name) {
    return object.Properties().Find(name) != nullptr;
}

PropertyValue GetProperty(const TPersistent& object, std::string_view name) {
    const PropertyInfo* p = object.Properties().Find(name);
    return p ? p->get(object) : PropertyValue{};
}

bool SetProperty(TPersistent& object, std::string_view name, const PropertyValue& value) {
    const PropertyInfo* p = object.Properties().Find(name);
    if (!p) return false;
    p->set(object, value);
    return true;
}

}  // namespace plz::ui
