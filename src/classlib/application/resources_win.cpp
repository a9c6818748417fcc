#include <windows.h>

#include <string>

#include "classlib/application/resources.h"

namespace classlib {

std::span<const unsigned char> LoadDataResource(std::string_view name) {
  const std::string key(name);
  HMODULE module = GetModuleHandleA(nullptr);
  HRSRC info = FindResourceA(module, key.c_str(), MAKEINTRESOURCEA(10) /* RT_RCDATA */);
  HGLOBAL loaded = info ? LoadResource(module, info) : nullptr;
  const void* data = loaded ? LockResource(loaded) : nullptr;
  if (!data) throw ResourceNotFound(name);
  // Resources of the exe stay mapped for the life of the process; nothing to free.
  return {static_cast<const unsigned char*>(data), SizeofResource(module, info)};
}

}  // namespace classlib
