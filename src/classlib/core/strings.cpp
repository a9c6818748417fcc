#include "classlib/core/strings.h"

#include <stdexcept>

std::vector<std::string> TStrings::ToVector() const {
  std::vector<std::string> all;
  all.reserve(static_cast<size_t>(Count()));
  for (int i = 0; i < Count(); ++i) all.push_back(Strings(i));
  return all;
}

int TStringList::Add(const std::string& text) {
  items_.push_back(text);
  return Count() - 1;
}

std::string TStringList::Strings(int index) const {
  return items_.at(static_cast<size_t>(index));
}
