// What TRegistry does with the registry, case by case, the same on the host's in-memory hive
// and on the real registry under Wine. The layouts are the client's: an "Options" key with a
// "DownloadFolder" value and a "Download List" key with one subkey per download entry, all
// below the case's scratch key.

#include <gtest/gtest.h>

#include <cctype>
#include <functional>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "classlib/core/errors.h"
#include "classlib/core/strings.h"
#include "classlib/registry/registry.h"
#include "contract/registry_fixture.h"

namespace {

using namespace std::string_view_literals;
using contract::RegistryScratch;
using contract::Stored;
using contract::StoredValue;
namespace api = classlib::registry_api;

const std::string kBadTypeMessage = "Ung\xFCltiger Datentyp f\xFCr 'DownloadFolder'";
const std::string kWriteFailedMessage = "Konnte Daten f\xFCr 'Offset' nicht setzen";

// The message of the ERegistryException that `action` raised, or none.
std::optional<std::string> RegistryError(const std::function<void()>& action) {
  try {
    action();
  } catch (const ERegistryException& error) {
    return error.Message();
  }
  return std::nullopt;
}

// --- Reading a value ---------------------------------------------------------------------

struct ReadCase {
  const char* label;
  bool keyExists;
  std::optional<StoredValue> stored;  // "DownloadFolder" in "Options"
  bool fullAccessRefused;
  std::string text;
  std::optional<std::string> error;
  friend void PrintTo(const ReadCase& c, std::ostream* out) { *out << c.label; }
};

const ReadCase kReadCases[] = {
    {"KeyMissing", false, std::nullopt, false, "", std::nullopt},
    {"ValueMissing", true, std::nullopt, false, "", std::nullopt},
    {"EmptyData", true, Stored(api::kSz, ""), false, "", std::nullopt},
    {"OnlyATerminator", true, Stored(api::kSz, "\0"sv), false, "", std::nullopt},
    {"String", true, Stored(api::kSz, "C:\\Downloads\0"sv), false, "C:\\Downloads", std::nullopt},
    {"Cp1252BytesKept", true, Stored(api::kSz, "C:\\Dateien\\M\xFCller \x80\0"sv), false,
     "C:\\Dateien\\M\xFCller \x80", std::nullopt},
    {"ExpandStringLeftUnexpanded", true, Stored(api::kExpandSz, "%USERPROFILE%\\Downloads\0"sv),
     false, "%USERPROFILE%\\Downloads", std::nullopt},
    {"ZeroByteInsideEndsTheText", true, Stored(api::kSz, "C:\\A\0C:\\B\0"sv), false, "C:\\A",
     std::nullopt},
    {"NoTerminatorReadWhole", true, Stored(api::kSz, "C:\\Downloads"), false, "C:\\Downloads",
     std::nullopt},
    {"DwordIsInvalidType", true, Stored(api::kDword, "\x01\0\0\0"sv), false, "", kBadTypeMessage},
    {"BinaryWithoutDataIsEmpty", true, Stored(api::kBinary, ""), false, "", std::nullopt},
    {"BinaryWithDataIsInvalidType", true, Stored(api::kBinary, "C:"), false, "", kBadTypeMessage},
    {"MultiStringIsInvalidType", true, Stored(api::kMultiSz, "C:\\A\0C:\\B\0\0"sv), false, "",
     kBadTypeMessage},
    {"FullAccessRefusedCountsAsMissing", true, Stored(api::kSz, "C:\\Downloads\0"sv), true, "",
     std::nullopt},
};

class ReadStringContract : public ::testing::TestWithParam<ReadCase> {};

TEST_P(ReadStringContract, ReadsTheDownloadFolder) {
  const auto& c = GetParam();
  RegistryScratch scratch;
  if (c.keyExists) scratch.CreateKey("Options");
  if (c.stored) scratch.SetValue("Options", "DownloadFolder", *c.stored);
  if (c.fullAccessRefused) scratch.DenyFullAccess("Options");

  TRegistry registry;
  static_cast<void>(registry.OpenKey(scratch.PathOf("Options")));  // the read decides
  std::string text = "untouched";
  const auto error = RegistryError([&] { text = registry.ReadString("DownloadFolder"); });

  EXPECT_EQ(error, c.error);
  EXPECT_EQ(text, c.error ? "untouched" : c.text);
}

INSTANTIATE_TEST_SUITE_P(Cases, ReadStringContract, ::testing::ValuesIn(kReadCases),
                         [](const auto& tested) { return std::string(tested.param.label); });

// --- Listing subkeys ---------------------------------------------------------------------

struct ListCase {
  const char* label;
  bool keyExists;
  std::vector<std::string> subkeys;  // made in this order (already sorted: Wine sorts)
  std::vector<std::string> values;
  bool fullAccessRefused;
  std::vector<std::string> listed;
  friend void PrintTo(const ListCase& c, std::ostream* out) { *out << c.label; }
};

const ListCase kListCases[] = {
    {"NamesUnchangedInOrder", true, {"M\xFCller - Live.mp3", "Song One.MP3", "track 3.ogg"},
     {"Offset"}, false, {"M\xFCller - Live.mp3", "Song One.MP3", "track 3.ogg"}},
    {"ValuesAreNotListed", true, {}, {"Offset", "Size"}, false, {}},
    {"KeyMissing", false, {}, {}, false, {}},
    {"FullAccessRefusedCountsAsMissing", true, {"a.mp3"}, {}, true, {}},
};

class GetKeyNamesContract : public ::testing::TestWithParam<ListCase> {};

TEST_P(GetKeyNamesContract, ListsTheDownloadEntries) {
  const auto& c = GetParam();
  RegistryScratch scratch;
  if (c.keyExists) scratch.CreateKey("Download List");
  for (const auto& name : c.subkeys) scratch.CreateKey("Download List\\" + name);
  for (const auto& name : c.values) scratch.SetValue("Download List", name, Stored(api::kSz, "1\0"sv));
  if (c.fullAccessRefused) scratch.DenyFullAccess("Download List");

  TStringList list;
  list.Add("left over from before");
  TRegistry registry;
  static_cast<void>(registry.OpenKey(scratch.PathOf("Download List")));
  registry.GetKeyNames(list);

  EXPECT_EQ(list.ToVector(), c.listed);
}

INSTANTIATE_TEST_SUITE_P(Cases, GetKeyNamesContract, ::testing::ValuesIn(kListCases),
                         [](const auto& tested) { return std::string(tested.param.label); });

// --- Writing a value ---------------------------------------------------------------------

struct WriteCase {
  const char* label;
  std::optional<StoredValue> before;  // "Offset" of the entry
  std::string text;
  StoredValue after;
  friend void PrintTo(const WriteCase& c, std::ostream* out) { *out << c.label; }
};

const WriteCase kWriteCases[] = {
    {"Zero", std::nullopt, "0", Stored(api::kSz, "0\0"sv)},
    {"MinusOne", std::nullopt, "-1", Stored(api::kSz, "-1\0"sv)},
    {"SmallestOffset", std::nullopt, "-2147483648", Stored(api::kSz, "-2147483648\0"sv)},
    {"LargestOffset", std::nullopt, "2147483647", Stored(api::kSz, "2147483647\0"sv)},
    {"DwordBecomesString", Stored(api::kDword, "\x00\x28\0\0"sv), "10240",
     Stored(api::kSz, "10240\0"sv)},
    {"LongerStringReplaced", Stored(api::kSz, "123456789\0"sv), "7", Stored(api::kSz, "7\0"sv)},
};

class WriteStringContract : public ::testing::TestWithParam<WriteCase> {};

TEST_P(WriteStringContract, StoresTheOffsetAsString) {
  const auto& c = GetParam();
  RegistryScratch scratch;
  scratch.CreateKey("Download List\\song.mp3");
  if (c.before) scratch.SetValue("Download List\\song.mp3", "Offset", *c.before);

  {
    TRegistry registry;
    static_cast<void>(registry.OpenKey(scratch.PathOf("Download List\\song.mp3")));
    registry.WriteString("Offset", c.text);
  }

  EXPECT_EQ(scratch.Value("Download List\\song.mp3", "Offset"), c.after);
}

INSTANTIATE_TEST_SUITE_P(Cases, WriteStringContract, ::testing::ValuesIn(kWriteCases),
                         [](const auto& tested) { return std::string(tested.param.label); });

struct RefusedWriteCase {
  const char* label;
  std::function<void(RegistryScratch&)> layout;
  std::function<void(RegistryScratch&)> afterOpen;  // what the client does meanwhile
  friend void PrintTo(const RefusedWriteCase& c, std::ostream* out) { *out << c.label; }
};

const RefusedWriteCase kRefusedWriteCases[] = {
    {"ClientNotInstalled", [](RegistryScratch&) {}, nullptr},
    {"EntryGone", [](RegistryScratch& s) { s.CreateKey("Download List\\other.mp3"); }, nullptr},
    {"FullAccessRefused",
     [](RegistryScratch& s) {
       s.CreateKey("Download List\\song.mp3");
       s.DenyFullAccess("Download List\\song.mp3");
     },
     nullptr},
    {"EntryRemovedWhileOpen", [](RegistryScratch& s) { s.CreateKey("Download List\\song.mp3"); },
     [](RegistryScratch& s) { s.DeleteKey("Download List\\song.mp3"); }},
};

class RefusedWriteContract : public ::testing::TestWithParam<RefusedWriteCase> {};

TEST_P(RefusedWriteContract, FailsAndWritesNothingAnywhere) {
  const auto& c = GetParam();
  RegistryScratch scratch;
  c.layout(scratch);

  TRegistry registry;
  static_cast<void>(registry.OpenKey(scratch.PathOf("Download List\\song.mp3")));
  if (c.afterOpen) c.afterOpen(scratch);
  const auto before = scratch.Snapshot();

  EXPECT_EQ(RegistryError([&] { registry.WriteString("Offset", "0"); }), kWriteFailedMessage);
  EXPECT_EQ(scratch.Snapshot(), before);
  EXPECT_FALSE(scratch.KeyExists("Download List\\song.mp3") &&
               scratch.Value("Download List\\song.mp3", "Offset"));
}

INSTANTIATE_TEST_SUITE_P(Cases, RefusedWriteContract, ::testing::ValuesIn(kRefusedWriteCases),
                         [](const auto& tested) { return std::string(tested.param.label); });

// --- Opening keys ------------------------------------------------------------------------

TEST(OpenKeyContract, NeverCreatesAKey) {
  RegistryScratch scratch;
  const auto before = scratch.Snapshot();

  TRegistry registry;
  EXPECT_FALSE(registry.OpenKey(scratch.PathOf("Download List\\song.mp3")));

  EXPECT_FALSE(registry.HasCurrentKey());
  EXPECT_FALSE(scratch.KeyExists("Download List"));
  EXPECT_EQ(scratch.Snapshot(), before);
}

TEST(OpenKeyContract, LeadingBackslashTakesThePathFromTheRoot) {
  RegistryScratch scratch;
  scratch.CreateKey("Options");
  scratch.CreateKey("Download List\\song.mp3");

  TRegistry registry;
  ASSERT_TRUE(registry.OpenKey("\\" + scratch.PathOf("Options")));
  EXPECT_EQ(registry.CurrentPath(), scratch.PathOf("Options"));
  // Taken from the current key "Options", this path would not exist.
  ASSERT_TRUE(registry.OpenKey("\\" + scratch.PathOf("Download List\\song.mp3")));
  EXPECT_EQ(registry.CurrentPath(), scratch.PathOf("Download List\\song.mp3"));
  registry.WriteString("Offset", "-1");

  EXPECT_EQ(scratch.Value("Download List\\song.mp3", "Offset"), Stored(api::kSz, "-1\0"sv));
}

TEST(OpenKeyContract, PathWithoutBackslashIsTakenFromTheCurrentKey) {
  RegistryScratch scratch;
  scratch.CreateKey("Download List\\song.mp3");

  TRegistry registry;
  EXPECT_FALSE(registry.OpenKey("song.mp3"));  // not below the root
  ASSERT_TRUE(registry.OpenKey(scratch.PathOf("Download List")));
  ASSERT_TRUE(registry.OpenKey("song.mp3"));
  EXPECT_EQ(registry.CurrentPath(), scratch.PathOf("Download List\\song.mp3"));
  registry.WriteString("Offset", "0");

  EXPECT_EQ(scratch.Value("Download List\\song.mp3", "Offset"), Stored(api::kSz, "0\0"sv));
}

TEST(OpenKeyContract, FailedOpenKeepsTheCurrentKey) {
  RegistryScratch scratch;
  scratch.CreateKey("Download List\\song.mp3");
  const int handlesBefore = scratch.OpenHandleCount();

  TRegistry registry;
  ASSERT_TRUE(registry.OpenKey(scratch.PathOf("Download List\\song.mp3")));
  EXPECT_FALSE(registry.OpenKey("gone.mp3"));
  EXPECT_FALSE(registry.OpenKey("\\" + scratch.PathOf("Download List\\gone.mp3")));

  EXPECT_TRUE(registry.HasCurrentKey());
  EXPECT_EQ(registry.CurrentPath(), scratch.PathOf("Download List\\song.mp3"));
  EXPECT_EQ(scratch.OpenHandleCount(), handlesBefore + 1);
  registry.WriteString("Offset", "5");
  EXPECT_EQ(scratch.Value("Download List\\song.mp3", "Offset"), Stored(api::kSz, "5\0"sv));
}

TEST(OpenKeyContract, NamesMatchInAnyCaseAndKeepTheirOwn) {
  RegistryScratch scratch;
  scratch.CreateKey("Download List\\Song One.MP3");
  std::string shouted = scratch.PathOf("DOWNLOAD LIST");
  for (auto& c : shouted) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));

  TRegistry registry;
  ASSERT_TRUE(registry.OpenKey(shouted));
  TStringList list;
  registry.GetKeyNames(list);

  EXPECT_EQ(list.ToVector(), std::vector<std::string>{"Song One.MP3"});
}

