#include "repair/entry_name.h"

#include <algorithm>
#include <array>

namespace repair {
namespace {

constexpr std::string_view kForbiddenCharacters = "<>\"|?*";

char UpperAscii(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; }

// The device that Windows opens for `name` in any folder, whatever extension follows it and
// with blanks before the extension, or empty. "COM" and "LPT" take a digit, or one of the
// superscript digits 1, 2 and 3 (0xB9, 0xB2, 0xB3 in CP1252).
std::optional<std::string> DeviceNamed(std::string_view name) {
  std::string_view base = name.substr(0, name.find('.'));
  while (!base.empty() && base.back() == ' ') base.remove_suffix(1);
  std::string upper(base);
  std::transform(upper.begin(), upper.end(), upper.begin(), UpperAscii);

  static constexpr std::array<std::string_view, 6> kDevices = {"CON", "PRN",    "AUX",
                                                               "NUL", "CONIN$", "CONOUT$"};
  if (std::find(kDevices.begin(), kDevices.end(), upper) != kDevices.end()) return upper;
  if (upper.size() == 4 && (upper.starts_with("COM") || upper.starts_with("LPT"))) {
    const char number = upper[3];
    if ((number >= '0' && number <= '9') || number == '\xB9' || number == '\xB2' || number == '\xB3') {
      return upper;
    }
  }
  return std::nullopt;
}

}  // namespace

std::optional<std::string> WhyNotAPlainFileName(std::string_view name) {
  if (name.empty()) return "the name is empty";
  if (name == "." || name == "..") return "it names a folder, not a file";
  if (name.find_first_of("\\/") != std::string_view::npos) {
    return "it contains a folder separator and would name a file in another folder";
  }
  if (name.find(':') != std::string_view::npos) {
    return "it contains a colon and would name a drive or a data stream of another file";
  }
  for (const char c : name) {
    if (static_cast<unsigned char>(c) < 0x20) return "it contains a control character";
    if (kForbiddenCharacters.find(c) != std::string_view::npos) {
      return std::string("it contains the character '") + c + "', which Windows does not allow in file names";
    }
  }
  // Windows drops trailing blanks and periods from a file name, so the steps would act on the
  // file of the shorter name.
  if (name.back() == ' ' || name.back() == '.') {
    return "it ends with a blank or a period, which Windows drops, so another file would be used";
  }
  if (const auto device = DeviceNamed(name)) return "it names the device " + *device;
  return std::nullopt;
}

}  // namespace repair
