#pragma once
// The registry seam: the handful of advapi32 calls that TRegistry makes, with their Win32
// meaning and result codes. registry_api_win.cpp forwards them to advapi32; registry_api_host.cpp
// answers them from the in-memory hive (memory_hive.h) that native tests script.

#include <cstdint>

namespace classlib::registry_api {

using Key = std::uintptr_t;  // an HKEY's value; 0 is no key

inline constexpr Key kCurrentUser = 0x80000001;
inline constexpr std::uint32_t kAllAccess = 0xF003F;  // KEY_ALL_ACCESS
inline constexpr std::uint32_t kRead = 0x20019;       // KEY_READ

// Win32 error codes the seam returns.
inline constexpr long kSuccess = 0;
inline constexpr long kFileNotFound = 2;
inline constexpr long kAccessDenied = 5;
inline constexpr long kInvalidHandle = 6;
inline constexpr long kInvalidParameter = 87;
inline constexpr long kBadPathname = 161;  // a subkey path that begins with a backslash
inline constexpr long kMoreData = 234;
inline constexpr long kNoMoreItems = 259;
inline constexpr long kKeyDeleted = 1018;  // the handle's key was deleted after it was opened

// Value types.
inline constexpr std::uint32_t kNone = 0;
inline constexpr std::uint32_t kSz = 1;
inline constexpr std::uint32_t kExpandSz = 2;
inline constexpr std::uint32_t kBinary = 3;
inline constexpr std::uint32_t kDword = 4;
inline constexpr std::uint32_t kMultiSz = 7;

// RegOpenKeyExA(parent, subkey, 0, access, result). Never creates a key.
[[nodiscard]] long OpenKey(Key parent, const char* subkey, std::uint32_t access, Key* result);
// RegQueryValueExA(key, name, nullptr, type, data, size). With data null only type and size.
[[nodiscard]] long QueryValue(Key key, const char* name, std::uint32_t* type, unsigned char* data,
                              std::uint32_t* size);
// RegQueryInfoKeyA: the number of subkeys and the length of the longest name (no terminator).
[[nodiscard]] long QueryInfoKey(Key key, std::uint32_t* subkeys, std::uint32_t* maxSubkeyLength);
// RegEnumKeyExA(key, index, name, nameLength, ...): nameLength is the buffer size in
// characters on entry and the name's length (no terminator) on success.
[[nodiscard]] long EnumKey(Key key, std::uint32_t index, char* name, std::uint32_t* nameLength);
// RegSetValueExA(key, name, 0, type, data, size).
[[nodiscard]] long SetValue(Key key, const char* name, std::uint32_t type,
                            const unsigned char* data, std::uint32_t size);
// RegCloseKey.
long CloseKey(Key key);

}  // namespace classlib::registry_api
