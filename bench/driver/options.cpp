#include "driver/options.h"

#include <cstdlib>
#include <sstream>

#include "driver/clock.h"
#include "driver/controls.h"

namespace bench {
namespace {

std::vector<double> Numbers(const std::string& list) {
  std::vector<double> numbers;
  std::stringstream in(list);
  std::string item;
  while (std::getline(in, item, ',')) numbers.push_back(std::strtod(item.c_str(), nullptr));
  return numbers;
}

int Count(const std::string& text) {
  const int count = std::atoi(text.c_str());
  if (count < 1) throw BenchError("a run count must be at least 1: " + text);
  return count;
}

}  // namespace

Options ParseOptions(int argc, char** argv) {
  Options options;
  for (int i = 1; i < argc; ++i) {
    const std::string argument = argv[i];
    const auto equals = argument.find('=');
    const std::string name = argument.substr(0, equals);
    const std::string value = equals == std::string::npos ? std::string() : argument.substr(equals + 1);
    if (name == "--tool") options.tool = Widen(value);
    else if (name == "--floor") options.floor = Widen(value);
    else if (name == "--bare-refresh") options.bareRefresh = Widen(value);
    else if (name == "--bare-window") options.bareWindow = Widen(value);
    else if (name == "--data") options.data = value;
    else if (name == "--results") options.results = value;
    else if (name == "--samples") options.samples = value;
    else if (name == "--cp-ms") options.cpRuns = Numbers(value);
    else if (name == "--exe-size") options.exeSize = std::strtoull(value.c_str(), nullptr, 10);
    else if (name == "--startup-runs") options.startupRuns = Count(value);
    else if (name == "--refresh-runs") options.refreshRuns = Count(value);
    else if (name == "--large-refresh-runs") options.largeRefreshRuns = Count(value);
    else if (name == "--resume-runs") options.resumeRuns = Count(value);
    else if (name == "--startup-only") options.startupOnly = true;
    else throw BenchError("unknown argument: " + argument);
  }
  const bool programs = !options.tool.empty() && !options.floor.empty() && !options.bareWindow.empty() &&
                        !options.data.empty();
  const bool rest = !options.bareRefresh.empty() && !options.cpRuns.empty() && options.exeSize != 0;
  if (!programs || options.results.empty() || options.samples.empty() || (!options.startupOnly && !rest)) {
    throw BenchError(
        "usage: tavelin_bench --tool=EXE --floor=EXE --bare-refresh=EXE --bare-window=EXE --data=FOLDER --results=CSV "
        "--samples=CSV --cp-ms=MS,MS,... --exe-size=BYTES [--startup-runs=N --refresh-runs=N "
        "--large-refresh-runs=N --resume-runs=N] | --startup-only without --bare-refresh, --cp-ms and --exe-size");
  }
  return options;
}

}  // namespace bench
