#pragma once
// Native tests that check committed files read them from the source tree; the artwork target
// tells where that is.

#include <fstream>
#include <iterator>
#include <stdexcept>
#include <string>

inline std::string ReadSourceFile(const std::string& relativePath) {
  const std::string path = std::string(TAVELIN_SOURCE_DIR) + "/" + relativePath;
  std::ifstream in(path, std::ios::binary);
  if (!in) throw std::runtime_error("cannot read " + path);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}
