// Fuzzes the form description: the parser and then the reader, into a form shaped like the
// main window. A description may be refused only with EFormDescriptionError (the reader may
// also pass on the Exception of a missing picture resource); anything else that escapes, a
// crash, a leak or undefined behaviour is a fault. What the parser accepts must also be a tree
// that, written back out, reads the same, and what the reader accepts must be a whole form.

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "classlib/application/application.h"
#include "classlib/controls/extctrls.h"
#include "classlib/controls/stdctrls.h"
#include "classlib/dialogs/dialogs.h"
#include "classlib/forms/form.h"
#include "classlib/forms/form_description.h"
#include "classlib/forms/form_reader.h"

namespace {

[[noreturn]] void Violated(const char* what, std::string_view detail = {}) {
  std::fprintf(stderr, "form_description_fuzzer: %s\n%.*s\n", what, static_cast<int>(detail.size()),
               detail.data());
  std::abort();
}

// The main window's class name, fields and handler names (ui/form1.h), without its behaviour,
// so that the fuzzer needs neither the repair code nor the client's registry data. Start-up
// reads the real description into it, which fails as soon as the two drift apart.
class TFuzzForm : public TForm {
public:
  explicit TFuzzForm(TComponent& owner) : TForm(owner, "TForm1") {}

  TComboBox* CBResume = nullptr;
  TLabel* Label1 = nullptr;
  TButton* BUpdate = nullptr;
  TLabel* Label2 = nullptr;
  TEdit* EDamaged = nullptr;
  TOpenDialog* ODFile = nullptr;
  TButton* BSelect = nullptr;
  TButton* BStart = nullptr;
  TLabel* LHomepage = nullptr;
  TButton* BExit = nullptr;
  TImage* Image1 = nullptr;
  TBevel* Bevel1 = nullptr;
  TLabel* Label3 = nullptr;
  TLabel* Label4 = nullptr;

  int handled = 0;
  void Handle(TObject*) { ++handled; }

  PublishedTable Published() {
    return {
        {Field("CBResume", CBResume), Field("Label1", Label1), Field("BUpdate", BUpdate),
         Field("Label2", Label2), Field("EDamaged", EDamaged), Field("ODFile", ODFile),
         Field("BSelect", BSelect), Field("BStart", BStart), Field("LHomepage", LHomepage),
         Field("BExit", BExit), Field("Image1", Image1), Field("Bevel1", Bevel1), Field("Label3", Label3),
         Field("Label4", Label4)},
        {Method("BUpdateClick", *this, &TFuzzForm::Handle), Method("BSelectClick", *this, &TFuzzForm::Handle),
         Method("BStartClick", *this, &TFuzzForm::Handle), Method("LHomepageClick", *this, &TFuzzForm::Handle),
         Method("BExitClick", *this, &TFuzzForm::Handle)},
    };
  }

