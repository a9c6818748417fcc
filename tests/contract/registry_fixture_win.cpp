// The contract cases' scratch key in the real registry of the test run's Wine prefix. The
// fixture builds and removes its layout with the ordinary advapi32 calls (it may create keys,
// unlike the code under test); anything it cannot do fails the case loudly.

#include <windows.h>
#include <sddl.h>

#include <cstddef>
#include <cstdio>
#include <cstring>
#include <stdexcept>
#include <vector>

#include "contract/registry_fixture.h"

#include "common/handle_count_win.h"

namespace contract {
namespace {

constexpr const char* kScratchParent = "Software\\Tavelin Contract Tests";

void Check(LONG status, const std::string& what) {
  if (status != ERROR_SUCCESS) {
    throw std::runtime_error(what + " failed with " + std::to_string(status));
  }
}

// Owns one key the fixture opened.
class FixtureKey {
public:
  FixtureKey(const std::string& path, REGSAM access) {
    Check(RegOpenKeyExA(HKEY_CURRENT_USER, path.c_str(), 0, access, &key_), "opening " + path);
  }
  ~FixtureKey() { RegCloseKey(key_); }
  FixtureKey(const FixtureKey&) = delete;
  FixtureKey& operator=(const FixtureKey&) = delete;
  HKEY get() const { return key_; }

private:
  HKEY key_ = nullptr;
};

void SetDacl(const std::string& path, const char* sddl) {
  PSECURITY_DESCRIPTOR descriptor = nullptr;
  if (!ConvertStringSecurityDescriptorToSecurityDescriptorA(sddl, SDDL_REVISION_1, &descriptor,
                                                            nullptr)) {
    throw std::runtime_error("bad security descriptor " + std::string(sddl));
  }
  // The owner may always change the access list, even after it shut itself out.
  const FixtureKey key(path, WRITE_DAC);
  const LONG status = RegSetKeySecurity(key.get(), DACL_SECURITY_INFORMATION, descriptor);
  LocalFree(descriptor);
  Check(status, "setting the access list of " + path);
}

void AppendValues(HKEY key, const std::string& indent, std::string& out) {
  for (DWORD index = 0;; ++index) {
    char name[16384];
    DWORD nameLength = sizeof name;
    DWORD type = 0;
    std::vector<BYTE> data(65536);
    DWORD size = static_cast<DWORD>(data.size());
    if (RegEnumValueA(key, index, name, &nameLength, nullptr, &type, data.data(), &size) !=
        ERROR_SUCCESS) {
      break;
    }
    out += indent + '"' + std::string(name, nameLength) + "\" type " + std::to_string(type) + ':';
    for (DWORD i = 0; i < size; ++i) {
      char hex[4];
      std::snprintf(hex, sizeof hex, " %02x", data[i]);
      out += hex;
    }
    out += '\n';
  }
}

std::vector<std::string> SubkeyNames(HKEY key) {
  std::vector<std::string> names;
  for (DWORD index = 0;; ++index) {
    char name[256];
    DWORD length = sizeof name;
    if (RegEnumKeyExA(key, index, name, &length, nullptr, nullptr, nullptr, nullptr) !=
        ERROR_SUCCESS) {
      break;
    }
    names.emplace_back(name, length);
  }
  return names;
}

void AppendTree(const std::string& path, const std::string& indent, std::string& out) {
  const FixtureKey key(path, KEY_READ);
  AppendValues(key.get(), indent + "  ", out);
  for (const auto& name : SubkeyNames(key.get())) {
    out += indent + "  " + name + '\n';
    AppendTree(path + '\\' + name, indent + "  ", out);
  }
}

}  // namespace

RegistryScratch::RegistryScratch(std::string_view caseName)
    : path_(std::string(kScratchParent) + '\\' + std::string(caseName)) {
  RegDeleteTreeA(HKEY_CURRENT_USER, path_.c_str());  // what an aborted run may have left
  CreateKey("");
}

RegistryScratch::~RegistryScratch() {
  try {
    for (const auto& path : denied_) SetDacl(path, "D:P(A;;KA;;;WD)");
  } catch (const std::exception&) {
    // Deleting is tried all the same; a left-over key is removed by the next run.
  }
  RegDeleteTreeA(HKEY_CURRENT_USER, path_.c_str());
  RegDeleteKeyA(HKEY_CURRENT_USER, kScratchParent);  // only once no case has a key below it
}

void RegistryScratch::CreateKey(std::string_view subkey) {
  HKEY key = nullptr;
  Check(RegCreateKeyExA(HKEY_CURRENT_USER, PathOf(subkey).c_str(), 0, nullptr, 0, KEY_ALL_ACCESS,
                        nullptr, &key, nullptr),
        "creating " + PathOf(subkey));
  RegCloseKey(key);
}

void RegistryScratch::DeleteKey(std::string_view subkey) {
  Check(RegDeleteTreeA(HKEY_CURRENT_USER, PathOf(subkey).c_str()), "deleting " + PathOf(subkey));
}

bool RegistryScratch::KeyExists(std::string_view subkey) const {
  HKEY key = nullptr;
  if (RegOpenKeyExA(HKEY_CURRENT_USER, PathOf(subkey).c_str(), 0, KEY_READ, &key) !=
      ERROR_SUCCESS) {
    return false;
  }
  RegCloseKey(key);
  return true;
}

void RegistryScratch::SetValue(std::string_view subkey, std::string_view name,
                               const StoredValue& value) {
  // RegSetValueExA counts a terminator the caller left out when the byte after the data is
  // zero; a non-zero byte there keeps string data exactly as given.
  std::vector<BYTE> data(value.data.begin(), value.data.end());
  data.push_back('#');
  const FixtureKey key(PathOf(subkey), KEY_SET_VALUE);
  Check(RegSetValueExA(key.get(), std::string(name).c_str(), 0, value.type, data.data(),
                       static_cast<DWORD>(value.data.size())),
        "setting " + std::string(name));
}

std::optional<StoredValue> RegistryScratch::Value(std::string_view subkey,
                                                  std::string_view name) const {
  const FixtureKey key(PathOf(subkey), KEY_READ);
  DWORD type = 0;
  DWORD size = 0;
  const std::string valueName(name);
  if (RegQueryValueExA(key.get(), valueName.c_str(), nullptr, &type, nullptr, &size) !=
      ERROR_SUCCESS) {
    return std::nullopt;
  }
  std::vector<unsigned char> data(size);
  Check(RegQueryValueExA(key.get(), valueName.c_str(), nullptr, &type, data.data(), &size),
        "reading " + valueName);
  data.resize(size);
  return StoredValue{type, data};
}

void RegistryScratch::DenyFullAccess(std::string_view subkey) {
  denied_.push_back(PathOf(subkey));
  SetDacl(denied_.back(), "D:P(A;;KR;;;WD)");  // everyone may read, nobody more
}

std::string RegistryScratch::Snapshot() const {
  std::string out = "HKEY_CURRENT_USER\n";
  AppendValues(HKEY_CURRENT_USER, "  ", out);
  for (const auto& name : SubkeyNames(HKEY_CURRENT_USER)) out += "  " + name + '\n';
  out += path_ + '\n';
  AppendTree(path_, "", out);
  return out;
}

int RegistryScratch::OpenHandleCount() const {
  const int count = test_support::ProcessHandleCount(GetCurrentProcessId());
  if (count < 0) throw std::runtime_error("the system's handle table cannot be read");
  return count;
}

}  // namespace contract
