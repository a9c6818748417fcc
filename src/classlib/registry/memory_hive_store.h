#pragma once
// Inside the in-memory hive: its tree of keys and its table of open handles. Shared by the
// scripting API (memory_hive_host.cpp) and the seam (registry_api_host.cpp); nothing else
// includes it.

#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "classlib/registry/memory_hive.h"
#include "classlib/registry/registry_api.h"

namespace classlib::memory_hive {

// Registry names compare as Windows compares them: case-insensitively, here over CP1252.
bool SameName(std::string_view a, std::string_view b);

struct NamedValue {
  std::string name;
  RawValue value;
};

struct HiveKey {
  std::string name;
  std::weak_ptr<HiveKey> parent;
  std::vector<NamedValue> values;                  // in the order they were made
  std::vector<std::shared_ptr<HiveKey>> subkeys;   // in the order they were made
  bool deleted = false;
  bool fullAccessDenied = false;
  bool writesRefused = false;

  std::shared_ptr<HiveKey> Subkey(std::string_view subkeyName) const;
  NamedValue* Value(std::string_view valueName);
  std::string Path() const;  // relative to HKEY_CURRENT_USER
};

// The components of a key path; repeated and trailing backslashes are skipped, as Wine does.
std::vector<std::string_view> SplitKeyPath(std::string_view path);

class HiveStore {
public:
  void Reset();
  const std::shared_ptr<HiveKey>& Root() const { return root_; }
  // The key at `path` below `from`, or null when one along the way is missing.
  static std::shared_ptr<HiveKey> Find(const std::shared_ptr<HiveKey>& from, std::string_view path);
  // Marks the key and everything below it deleted and unhooks it from its parent.
  static void Delete(const std::shared_ptr<HiveKey>& key);

  // The key a handle stands for; on failure the Win32 error in `status`.
  std::shared_ptr<HiveKey> Resolve(registry_api::Key handle, long& status) const;
  registry_api::Key AddHandle(std::shared_ptr<HiveKey> key);
  bool RemoveHandle(registry_api::Key handle);
  std::vector<std::string> OpenHandlePaths() const;
  void RecordOpenRequest(OpenRequest request) { openRequests_.push_back(std::move(request)); }
  const std::vector<OpenRequest>& OpenRequests() const { return openRequests_; }

  void SetHook(SeamHook hook) { hook_ = std::move(hook); }
  void Notify(const SeamCall& call);

private:
  std::shared_ptr<HiveKey> root_ = std::make_shared<HiveKey>();
  std::map<registry_api::Key, std::shared_ptr<HiveKey>> handles_;  // ordered by opening
  // Never reused, not even across Reset, so a stale handle cannot reach a newer key.
  registry_api::Key nextHandle_ = 0x1000;
  std::vector<OpenRequest> openRequests_;
  SeamHook hook_;
  bool inHook_ = false;
};

// The hive that stands in for the operating system's HKEY_CURRENT_USER.
HiveStore& Hive();

}  // namespace classlib::memory_hive
