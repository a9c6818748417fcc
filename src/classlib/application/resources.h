#pragma once
// The executable's own data: the RCDATA resources that tavelin.exe carries (the window's
// description, the logo). The host build embeds the same files (resources_host.h).

#include <span>
#include <string_view>

#include "classlib/core/errors.h"

class EResNotFound : public Exception {
public:
  using Exception::Exception;
};

namespace classlib {

// The bytes of the RCDATA resource `name`. Raises EResNotFound when there is none.
std::span<const unsigned char> LoadDataResource(std::string_view name);

// The error for a resource `name` that the executable does not carry.
EResNotFound ResourceNotFound(std::string_view name);

}  // namespace classlib
