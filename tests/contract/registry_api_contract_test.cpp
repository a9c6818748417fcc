// The registry seam itself, held to the codes of the real registry: the same calls give the
// same results from advapi32 under Wine and from the host's in-memory hive, so what the host
// tests of TRegistry show also holds on Windows.

#include <gtest/gtest.h>

#include <ostream>
#include <string>

#include "classlib/registry/registry_api.h"
#include "classlib/registry/registry_key.h"
#include "contract/registry_fixture.h"

namespace {

using contract::RegistryScratch;
using contract::Stored;
namespace api = classlib::registry_api;
using classlib::RegistryKey;

struct OpenCase {
  const char* label;
  std::string (*path)(const RegistryScratch&);
  std::uint32_t access;
  long status;
  friend void PrintTo(const OpenCase& c, std::ostream* out) { *out << c.label; }
};

const OpenCase kOpenCases[] = {
    {"Existing", [](const RegistryScratch& s) { return s.PathOf("Entries\\Song.mp3"); },
     api::kAllAccess, api::kSuccess},
    {"OtherCase", [](const RegistryScratch& s) { return s.PathOf("ENTRIES\\song.MP3"); },
     api::kAllAccess, api::kSuccess},
    {"TrailingBackslash", [](const RegistryScratch& s) { return s.PathOf("Entries\\"); },
     api::kAllAccess, api::kSuccess},
    {"Missing", [](const RegistryScratch& s) { return s.PathOf("Entries\\Gone.mp3"); },
     api::kAllAccess, api::kFileNotFound},
    {"MissingParent", [](const RegistryScratch& s) { return s.PathOf("Gone\\Song.mp3"); },
     api::kAllAccess, api::kFileNotFound},
    {"LeadingBackslash", [](const RegistryScratch& s) { return "\\" + s.PathOf("Entries"); },
     api::kAllAccess, api::kBadPathname},
    {"FullAccessRefused", [](const RegistryScratch& s) { return s.PathOf("Locked"); },
     api::kAllAccess, api::kAccessDenied},
    {"ReadAccessGranted", [](const RegistryScratch& s) { return s.PathOf("Locked"); }, api::kRead,
     api::kSuccess},
};

class OpenKeySeam : public ::testing::TestWithParam<OpenCase> {};

TEST_P(OpenKeySeam, GivesTheRegistrysCode) {
  const auto& c = GetParam();
  RegistryScratch scratch;
  scratch.CreateKey("Entries\\Song.mp3");
  scratch.CreateKey("Locked");
  scratch.DenyFullAccess("Locked");

  api::Key opened = 12345;
  const long status = api::OpenKey(api::kCurrentUser, c.path(scratch).c_str(), c.access, &opened);
  const RegistryKey key(status == api::kSuccess ? opened : 0);

  EXPECT_EQ(status, c.status);
  EXPECT_EQ(opened != 0, c.status == api::kSuccess);  // a failed open gives no key
}

INSTANTIATE_TEST_SUITE_P(Cases, OpenKeySeam, ::testing::ValuesIn(kOpenCases),
                         [](const auto& tested) { return std::string(tested.param.label); });

TEST(OpenKeySeam, EmptyPathOnTheRootGivesTheRootBack) {
  RegistryScratch scratch;
  api::Key opened = 0;
  ASSERT_EQ(api::OpenKey(api::kCurrentUser, "", api::kAllAccess, &opened), api::kSuccess);
  EXPECT_EQ(opened, api::kCurrentUser);
  EXPECT_EQ(api::CloseKey(opened), api::kSuccess);
}

// Opens the scratch key itself for a seam case.
RegistryKey OpenScratch(const RegistryScratch& scratch, const std::string& subkey = "") {
  api::Key opened = 0;
  EXPECT_EQ(api::OpenKey(api::kCurrentUser, scratch.PathOf(subkey).c_str(), api::kAllAccess,
                         &opened),
            api::kSuccess);
  return RegistryKey(opened);
}

TEST(QueryValueSeam, SizeFirstThenTheDataIntoABufferThatFits) {
  RegistryScratch scratch;
  scratch.SetValue("", "Folder", Stored(api::kExpandSz, std::string_view("%TEMP%\0", 7)));
  const auto key = OpenScratch(scratch);

  std::uint32_t type = 0;
  std::uint32_t size = 0;
  ASSERT_EQ(api::QueryValue(key.Get(), "Folder", &type, nullptr, &size), api::kSuccess);
  EXPECT_EQ(type, api::kExpandSz);
  EXPECT_EQ(size, 7u);

  unsigned char small[6] = {};
  size = sizeof small;
  EXPECT_EQ(api::QueryValue(key.Get(), "folder", &type, small, &size), api::kMoreData);
  EXPECT_EQ(size, 7u);  // what it takes

  unsigned char fits[7] = {};
  size = sizeof fits;
  ASSERT_EQ(api::QueryValue(key.Get(), "FOLDER", &type, fits, &size), api::kSuccess);
  EXPECT_EQ(size, 7u);
  EXPECT_EQ(std::string(reinterpret_cast<char*>(fits), size), std::string("%TEMP%\0", 7));
}

TEST(QueryValueSeam, MissingValueAndNoKey) {
  RegistryScratch scratch;
  const auto key = OpenScratch(scratch);
  std::uint32_t type = 0;
  std::uint32_t size = 0;
  EXPECT_EQ(api::QueryValue(key.Get(), "Nothing", &type, nullptr, &size), api::kFileNotFound);
  EXPECT_EQ(api::QueryValue(0, "Nothing", &type, nullptr, &size), api::kInvalidHandle);
  const unsigned char data[] = "0";
  EXPECT_EQ(api::SetValue(0, "Offset", api::kSz, data, sizeof data), api::kInvalidHandle);
}

TEST(EnumKeySeam, NamesByIndexWithRoomForTheTerminator) {
  RegistryScratch scratch;
  scratch.CreateKey("Entries\\a.mp3");
  scratch.CreateKey("Entries\\Bb.mp3");
  const auto key = OpenScratch(scratch, "Entries");

  std::uint32_t count = 0;
  std::uint32_t longest = 0;
  ASSERT_EQ(api::QueryInfoKey(key.Get(), &count, &longest), api::kSuccess);
  EXPECT_EQ(count, 2u);
  EXPECT_EQ(longest, 6u);

  char name[16] = {};
  std::uint32_t length = 6;  // "Bb.mp3" without room for its zero byte
  EXPECT_EQ(api::EnumKey(key.Get(), 1, name, &length), api::kMoreData);
  length = 7;
  ASSERT_EQ(api::EnumKey(key.Get(), 1, name, &length), api::kSuccess);
  EXPECT_EQ(length, 6u);
  EXPECT_STREQ(name, "Bb.mp3");
  length = sizeof name;
  EXPECT_EQ(api::EnumKey(key.Get(), 2, name, &length), api::kNoMoreItems);
}

TEST(DeletedKeySeam, HandleFailsEveryCallUntilClosed) {
  RegistryScratch scratch;
  scratch.CreateKey("Entries\\Song.mp3\\Inner");
  api::Key handle = 0;
  ASSERT_EQ(api::OpenKey(api::kCurrentUser, scratch.PathOf("Entries\\Song.mp3").c_str(),
                         api::kAllAccess, &handle),
            api::kSuccess);
  scratch.DeleteKey("Entries\\Song.mp3");

  std::uint32_t type = 0;
  std::uint32_t size = 0;
  std::uint32_t count = 0;
  char name[16] = {};
  std::uint32_t length = sizeof name;
  const unsigned char data[] = "0";
  api::Key inner = 0;
  EXPECT_EQ(api::QueryValue(handle, "Offset", &type, nullptr, &size), api::kKeyDeleted);
  EXPECT_EQ(api::SetValue(handle, "Offset", api::kSz, data, sizeof data), api::kKeyDeleted);
  EXPECT_EQ(api::QueryInfoKey(handle, &count, nullptr), api::kKeyDeleted);
  EXPECT_EQ(api::EnumKey(handle, 0, name, &length), api::kKeyDeleted);
  EXPECT_EQ(api::OpenKey(handle, "Inner", api::kAllAccess, &inner), api::kKeyDeleted);
  EXPECT_EQ(api::CloseKey(handle), api::kSuccess);
  EXPECT_EQ(api::CloseKey(handle), api::kInvalidHandle);
  EXPECT_FALSE(scratch.KeyExists("Entries\\Song.mp3"));
}

TEST(SetValueSeam, ReplacesTheValueWhateverItsType) {
  RegistryScratch scratch;
  scratch.SetValue("", "Offset", Stored(api::kDword, std::string_view("\x10\0\0\0", 4)));
  const auto key = OpenScratch(scratch);
  const unsigned char data[] = "-1";
  ASSERT_EQ(api::SetValue(key.Get(), "OFFSET", api::kSz, data, sizeof data), api::kSuccess);
  EXPECT_EQ(scratch.Value("", "Offset"), Stored(api::kSz, std::string_view("-1\0", 3)));
}

}  // namespace
