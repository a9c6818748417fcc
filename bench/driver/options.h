#pragma once
// What scripts/bench hands the driver on its command line.

#include <cstdint>
#include <string>
#include <vector>

namespace bench {

struct Options {
  std::wstring tool;         // the release tavelin.exe
  std::wstring floor;        // bench_floor.exe
  std::wstring bareRefresh;  // bench_bare_refresh.exe
  std::wstring bareWindow;   // bench_bare_window.exe
  std::string data;          // the folder of the damaged 1 GiB file: the client's download folder
  std::string results;       // results.csv
  std::string samples;       // samples.csv: every single run
  std::vector<double> cpRuns;  // cp of the damaged file outside Wine, in ms
  std::uint64_t exeSize = 0;   // tavelin.exe in bytes

  bool startupOnly = false;  // only the start-up figures: no bare refresh, cp runs or exe size
  int startupRuns = 21;
  int refreshRuns = 9;
  int largeRefreshRuns = 5;
  int resumeRuns = 7;
};

// Reads --name=value arguments; raises BenchError on a missing or unknown one.
Options ParseOptions(int argc, char** argv);

}  // namespace bench
