// The scripting side of the in-memory hive: what tests use to lay out and inspect
// HKEY_CURRENT_USER around the seam calls of the code under test.

#include <cstdio>
#include <stdexcept>
#include <utility>

#include "classlib/registry/memory_hive.h"
#include "classlib/registry/memory_hive_store.h"

namespace classlib::memory_hive {
namespace {

std::shared_ptr<HiveKey> ExistingKey(std::string_view path) {
  if (!path.empty() && path.front() == '\\') {
    throw std::invalid_argument("hive paths are relative to HKEY_CURRENT_USER: " + std::string(path));
  }
  auto key = HiveStore::Find(Hive().Root(), path);
  if (!key) throw std::invalid_argument("no such key in the hive: " + std::string(path));
  return key;
}

void DumpKey(const HiveKey& key, int depth, std::string& out) {
  const std::string indent(static_cast<std::size_t>(depth) * 2, ' ');
  out += indent + (depth == 0 ? "HKEY_CURRENT_USER" : key.name) + '\n';
  for (const auto& [name, value] : key.values) {
    out += indent + "  \"" + name + "\" type " + std::to_string(value.type) + ':';
    for (const unsigned char byte : value.data) {
      char hex[4];
      std::snprintf(hex, sizeof hex, " %02x", byte);
      out += hex;
    }
    out += '\n';
  }
  for (const auto& subkey : key.subkeys) DumpKey(*subkey, depth + 1, out);
}

}  // namespace

RawValue StringValue(std::uint32_t type, std::string_view bytes) {
  return {type, std::vector<unsigned char>(bytes.begin(), bytes.end())};
}

void Reset() { Hive().Reset(); }

void CreateKey(std::string_view path) {
  auto key = Hive().Root();
  for (const auto part : SplitKeyPath(path)) {
    auto next = key->Subkey(part);
    if (!next) {
      next = std::make_shared<HiveKey>();
      next->name = std::string(part);
      next->parent = key;
      key->subkeys.push_back(next);
    }
    key = std::move(next);
  }
}

void DeleteKey(std::string_view path) {
  const auto key = ExistingKey(path);
  if (key == Hive().Root()) throw std::invalid_argument("HKEY_CURRENT_USER cannot be deleted");
  HiveStore::Delete(key);
}

void RenameKey(std::string_view path, std::string_view newName) {
  const auto key = ExistingKey(path);
  if (key == Hive().Root()) throw std::invalid_argument("HKEY_CURRENT_USER cannot be renamed");
  key->name = std::string(newName);
}

bool KeyExists(std::string_view path) { return HiveStore::Find(Hive().Root(), path) != nullptr; }

std::vector<std::string> SubkeyNames(std::string_view path) {
  std::vector<std::string> names;
  for (const auto& subkey : ExistingKey(path)->subkeys) names.push_back(subkey->name);
  return names;
}

void SetValue(std::string_view path, std::string_view name, RawValue value) {
  const auto key = ExistingKey(path);
  if (auto* existing = key->Value(name)) {
    existing->value = std::move(value);
  } else {
    key->values.push_back({std::string(name), std::move(value)});
  }
}

void DeleteValue(std::string_view path, std::string_view name) {
  std::erase_if(ExistingKey(path)->values,
                [&](const NamedValue& value) { return SameName(value.name, name); });
}

std::optional<RawValue> GetValue(std::string_view path, std::string_view name) {
  const auto* value = ExistingKey(path)->Value(name);
  return value ? std::optional<RawValue>(value->value) : std::nullopt;
}

std::vector<std::string> ValueNames(std::string_view path) {
  std::vector<std::string> names;
  for (const auto& value : ExistingKey(path)->values) names.push_back(value.name);
  return names;
}

void DenyFullAccess(std::string_view path) { ExistingKey(path)->fullAccessDenied = true; }

void RefuseWrites(std::string_view path) { ExistingKey(path)->writesRefused = true; }

std::vector<std::string> OpenHandles() { return Hive().OpenHandlePaths(); }

std::vector<OpenRequest> OpenRequests() { return Hive().OpenRequests(); }

std::string Dump() {
  std::string out;
  DumpKey(*Hive().Root(), 0, out);
  return out;
}

void SetSeamHook(SeamHook hook) { Hive().SetHook(std::move(hook)); }

void AfterNext(SeamOp op, std::function<void()> change) {
  SetSeamHook([op, change = std::move(change)](const SeamCall& call) {
    if (call.op != op) return;
    SetSeamHook(nullptr);  // the hive runs hooks from a copy, so this one lives on to finish
    change();
  });
}

}  // namespace classlib::memory_hive
