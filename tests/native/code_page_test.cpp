// Case in CP1252, which the application title and the in-memory hive's names both rely on: the
// two directions must map the same pairs of letters and leave every other byte alone.

#include <gtest/gtest.h>

#include "classlib/core/code_page.h"

namespace {

using classlib::cp1252::EqualsIgnoringCase;
using classlib::cp1252::ToLower;
using classlib::cp1252::ToUpper;

TEST(CodePageCase, LowerAndUpperMapTheSamePairsBothWays) {
  int capitals = 0;
  for (int byte = 0; byte < 256; ++byte) {
    const char c = static_cast<char>(byte);
    if (ToLower(c) != c) {
      ++capitals;
      EXPECT_EQ(ToUpper(ToLower(c)), c) << byte;
      EXPECT_EQ(ToUpper(c), c) << "a capital has no capital of its own: " << byte;
    }
    if (ToUpper(c) != c) {
      EXPECT_EQ(ToLower(ToUpper(c)), c) << byte;
    }
  }
  // A-Z, the Latin-1 capitals 0xC0..0xDE but the sign 0xD7, and four in 0x80..0x9F.
  EXPECT_EQ(capitals, 26 + 30 + 4);
}

TEST(CodePageCase, MapsTheLettersAndLeavesTheSigns) {
  struct Case {
    unsigned char capital;
    unsigned char small;
  };
  const Case letters[] = {{'A', 'a'},   {'Z', 'z'},   {0xC0, 0xE0}, {0xC4, 0xE4}, {0xDE, 0xFE},
                          {0x8A, 0x9A}, {0x8C, 0x9C}, {0x8E, 0x9E}, {0x9F, 0xFF}};
  for (const Case& c : letters) {
    EXPECT_EQ(ToLower(static_cast<char>(c.capital)), static_cast<char>(c.small)) << int{c.capital};
    EXPECT_EQ(ToUpper(static_cast<char>(c.small)), static_cast<char>(c.capital)) << int{c.small};
  }
  const unsigned char signs[] = {'@', '[', '`', '{', 0xD7, 0xF7, 0xDF, 0xB5, 0x80, 0x9D};
  for (const unsigned char sign : signs) {
    EXPECT_EQ(ToLower(static_cast<char>(sign)), static_cast<char>(sign)) << int{sign};
    EXPECT_EQ(ToUpper(static_cast<char>(sign)), static_cast<char>(sign)) << int{sign};
  }
}

TEST(CodePageCase, EqualsIgnoringCaseComparesWholeTexts) {
  EXPECT_TRUE(EqualsIgnoringCase("Download List", "DOWNLOAD list"));
  EXPECT_TRUE(EqualsIgnoringCase("\xC4rger \x8A", "\xE4RGER \x9A"));
  EXPECT_TRUE(EqualsIgnoringCase("", ""));
  EXPECT_FALSE(EqualsIgnoringCase("Offset", "Offsets"));
  EXPECT_FALSE(EqualsIgnoringCase("\xD7", "\xF7"));
}

}  // namespace
