#include "classlib/forms/form_reader.h"

#include <algorithm>
#include <limits>
#include <memory>
#include <set>
#include <string>

#include "classlib/application/resources.h"
#include "classlib/controls/extctrls.h"
#include "classlib/controls/stdctrls.h"
#include "classlib/core/code_page.h"
#include "classlib/dialogs/dialogs.h"
#include "classlib/forms/form.h"

namespace {

using classlib::cp1252::EqualsIgnoringCase;
using classlib::description::Fail;

// --- Values --------------------------------------------------------------------------------

int IntegerOf(const PropertyDescription& property) {
  const PropertyValue& value = property.value;
  if (value.kind != PropertyValue::Kind::Integer || value.integer < std::numeric_limits<int>::min() ||
      value.integer > std::numeric_limits<int>::max()) {
    Fail(property.line, "Ganzzahl erwartet f\xFCr " + property.name);
  }
  return static_cast<int>(value.integer);
}

const std::string& TextOf(const PropertyDescription& property) {
  if (property.value.kind != PropertyValue::Kind::Text) Fail(property.line, "Text erwartet f\xFCr " + property.name);
  return property.value.text;
}

template <class Value>
struct Named {
  std::string_view name;
  Value value;
};

template <class Value, size_t N>
Value IdentifierOf(const PropertyDescription& property, const Named<Value> (&names)[N]) {
  if (property.value.kind == PropertyValue::Kind::Identifier) {
    for (const auto& named : names) {
      if (EqualsIgnoringCase(named.name, property.value.text)) return named.value;
    }
  }
  const std::string shown =
      property.value.kind == PropertyValue::Kind::Identifier ? property.value.text : "?";
  Fail(property.line, "Ung\xFCltiger Wert " + shown + " f\xFCr " + property.name);
}

bool BooleanOf(const PropertyDescription& property) {
  static constexpr Named<bool> kBooleans[] = {{"True", true}, {"False", false}};
  return IdentifierOf(property, kBooleans);
}

TColor ColorOf(const PropertyDescription& property) {
  static constexpr Named<TColor> kColors[] = {{"clWindowText", clWindowText}, {"clBtnFace", clBtnFace},
                                              {"clBlack", clBlack},           {"clNavy", clNavy},
                                              {"clWhite", clWhite}};
  if (property.value.kind == PropertyValue::Kind::Integer) return static_cast<TColor>(IntegerOf(property));
  return IdentifierOf(property, kColors);
}

int CharsetOf(const PropertyDescription& property) {
  static constexpr Named<int> kCharsets[] = {{"ANSI_CHARSET", 0}, {"DEFAULT_CHARSET", kDefaultCharset}};
  if (property.value.kind == PropertyValue::Kind::Integer) return IntegerOf(property);
  return IdentifierOf(property, kCharsets);
}

void ReadFontStyle(const PropertyDescription& property, TFont& font) {
  if (property.value.kind != PropertyValue::Kind::Set) Fail(property.line, "Menge erwartet f\xFCr " + property.name);
  font.bold = font.italic = font.underline = font.strikeOut = false;
  for (const std::string& element : property.value.elements) {
    if (EqualsIgnoringCase(element, "fsBold")) font.bold = true;
    else if (EqualsIgnoringCase(element, "fsItalic")) font.italic = true;
    else if (EqualsIgnoringCase(element, "fsUnderline")) font.underline = true;
    else if (EqualsIgnoringCase(element, "fsStrikeOut")) font.strikeOut = true;
    else Fail(property.line, "Ung\xFCltiger Wert " + element + " f\xFCr " + property.name);
  }
}

// A font property: true when `property` is one and was read into `font`.
bool ReadFontProperty(const PropertyDescription& property, TFont& font) {
  const std::string& name = property.name;
  if (name == "Font.Name") font.name = TextOf(property);
  else if (name == "Font.Height") font.height = IntegerOf(property);
  else if (name == "Font.Charset") font.charset = CharsetOf(property);
  else if (name == "Font.Color") font.color = ColorOf(property);
  else if (name == "Font.Style") ReadFontStyle(property, font);
  else return false;
  return true;
}

TNotifyEvent HandlerOf(const PropertyDescription& property, const PublishedTable& published) {
  if (property.value.kind != PropertyValue::Kind::Identifier) {
    Fail(property.line, "Methodenname erwartet f\xFCr " + property.name);
  }
  for (const PublishedMethod& method : published.methods) {
    if (method.name == property.value.text) return method.handler;
  }
  Fail(property.line, "Methode " + property.value.text + " nicht gefunden");
}

[[noreturn]] void UnknownProperty(const PropertyDescription& property, const std::string& className) {
  Fail(property.line, "Eigenschaft " + property.name + " gibt es bei " + className + " nicht");
}

// --- Controls ------------------------------------------------------------------------------

enum class Accepts : unsigned {
  kPlace = 1,          // Left, Top, Width, Height
  kCaption = 2,        // Caption
  kText = 4,           // Text
  kTabOrder = 8,       // TabOrder
  kFont = 16,          // ParentFont, Font.*
  kCursor = 32,        // Cursor
  kClick = 64,         // OnClick: the controls whose windows report clicks
  kAutoSize = 128,     // AutoSize
  kOpaque = 256,       // Transparent, which must be False: what the control draws is opaque
  kReadOnly = 512,     // ReadOnly
  kComboStyle = 1024,  // Style (csDropDown...), ItemHeight, DropDownCount
  kPicture = 2048,     // Picture
  kBevel = 4096,       // Shape, Style (bsLowered...)
};
constexpr unsigned operator|(Accepts a, Accepts b) { return static_cast<unsigned>(a) | static_cast<unsigned>(b); }
constexpr unsigned operator|(unsigned a, Accepts b) { return a | static_cast<unsigned>(b); }
constexpr bool Has(unsigned set, Accepts one) { return (set & static_cast<unsigned>(one)) != 0; }

// Reads one property into `settings` if the class accepts it; false otherwise.
bool ReadControlProperty(const PropertyDescription& property, unsigned accepts, ControlSettings& settings,
                         const PublishedTable& published) {
  static constexpr Named<TCursor> kCursors[] = {{"crDefault", TCursor::crDefault},
                                                {"crArrow", TCursor::crArrow},
                                                {"crHandPoint", TCursor::crHandPoint},
                                                {"crMultiDrag", TCursor::crMultiDrag}};
  static constexpr Named<ControlSettings::ComboStyle> kComboStyles[] = {
      {"csDropDown", ControlSettings::ComboStyle::csDropDown},
      {"csDropDownList", ControlSettings::ComboStyle::csDropDownList}};
  static constexpr Named<ControlSettings::BevelShape> kBevelShapes[] = {
      {"bsBox", ControlSettings::BevelShape::bsBox}, {"bsFrame", ControlSettings::BevelShape::bsFrame}};
  static constexpr Named<ControlSettings::BevelStyle> kBevelStyles[] = {
      {"bsLowered", ControlSettings::BevelStyle::bsLowered},
      {"bsRaised", ControlSettings::BevelStyle::bsRaised}};

  const std::string& name = property.name;
  if (Has(accepts, Accepts::kPlace)) {
    if (name == "Left") return settings.bounds.left = IntegerOf(property), true;
    if (name == "Top") return settings.bounds.top = IntegerOf(property), true;
    if (name == "Width") return settings.bounds.width = IntegerOf(property), true;
    if (name == "Height") return settings.bounds.height = IntegerOf(property), true;
  }
  if (Has(accepts, Accepts::kCaption) && name == "Caption") return settings.caption = TextOf(property), true;
  if (Has(accepts, Accepts::kText) && name == "Text") return settings.caption = TextOf(property), true;
  if (Has(accepts, Accepts::kTabOrder) && name == "TabOrder") return settings.tabOrder = IntegerOf(property), true;
  if (Has(accepts, Accepts::kFont)) {
    if (name == "ParentFont") return settings.parentFont = BooleanOf(property), true;
    if (ReadFontProperty(property, settings.font)) return true;
  }
  if (Has(accepts, Accepts::kCursor) && name == "Cursor") return settings.cursor = IdentifierOf(property, kCursors), true;
  if (Has(accepts, Accepts::kClick) && name == "OnClick") return settings.onClick = HandlerOf(property, published), true;
  if (Has(accepts, Accepts::kAutoSize) && name == "AutoSize") return settings.autoSize = BooleanOf(property), true;
  if (Has(accepts, Accepts::kOpaque) && name == "Transparent") {
    static constexpr Named<bool> kOpaqueOnly[] = {{"False", false}};
    (void)IdentifierOf(property, kOpaqueOnly);
    return true;
  }
  if (Has(accepts, Accepts::kReadOnly) && name == "ReadOnly") return settings.readOnly = BooleanOf(property), true;
  if (Has(accepts, Accepts::kComboStyle)) {
    if (name == "Style") return settings.comboStyle = IdentifierOf(property, kComboStyles), true;
    if (name == "ItemHeight") return settings.itemHeight = IntegerOf(property), true;
    if (name == "DropDownCount") return settings.dropDownCount = IntegerOf(property), true;
  }
  if (Has(accepts, Accepts::kPicture) && name == "Picture") return settings.pictureResource = TextOf(property), true;
  if (Has(accepts, Accepts::kBevel)) {
    if (name == "Shape") return settings.bevelShape = IdentifierOf(property, kBevelShapes), true;
    if (name == "Style") return settings.bevelStyle = IdentifierOf(property, kBevelStyles), true;
  }
  return false;
}

ControlSettings ReadControlSettings(const ObjectDescription& object, unsigned accepts,
                                    const PublishedTable& published) {
  ControlSettings settings;
  for (const PropertyDescription& property : object.properties) {
    if (!ReadControlProperty(property, accepts, settings, published)) UnknownProperty(property, object.className);
  }
  return settings;
}

std::unique_ptr<TComponent> MakeOpenDialog(const ObjectDescription& object) {
  // The dialog's file name field is an edit; a description may say so, and nothing else.
  static constexpr Named<TOpenDialog::EditStyle> kEditStyles[] = {{"fsEdit", TOpenDialog::EditStyle::fsEdit}};
  auto dialog = std::make_unique<TOpenDialog>();
  for (const PropertyDescription& property : object.properties) {
    if (property.name == "FileEditStyle") (void)IdentifierOf(property, kEditStyles);
    else if (property.name == "InitialDir") dialog->SetInitialDir(TextOf(property));
    else if (property.name == "FileName") dialog->SetFileName(TextOf(property));
    else UnknownProperty(property, object.className);
  }
  return dialog;
}

template <class Control>
TComponent* AddControl(TForm& form, const ObjectDescription& object, unsigned accepts,
                       const PublishedTable& published) {
  auto control = std::make_unique<Control>(form, ReadControlSettings(object, accepts, published));
  control->SetName(object.name);
  return form.AddControl(std::move(control));
}

struct RegisteredClass {
  std::string_view name;
  TComponent* (*make)(TForm&, const ObjectDescription&, const PublishedTable&);
};

constexpr unsigned kControl = Accepts::kPlace | Accepts::kFont | Accepts::kCursor;

const RegisteredClass kClasses[] = {
    {"TLabel",
     [](TForm& form, const ObjectDescription& object, const PublishedTable& published) {
       return AddControl<TLabel>(
           form, object, kControl | Accepts::kCaption | Accepts::kClick | Accepts::kAutoSize | Accepts::kOpaque,
           published);
     }},
    {"TEdit",
     [](TForm& form, const ObjectDescription& object, const PublishedTable& published) {
       return AddControl<TEdit>(form, object, kControl | Accepts::kText | Accepts::kTabOrder | Accepts::kReadOnly,
                                published);
     }},
    {"TButton",
     [](TForm& form, const ObjectDescription& object, const PublishedTable& published) {
       return AddControl<TButton>(form, object, kControl | Accepts::kCaption | Accepts::kTabOrder | Accepts::kClick,
                                  published);
     }},
    {"TComboBox",
     [](TForm& form, const ObjectDescription& object, const PublishedTable& published) {
       return AddControl<TComboBox>(form, object, kControl | Accepts::kTabOrder | Accepts::kComboStyle,
                                    published);
     }},
    {"TImage",
     [](TForm& form, const ObjectDescription& object, const PublishedTable& published) {
       return AddControl<TImage>(form, object, kControl | Accepts::kPicture | Accepts::kOpaque, published);
     }},
    {"TBevel",
     [](TForm& form, const ObjectDescription& object, const PublishedTable& published) {
       return AddControl<TBevel>(form, object, Accepts::kPlace | Accepts::kBevel, published);
     }},
    {"TOpenDialog",
     [](TForm& form, const ObjectDescription& object, const PublishedTable&) {
       auto dialog = MakeOpenDialog(object);
       dialog->SetName(object.name);
       return form.InsertComponent(std::move(dialog));
     }},
};

const RegisteredClass* FindClass(std::string_view name) {
  for (const RegisteredClass& entry : kClasses) {
    if (entry.name == name) return &entry;
  }
  return nullptr;
}

// --- The form ------------------------------------------------------------------------------

FormSettings ReadFormSettings(const ObjectDescription& object, const PublishedTable& published) {
  FormSettings settings;
  for (const PropertyDescription& property : object.properties) {
    const std::string& name = property.name;
    if (name == "Left") settings.bounds.left = IntegerOf(property);
    else if (name == "Top") settings.bounds.top = IntegerOf(property);
    else if (name == "Width") settings.bounds.width = IntegerOf(property);
    else if (name == "Height") settings.bounds.height = IntegerOf(property);
    else if (name == "Caption") settings.caption = TextOf(property);
    else if (name == "PixelsPerInch") settings.pixelsPerInch = IntegerOf(property);
    else if (name == "TextHeight") settings.textHeight = IntegerOf(property);
    else if (name == "OnShow") settings.onShow = HandlerOf(property, published);
    else if (!ReadFontProperty(property, settings.font)) UnknownProperty(property, object.className);
  }
  return settings;
}

}  // namespace

