#include "classlib/core/code_page.h"

#include <algorithm>

namespace classlib::cp1252 {
namespace {

// The letters whose capital and small forms are not 0x20 apart.
struct CasePair {
  unsigned char capital;
  unsigned char small;
};
constexpr CasePair kHighPairs[] = {
    {0x8A, 0x9A},  // S caron
    {0x8C, 0x9C},  // OE
    {0x8E, 0x9E},  // Z caron
    {0x9F, 0xFF},  // Y diaeresis
};

bool IsPlainCapital(unsigned char c) { return (c >= 'A' && c <= 'Z') || (c >= 0xC0 && c <= 0xDE && c != 0xD7); }
bool IsPlainSmall(unsigned char c) { return (c >= 'a' && c <= 'z') || (c >= 0xE0 && c <= 0xFE && c != 0xF7); }

}  // namespace

char ToLower(char c) {
  const auto byte = static_cast<unsigned char>(c);
  if (IsPlainCapital(byte)) return static_cast<char>(byte + 0x20);
  for (const CasePair& pair : kHighPairs) {
    if (byte == pair.capital) return static_cast<char>(pair.small);
  }
  return c;
}

char ToUpper(char c) {
  const auto byte = static_cast<unsigned char>(c);
  if (IsPlainSmall(byte)) return static_cast<char>(byte - 0x20);
  for (const CasePair& pair : kHighPairs) {
    if (byte == pair.small) return static_cast<char>(pair.capital);
  }
  return c;
}

bool EqualsIgnoringCase(std::string_view a, std::string_view b) {
  return std::equal(a.begin(), a.end(), b.begin(), b.end(),
                    [](char x, char y) { return ToUpper(x) == ToUpper(y); });
}

}  // namespace classlib::cp1252
