#pragma once
// RegistryKey: owns one open registry key and closes it exactly once. It cannot be copied, so
// two owners can never close the same handle; moving hands the key over.

#include "classlib/registry/registry_api.h"

namespace classlib {

class RegistryKey {
public:
  RegistryKey() noexcept = default;
  explicit RegistryKey(registry_api::Key key) noexcept : key_(key) {}
  ~RegistryKey() { Close(); }

  RegistryKey(const RegistryKey&) = delete;
  RegistryKey& operator=(const RegistryKey&) = delete;
  RegistryKey(RegistryKey&& other) noexcept;
  // Closes the key this one held, then takes over `other`'s.
  RegistryKey& operator=(RegistryKey&& other) noexcept;

  registry_api::Key Get() const noexcept { return key_; }
  explicit operator bool() const noexcept { return key_ != 0; }

  // Closes the key now; afterwards this holds none.
  void Close() noexcept;

private:
  registry_api::Key key_ = 0;
};

}  // namespace classlib
