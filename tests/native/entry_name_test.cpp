// Which download entry names can stand for a file of the current directory. The names come
// from other peers on the network, so each way a name could reach another file, a folder, a
// device or a data stream is refused with its reason.

#include "repair/entry_name.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

namespace {

using namespace std::string_literals;

constexpr char kSeparator[] = "it contains a folder separator and would name a file in another folder";
constexpr char kColon[] = "it contains a colon and would name a drive or a data stream of another file";
constexpr char kControl[] = "it contains a control character";
constexpr char kTrailing[] =
    "it ends with a blank or a period, which Windows drops, so another file would be used";

std::string Forbidden(char c) {
  return "it contains the character '"s + c + "', which Windows does not allow in file names";
}

struct RefusedName {
  std::string name;
  std::string why;
};

const RefusedName kRefusedNames[] = {
    {"", "the name is empty"},
    {".", "it names a folder, not a file"},
    {"..", "it names a folder, not a file"},
    {"../song.mp3", kSeparator},
    {"sub/song.mp3", kSeparator},
    {"/etc/passwd", kSeparator},
    {"..\\song.mp3", kSeparator},
    {"C:song.mp3", kColon},
    {"song.mp3:hidden", kColon},
    {"song.mp3::$DATA", kColon},
    {"CON", "it names the device CON"},
    {"con", "it names the device CON"},
    {"Con.mp3", "it names the device CON"},
    {"PRN", "it names the device PRN"},
    {"aux.tar.gz", "it names the device AUX"},
    {"NUL .mp3", "it names the device NUL"},
    {"COM1", "it names the device COM1"},
    {"com9.txt", "it names the device COM9"},
    {"COM0", "it names the device COM0"},
    {"LPT1", "it names the device LPT1"},
    {"lpt9.mp3", "it names the device LPT9"},
    {"COM\xB9", "it names the device COM\xB9"},
    {"lpt\xB3.txt", "it names the device LPT\xB3"},
    {"CONIN$", "it names the device CONIN$"},
    {"conout$.log", "it names the device CONOUT$"},
    {"a<b.mp3", Forbidden('<')},
    {"a>b.mp3", Forbidden('>')},
    {"say \"hi\".mp3", Forbidden('"')},
    {"a|b.mp3", Forbidden('|')},
    {"song?.mp3", Forbidden('?')},
    {"*", Forbidden('*')},
    {"*.mp3", Forbidden('*')},
    {"tab\there.mp3", kControl},
    {"\x01song.mp3", kControl},
    {"song.mp3\x1F", kControl},
    {"line\nbreak", kControl},
    {"song.mp3"s + '\0' + "x", kControl},
    {"song.mp3.", kTrailing},
    {"song.mp3 ", kTrailing},
    {"song ...", kTrailing},
};

TEST(WhyNotAPlainFileName, RefusesEveryNameThatIsNotOnePlainFileName) {
  for (const auto& c : kRefusedNames) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(repair::WhyNotAPlainFileName(c.name), c.why);
  }
}

TEST(WhyNotAPlainFileName, AcceptsOrdinaryNamesAsTheyAre) {
  const char* const names[] = {
      "song.mp3",
      "my song (live).mp3",
      " leading blank.mp3",
      "caf\xE9 \x80 \xFF.ogg",
      ".hidden",
      "a..b",
      "...x",
      "CONSOLE.txt",
      "COM10",
      "COM",
      "LPTX",
      "NULL.mp3",
      "xcon",
      "con-cert.mp3",
      "COM1x.mp3",
      "semi;colon,=",
      "[brackets]{}",
      "100%.mp3",
      "a\x7F"
      "b",
  };
  for (const char* name : names) EXPECT_EQ(repair::WhyNotAPlainFileName(name), std::nullopt) << name;
}

}  // namespace
