// The reader of stored form descriptions (JSON, read with nlohmann-json): components made by class
// name, properties set through the published tables, every step through its observation point.
#include "ui/reader.h"

#include <functional>
#include <map>
#include <nlohmann/json.hpp>

#include "platform/os.h"
#include "ui/control.h"
#include "ui/font.h"
#include "ui/hooks.h"

namespace plz::ui {

using Json = nlohmann::ordered_json;

struct TReader::State {
    Json document;
    const Json* componentNode = nullptr;  // the component whose data is read next
    std::string propertyEntry;            // its name as stored
    const Json* propertyValue = nullptr;
    const Json* value = nullptr;          // the value the string points read
    std::vector<TComponent*> loaded;
};

namespace {

std::map<std::string, std::string, std::less<>>& Descriptions() {
    static std::map<std::string, std::string, std::less<>> map;
    return map;
}

std::string Where(const TPersistent& instance) {
    std::string where = instance.ClassName();
    if (auto* c = dynamic_cast<const TComponent*>(&instance); c && !c->Name().empty()) where += " " + c->Name();
    return where;
}

}  // namespace

void RegisterFormDescription(const std::string& className, std::string text) {
    Descriptions()[className] = std::move(text);
}

const std::string* FindFormDescription(std::string_view className) {
    for (const auto& [name, text] : Descriptions())
        if (SameText(name, className)) return &text;
    return nullptr;
}

TReader::TReader(std::string_view text, TComponent* owner) : state_(std::make_unique<State>()), owner_(owner) {
    try {
        state_->document = Json::parse(text);
    } catch (const Json::exception& e) {
        throw EFormDescriptionError(std::string("A stored form description does not parse: ") + e.what());
    }
    if (!state_->document.is_object() || !state_->document.contains("class") || !state_->document["class"].is_string())
        throw EFormDescriptionError("A stored form description must be an object with a \"class\"");
}

TReader::~TReader() = default;

void TReader::ReadRoot(TComponent& root) {
    const Json& doc = state_->document;
    const std::string className = doc["class"].get<std::string>();
    if (!SameText(className, root.ClassName()))
        throw EFormDescriptionError("The stored description of " + className + " cannot be read into a " +
                                    root.ClassName());
    if (doc.contains("name") && doc["name"].is_string()) root.SetName(doc["name"].get<std::string>());
    state_->componentNode = &doc;
    state_->loaded.clear();
    hooks().readComponentData(*this, root);
    for (TComponent* c : state_->loaded) c->Loaded();
    root.Loaded();
}

namespace {

void CheckObject(const Json& node, const char* what, const std::string& where) {
    if (!node.is_object()) throw EFormDescriptionError(std::string(what) + " of " + where + " must be an object");
}

}  // namespace

void TReader::ReadComponentDataDefault(TReader& reader, TComponent& component) {
    State& st = *reader.state_;
    const Json& node = *st.componentNode;
    const std::string where = Where(component);
    if (node.contains("properties")) {
        const Json& props = node["properties"];
        CheckObject(props, "The properties", where);
        for (auto it = props.begin(); it != props.end(); ++it) {
            st.propertyEntry = it.key();
            st.propertyValue = &it.value();
            hooks().readProperty(reader, component);
        }
    }
    if (!node.contains("components")) return;
    const Json& children = node["components"];
    if (!children.is_array()) throw EFormDescriptionError("The components of " + where + " must be a list");
    for (const Json& child : children) {
        CheckObject(child, "A component", where);
        if (!child.contains("class") || !child["class"].is_string())
            throw EFormDescriptionError("A component of " + where + " names no class");
        const std::string className = child["class"].get<std::string>();
        TComponent* made = CreateComponentOfClass(className);
        if (!made) throw EFormDescriptionError("Class " + className + " not found (in " + where + ")");
        // Owned at once, so that an error below frees it with its owner.
        TComponent& owner = reader.Owner() ? *reader.Owner() : component;
        InsertComponent(owner, *made);
        if (child.contains("name")) {
            if (!child["name"].is_string()) throw EFormDescriptionError("A component name of " + where + " must be a text");
            made->SetName(child["name"].get<std::string>());
        }
        auto* control = dynamic_cast<TControl*>(made);
        auto* parent = dynamic_cast<TControl*>(&component);
        if (control && parent) control->SetParent(parent);
        st.loaded.push_back(made);
        st.componentNode = &child;
        hooks().readComponentData(reader, *made);
    }
}

namespace {

[[noreturn]] void Expected(const char* what, const std::string& property, const std::string& where) {
    throw EFormDescriptionError("Property " + property + " of " + where + ": " + what + " expected");
}

}  // namespace

void TReader::ReadPropertyDefault(TReader& reader, TPersistent& instance) {
    State& st = *reader.state_;
    const std::string entry = st.propertyEntry;
    const std::string where = Where(instance);
    // A value of one property of `object`, named `name`.
    std::function<void(TPersistent&, const std::string&, const Json&)> read = [&](TPersistent& object,
                                                                                 const std::string& name,
                                                                                 const Json& value) {
        reader.propertyName_ = name;
        const PropertyInfo* info = object.Properties().Find(name);
        if (!info) throw EFormDescriptionError("Unknown property " + name + " of " + Where(object) + " (in " + where + ")");
        switch (info->kind) {
            case PropertyKind::Object: {
                if (!value.is_object()) Expected("an object", name, where);
                TPersistent* inner = info->object(object);
                for (auto it = value.begin(); it != value.end(); ++it) read(*inner, it.key(), it.value());
                reader.propertyName_ = name;
                return;
            }
            case PropertyKind::String: {
                st.value = &value;
                if (value.is_string()) {
                    info->set(object, hooks().readString(reader));
                } else if (value.is_object() && value.size() == 1 && value.contains("wide") && value["wide"].is_string()) {
                    info->set(object, os::calls().WideToAnsi(hooks().readWideString(reader)));
                } else {
                    Expected("a text", name, where);
                }
                return;
            }
            case PropertyKind::Integer:
                if (!value.is_number_integer()) Expected("a whole number", name, where);
                info->set(object, int64_t(value.get<int64_t>()));
                return;
            case PropertyKind::Boolean:
                if (!value.is_boolean()) Expected("true or false", name, where);
                info->set(object, value.get<bool>());
                return;
            case PropertyKind::Enum:
                if (!value.is_string()) Expected("an identifier", name, where);
                info->set(object, value.get<std::string>());
                return;
            case PropertyKind::Set: {
                if (!value.is_array()) Expected("a list of identifiers", name, where);
                std::vector<std::string> items;
                for (const Json& v : value) {
                    if (!v.is_string()) Expected("a list of identifiers", name, where);
                    items.push_back(v.get<std::string>());
                }
                info->set(object, items);
                return;
            }
            case PropertyKind::Color: {
                int64_t color = 0;
                if (value.is_number_integer())
                    color = value.get<int64_t>();
                else if (!value.is_string() || !TextToColor(value.get<std::string>(), &color))
                    Expected("a colour", name, where);
                info->set(object, color);
                return;
            }
        }
    };
    read(instance, entry, *st.propertyValue);
}

std::string TReader::ReadStringDefault(TReader& reader) {
    const Json* v = reader.state_->value;
    if (!v || !v->is_string()) return {};
    return os::calls().WideToAnsi(Utf8ToWide(v->get<std::string>()));
}

std::u16string TReader::ReadWideStringDefault(TReader& reader) {
    const Json* v = reader.state_->value;
    if (!v) return {};
    const Json& text = v->is_object() && v->contains("wide") ? (*v)["wide"] : *v;
    return text.is_string() ? Utf8ToWide(text.get<std::string>()) : std::u16string();
}

void ReadDescription(TComponent& root, std::string_view text, TComponent* owner) {
    TReader reader(text, owner);
    reader.ReadRoot(root);
}

}  // namespace plz::ui
