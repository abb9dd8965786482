// Translation of form texts while a form's stored description is read, through the host's
// translation manager, and the adjustment of fonts to the system locale.
//
// A text is looked up in a context (the form's class name without its first letter, or the name
// of the component being read) under a key made of the property name and the quoted text:
// Caption.'Save as'; a quote inside the text is doubled.
#pragma once

#include <string>

#include "ui/component.h"
#include "ui/reader.h"

namespace plz::forms {

// The key of `text` as the value of `property`.
std::string TranslationKey(const std::string& property, const std::string& text);

// The translation rule for one string value read by `reader`.
std::u16string TranslateText(ui::TReader& reader, const std::string& text);
// Sets `instance`'s Hint (and switches its hints on) from the translation of property.'text'.
void TranslateInto(ui::TPersistent* instance, const std::string& property, const std::string& text);
// Adjusts the fonts of `component` and everything it owns to the system locale, when the host
// asks for it, uses the system locale and offers no user-interface font.
void SubstituteFonts(ui::TComponent& component);

// The reading points' replacements: installed and removed with the forms support.
void InstallReadingInterceptions();
void RemoveReadingInterceptions();

// Module state, for the start-up and the tests.
void SetFontSubstitution(bool on);
bool FontSubstitution();
const std::string& TranslationContext();
int ReadDepth();

}  // namespace plz::forms
