#include "driver/client.h"

#include <windows.h>

#include <cstdio>
#include <vector>

#include "client_key.h"
#include "driver/clock.h"

namespace bench::client {
namespace {

std::string EntryKey(const std::string& name) { return std::string(kDownloadListKey) + "\\" + name; }

// A key of the client, made if missing.
class Key {
public:
  explicit Key(const std::string& path) {
    if (RegCreateKeyExA(HKEY_CURRENT_USER, path.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key_,
                        nullptr) != ERROR_SUCCESS) {
      throw BenchError("cannot make the key " + path);
    }
  }
  ~Key() { RegCloseKey(key_); }
  Key(const Key&) = delete;
  Key& operator=(const Key&) = delete;
  HKEY get() const { return key_; }

private:
  HKEY key_ = nullptr;
};

}  // namespace

void SetDownloadFolder(const std::string& folder) {
  const Key options(kOptionsKey);
  if (RegSetValueExA(options.get(), "DownloadFolder", 0, REG_SZ, reinterpret_cast<const BYTE*>(folder.c_str()),
                     static_cast<DWORD>(folder.size() + 1)) != ERROR_SUCCESS) {
    throw BenchError("cannot set the download folder");
  }
}

void AddEntry(const std::string& name) { const Key entry(EntryKey(name)); }

void RemoveEntry(const std::string& name) {
  if (RegDeleteKeyA(HKEY_CURRENT_USER, EntryKey(name).c_str()) != ERROR_SUCCESS) {
    throw BenchError("cannot remove the entry " + name);
  }
}

void RemoveAllEntries() {
  const Key list(kDownloadListKey);
  DWORD count = 0;
  DWORD longest = 0;
  if (RegQueryInfoKeyA(list.get(), nullptr, nullptr, nullptr, &count, &longest, nullptr, nullptr, nullptr, nullptr,
                       nullptr, nullptr) != ERROR_SUCCESS) {
    throw BenchError("cannot count the entries");
  }
  std::vector<char> name(longest + 1);
  for (DWORD index = count; index-- > 0;) {
    DWORD length = static_cast<DWORD>(name.size());
    if (RegEnumKeyExA(list.get(), index, name.data(), &length, nullptr, nullptr, nullptr, nullptr) ==
        ERROR_SUCCESS) {
      RegDeleteKeyA(list.get(), name.data());
    }
  }
}

std::string NumberedEntry(int index) {
  char name[96];
  std::snprintf(name, sizeof name, "download %06d - The Example Artists - A Song of Some Length.mp3", index);
  return name;
}

void AddNumberedEntries(int from, int to) {
  const Key list(kDownloadListKey);
  for (int index = from; index < to; ++index) {
    HKEY entry = nullptr;
    if (RegCreateKeyExA(list.get(), NumberedEntry(index).c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &entry,
                        nullptr) != ERROR_SUCCESS) {
      throw BenchError("cannot add entry " + std::to_string(index));
    }
    RegCloseKey(entry);
  }
}

std::optional<std::string> Offset(const std::string& entry) {
  char text[64] = {};
  DWORD size = sizeof text - 1;
  DWORD type = 0;
  if (RegGetValueA(HKEY_CURRENT_USER, EntryKey(entry).c_str(), "Offset", RRF_RT_REG_SZ, &type, text, &size) !=
      ERROR_SUCCESS) {
    return std::nullopt;
  }
  return std::string(text);
}

void RemoveOffset(const std::string& entry) {
  HKEY key = nullptr;
  if (RegOpenKeyExA(HKEY_CURRENT_USER, EntryKey(entry).c_str(), 0, KEY_SET_VALUE, &key) != ERROR_SUCCESS) return;
  RegDeleteValueA(key, "Offset");
  RegCloseKey(key);
}

}  // namespace bench::client
