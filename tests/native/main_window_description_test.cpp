// The main window's description, checked value by value against the layout the window must
// have, so that a slip in the data (a wrong number, a missing or extra setting) shows here.

#include <gtest/gtest.h>

#include <map>
#include <string>

#include "classlib/application/resources.h"
#include "classlib/forms/form_description.h"

namespace {

// A value as it would be written in a description: 12, 'text', clNavy, [a, b].
std::string Written(const PropertyValue& value) {
  switch (value.kind) {
    case PropertyValue::Kind::Integer:
      return std::to_string(value.integer);
    case PropertyValue::Kind::Identifier:
      return value.text;
    case PropertyValue::Kind::Text: {
      std::string quoted = "'";
      for (char c : value.text) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 0x20 || byte >= 0x7F) {
          quoted += "'#" + std::to_string(byte) + "'";
        } else {
          quoted += c == '\'' ? "''" : std::string(1, c);
        }
      }
      return quoted + "'";
    }
    case PropertyValue::Kind::Set: {
      std::string set = "[";
      for (const auto& element : value.elements) set += (set.size() > 1 ? ", " : "") + element;
      return set + "]";
    }
  }
  return "?";
}

using Properties = std::map<std::string, std::string>;

Properties PropertiesOf(const ObjectDescription& object) {
  Properties properties;
  for (const auto& property : object.properties) properties[property.name] = Written(property.value);
  return properties;
}

struct Component {
  const char* name;
  const char* className;
  Properties properties;
};

// Position and size first, as Left, Top, Width, Height.
Properties Place(int left, int top, int width, int height) {
  return {{"Left", std::to_string(left)},
          {"Top", std::to_string(top)},
          {"Width", std::to_string(width)},
          {"Height", std::to_string(height)}};
}

Properties With(Properties base, const Properties& more) {
  base.insert(more.begin(), more.end());
  return base;
}

const Properties kOwnFont = {{"Font.Charset", "DEFAULT_CHARSET"},
                             {"Font.Height", "-11"},
                             {"Font.Name", "'MS Sans Serif'"},
                             {"Font.Style", "[]"}};

const Component kForm = {
    "Form1", "TForm1",
    With(With(Place(47, 80, 624, 227), kOwnFont), {{"Caption", "'Tavelin'"},
                                                   {"Font.Color", "clWindowText"},
                                                   {"OnShow", "BUpdateClick"},
                                                   {"PixelsPerInch", "96"},
                                                   {"TextHeight", "13"}})};

// In the order the description lists them, which is the order in which they are made.
const Component kControls[] = {
    {"Label1", "TLabel", With(Place(12, 56, 109, 13), {{"Caption", "'Connection for resume:'"}})},
    {"Label2", "TLabel", With(Place(12, 12, 118, 13), {{"Caption", "'Unfinished download file:'"}})},
    {"LHomepage", "TLabel",
     With(With(Place(132, 184, 151, 13), kOwnFont), {{"Caption", "'Homepage: example.org/tavelin'"},
                                                     {"Cursor", "crMultiDrag"},
                                                     {"Font.Color", "clNavy"},
                                                     {"ParentFont", "False"},
                                                     {"OnClick", "LHomepageClick"}})},
    {"Image1", "TImage", With(Place(8, 144, 119, 52), {{"Picture", "'LOGO'"}})},
    {"Bevel1", "TBevel", Place(4, 4, 609, 133)},
    {"Label3", "TLabel", With(Place(132, 144, 98, 13), {{"Caption", "'Kestrel Bay Software'"}})},
    {"Label4", "TLabel", With(Place(132, 160, 158, 13), {{"Caption", "'Mira Holt (mira.holt@example.org)'"}})},
    {"CBResume", "TComboBox",
     With(Place(12, 72, 509, 21), {{"Style", "csDropDownList"}, {"ItemHeight", "13"}, {"TabOrder", "0"}})},
    {"BUpdate", "TButton",
     With(Place(528, 72, 75, 25), {{"Caption", "'&Refresh'"}, {"TabOrder", "1"}, {"OnClick", "BUpdateClick"}})},
    {"EDamaged", "TEdit", With(Place(12, 28, 509, 21), {{"ReadOnly", "True"}, {"TabOrder", "2"}})},
    {"BSelect", "TButton",
     With(Place(528, 28, 75, 25),
          {{"Caption", "'&Select file...'"}, {"TabOrder", "3"}, {"OnClick", "BSelectClick"}})},
    {"BStart", "TButton",
     With(Place(12, 104, 221, 25), {{"Caption", "'Resume damaged file on new connection'"},
                                    {"TabOrder", "4"},
                                    {"OnClick", "BStartClick"}})},
    {"BExit", "TButton",
     With(Place(532, 168, 75, 25), {{"Caption", "'&Exit'"}, {"TabOrder", "5"}, {"OnClick", "BExitClick"}})},
    {"ODFile", "TOpenDialog", {{"FileEditStyle", "fsEdit"}}},
};

// The description exactly as the tool carries it.
ObjectDescription MainWindow() {
  const auto bytes = classlib::LoadDataResource("TFORM1");
  return ParseFormDescription(std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()));
}

void ExpectComponent(const ObjectDescription& actual, const Component& expected) {
  SCOPED_TRACE(expected.name);
  EXPECT_EQ(actual.name, expected.name);
  EXPECT_EQ(actual.className, expected.className);
  EXPECT_EQ(PropertiesOf(actual), expected.properties);
}

TEST(MainWindowDescription, DescribesTheWindowItself) {
  const auto form = MainWindow();
  ExpectComponent(form, kForm);
}

TEST(MainWindowDescription, DescribesEveryControlInOrderAndNothingElse) {
  const auto form = MainWindow();
  std::vector<std::string> names;
  for (const auto& child : form.children) names.push_back(child.name);
  std::vector<std::string> expectedNames;
  for (const auto& control : kControls) expectedNames.emplace_back(control.name);
  ASSERT_EQ(names, expectedNames);

  for (std::size_t i = 0; i < std::size(kControls); ++i) {
    ExpectComponent(form.children[i], kControls[i]);
    EXPECT_TRUE(form.children[i].children.empty()) << kControls[i].name << " holds components";
  }
}

}  // namespace
