#include "classlib/registry/registry.h"

#include <limits>
#include <unordered_set>
#include <utility>

#include "classlib/core/errors.h"
#include "classlib/core/messages.h"

namespace api = classlib::registry_api;
namespace messages = classlib::messages;

namespace {

// The seam takes C strings: a name with a zero byte inside would silently stand for a shorter
// name, so such a name is treated as naming nothing.
bool NamesSomething(const std::string& name) { return name.find('\0') == std::string::npos; }

[[noreturn]] void ThrowRegistryError(std::string_view pattern, const std::string& name) {
  throw ERegistryException(FormatText(pattern, name));
}

}  // namespace

TRegistry::TRegistry() = default;

// The key is closed by its owner, without a flush: the system writes it back in its own time.
TRegistry::~TRegistry() = default;

bool TRegistry::OpenKey(const std::string& path) {
  if (!NamesSomething(path)) return false;
  const bool fromRoot = !path.empty() && path.front() == '\\';
  const bool fromCurrent = !fromRoot && HasCurrentKey();
  const std::string subkey = fromRoot ? path.substr(1) : path;

  api::Key opened = 0;
  if (api::OpenKey(fromCurrent ? current_.Get() : root_, subkey.c_str(), api::kAllAccess,
                   &opened) != api::kSuccess) {
    return false;
  }
  // The new key may have been opened relative to the old one, so the old one closes only now.
  std::string newPath = fromCurrent ? currentPath_ + '\\' + subkey : subkey;
  current_ = classlib::RegistryKey(opened);
  currentPath_ = std::move(newPath);
  return true;
}

std::string TRegistry::ReadString(const std::string& name) {
  if (!HasCurrentKey() || !NamesSomething(name)) return {};
  std::uint32_t type = api::kNone;
  std::uint32_t size = 0;
  if (api::QueryValue(current_.Get(), name.c_str(), &type, nullptr, &size) != api::kSuccess ||
      size == 0) {
    return {};
  }

  std::string data(size, '\0');
  std::uint32_t received = size;
  // The value can change between the two calls: gone, or grown past the buffer.
  if (api::QueryValue(current_.Get(), name.c_str(), &type,
                      reinterpret_cast<unsigned char*>(data.data()), &received) != api::kSuccess ||
      received > size) {
    ThrowRegistryError(messages::kReadDataFailed, name);
  }
  // Only what this read returned counts; a value that shrank leaves stale bytes behind it.
  data.resize(received);
  if (data.empty()) return {};
  if (type != api::kSz && type != api::kExpandSz) {
    ThrowRegistryError(messages::kInvalidDataType, name);
  }
  if (const auto end = data.find('\0'); end != std::string::npos) data.resize(end);
  return data;
}

void TRegistry::GetKeyNames(TStrings& list) {
  const TStringsUpdate update(list);
  list.Clear();
  if (!HasCurrentKey()) return;
  std::uint32_t count = 0;
  std::uint32_t longest = 0;
  if (api::QueryInfoKey(current_.Get(), &count, &longest) != api::kSuccess) return;

  std::string buffer(std::size_t{longest} + 1, '\0');
  // A key added or deleted while the names are read moves the others to new indexes, so a
  // name can come up a second time; a key holds each name once, and so does the list.
  std::unordered_set<std::string> listed;
  for (std::uint32_t index = 0; index < count; ++index) {
    auto length = static_cast<std::uint32_t>(buffer.size());
    // A key renamed, added or deleted since the count was taken does not fit its index any
    // more; its name is skipped rather than read in part.
    if (api::EnumKey(current_.Get(), index, buffer.data(), &length) != api::kSuccess ||
        length >= buffer.size()) {
      continue;
    }
    std::string name = buffer.substr(0, length);
    if (!listed.insert(name).second) continue;
    list.Add(name);
  }
}

void TRegistry::WriteString(const std::string& name, const std::string& value) {
  // Without a current key there is nowhere to write; the root key is never a fallback.
  if (!HasCurrentKey() || !NamesSomething(name) ||
      value.size() >= std::numeric_limits<std::uint32_t>::max()) {
    ThrowRegistryError(messages::kWriteDataFailed, name);
  }
  const auto* data = reinterpret_cast<const unsigned char*>(value.c_str());  // with its zero byte
  if (api::SetValue(current_.Get(), name.c_str(), api::kSz, data,
                    static_cast<std::uint32_t>(value.size() + 1)) != api::kSuccess) {
    ThrowRegistryError(messages::kWriteDataFailed, name);
  }
}

void TRegistry::CloseKey() {
  current_.Close();
  currentPath_.clear();
}
