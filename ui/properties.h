// Published properties: each class of the framework names its properties in a small table (name,
// kind, get, set), chained to its base class's table. Stored form descriptions, fonts, hints and
// the host's look are all applied through these tables, by name.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace plz::ui {

class TPersistent;

enum class PropertyKind : uint8_t {
    Integer,  // int64_t
    Boolean,  // bool
    String,   // 8-bit text
    Enum,     // an identifier, as std::string
    Set,      // identifiers, as std::vector<std::string>
    Color,    // int64_t colour value
    Object,   // a persistent object of the instance (a font); read and written through its own table
};

using PropertyValue = std::variant<std::monostate, int64_t, bool, std::string, std::vector<std::string>>;

struct PropertyInfo {
    const char* name;
    PropertyKind kind;
    PropertyValue (*get)(const TPersistent&);
    void (*set)(TPersistent&, const PropertyValue&);
    TPersistent* (*object)(TPersistent&);  // Object kind only
};

class PropertyTable {
public:
    constexpr PropertyTable(const PropertyTable* base, std::span<const PropertyInfo> own) : base_(base), own_(own) {}
    // By name, ignoring ASCII case; the class's own properties before its base's.
    const PropertyInfo* Find(std::string_view name) const;
    // Every property, the base class's first.
    std::vector<const PropertyInfo*> All() const;

private:
    const PropertyTable* base_;
    std::span<const PropertyInfo> own_;
};

// An object with published properties and a class name.
class TPersistent {
public:
    virtual ~TPersistent() = default;
    virtual std::string ClassName() const = 0;
    virtual const PropertyTable& Properties() const;
};

// Property access by name. Unknown names: Has... false, Get an empty value, Set false.
bool HasProperty(const TPersistent& object, std::string_view name);
PropertyValue GetProperty(const TPersistent& object, std::string_view name);
bool SetProperty(TPersistent& object, std::string_view name, const PropertyValue& value);
// The objects behind every published Object property whose object is a T.
template <typename T>
std::vector<T*> PropertyObjectsOf(TPersistent& object) {
    std::vector<T*> out;
    for (const PropertyInfo* p : object.Properties().All())
        if (p->kind == PropertyKind::Object)
            if (T* t = dynamic_cast<T*>(p->object(object))) out.push_back(t);
    return out;
}

// Table entries from a class's getter and setter: Prop<TButton, PropertyKind::Boolean,
// &TButton::Default, &TButton::SetDefault>("Default").
template <typename C, PropertyKind K, auto Get, auto Set>
constexpr PropertyInfo Prop(const char* name) {
    return PropertyInfo{
        name, K,
        [](const TPersistent& o) -> PropertyValue {
            const C& c = static_cast<const C&>(o);
            if constexpr (K == PropertyKind::Integer || K == PropertyKind::Color)
                return int64_t((c.*Get)());
            else if constexpr (K == PropertyKind::Boolean)
                return bool((c.*Get)());
            else if constexpr (K == PropertyKind::Set)
                return std::vector<std::string>((c.*Get)());
            else
                return std::string((c.*Get)());
        },
        [](TPersistent& o, const PropertyValue& v) {
            C& c = static_cast<C&>(o);
            if constexpr (K == PropertyKind::Integer || K == PropertyKind::Color) {
                if (auto* i = std::get_if<int64_t>(&v)) (c.*Set)(decltype((c.*Get)())(*i));
            } else if constexpr (K == PropertyKind::Boolean) {
                if (auto* b = std::get_if<bool>(&v)) (c.*Set)(*b);
            } else if constexpr (K == PropertyKind::Set) {
                if (auto* s = std::get_if<std::vector<std::string>>(&v)) (c.*Set)(*s);
            } else {
                if (auto* s = std::get_if<std::string>(&v)) (c.*Set)(*s);
            }
        },
        nullptr};
}

template <typename C, auto Object>
constexpr PropertyInfo ObjectProp(const char* name) {
    return PropertyInfo{name, PropertyKind::Object,
                        [](const TPersistent&) -> PropertyValue { return {}; },
                        [](TPersistent&, const PropertyValue&) {},
                        [](TPersistent& o) -> TPersistent* { return &(static_cast<C&>(o).*Object)(); }};
}

}  // namespace plz::ui
