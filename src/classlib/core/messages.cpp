#include "classlib/core/messages.h"

std::string FormatText(std::string_view pattern, std::string_view argument) {
  const auto at = pattern.find("%s");
  if (at == std::string_view::npos) return std::string(pattern);
  std::string text;
  text.reserve(pattern.size() + argument.size());
  text.append(pattern.substr(0, at)).append(argument).append(pattern.substr(at + 2));
  return text;
}
