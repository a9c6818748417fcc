#include "classlib/application/resources_host.h"

#include <map>
#include <string>

#include "classlib/application/resources.h"

namespace classlib {
namespace {

std::map<std::string, std::span<const unsigned char>, std::less<>>& Table() {
  static std::map<std::string, std::span<const unsigned char>, std::less<>> table;
  return table;
}

}  // namespace

host::ResourceRegistration::ResourceRegistration(const char* name, const unsigned char* data,
                                                 std::size_t size) {
  Table()[name] = std::span<const unsigned char>(data, size);
}

std::span<const unsigned char> LoadDataResource(std::string_view name) {
  const auto found = Table().find(name);
  if (found == Table().end()) throw ResourceNotFound(name);
  return found->second;
}

}  // namespace classlib
