#pragma once
// The text format in which a form and its controls are described: one `object Name: TClass`
// block per component, its properties as `Name = value` lines, nested blocks for the
// components it holds, `end` closing each block. Values are signed integers, quoted texts
// ('It''s' doubles a quote; #252 is the byte 252, so any CP1252 text can be written in ASCII),
// identifiers (true, clNavy, csDropDownList, BUpdateClick ...) and sets ([fsBold, fsItalic]).
// Dotted property names (Font.Height) address a property of a property. Lines starting with
// `#` outside a value, and blank lines, are ignored... see the parser for the exact rules.
//
// Parsing only builds the tree; making components from it is the form reader's work.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "classlib/sysutils.h"

// A description that cannot be read: the message names the line.
class EFormDescriptionError : public Exception {
public:
  using Exception::Exception;
};

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
