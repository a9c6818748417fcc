#pragma once
// Whether a download entry's name can serve as the name of its file. The name comes from the
// client's registry data, and download names from other peers, yet it is used as a path
// relative to the current directory: it must name one plain file there and nothing else.

#include <optional>
#include <string>
#include <string_view>

namespace repair {

// Why `name` is not one plain file name in the current directory, as a phrase that can follow
// "cannot be used as a file name: "; empty when it is one. Blanks inside the name and bytes
// outside ASCII are fine.
std::optional<std::string> WhyNotAPlainFileName(std::string_view name);

}  // namespace repair
