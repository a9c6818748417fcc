// The registry seam in the native build: answered from the in-memory hive (memory_hive.h) with
// the result codes that advapi32 gives, as observed under Wine. Every call is reported to the
// hive's seam hook after it did its work, so a test can change the hive between two calls.

#include <algorithm>
#include <cstring>

#include "classlib/registry/memory_hive_store.h"
#include "classlib/registry/registry_api.h"

namespace classlib::registry_api {
namespace {

using memory_hive::Hive;
using memory_hive::SeamOp;

long Report(SeamOp op, Key key, const char* name, long result) {
  Hive().Notify({op, key, name ? name : "", result});
  return result;
}

long Open(Key parent, const char* subkey, std::uint32_t access, Key* result) {
  Hive().RecordOpenRequest({subkey ? subkey : "", access});
  long status = kSuccess;
  const auto base = Hive().Resolve(parent, status);
  if (!base) return status;
  const std::string_view path = subkey ? subkey : "";
  if (!path.empty() && path.front() == '\\') return kBadPathname;
  // An empty path gives a predefined key back as it is, and a new handle to any other key.
  if (path.empty() && parent == kCurrentUser) {
    *result = kCurrentUser;
    return kSuccess;
  }
  const auto key = memory_hive::HiveStore::Find(base, path);
  if (!key) return kFileNotFound;
  if (key->fullAccessDenied && (access & ~kRead) != 0) return kAccessDenied;
  *result = Hive().AddHandle(key);
  return kSuccess;
}

long Query(Key key, const char* name, std::uint32_t* type, unsigned char* data,
           std::uint32_t* size) {
  long status = kSuccess;
  const auto found = Hive().Resolve(key, status);
  if (!found) return status;
  if (data && !size) return kInvalidParameter;
  const auto* value = found->Value(name ? name : "");
  if (!value) return kFileNotFound;
  const auto& bytes = value->value.data;
  const auto length = static_cast<std::uint32_t>(bytes.size());
  if (type) *type = value->value.type;
  if (!data) {
    if (size) *size = length;
    return kSuccess;
  }
  const bool fits = *size >= length;
  *size = length;
  if (!fits) return kMoreData;
  // Nothing is written past the data: a string without a terminator gets none added.
  std::copy(bytes.begin(), bytes.end(), data);
  return kSuccess;
}

long Info(Key key, std::uint32_t* subkeys, std::uint32_t* maxSubkeyLength) {
  long status = kSuccess;
  const auto found = Hive().Resolve(key, status);
  if (!found) return status;
  std::size_t longest = 0;
  for (const auto& subkey : found->subkeys) longest = std::max(longest, subkey->name.size());
  if (subkeys) *subkeys = static_cast<std::uint32_t>(found->subkeys.size());
  if (maxSubkeyLength) *maxSubkeyLength = static_cast<std::uint32_t>(longest);
  return kSuccess;
}

long Enum(Key key, std::uint32_t index, char* name, std::uint32_t* nameLength) {
  long status = kSuccess;
  const auto found = Hive().Resolve(key, status);
  if (!found) return status;
  if (index >= found->subkeys.size()) return kNoMoreItems;
  if (!name || !nameLength) return kInvalidParameter;
  const auto& subkeyName = found->subkeys[index]->name;
  // The buffer must hold the name and its terminator; a short one is left as it was.
  if (subkeyName.size() + 1 > *nameLength) return kMoreData;
  std::memcpy(name, subkeyName.c_str(), subkeyName.size() + 1);
  *nameLength = static_cast<std::uint32_t>(subkeyName.size());
  return kSuccess;
}

long Set(Key key, const char* name, std::uint32_t type, const unsigned char* data,
         std::uint32_t size) {
  long status = kSuccess;
  const auto found = Hive().Resolve(key, status);
  if (!found) return status;
  if (!data && size != 0) return kInvalidParameter;
  if (found->writesRefused) return kAccessDenied;
  memory_hive::RawValue value{type, std::vector<unsigned char>(data, data + size)};
  if (auto* existing = found->Value(name ? name : "")) {
    existing->value = std::move(value);
  } else {
    found->values.push_back({name ? name : "", std::move(value)});
  }
  return kSuccess;
}

long Close(Key key) {
  if (key == kCurrentUser) return kSuccess;  // predefined: closing it changes nothing
  return Hive().RemoveHandle(key) ? kSuccess : kInvalidHandle;
}

}  // namespace

long OpenKey(Key parent, const char* subkey, std::uint32_t access, Key* result) {
  *result = 0;
  return Report(SeamOp::OpenKey, parent, subkey, Open(parent, subkey, access, result));
}

long QueryValue(Key key, const char* name, std::uint32_t* type, unsigned char* data,
                std::uint32_t* size) {
  return Report(data ? SeamOp::QueryValueData : SeamOp::QueryValueSize, key, name,
                Query(key, name, type, data, size));
}

long QueryInfoKey(Key key, std::uint32_t* subkeys, std::uint32_t* maxSubkeyLength) {
  return Report(SeamOp::QueryInfoKey, key, nullptr, Info(key, subkeys, maxSubkeyLength));
}

long EnumKey(Key key, std::uint32_t index, char* name, std::uint32_t* nameLength) {
  return Report(SeamOp::EnumKey, key, nullptr, Enum(key, index, name, nameLength));
}

long SetValue(Key key, const char* name, std::uint32_t type, const unsigned char* data,
              std::uint32_t size) {
  return Report(SeamOp::SetValue, key, name, Set(key, name, type, data, size));
}

long CloseKey(Key key) { return Report(SeamOp::CloseKey, key, nullptr, Close(key)); }

}  // namespace classlib::registry_api
