#pragma once
// What the bare programs do to fill a drop-down list with the client's download entries: the
// bare API calls, nothing else. RegQueryInfoKeyA for the count and the longest name, then
// RegEnumKeyExA and CB_ADDSTRING for each entry, after emptying the list.

#include <windows.h>

#include <string>

#include "client_key.h"

namespace bench {

inline void FillFromDownloadList(HWND list) {
  SendMessageA(list, CB_RESETCONTENT, 0, 0);
  HKEY key = nullptr;
  if (RegOpenKeyExA(HKEY_CURRENT_USER, kDownloadListKey, 0, KEY_READ, &key) != ERROR_SUCCESS) return;
  DWORD count = 0;
  DWORD longest = 0;
  if (RegQueryInfoKeyA(key, nullptr, nullptr, nullptr, &count, &longest, nullptr, nullptr, nullptr, nullptr,
                       nullptr, nullptr) == ERROR_SUCCESS) {
    std::string name(longest + 1, '\0');
    for (DWORD index = 0; index < count; ++index) {
      DWORD length = static_cast<DWORD>(name.size());
      if (RegEnumKeyExA(key, index, name.data(), &length, nullptr, nullptr, nullptr, nullptr) == ERROR_SUCCESS) {
        SendMessageA(list, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(name.c_str()));
      }
    }
  }
  RegCloseKey(key);
}

}  // namespace bench
