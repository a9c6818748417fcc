#pragma once
// The in-memory HKEY_CURRENT_USER of the native build, and how tests script it. The registry
// seam (registry_api.h) answers from this hive on the host with the codes of the real registry:
// names are compared case-insensitively (CP1252) but keep the case they were made with, subkeys
// and values are enumerated in the order they were made, and a handle whose key was deleted
// fails every call with ERROR_KEY_DELETED until it is closed, as under Windows.
//
// Paths are relative to HKEY_CURRENT_USER, components separated by backslashes; "" is
// HKEY_CURRENT_USER itself. Scripting a key that does not exist throws std::invalid_argument.
// Scripting calls are not seam calls: they never reach the seam hook.

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "classlib/registry/registry_api.h"

namespace classlib::memory_hive {

struct RawValue {
  std::uint32_t type = registry_api::kNone;
  std::vector<unsigned char> data;
  friend bool operator==(const RawValue&, const RawValue&) = default;
};

// A value of a string type from text bytes, stored exactly as given (add "\0" for a terminator).
RawValue StringValue(std::uint32_t type, std::string_view bytes);

// Empties the hive, forgets every open handle (later calls on them fail) and the hook.
void Reset();

void CreateKey(std::string_view path);  // with every missing key along the path
void DeleteKey(std::string_view path);  // the key and all below it
void RenameKey(std::string_view path, std::string_view newName);  // keeps its place among siblings
bool KeyExists(std::string_view path);
std::vector<std::string> SubkeyNames(std::string_view path);

void SetValue(std::string_view path, std::string_view name, RawValue value);
void DeleteValue(std::string_view path, std::string_view name);
std::optional<RawValue> GetValue(std::string_view path, std::string_view name);
std::vector<std::string> ValueNames(std::string_view path);

// Opening the key asking for more than KEY_READ fails with ERROR_ACCESS_DENIED.
void DenyFullAccess(std::string_view path);
// Setting a value in the key fails with ERROR_ACCESS_DENIED.
void RefuseWrites(std::string_view path);

// The path of each key that has a handle open, in the order they were opened; a deleted key
// shows as "(deleted) " and its former path.
std::vector<std::string> OpenHandles();

// Each key opening asked of the seam since the last Reset, in order, whether or not it
// succeeded: the subkey path as given (relative to the key it was opened from) and the access
// asked for.
struct OpenRequest {
  std::string subkey;
  std::uint32_t access = 0;
  friend bool operator==(const OpenRequest&, const OpenRequest&) = default;
};
std::vector<OpenRequest> OpenRequests();

// The whole hive as text (keys, values with type and bytes), to show that nothing changed.
std::string Dump();

// One seam call as the hook sees it, after the call did its work and before it returns.
enum class SeamOp { OpenKey, QueryValueSize, QueryValueData, QueryInfoKey, EnumKey, SetValue, CloseKey };
struct SeamCall {
  SeamOp op;
  registry_api::Key key;   // the key the call was made on
  std::string name;        // subkey path or value name, where the call has one
  long result;
};
using SeamHook = std::function<void(const SeamCall&)>;

// Calls `hook` after every seam call (seam calls made from inside the hook do not reach it).
// An empty hook removes it.
void SetSeamHook(SeamHook hook);
// Runs `change` once, right after the next seam call of kind `op`.
void AfterNext(SeamOp op, std::function<void()> change);

}  // namespace classlib::memory_hive
