#pragma once
// The tool's homepage: host and path, without a scheme. The link shows it after "Homepage: ".

namespace ui {
inline constexpr char kHomepageAddress[] = "example.org/tavelin";
}  // namespace ui
