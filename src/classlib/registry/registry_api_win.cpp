// The registry seam on Windows: each call is one advapi32 function, the ANSI one but for the
// open (see OpenKey). Keys are only ever opened, never created, and never flushed.

#include <windows.h>

#include <optional>
#include <string>

#include "classlib/registry/registry_api.h"

namespace classlib::registry_api {
namespace {

// HKEY_CURRENT_USER is a sign-extended pointer on 64-bit Windows (0xFFFFFFFF80000001), while
// the seam names it by its documented value 0x80000001; both directions are mapped.
HKEY ToHkey(Key key) {
  return key == kCurrentUser ? HKEY_CURRENT_USER : reinterpret_cast<HKEY>(key);
}

Key FromHkey(HKEY key) {
  return key == HKEY_CURRENT_USER ? kCurrentUser : reinterpret_cast<Key>(key);
}

// The subkey path in UTF-16, converted from the ANSI code page as RegOpenKeyExA converts it.
// Nothing when the text cannot be converted.
std::optional<std::wstring> WidePath(const char* subkey) {
  const int length = MultiByteToWideChar(CP_ACP, 0, subkey, -1, nullptr, 0);
  if (length <= 0) return std::nullopt;
  std::wstring wide(static_cast<size_t>(length), L'\0');
  if (MultiByteToWideChar(CP_ACP, 0, subkey, -1, wide.data(), length) != length) return std::nullopt;
  return wide;
}

}  // namespace

long OpenKey(Key parent, const char* subkey, std::uint32_t access, Key* result) {
  *result = 0;
  // Through the W function: Wine's RegOpenKeyExA converts the path into a buffer of MAX_PATH
  // characters and fails a longer one with ERROR_MORE_DATA, while a download entry's key path
  // runs to some 300 characters with a name of the 255 a key name may have.
  const auto path = WidePath(subkey);
  if (!path) return ERROR_INVALID_PARAMETER;
  HKEY opened = nullptr;
  const LONG status = RegOpenKeyExW(ToHkey(parent), path->c_str(), 0, access, &opened);
  *result = status == ERROR_SUCCESS ? FromHkey(opened) : 0;
  return status;
}

long QueryValue(Key key, const char* name, std::uint32_t* type, unsigned char* data,
                std::uint32_t* size) {
  DWORD valueType = 0;
  DWORD valueSize = size ? *size : 0;
  const LONG status =
      RegQueryValueExA(ToHkey(key), name, nullptr, &valueType, data, size ? &valueSize : nullptr);
  if (type) *type = valueType;
  if (size) *size = valueSize;
  return status;
}

long QueryInfoKey(Key key, std::uint32_t* subkeys, std::uint32_t* maxSubkeyLength) {
  DWORD count = 0;
  DWORD longest = 0;
  const LONG status = RegQueryInfoKeyA(ToHkey(key), nullptr, nullptr, nullptr, &count, &longest,
                                       nullptr, nullptr, nullptr, nullptr, nullptr, nullptr);
  if (subkeys) *subkeys = count;
  if (maxSubkeyLength) *maxSubkeyLength = longest;
  return status;
}

long EnumKey(Key key, std::uint32_t index, char* name, std::uint32_t* nameLength) {
  DWORD length = *nameLength;
  const LONG status =
      RegEnumKeyExA(ToHkey(key), index, name, &length, nullptr, nullptr, nullptr, nullptr);
  *nameLength = length;
  return status;
}

long SetValue(Key key, const char* name, std::uint32_t type, const unsigned char* data,
              std::uint32_t size) {
  return RegSetValueExA(ToHkey(key), name, 0, type, data, size);
}

long CloseKey(Key key) { return RegCloseKey(ToHkey(key)); }

}  // namespace classlib::registry_api
