#include "classlib/registry/registry_key.h"

#include <utility>

namespace classlib {

RegistryKey::RegistryKey(RegistryKey&& other) noexcept : key_(std::exchange(other.key_, 0)) {}

RegistryKey& RegistryKey::operator=(RegistryKey&& other) noexcept {
  if (this != &other) {
    Close();
    key_ = std::exchange(other.key_, 0);
  }
  return *this;
}

void RegistryKey::Close() noexcept {
  // Closing can only fail for a handle that is already invalid; there is nothing left to undo.
  if (key_ != 0) static_cast<void>(registry_api::CloseKey(std::exchange(key_, 0)));
}

}  // namespace classlib
