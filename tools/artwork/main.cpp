// make_artwork <out dir>: writes tavelin.ico, logo.bmp and multidrag.cur, as committed in the
// source tree (src/app, src/ui and src/classlib).

#include <cstdio>
#include <filesystem>
#include <fstream>

#include "artwork/artwork.h"

namespace {

bool WriteFile(const std::filesystem::path& path, const artwork::Bytes& bytes) {
  std::ofstream out(path, std::ios::binary);
  out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
  return static_cast<bool>(out);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: make_artwork <out dir>\n");
    return 2;
  }
  const std::filesystem::path dir = argv[1];
  for (const auto& [name, bytes] : {std::pair{"tavelin.ico", artwork::TavelinIcon()},
                                    std::pair{"logo.bmp", artwork::MakerLogo()},
                                    std::pair{"multidrag.cur", artwork::MultiDragCursor()}}) {
    if (!WriteFile(dir / name, bytes)) {
      std::fprintf(stderr, "make_artwork: cannot write %s\n", (dir / name).string().c_str());
      return 1;
    }
  }
  return 0;
}
