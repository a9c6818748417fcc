// The contract cases' scratch key in the in-memory hive, which is emptied for each case.

#include "classlib/registry/memory_hive.h"
#include "contract/registry_fixture.h"

namespace hive = classlib::memory_hive;

namespace contract {

RegistryScratch::RegistryScratch(std::string_view caseName)
    : path_("Software\\Tavelin Contract Tests\\" + std::string(caseName)) {
  hive::Reset();
  hive::CreateKey(path_);
}

RegistryScratch::~RegistryScratch() { hive::Reset(); }

void RegistryScratch::CreateKey(std::string_view subkey) { hive::CreateKey(PathOf(subkey)); }

void RegistryScratch::DeleteKey(std::string_view subkey) { hive::DeleteKey(PathOf(subkey)); }

bool RegistryScratch::KeyExists(std::string_view subkey) const {
  return hive::KeyExists(PathOf(subkey));
}

void RegistryScratch::SetValue(std::string_view subkey, std::string_view name,
                               const StoredValue& value) {
  hive::SetValue(PathOf(subkey), name, {value.type, value.data});
}

std::optional<StoredValue> RegistryScratch::Value(std::string_view subkey,
                                                  std::string_view name) const {
  const auto value = hive::GetValue(PathOf(subkey), name);
  if (!value) return std::nullopt;
  return StoredValue{value->type, value->data};
}

void RegistryScratch::DenyFullAccess(std::string_view subkey) {
  hive::DenyFullAccess(PathOf(subkey));
}

std::string RegistryScratch::Snapshot() const { return hive::Dump(); }

int RegistryScratch::OpenHandleCount() const {
  return static_cast<int>(hive::OpenHandles().size());
}

}  // namespace contract
