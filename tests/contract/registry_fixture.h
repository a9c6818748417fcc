#pragma once
// The corner of HKEY_CURRENT_USER that one contract case works in: the key
// "Software\Tavelin Contract Tests\<case>", made fresh for the case and deleted after it.
// On the host it lives in the in-memory hive, emptied for every case; under Wine it is the
// real registry of the test run's scratch prefix. The fixture may create keys to lay out a
// case; the code under test only ever reaches them through TRegistry and the registry seam.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace contract {

struct StoredValue {
  std::uint32_t type = 0;
  std::vector<unsigned char> data;
  friend bool operator==(const StoredValue&, const StoredValue&) = default;
};

// A value stored exactly as `bytes` (write "\0" for a terminator).
StoredValue Stored(std::uint32_t type, std::string_view bytes);

// The running test's name, fit to be a key name.
std::string CurrentCaseName();

class RegistryScratch {
public:
  explicit RegistryScratch(std::string_view caseName = CurrentCaseName());
  ~RegistryScratch();
  RegistryScratch(const RegistryScratch&) = delete;
  RegistryScratch& operator=(const RegistryScratch&) = delete;

  // The scratch key's path, relative to HKEY_CURRENT_USER and without a leading backslash.
  const std::string& Path() const { return path_; }
  // The path of `subkey` below the scratch key ("" is the scratch key itself).
  std::string PathOf(std::string_view subkey) const;

  void CreateKey(std::string_view subkey);  // with every missing key along the way
  void DeleteKey(std::string_view subkey);  // and all below it
  bool KeyExists(std::string_view subkey) const;
  void SetValue(std::string_view subkey, std::string_view name, const StoredValue& value);
  std::optional<StoredValue> Value(std::string_view subkey, std::string_view name) const;
  // The key can still be opened for reading, but not with full access.
  void DenyFullAccess(std::string_view subkey);

  // Text of everything a stray write or create could change, to compare before and after: on
  // the host the whole hive; under Wine HKEY_CURRENT_USER's own values and subkey names and
  // the whole scratch subtree.
  std::string Snapshot() const;
  // Handles open now: on the host the hive's open keys; under Wine all of this process's
  // handles, so only a difference between two counts means something.
  int OpenHandleCount() const;

private:
  std::string path_;
  std::vector<std::string> denied_;  // keys whose access must be given back before deleting
};

}  // namespace contract
