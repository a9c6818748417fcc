#include "classlib/application/resources.h"

#include "classlib/core/messages.h"

EResNotFound classlib::ResourceNotFound(std::string_view name) {
  return EResNotFound(FormatText(messages::kResourceNotFound, name));
}
