// Stored form descriptions: JSON text kept in the library per form class, and the reader that
// applies one to a form. The reader knows its owner component and the property it is reading, and
// every step of it passes an observation point (a component's data, a property, an 8-bit string,
// a wide string).
//
// A description:
//   { "class": "TExportForm", "properties": { "Caption": "Save as", "Width": 300,
//                                             "Font": { "Name": "Tahoma", "Size": 8 } },
//     "components": [ { "class": "TButton", "name": "SaveButton", "properties": { ... },
//                       "components": [ ... ] } ] }
// A text value is an 8-bit string; { "wide": "..." } stores it as a wide string.
#pragma once

#include <memory>
#include <string>
#include <string_view>

#include "frame/errors.h"
#include "platform/utf8.h"
#include "ui/component.h"

namespace plz::ui {

// A description that does not parse or that names an unknown class or property.
class EFormDescriptionError : public Exception {
public:
    using Exception::Exception;
};

// Stored descriptions by class name; registering a name again replaces its text.
void RegisterFormDescription(const std::string& className, std::string text);
const std::string* FindFormDescription(std::string_view className);

class TReader {
public:
    // Parses the text; throws EFormDescriptionError when it is not a description.
    TReader(std::string_view text, TComponent* owner);
    ~TReader();
    TReader(const TReader&) = delete;
    TReader& operator=(const TReader&) = delete;

    // The component that owns what is read (the form), or none.
    TComponent* Owner() const { return owner_; }
    // The name of the property being read.
    const std::string& PropertyName() const { return propertyName_; }

    // Reads the description into `root`, whose class must be the description's; calls Loaded on
    // every component read, the root last.
    void ReadRoot(TComponent& root);

    // The framework's own routines behind the observation points.
    static void ReadComponentDataDefault(TReader& reader, TComponent& component);
    static void ReadPropertyDefault(TReader& reader, TPersistent& instance);
    static std::string ReadStringDefault(TReader& reader);
    static std::u16string ReadWideStringDefault(TReader& reader);

private:
    struct State;
    std::unique_ptr<State> state_;
    TComponent* owner_;
    std::string propertyName_;
};

// Reads a description into a component through a reader with the given owner.
void ReadDescription(TComponent& root, std::string_view text, TComponent* owner);


}  // namespace plz::ui