// --- Closing keys ------------------------------------------------------------------------

TEST(CloseKeyContract, OpeningAnotherKeyClosesThePreviousOne) {
  RegistryScratch scratch;
  scratch.CreateKey("Options");
  scratch.CreateKey("Download List");
  const int handlesBefore = scratch.OpenHandleCount();

  TRegistry registry;
  ASSERT_TRUE(registry.OpenKey(scratch.PathOf("Options")));
  EXPECT_EQ(scratch.OpenHandleCount(), handlesBefore + 1);
  ASSERT_TRUE(registry.OpenKey("\\" + scratch.PathOf("Download List")));
  EXPECT_EQ(scratch.OpenHandleCount(), handlesBefore + 1);
  ASSERT_TRUE(registry.OpenKey("\\" + scratch.PathOf("Options")));
  EXPECT_EQ(scratch.OpenHandleCount(), handlesBefore + 1);
}

TEST(CloseKeyContract, ClosedObjectReadsNothingAndCannotWrite) {
  RegistryScratch scratch;
  scratch.CreateKey("Options");
  scratch.SetValue("Options", "DownloadFolder", Stored(api::kSz, "C:\\Downloads\0"sv));
  scratch.SetValue("Options", "Offset", Stored(api::kSz, "1\0"sv));
  const int handlesBefore = scratch.OpenHandleCount();

  TRegistry registry;
  ASSERT_TRUE(registry.OpenKey(scratch.PathOf("Options")));
  registry.CloseKey();

  EXPECT_EQ(scratch.OpenHandleCount(), handlesBefore);
  EXPECT_FALSE(registry.HasCurrentKey());
  EXPECT_EQ(registry.ReadString("DownloadFolder"), "");
  EXPECT_EQ(RegistryError([&] { registry.WriteString("Offset", "0"); }), kWriteFailedMessage);
  EXPECT_EQ(scratch.Value("Options", "Offset"), Stored(api::kSz, "1\0"sv));
}

