// Fuzzes the check of a download entry's name (the input, byte for byte) as a plain file name.
// Aborts where an accepted name could reach another file, a folder or a device, where a refusal
// gives no reason, or where the answer changes under edits that cannot change what Windows opens.

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

#include "repair/entry_name.h"

namespace {

[[noreturn]] void Violated(const char* what, std::string_view name) {
  std::fprintf(stderr, "entry_name_fuzzer: %s\nname: ", what);
  for (const char c : name) std::fprintf(stderr, "\\x%02X", static_cast<unsigned char>(c));
  std::fprintf(stderr, "\n");
  std::abort();
}

bool Accepted(std::string_view name) {
  const auto why = repair::WhyNotAPlainFileName(name);
  if (why && why->empty()) Violated("refused without a reason", name);
  return !why;
}

bool RefusedAsDevice(std::string_view name) {
  const auto why = repair::WhyNotAPlainFileName(name);
  return why && why->starts_with("it names the device ");
}

// Windows matches names without regard to ASCII case.
std::string OtherCase(std::string_view name) {
  std::string other(name);
  for (char& c : other) {
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    else if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  }
  return other;
}

void CheckAccepted(std::string_view name) {
  if (name == "." || name == "..") Violated("a folder accepted", name);
  for (const char c : name) {
    const auto byte = static_cast<unsigned char>(c);
    if (byte < 0x20 || std::string_view("\\/:<>\"|?*").find(c) != std::string_view::npos) {
      Violated("a character Windows does not allow, or that leads elsewhere, accepted", name);
    }
  }
  if (name.back() == ' ' || name.back() == '.') Violated("a name Windows shortens accepted", name);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view name(reinterpret_cast<const char*>(data), size);
  const bool accepted = Accepted(name);
  if (accepted) CheckAccepted(name);
  if (Accepted(OtherCase(name)) != accepted) Violated("the answer depends on the letters' case", name);

  // An extension neither makes a plain file name a device nor a device a plain file name.
  const std::string owned(name);
  for (const char* extension : {".txt", " .txt"}) {
    if (accepted && !Accepted(owned + extension)) Violated("an extension makes a plain name unusable", name);
    if (RefusedAsDevice(name) && !RefusedAsDevice(owned + extension)) {
      Violated("an extension turns a device into a file", name);
    }
  }
  return 0;
}
