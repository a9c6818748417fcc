#include <gtest/gtest.h>

#include <string>

#include "classlib/forms/form_description.h"

namespace {

using Kind = PropertyValue::Kind;

const PropertyValue& ValueOf(const ObjectDescription& object, std::string_view name) {
  const PropertyDescription* property = object.Find(name);
  if (property == nullptr) throw std::runtime_error("no property " + std::string(name));
  return property->value;
}

TEST(FormDescription, ReadsObjectsPropertiesAndTheirLines) {
  const auto form = ParseFormDescription(
      "// the main window\n"
      "object Form1: TForm1\n"
      "  Left = 47\n"
      "\n"
      "  Font.Height = -11\n"
      "  object Label1 : TLabel\r\n"
      "\t\tCaption = 'Connection:'\r\n"
      "  end\n"
      "  object Panel1: TPanel\n"
      "    object Inner: TButton\n"
      "    end\n"
      "  end\n"
      "end\n"
      "// trailing comment\n");

  EXPECT_EQ(form.name, "Form1");
  EXPECT_EQ(form.className, "TForm1");
  EXPECT_EQ(form.line, 2);
  ASSERT_EQ(form.properties.size(), 2u);
  EXPECT_EQ(form.properties[0].name, "Left");
  EXPECT_EQ(form.properties[0].line, 3);
  EXPECT_EQ(form.properties[1].name, "Font.Height");
  EXPECT_EQ(form.properties[1].line, 5);
  EXPECT_EQ(form.properties[1].value.integer, -11);

  ASSERT_EQ(form.children.size(), 2u);
  const auto& label = form.children[0];
  EXPECT_EQ(label.name, "Label1");
  EXPECT_EQ(label.className, "TLabel");
  EXPECT_EQ(label.line, 6);
  ASSERT_EQ(label.properties.size(), 1u);
  EXPECT_EQ(label.properties[0].line, 7);
  EXPECT_EQ(ValueOf(label, "Caption").text, "Connection:");  // no CR left over
  EXPECT_TRUE(label.children.empty());

  const auto& panel = form.children[1];
  ASSERT_EQ(panel.children.size(), 1u);
  EXPECT_EQ(panel.children[0].name, "Inner");
  EXPECT_EQ(panel.children[0].line, 10);
}

TEST(FormDescription, FindGivesThePropertyOfExactlyThatName) {
  const auto object = ParseFormDescription(
      "object A: TA\n"
      "  Font = 1\n"
      "  Font.Name = 'x'\n"
      "end");
  ASSERT_NE(object.Find("Font.Name"), nullptr);
  EXPECT_EQ(object.Find("Font.Name")->line, 3);
  EXPECT_EQ(object.Find("Font")->line, 2);
  EXPECT_EQ(object.Find("Name"), nullptr);
  EXPECT_EQ(object.Find("font"), nullptr);
}

struct ValueCase {
  const char* written;
  Kind kind;
  std::int64_t integer = 0;
  std::string text = {};
  std::vector<std::string> elements = {};
};

TEST(FormDescription, ReadsEachKindOfValue) {
  const ValueCase cases[] = {
      {"0", Kind::Integer, 0},
      {"-11", Kind::Integer, -11},
      {"+5", Kind::Integer, 5},
      {"007", Kind::Integer, 7},
      {"9223372036854775807", Kind::Integer, INT64_MAX},
      {"-9223372036854775808", Kind::Integer, INT64_MIN},
      {"'Tavelin'", Kind::Text, 0, "Tavelin"},
      {"''", Kind::Text, 0, ""},
      {"'It''s'", Kind::Text, 0, "It's"},
      {"''''", Kind::Text, 0, "'"},
      {"'abc'#252'def'", Kind::Text, 0, "abc\xFC" "def"},
      {"'Gr'#252#223'e'", Kind::Text, 0, "Gr\xFC\xDF" "e"},
      {"#65#066'C'#0", Kind::Text, 0, std::string("ABC\0", 4)},
      {"#255", Kind::Text, 0, "\xFF"},
      {"'http://example.org/ x = 1'", Kind::Text, 0, "http://example.org/ x = 1"},
      {"'raw \xE4 byte'", Kind::Text, 0, "raw \xE4 byte"},
      {"True", Kind::Identifier, 0, "True"},
      {"_clNavy2", Kind::Identifier, 0, "_clNavy2"},
      {"[]", Kind::Set},
      {"[ ]", Kind::Set},
      {"[fsBold]", Kind::Set, 0, "", {"fsBold"}},
      {"[ fsBold ,fsItalic,  fsUnderline ]", Kind::Set, 0, "", {"fsBold", "fsItalic", "fsUnderline"}},
  };
  for (const auto& expected : cases) {
    SCOPED_TRACE(expected.written);
    const auto object = ParseFormDescription(std::string("object A: TA\n  P = ") + expected.written + "  \nend\n");
    const auto& value = ValueOf(object, "P");
    EXPECT_EQ(value.kind, expected.kind);
    EXPECT_EQ(value.integer, expected.integer);
    EXPECT_EQ(value.text, expected.text);
    EXPECT_EQ(value.elements, expected.elements);
  }
}

struct MalformedCase {
  const char* what;
  const char* text;
  int line;
  const char* message;  // the part after "Formularbeschreibung, Zeile N: "
};

TEST(FormDescription, RejectsMalformedDescriptionsNamingTheLine) {
  const MalformedCase cases[] = {
      {"empty", "", 1, "Keine Objektbeschreibung"},
      {"only comments", "// a\n\n// b\n", 3, "Keine Objektbeschreibung"},
      {"missing end", "object A: TA\n  Left = 1\n", 1, "'end' fehlt f\xFCr Objekt 'A'"},
      {"missing inner end", "object A: TA\n  object B: TB\n  Left = 1\nend\n", 1, "'end' fehlt f\xFCr Objekt 'A'"},
      {"missing ends", "object A: TA\n  object B: TB\n", 2, "'end' fehlt f\xFCr Objekt 'B'"},
      {"stray end", "\nend\nobject A: TA\nend\n", 2, "'end' ohne 'object'"},
      {"end with more", "object A: TA\nend A\n", 2, "Unerwarteter Text nach 'end'"},
      {"second object", "object A: TA\nend\nobject B: TB\nend\n", 3, "Text nach dem Ende der Beschreibung"},
      {"extra end", "object A: TA\nend\n\nend\n", 4, "Text nach dem Ende der Beschreibung"},
      {"property after the end", "object A: TA\nend\nLeft = 1\n", 3, "Text nach dem Ende der Beschreibung"},
      {"property outside", "Left = 1\nobject A: TA\nend\n", 1, "Eigenschaft au\xDF" "erhalb eines Objekts"},
      {"header without class", "object A\nend\n", 1, "'object Name: TKlasse' erwartet"},
      {"header without colon", "object A TA\nend\n", 1, "'object Name: TKlasse' erwartet"},
      {"header without name", "object : TA\nend\n", 1, "'object Name: TKlasse' erwartet"},
      {"header with more", "object A: TA TB\nend\n", 1, "'object Name: TKlasse' erwartet"},
      {"header glued", "object:A: TA\nend\n", 1, "'object Name: TKlasse' erwartet"},
      {"no equals", "object A: TA\n  Left 1\nend\n", 2, "'=' fehlt nach 'Left'"},
      {"no name", "object A: TA\n  = 1\nend\n", 2, "Eigenschaftsname erwartet"},
      {"name ends in a dot", "object A: TA\n  Font. = 1\nend\n", 2, "Eigenschaftsname erwartet"},
      {"name starts with a digit", "object A: TA\n  1Left = 1\nend\n", 2, "Eigenschaftsname erwartet"},
      {"no value", "object A: TA\n  Left =  \nend\n", 2, "Wert fehlt"},
      {"bad value", "object A: TA\n  Left = ?\nend\n", 2, "Ung\xFCltiger Wert"},
      {"sign alone", "object A: TA\n  Left = -\nend\n", 2, "Ung\xFCltiger Wert"},
      {"number with unit", "object A: TA\n  Left = 12px\nend\n", 2, "Ung\xFCltiger Wert"},
      {"two values", "object A: TA\n  Left = 1 2\nend\n", 2, "Unerwarteter Text nach dem Wert"},
      {"text pieces apart", "object A: TA\n  Caption = 'a' 'b'\nend\n", 2, "Unerwarteter Text nach dem Wert"},
      {"comment after value", "object A: TA\n  Left = 1 // x\nend\n", 2, "Unerwarteter Text nach dem Wert"},
      {"too large", "object A: TA\n  Left = 9223372036854775808\nend\n", 2, "Zahl au\xDF" "erhalb des Wertebereichs"},
      {"too small", "object A: TA\n  Left = -9223372036854775809\nend\n", 2, "Zahl au\xDF" "erhalb des Wertebereichs"},
      {"unterminated text", "object A: TA\n  Caption = 'abc\nend\n", 2, "Text ohne schlie\xDF" "endes Hochkomma"},
      {"text ends in a doubled quote", "object A: TA\n  Caption = 'It''\nend\n", 2, "Text ohne schlie\xDF" "endes Hochkomma"},
      {"byte out of range", "object A: TA\n  Caption = 'a'#256\nend\n", 2, "Zeichencode #256 au\xDF" "erhalb von 0..255"},
      {"huge byte", "object A: TA\n  Caption = #99999999999999999999\nend\n", 2,
       "Zeichencode #99999999999999999999 au\xDF" "erhalb von 0..255"},
      {"byte without digits", "object A: TA\n  Caption = 'a'#\nend\n", 2, "Zeichencode nach '#' fehlt"},
      {"set with empty element", "object A: TA\n  S = [a, ]\nend\n", 2, "Bezeichner in Menge erwartet"},
      {"set without comma", "object A: TA\n  S = [a b]\nend\n", 2, "Bezeichner in Menge erwartet"},
      {"set of numbers", "object A: TA\n  S = [1]\nend\n", 2, "Bezeichner in Menge erwartet"},
      {"set not closed", "object A: TA\n  S = [a\nend\n", 2, "']' fehlt"},
      {"duplicate property", "object A: TA\n  Left = 1\n  Top = 2\n  Left = 3\nend\n", 4, "Eigenschaft 'Left' doppelt"},
      {"duplicate name of siblings", "object A: TA\n  object B: TB\n  end\n  object B: TC\n  end\nend\n", 4,
       "Name 'B' doppelt (schon in Zeile 2)"},
      {"duplicate name across levels", "object A: TA\n  object P: TP\n    object A: TB\n    end\n  end\nend\n", 3,
       "Name 'A' doppelt (schon in Zeile 1)"},
  };
  for (const auto& malformed : cases) {
    SCOPED_TRACE(malformed.what);
    try {
      ParseFormDescription(malformed.text);
      ADD_FAILURE() << "accepted";
    } catch (const EFormDescriptionError& error) {
      EXPECT_EQ(error.Message(),
                "Formularbeschreibung, Zeile " + std::to_string(malformed.line) + ": " + malformed.message);
    }
  }
}

TEST(FormDescription, SamePropertyNameInDifferentObjectsIsFine) {
  const auto form = ParseFormDescription(
      "object A: TA\n  Left = 1\n  object B: TB\n    Left = 2\n  end\n  Top = 3\nend\n");
  EXPECT_EQ(ValueOf(form, "Left").integer, 1);
  EXPECT_EQ(ValueOf(form, "Top").integer, 3);
  EXPECT_EQ(ValueOf(form.children.at(0), "Left").integer, 2);
}

}  // namespace
