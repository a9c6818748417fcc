// TRegistry in the situations that only the scripted hive can stage: an enumeration order the
// real registry (sorted under Wine) does not give, the client changing its keys between two
// seam calls, refused writes, and a list that refuses an item.

#include <gtest/gtest.h>

#include <functional>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "classlib/core/errors.h"
#include "classlib/core/messages.h"
#include "classlib/core/strings.h"
#include "classlib/registry/memory_hive.h"
#include "classlib/registry/registry.h"

namespace {

using namespace std::string_view_literals;
namespace api = classlib::registry_api;
namespace hive = classlib::memory_hive;

constexpr const char* kOptions = "Software\\Scour\\Scour Exchange\\Options";
constexpr const char* kDownloadList = "Software\\Scour\\Scour Exchange\\Download List";
const std::string kEntry = std::string(kDownloadList) + "\\song.mp3";

std::optional<std::string> RegistryError(const std::function<void()>& action) {
  try {
    action();
  } catch (const ERegistryException& error) {
    return error.Message();
  }
  return std::nullopt;
}

class ScriptedHive : public ::testing::Test {
protected:
  void SetUp() override { hive::Reset(); }
  void TearDown() override { hive::Reset(); }
};

using ListingTest = ScriptedHive;

TEST_F(ListingTest, KeepsTheRegistrysOrderEvenWhenItIsNotSorted) {
  for (const char* name : {"B", "A", "C"}) hive::CreateKey(std::string(kDownloadList) + '\\' + name);

  TRegistry registry;
  ASSERT_TRUE(registry.OpenKey(kDownloadList));
  TStringList list;
  registry.GetKeyNames(list);

  EXPECT_EQ(list.ToVector(), (std::vector<std::string>{"B", "A", "C"}));
}

struct ChangeCase {
  const char* label;
  std::function<void()> change;  // right after the subkeys were counted
  std::vector<std::string> listed;
  friend void PrintTo(const ChangeCase& c, std::ostream* out) { *out << c.label; }
};

std::string Entry(const char* name) { return std::string(kDownloadList) + '\\' + name; }

const ChangeCase kChangeCases[] = {
    // Longer than the longest name when the buffer was sized: it cannot be read whole.
    {"RenamedLonger", [] { hive::RenameKey(Entry("b.mp3"), "b (renamed).mp3"); },
     {"a.mp3", "c.mp3"}},
    {"RenamedSameLength", [] { hive::RenameKey(Entry("b.mp3"), "x.mp3"); },
     {"a.mp3", "x.mp3", "c.mp3"}},
    // The last index no longer exists.
    {"Deleted", [] { hive::DeleteKey(Entry("b.mp3")); }, {"a.mp3", "c.mp3"}},
    {"DeletedLast", [] { hive::DeleteKey(Entry("c.mp3")); }, {"a.mp3", "b.mp3"}},
    // The count is taken once: an entry made after it is not picked up.
    {"Added", [] { hive::CreateKey(Entry("d.mp3")); }, {"a.mp3", "b.mp3", "c.mp3"}},
    {"KeyItselfDeleted", [] { hive::DeleteKey(kDownloadList); }, {}},
};

class ListingWhileTheClientChangesIt : public ScriptedHive,
                                       public ::testing::WithParamInterface<ChangeCase> {};

TEST_P(ListingWhileTheClientChangesIt, SkipsNamesThatNoLongerFitTheirIndex) {
  for (const char* name : {"a.mp3", "b.mp3", "c.mp3"}) hive::CreateKey(Entry(name));
  hive::AfterNext(hive::SeamOp::QueryInfoKey, GetParam().change);

  TStringList list;
  {
    TRegistry registry;
    ASSERT_TRUE(registry.OpenKey(kDownloadList));
    registry.GetKeyNames(list);
  }

  EXPECT_EQ(list.ToVector(), GetParam().listed);
  EXPECT_TRUE(hive::OpenHandles().empty());
}

INSTANTIATE_TEST_SUITE_P(Cases, ListingWhileTheClientChangesIt, ::testing::ValuesIn(kChangeCases),
                         [](const auto& tested) { return std::string(tested.param.label); });

// The client deletes the first entry and makes it again after it was read: it moves to the
// end, where the reading comes upon it once more.
TEST_F(ListingTest, ANameThatMovesAheadOfTheReadingIsListedOnce) {
  for (const char* name : {"a.mp3", "b.mp3", "c.mp3"}) hive::CreateKey(Entry(name));
  hive::AfterNext(hive::SeamOp::EnumKey, [] {
    hive::DeleteKey(Entry("a.mp3"));
    hive::CreateKey(Entry("a.mp3"));
  });

  TStringList list;
  {
    TRegistry registry;
    ASSERT_TRUE(registry.OpenKey(kDownloadList));
    registry.GetKeyNames(list);
  }

  ASSERT_EQ(hive::SubkeyNames(kDownloadList), (std::vector<std::string>{"b.mp3", "c.mp3", "a.mp3"}));
  EXPECT_EQ(list.ToVector(), (std::vector<std::string>{"a.mp3", "c.mp3"}));
  EXPECT_TRUE(hive::OpenHandles().empty());
}

// A list that takes `room` items and then refuses, as a full combo box does.
class FullList final : public TStrings {
public:
  explicit FullList(int room) : room_(room) {}
  void Clear() override { items_.Clear(); }
  int Add(const std::string& text) override {
    if (items_.Count() == room_) throw EOutOfResources("list is full");
    return items_.Add(text);
  }
  int Count() const override { return items_.Count(); }
  std::string Strings(int index) const override { return items_.Strings(index); }

private:
  int room_;
  TStringList items_;
};

TEST_F(ListingTest, ErrorOfTheListPassesThroughAndTheKeyIsClosed) {
  for (const char* name : {"a.mp3", "b.mp3", "c.mp3"}) hive::CreateKey(Entry(name));
  FullList list(2);

  EXPECT_THROW(
      {
        TRegistry registry;
        EXPECT_TRUE(registry.OpenKey(kDownloadList));
        registry.GetKeyNames(list);
      },
      EOutOfResources);

  EXPECT_EQ(list.ToVector(), (std::vector<std::string>{"a.mp3", "b.mp3"}));
  EXPECT_TRUE(hive::OpenHandles().empty());
}

struct ValueChangeCase {
  const char* label;
  std::function<void()> change;  // between taking the size and reading the data
  std::string text;
  std::optional<std::string> error;
  friend void PrintTo(const ValueChangeCase& c, std::ostream* out) { *out << c.label; }
};

const std::string kReadFailed = "Konnte Daten f\xFCr 'DownloadFolder' nicht holen";

const ValueChangeCase kValueChangeCases[] = {
    {"Vanished", [] { hive::DeleteValue(kOptions, "DownloadFolder"); }, "", kReadFailed},
    {"Grew",
     [] {
       hive::SetValue(kOptions, "DownloadFolder",
                      hive::StringValue(api::kSz, "D:\\A much longer folder\0"sv));
     },
     "", kReadFailed},
    {"KeyDeleted", [] { hive::DeleteKey(kOptions); }, "", kReadFailed},
    // Only what the second read returned counts, not the bytes the first size left room for.
    {"ShrankWithoutTerminator",
     [] { hive::SetValue(kOptions, "DownloadFolder", hive::StringValue(api::kSz, "D:")); }, "D:",
     std::nullopt},
    {"ShrankToNothing",
     [] { hive::SetValue(kOptions, "DownloadFolder", hive::StringValue(api::kDword, "")); }, "",
     std::nullopt},
    {"BecameDword",
     [] {
       hive::SetValue(kOptions, "DownloadFolder", hive::StringValue(api::kDword, "\x01\0\0\0"sv));
     },
     "", "Ung\xFCltiger Datentyp f\xFCr 'DownloadFolder'"},
};

class ReadingWhileTheClientChangesIt : public ScriptedHive,
                                       public ::testing::WithParamInterface<ValueChangeCase> {};

TEST_P(ReadingWhileTheClientChangesIt, FailsOrReadsWhatIsThereNow) {
  const auto& c = GetParam();
  hive::CreateKey(kOptions);
  hive::SetValue(kOptions, "DownloadFolder", hive::StringValue(api::kSz, "C:\\Downloads\0"sv));
  hive::AfterNext(hive::SeamOp::QueryValueSize, c.change);

  std::string text = "untouched";
  {
    TRegistry registry;
    ASSERT_TRUE(registry.OpenKey(kOptions));
    const auto error = RegistryError([&] { text = registry.ReadString("DownloadFolder"); });
    EXPECT_EQ(error, c.error);
  }

  EXPECT_EQ(text, c.error ? "untouched" : c.text);
  EXPECT_TRUE(hive::OpenHandles().empty());
}

INSTANTIATE_TEST_SUITE_P(Cases, ReadingWhileTheClientChangesIt,
                         ::testing::ValuesIn(kValueChangeCases),
                         [](const auto& tested) { return std::string(tested.param.label); });

using WritingTest = ScriptedHive;

TEST_F(WritingTest, RefusedWriteRaisesTheSetError) {
  hive::CreateKey(kEntry);
  hive::RefuseWrites(kEntry);

  TRegistry registry;
  ASSERT_TRUE(registry.OpenKey(kEntry));
  EXPECT_EQ(RegistryError([&] { registry.WriteString("Offset", "0"); }),
            "Konnte Daten f\xFCr 'Offset' nicht setzen");
  EXPECT_EQ(hive::GetValue(kEntry, "Offset"), std::nullopt);
}

// The entry is opened relative to the list's key, so that key may close only afterwards.
TEST_F(WritingTest, PreviousKeyClosesOnlyAfterTheRelativeOpen) {
  hive::CreateKey(kEntry);
  std::vector<hive::SeamOp> calls;
  hive::SetSeamHook([&](const hive::SeamCall& call) { calls.push_back(call.op); });

  {
    TRegistry registry;
    static_cast<void>(registry.OpenKey(kDownloadList));
    static_cast<void>(registry.OpenKey("song.mp3"));
    registry.WriteString("Offset", "0");
  }

  using Op = hive::SeamOp;
  EXPECT_EQ(calls, (std::vector<Op>{Op::OpenKey, Op::OpenKey, Op::CloseKey, Op::SetValue,
                                    Op::CloseKey}));
}

// A name cut short at a zero byte would stand for a different value or key than the caller
// asked for, so such names name nothing.
TEST_F(WritingTest, NamesWithAZeroByteNameNothing) {
  hive::CreateKey(kEntry);
  hive::SetValue(kEntry, "Offset", hive::StringValue(api::kSz, "7\0"sv));
  const std::string cut("Offset\0Other", 12);
  const auto before = hive::Dump();

  TRegistry registry;
  EXPECT_FALSE(registry.OpenKey(std::string(kEntry) + std::string("\0\\x", 3)));
  ASSERT_TRUE(registry.OpenKey(kEntry));
  EXPECT_EQ(registry.ReadString(cut), "");
  EXPECT_EQ(RegistryError([&] { registry.WriteString(cut, "0"); }),
            FormatText(classlib::messages::kWriteDataFailed, cut));
  EXPECT_EQ(hive::Dump(), before);
}

}  // namespace
