#include <gtest/gtest.h>

#include <algorithm>

#include "contract/registry_fixture.h"

namespace contract {

StoredValue Stored(std::uint32_t type, std::string_view bytes) {
  return {type, std::vector<unsigned char>(bytes.begin(), bytes.end())};
}

std::string CurrentCaseName() {
  const auto* test = ::testing::UnitTest::GetInstance()->current_test_info();
  std::string name = test ? std::string(test->test_suite_name()) + '.' + test->name() : "none";
  std::replace(name.begin(), name.end(), '/', '_');
  std::replace(name.begin(), name.end(), '\\', '_');
  return name;
}

std::string RegistryScratch::PathOf(std::string_view subkey) const {
  return subkey.empty() ? path_ : path_ + '\\' + std::string(subkey);
}

}  // namespace contract
