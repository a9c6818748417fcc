// The driver's entry point: takes the tool's path and the artifact folder, then runs the tests.

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "e2e/driver.h"

int main(int argc, char** argv) {
  testing::InitGoogleTest(&argc, argv);
  for (int i = 1; i < argc; ++i) {
    const std::string argument = argv[i];
    if (argument.rfind("--tool=", 0) == 0) e2e::SetToolPath(e2e::Widen(argument.substr(7)));
    if (argument.rfind("--artifacts=", 0) == 0) e2e::SetArtifactFolder(e2e::Widen(argument.substr(12)));
    if (argument.rfind("--density=", 0) == 0) e2e::SetScreenDensity(std::atoi(argument.c_str() + 10));
  }
  if (e2e::ToolPath().empty()) {
    fprintf(stderr,
            "usage: tavelin_e2e --tool=<path of tavelin.exe> [--artifacts=<folder>] [--density=<pixels per inch>]\n");
    return 2;
  }
  return RUN_ALL_TESTS();
}
