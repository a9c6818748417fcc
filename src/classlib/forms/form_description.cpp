#include "classlib/forms/form_description.h"

#include <algorithm>
#include <limits>
#include <map>
#include <string>

#include "classlib/core/messages.h"

namespace {

constexpr std::string_view kMissingEnd = "'end' fehlt f\xFCr Objekt '%s'";
constexpr std::string_view kStrayEnd = "'end' ohne 'object'";
constexpr std::string_view kTextAfterKeywordEnd = "Unerwarteter Text nach 'end'";
constexpr std::string_view kBadObjectHeader = "'object Name: TKlasse' erwartet";
constexpr std::string_view kPropertyOutsideObject = "Eigenschaft au\xDF" "erhalb eines Objekts";
constexpr std::string_view kTextAfterEnd = "Text nach dem Ende der Beschreibung";
constexpr std::string_view kNoObject = "Keine Objektbeschreibung";
constexpr std::string_view kBadPropertyName = "Eigenschaftsname erwartet";
constexpr std::string_view kMissingEquals = "'=' fehlt nach '%s'";
constexpr std::string_view kMissingValue = "Wert fehlt";
constexpr std::string_view kBadValue = "Ung\xFCltiger Wert";
constexpr std::string_view kTextAfterValue = "Unerwarteter Text nach dem Wert";
constexpr std::string_view kNumberOutOfRange = "Zahl au\xDF" "erhalb des Wertebereichs";
constexpr std::string_view kUnterminatedText = "Text ohne schlie\xDF" "endes Hochkomma";
constexpr std::string_view kMissingCharCode = "Zeichencode nach '#' fehlt";
constexpr std::string_view kCharCodeOutOfRange = "Zeichencode #%s au\xDF" "erhalb von 0..255";
constexpr std::string_view kBadSetElement = "Bezeichner in Menge erwartet";
constexpr std::string_view kMissingSetEnd = "']' fehlt";
constexpr std::string_view kDuplicateProperty = "Eigenschaft '%s' doppelt";
constexpr std::string_view kDuplicateName = "Name '%s' doppelt";

using classlib::description::Fail;

bool IsBlank(char c) { return c == ' ' || c == '\t'; }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }
bool IsIdentifierStart(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_'; }
bool IsIdentifierChar(char c) { return IsIdentifierStart(c) || IsDigit(c); }

// Reads one line of the description from left to right; every failure names the line.
class LineReader {
public:
  LineReader(std::string_view text, int line) : text_(text), line_(line) {}

  int Line() const { return line_; }
  bool AtEnd() const { return pos_ == text_.size(); }
  char Peek() const { return AtEnd() ? '\0' : text_[pos_]; }
  std::string_view Rest() const { return text_.substr(pos_); }

  void SkipBlanks() {
    while (!AtEnd() && IsBlank(text_[pos_])) ++pos_;
  }

  bool Accept(char c) {
    if (AtEnd() || text_[pos_] != c) return false;
    ++pos_;
    return true;
  }

  // An identifier, or an empty string when none starts here.
  std::string_view Identifier() {
    const auto start = pos_;
    if (AtEnd() || !IsIdentifierStart(text_[pos_])) return {};
    while (!AtEnd() && IsIdentifierChar(text_[pos_])) ++pos_;
    return text_.substr(start, pos_ - start);
  }

  // Identifiers joined by dots without blanks: Font.Height.
  std::string_view DottedName() {
    const auto start = pos_;
    if (Identifier().empty()) return {};
    while (Peek() == '.') {
      ++pos_;
      if (Identifier().empty()) Fail(line_, kBadPropertyName);
    }
    return text_.substr(start, pos_ - start);
  }

  PropertyValue Value() {
    const char c = Peek();
    if (AtEnd()) Fail(line_, kMissingValue);
    if (c == '\'' || c == '#') return TextValue();
    if (c == '[') return SetValue();
    if (c == '-' || c == '+' || IsDigit(c)) return IntegerValue();
    if (IsIdentifierStart(c)) {
      PropertyValue value;
      value.kind = PropertyValue::Kind::Identifier;
      value.text = std::string(Identifier());
      return value;
    }
    Fail(line_, kBadValue);
  }

private:
  PropertyValue IntegerValue() {
    const bool negative = Peek() == '-';
    if (Peek() == '-' || Peek() == '+') ++pos_;
    if (!IsDigit(Peek())) Fail(line_, kBadValue);
    // Accumulated as a negative number so that the most negative value fits too.
    constexpr std::int64_t kMin = std::numeric_limits<std::int64_t>::min();
    std::int64_t value = 0;
    while (IsDigit(Peek())) {
      const int digit = text_[pos_++] - '0';
      if (value < (kMin + digit) / 10) Fail(line_, kNumberOutOfRange);
      value = value * 10 - digit;
    }
    if (!negative) {
      if (value == kMin) Fail(line_, kNumberOutOfRange);
      value = -value;
    }
    if (IsIdentifierChar(Peek())) Fail(line_, kBadValue);  // 12px, 0x1F
    PropertyValue result;
    result.integer = value;
    return result;
  }

  // Quoted pieces and #NNN bytes, written next to each other: 'abc'#252'def'.
  PropertyValue TextValue() {
    PropertyValue result;
    result.kind = PropertyValue::Kind::Text;
    for (;;) {
      if (Accept('\'')) {
        for (;;) {
          if (AtEnd()) Fail(line_, kUnterminatedText);
          const char c = text_[pos_++];
          if (c != '\'') {
            result.text += c;
          } else if (Accept('\'')) {
            result.text += '\'';
          } else {
            break;
          }
        }
      } else if (Accept('#')) {
        const auto start = pos_;
        int code = 0;
        while (IsDigit(Peek())) code = std::min(code * 10 + (text_[pos_++] - '0'), 256);
        const auto digits = text_.substr(start, pos_ - start);
        if (digits.empty()) Fail(line_, kMissingCharCode);
        if (code > 255) Fail(line_, FormatText(kCharCodeOutOfRange, digits));
        result.text += static_cast<char>(static_cast<unsigned char>(code));
      } else {
        return result;
      }
    }
  }

  PropertyValue SetValue() {
    PropertyValue result;
    result.kind = PropertyValue::Kind::Set;
    Accept('[');
    SkipBlanks();
    if (Accept(']')) return result;
    for (;;) {
      SkipBlanks();
      const auto element = Identifier();
      if (element.empty()) Fail(line_, kBadSetElement);
      result.elements.emplace_back(element);
      SkipBlanks();
      if (Accept(']')) return result;
      if (AtEnd()) Fail(line_, kMissingSetEnd);
      if (!Accept(',')) Fail(line_, kBadSetElement);
    }
  }

  std::string_view text_;
  std::size_t pos_ = 0;
  int line_;
};

std::string_view TrimTrailingBlanks(std::string_view text) {
  while (!text.empty() && (IsBlank(text.back()) || text.back() == '\r')) text.remove_suffix(1);
  return text;
}

// `object Name: TClass`, with blanks allowed around the colon.
ObjectDescription ObjectHeader(LineReader& reader) {
  reader.Identifier();  // "object"
  if (!IsBlank(reader.Peek())) Fail(reader.Line(), kBadObjectHeader);
  reader.SkipBlanks();
  ObjectDescription object;
  object.line = reader.Line();
  object.name = std::string(reader.Identifier());
  reader.SkipBlanks();
  if (object.name.empty() || !reader.Accept(':')) Fail(reader.Line(), kBadObjectHeader);
  reader.SkipBlanks();
  object.className = std::string(reader.Identifier());
  if (object.className.empty() || !reader.AtEnd()) Fail(reader.Line(), kBadObjectHeader);
  return object;
}

PropertyDescription Property(LineReader& reader) {
  PropertyDescription property;
  property.line = reader.Line();
  property.name = std::string(reader.DottedName());
  if (property.name.empty()) Fail(reader.Line(), kBadPropertyName);
  reader.SkipBlanks();
  if (!reader.Accept('=')) Fail(reader.Line(), FormatText(kMissingEquals, property.name));
  reader.SkipBlanks();
  property.value = reader.Value();
  if (!reader.AtEnd()) Fail(reader.Line(), kTextAfterValue);
  return property;
}

bool StartsWithWord(std::string_view line, std::string_view word) {
  return line.substr(0, word.size()) == word &&
         (line.size() == word.size() || !IsIdentifierChar(line[word.size()]));
}

// Builds the tree line by line; `open` holds the objects whose `end` has not come yet.
class Builder {
public:
  void Line(std::string_view text, int line) {
    lastLine_ = line;
    LineReader reader(TrimTrailingBlanks(text), line);
    reader.SkipBlanks();
    if (reader.AtEnd() || reader.Rest().substr(0, 2) == "//") return;
    if (done_) Fail(line, kTextAfterEnd);

    if (StartsWithWord(reader.Rest(), "object")) {
      auto object = ObjectHeader(reader);
      const auto [at, isNew] = nameLines_.emplace(object.name, line);
      if (!isNew) {
        Fail(line, FormatText(kDuplicateName, object.name) + " (schon in Zeile " +
                       std::to_string(at->second) + ")");
      }
      open_.push_back(std::move(object));
    } else if (StartsWithWord(reader.Rest(), "end")) {
      if (reader.Rest() != "end") Fail(line, kTextAfterKeywordEnd);
      if (open_.empty()) Fail(line, kStrayEnd);
      auto object = std::move(open_.back());
      open_.pop_back();
      if (open_.empty()) {
        root_ = std::move(object);
        done_ = true;
      } else {
        open_.back().children.push_back(std::move(object));
      }
    } else {
      if (open_.empty()) Fail(line, kPropertyOutsideObject);
      auto property = Property(reader);
      auto& owner = open_.back();
      if (owner.Find(property.name) != nullptr) Fail(line, FormatText(kDuplicateProperty, property.name));
      owner.properties.push_back(std::move(property));
    }
  }

  ObjectDescription Finish() {
    if (!open_.empty()) Fail(open_.back().line, FormatText(kMissingEnd, open_.back().name));
    if (!done_) Fail(lastLine_, kNoObject);
    return std::move(root_);
  }

private:
  std::vector<ObjectDescription> open_;
  std::map<std::string, int, std::less<>> nameLines_;
  ObjectDescription root_;
  bool done_ = false;
  int lastLine_ = 1;
};

}  // namespace

void classlib::description::Fail(int line, std::string_view what) {
  throw EFormDescriptionError("Formularbeschreibung, Zeile " + std::to_string(line) + ": " +
                              std::string(what));
}

const PropertyDescription* ObjectDescription::Find(std::string_view propertyName) const {
  for (const auto& property : properties) {
    if (property.name == propertyName) return &property;
  }
  return nullptr;
}

ObjectDescription ParseFormDescription(std::string_view text) {
  Builder builder;
  // A final line break ends the last line; it does not start another one.
  for (int line = 1; !text.empty(); ++line) {
    const auto newline = text.find('\n');
    builder.Line(text.substr(0, newline), line);
    text.remove_prefix(newline == std::string_view::npos ? text.size() : newline + 1);
  }
  return builder.Finish();
}