struct UseCase {
  const char* label;
  std::function<void(TRegistry&)> use;  // on a registry whose current key is "Options"
  friend void PrintTo(const UseCase& c, std::ostream* out) { *out << c.label; }
};

const UseCase kUseCases[] = {
    {"ReadString", [](TRegistry& r) { static_cast<void>(r.ReadString("DownloadFolder")); }},
    {"ReadStringOfInvalidType", [](TRegistry& r) { static_cast<void>(r.ReadString("Size")); }},
    {"GetKeyNames",
     [](TRegistry& r) {
       TStringList list;
       r.GetKeyNames(list);
     }},
    {"WriteString", [](TRegistry& r) { r.WriteString("Offset", "0"); }},
    {"OpenSubkeyRelative", [](TRegistry& r) { static_cast<void>(r.OpenKey("Sub")); }},
    {"FailedOpen", [](TRegistry& r) { static_cast<void>(r.OpenKey("Missing")); }},
};

class ReleaseContract : public ::testing::TestWithParam<UseCase> {};

TEST_P(ReleaseContract, LeavesNoKeyOpen) {
  RegistryScratch scratch;
  scratch.CreateKey("Options\\Sub");
  scratch.SetValue("Options", "DownloadFolder", Stored(api::kSz, "C:\\Downloads\0"sv));
  scratch.SetValue("Options", "Size", Stored(api::kDword, "\x01\0\0\0"sv));
  const int handlesBefore = scratch.OpenHandleCount();

  try {
    TRegistry registry;
    ASSERT_TRUE(registry.OpenKey(scratch.PathOf("Options")));
    ASSERT_EQ(scratch.OpenHandleCount(), handlesBefore + 1);  // the count does see the key
    GetParam().use(registry);
  } catch (const ERegistryException&) {
    // Passing through the release is the point of the case.
  }

  EXPECT_EQ(scratch.OpenHandleCount(), handlesBefore);
}

INSTANTIATE_TEST_SUITE_P(Cases, ReleaseContract, ::testing::ValuesIn(kUseCases),
                         [](const auto& tested) { return std::string(tested.param.label); });

}  // namespace
