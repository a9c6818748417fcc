#pragma once
// Host side of the resource seam: each embedded file registers itself under its resource name
// (see cmake/EmbedFile.cmake), as the resource compiler puts it into the exe on Windows.

#include <cstddef>

namespace classlib::host {

struct ResourceRegistration {
  ResourceRegistration(const char* name, const unsigned char* data, std::size_t size);
};

}  // namespace classlib::host