void ReadForm(TForm& form, const ObjectDescription& description, const PublishedTable& published) {
  if (description.className != form.ClassName()) {
    Fail(description.line, "Klasse " + description.className + " ist nicht " + form.ClassName());
  }
  form.SetName(description.name);
  form.ApplySettings(ReadFormSettings(description, published));

  std::set<std::string> filled;
  for (const ObjectDescription& child : description.children) {
    const RegisteredClass* entry = FindClass(child.className);
    if (!entry) Fail(child.line, "Klasse " + child.className + " nicht gefunden");
    if (!child.children.empty()) Fail(child.children.front().line, child.className + " kann keine Komponenten enthalten");
    const auto field = std::find_if(published.fields.begin(), published.fields.end(),
                                    [&child](const PublishedField& f) { return f.name == child.name; });
    if (field == published.fields.end()) Fail(child.line, "Feld " + child.name + " nicht gefunden");
    TComponent* component = entry->make(form, child, published);
    if (!field->assign(component)) {
      Fail(child.line, "Feld " + child.name + " ist nicht vom Typ " + child.className);
    }
    filled.insert(child.name);
  }
  for (const PublishedField& field : published.fields) {
    if (!filled.count(field.name)) Fail(description.line, "Komponente " + field.name + " fehlt");
  }
}

void ReadFormResource(TForm& form, std::string_view resourceName, const PublishedTable& published) {
  const auto bytes = classlib::LoadDataResource(resourceName);
  const std::string_view text(reinterpret_cast<const char*>(bytes.data()), bytes.size());
  ReadForm(form, ParseFormDescription(text), published);
}
