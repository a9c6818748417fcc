#include <algorithm>
#include <utility>

#include "classlib/core/code_page.h"
#include "classlib/registry/memory_hive_store.h"

namespace classlib::memory_hive {

bool SameName(std::string_view a, std::string_view b) { return cp1252::EqualsIgnoringCase(a, b); }

std::shared_ptr<HiveKey> HiveKey::Subkey(std::string_view subkeyName) const {
  const auto found = std::find_if(subkeys.begin(), subkeys.end(),
                                  [&](const auto& key) { return SameName(key->name, subkeyName); });
  return found == subkeys.end() ? nullptr : *found;
}

NamedValue* HiveKey::Value(std::string_view valueName) {
  const auto found = std::find_if(values.begin(), values.end(),
                                  [&](const auto& value) { return SameName(value.name, valueName); });
  return found == values.end() ? nullptr : &*found;
}

std::string HiveKey::Path() const {
  std::string path = name;
  for (auto up = parent.lock(); up && up->parent.lock(); up = up->parent.lock()) {
    path = up->name + '\\' + path;
  }
  return deleted ? "(deleted) " + path : path;
}

std::vector<std::string_view> SplitKeyPath(std::string_view path) {
  std::vector<std::string_view> parts;
  while (!path.empty()) {
    const auto end = std::min(path.find('\\'), path.size());
    if (end > 0) parts.push_back(path.substr(0, end));
    path.remove_prefix(std::min(end + 1, path.size()));
  }
  return parts;
}

void HiveStore::Reset() {
  root_ = std::make_shared<HiveKey>();
  handles_.clear();
  openRequests_.clear();
  hook_ = nullptr;
  inHook_ = false;
}

std::shared_ptr<HiveKey> HiveStore::Find(const std::shared_ptr<HiveKey>& from,
                                         std::string_view path) {
  auto key = from;
  for (const auto part : SplitKeyPath(path)) {
    key = key->Subkey(part);
    if (!key) return nullptr;
  }
  return key;
}

void HiveStore::Delete(const std::shared_ptr<HiveKey>& key) {
  const auto markDeleted = [](const auto& self, HiveKey& node) -> void {
    node.deleted = true;
    for (const auto& child : node.subkeys) self(self, *child);
  };
  markDeleted(markDeleted, *key);
  if (const auto parent = key->parent.lock()) std::erase(parent->subkeys, key);
}

std::shared_ptr<HiveKey> HiveStore::Resolve(registry_api::Key handle, long& status) const {
  std::shared_ptr<HiveKey> key;
  if (handle == registry_api::kCurrentUser) {
    key = root_;
  } else if (const auto open = handles_.find(handle); open != handles_.end()) {
    key = open->second;
  }
  status = !key            ? registry_api::kInvalidHandle
           : key->deleted ? registry_api::kKeyDeleted
                          : registry_api::kSuccess;
  return status == registry_api::kSuccess ? key : nullptr;
}

registry_api::Key HiveStore::AddHandle(std::shared_ptr<HiveKey> key) {
  const auto handle = nextHandle_;
  nextHandle_ += 4;
  handles_.emplace(handle, std::move(key));
  return handle;
}

bool HiveStore::RemoveHandle(registry_api::Key handle) { return handles_.erase(handle) == 1; }

std::vector<std::string> HiveStore::OpenHandlePaths() const {
  std::vector<std::string> paths;
  for (const auto& [handle, key] : handles_) paths.push_back(key->Path());
  return paths;
}

void HiveStore::Notify(const SeamCall& call) {
  if (!hook_ || inHook_) return;
  inHook_ = true;
  // The hook may replace itself (AfterNext does), so it runs from a copy.
  const auto hook = hook_;
  try {
    hook(call);
  } catch (...) {
    inHook_ = false;
    throw;
  }
  inHook_ = false;
}

HiveStore& Hive() {
  static HiveStore hive;
  return hive;
}

}  // namespace classlib::memory_hive
