#pragma once
// The text format in which a form and its controls are described:
//
//   object Form1: TForm1            a component: `object Name: TClass`, closed by `end`
//     Caption = 'Tavelin'           a property: `Name = value`
//     Font.Height = -11             dotted names address a property of a property
//     // a comment                  a line whose first non-blank characters are `//`
//     object Label1: TLabel         components it holds, nested
//     end
//   end
//
// One construct per line; indentation is free, blank and comment lines are ignored, a line may
// end in CR LF. Values:
//   - integers: optional sign and decimal digits (-11); anything outside int64 is an error;
//   - texts: quoted pieces and #NNN bytes written next to each other, without blanks between:
//     'It''s' ('' is one quote), 'Gr'#252#223'e' (#NNN is the byte 0..255), so any CP1252 text
//     can be written in ASCII;
//   - identifiers: [A-Za-z_][A-Za-z0-9_]* (True, clNavy, csDropDownList, BUpdateClick);
//   - sets of identifiers: [fsBold, fsItalic] or [].
// Names and keywords are case-sensitive. Exactly one top-level object; after its `end` only
// blank and comment lines may follow. Within one object a property name appears once, and a
// component name appears once in the whole description.
//
// Parsing only builds the tree; making components from it is the form reader's work.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "classlib/core/errors.h"

// A description that cannot be read: "Formularbeschreibung, Zeile N: <what is wrong>".
class EFormDescriptionError : public Exception {
public:
  using Exception::Exception;
};

namespace classlib::description {
// Raises EFormDescriptionError for line `line` (1-based) of the description.
[[noreturn]] void Fail(int line, std::string_view what);
}  // namespace classlib::description

struct PropertyValue {
  enum class Kind { Integer, Text, Identifier, Set };
  Kind kind = Kind::Integer;
  std::int64_t integer = 0;               // Kind::Integer
  std::string text;                       // Kind::Text (bytes) and Kind::Identifier
  std::vector<std::string> elements;      // Kind::Set
};

struct PropertyDescription {
  std::string name;  // as written, dots included: "Font.Height"
  PropertyValue value;
  int line = 0;      // 1-based line of the property in the description
};

struct ObjectDescription {
  std::string name;       // "Form1", "CBResume"
  std::string className;  // "TForm1", "TComboBox"
  int line = 0;
  std::vector<PropertyDescription> properties;  // in the order written
  std::vector<ObjectDescription> children;      // in the order written

  const PropertyDescription* Find(std::string_view propertyName) const;
};

// Parses a whole description: exactly one top-level object. Raises EFormDescriptionError.
ObjectDescription ParseFormDescription(std::string_view text);