  std::vector<std::pair<std::string_view, TComponent*>> Fields() const {
    return {{"CBResume", CBResume}, {"Label1", Label1},       {"BUpdate", BUpdate}, {"Label2", Label2},
            {"EDamaged", EDamaged}, {"ODFile", ODFile},       {"BSelect", BSelect}, {"BStart", BStart},
            {"LHomepage", LHomepage}, {"BExit", BExit},       {"Image1", Image1},   {"Bevel1", Bevel1},
            {"Label3", Label3},     {"Label4", Label4}};
  }
};

// --- The parser's tree, written back -------------------------------------------------------

std::string Written(const PropertyValue& value) {
  switch (value.kind) {
    case PropertyValue::Kind::Integer:
      return std::to_string(value.integer);
    case PropertyValue::Kind::Identifier:
      return value.text;
    case PropertyValue::Kind::Text: {
      // Every byte outside printable ASCII as #NNN, so that line breaks and CRs survive.
      std::string written;
      bool quoted = false;
      for (const char c : value.text) {
        const auto byte = static_cast<unsigned char>(c);
        const bool plain = byte >= 0x20 && byte < 0x7F;
        if (plain != quoted) written += '\'';
        quoted = plain;
        if (!plain) written += '#' + std::to_string(byte);
        else written += c == '\'' ? std::string("''") : std::string(1, c);
      }
      if (quoted) written += '\'';
      return written.empty() ? "''" : written;
    }
    case PropertyValue::Kind::Set: {
      std::string written = "[";
      for (const auto& element : value.elements) written += (written.size() > 1 ? ", " : "") + element;
      return written + "]";
    }
  }
  Violated("unknown value kind");
}

void Write(const ObjectDescription& object, std::string& out) {
  out += "object " + object.name + ": " + object.className + "\n";
  for (const auto& property : object.properties) out += property.name + " = " + Written(property.value) + "\n";
  for (const auto& child : object.children) Write(child, out);
  out += "end\n";
}

bool Same(const PropertyValue& a, const PropertyValue& b) {
  return a.kind == b.kind && a.integer == b.integer && a.text == b.text && a.elements == b.elements;
}

// Equal apart from the line numbers, which depend on the layout.
bool Same(const ObjectDescription& a, const ObjectDescription& b) {
  if (a.name != b.name || a.className != b.className || a.properties.size() != b.properties.size() ||
      a.children.size() != b.children.size()) {
    return false;
  }
  for (std::size_t i = 0; i < a.properties.size(); ++i) {
    if (a.properties[i].name != b.properties[i].name || !Same(a.properties[i].value, b.properties[i].value)) {
      return false;
    }
  }
  for (std::size_t i = 0; i < a.children.size(); ++i) {
    if (!Same(a.children[i], b.children[i])) return false;
  }
  return true;
}

// Every line number names a line of the text, and comes after the line of the object it is in.
void CheckLines(const ObjectDescription& object, int after, int lines) {
  if (object.line <= after || object.line > lines) Violated("object line out of place", object.name);
  for (const auto& property : object.properties) {
    if (property.line <= object.line || property.line > lines) Violated("property line out of place", property.name);
  }
  for (const auto& child : object.children) CheckLines(child, object.line, lines);
}

int LineCount(std::string_view text) {
  int lines = 0;
  for (std::size_t at = 0; at < text.size(); ++lines) {
    const auto newline = text.find('\n', at);
    at = newline == std::string_view::npos ? text.size() : newline + 1;
  }
  return lines;
}

void CheckParsed(const ObjectDescription& description, std::string_view text) {
  CheckLines(description, 0, LineCount(text));
  std::string written;
  Write(description, written);
  try {
    if (!Same(ParseFormDescription(written), description)) Violated("written back, it reads differently", written);
  } catch (const EFormDescriptionError& error) {
    Violated("written back, it is refused", error.Message() + "\n" + written);
  }
}

// --- The reader ----------------------------------------------------------------------------

// A form the reader accepted: every field holds the form's component of its name, and the
// bound events run.
void CheckRead(TFuzzForm& form) {
  for (const auto& [name, component] : form.Fields()) {
    if (component == nullptr) Violated("accepted with an empty field", name);
    if (component->Name() != name || component->Owner() != &form || form.FindComponent(std::string(name)) != component) {
      Violated("a field holds another component", name);
    }
  }
  for (TControl* control : form.Controls()) {
    if (&control->Parent() != &form) Violated("a control of another form", control->Name());
    control->Click();
    (void)control->Font();
  }
  form.Show();
}

TApplication& App() {
  static TApplication application;
  return application;
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  TFuzzForm form(App());
  try {
    ReadFormResource(form, "TFORM1", form.Published());
  } catch (const Exception& error) {
    Violated("the main window's description does not fit the fuzzed form's shape", error.Message());
  }
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  ObjectDescription description;
  try {
    description = ParseFormDescription(text);
  } catch (const EFormDescriptionError&) {
    return 0;
  }
  CheckParsed(description, text);

  TFuzzForm form(App());
  try {
    ReadForm(form, description, form.Published());
  } catch (const Exception&) {
    return 0;  // EFormDescriptionError, or a picture resource that does not exist
  }
  CheckRead(form);
  return 0;
}
