// The benchmark driver, run under Wine by scripts/bench: seeds the client's data in the scratch
// prefix, times the release tavelin.exe against its floors, prints the table of figures and
// writes it as CSV. Exit status 0 once everything was measured (a missed target included: the
// table says so), 1 when a measurement could not be taken.

#include <cstdio>
#include <exception>
#include <string>
#include <vector>

#include "driver/client.h"
#include "driver/clock.h"
#include "driver/density.h"
#include "driver/options.h"
#include "driver/refresh.h"
#include "driver/report.h"
#include "driver/resume.h"
#include "driver/startup.h"

namespace bench {
namespace {

constexpr int kRefreshSizes[] = {10000, 100000};
constexpr double kMiB = 1024.0 * 1024.0;
const char* const kFewEntries[] = {"concert.mp3", kResumeEntry, "zebra.txt"};

void Say(const std::string& text) {
  std::printf("%s\n", text.c_str());
  std::fflush(stdout);
}

std::vector<Figure> Measure(const Options& options) {
  client::RemoveAllEntries();
  client::SetDownloadFolder(options.data);
  for (const char* entry : kFewEntries) client::AddEntry(entry);
  const int few = static_cast<int>(std::size(kFewEntries));

  Say("start-up at 96 dpi ...");
  const StartupRuns startup = MeasureStartup(options, few, 96);
  Say("start-up at 144 dpi ...");
  const StartupRuns startup144 = MeasureStartup(options, few, 144);
  SetScreenDensity(96);
  if (2 * startup144.toolWidth < 3 * startup.toolWidth - 4) {
    throw BenchError("the programs did not take the density of 144 dpi: " + std::to_string(startup144.toolWidth) +
                     " wide, " + std::to_string(startup.toolWidth) + " at 96");
  }
  std::vector<Figure> figures;
  figures.push_back({"start-up", startup.tool, startup.floor, "ms", 1.25});
  figures.push_back({"start-up/bare 96 dpi", startup.tool, startup.bareWindow, "ms", 1.1});
  figures.push_back({"start-up/bare 144 dpi", startup144.tool, startup144.bareWindow, "ms", 1.1});
  figures.push_back({"(bare window/floor)", startup.bareWindow, startup.floor, "ms", std::nullopt});
  figures.push_back({"(start-up 144/96 dpi)", startup144.tool, startup.tool, "ms", std::nullopt});
  if (options.startupOnly) {
    client::RemoveAllEntries();
    return figures;
  }

  Say("resume of the 1 GiB file ...");
  const ResumeRuns resume = MeasureResume(options, few);

  client::RemoveAllEntries();
  std::vector<RefreshRuns> refresh;
  int seeded = 0;
  for (const int entries : kRefreshSizes) {
    Say("refresh with " + std::to_string(entries) + " entries ...");
    client::AddNumberedEntries(seeded, entries - 1);
    seeded = entries - 1;
    refresh.push_back(
        MeasureRefresh(options, entries, entries > 10000 ? options.largeRefreshRuns : options.refreshRuns));
  }
  client::RemoveAllEntries();

  for (size_t i = 0; i < refresh.size(); ++i) {
    figures.push_back({"refresh " + std::to_string(kRefreshSizes[i]), refresh[i].tool, refresh[i].bare, "ms", 1.5});
  }
  figures.push_back({"refresh 100000/10000", refresh[1].tool, refresh[0].tool, "ms", 12.0});
  figures.push_back({"(bare 100000/10000)", refresh[1].bare, refresh[0].bare, "ms", std::nullopt});
  figures.push_back({"resume 1 GiB", resume.tool, resume.copy, "ms", 1.1});
  figures.push_back({"(resume vs cp)", resume.tool, {"cp outside Wine", options.cpRuns}, "ms", std::nullopt});
  figures.push_back({"size", {"tavelin.exe", {static_cast<double>(options.exeSize)}}, {"1 MiB", {kMiB}}, "B", 1.0,
                     /*strict=*/true});
  return figures;
}

}  // namespace
}  // namespace bench

int main(int argc, char** argv) {
  try {
    const bench::Options options = bench::ParseOptions(argc, argv);
    const auto figures = bench::Measure(options);
    std::printf("\n");
    bench::PrintTable(figures, stdout);
    bool missed = false;
    for (const auto& figure : figures) missed = missed || figure.Result() == "MISSED";
    std::printf("\n%s\n", missed ? "Some targets were MISSED (see the result column)." : "All targets met.");
    if (!bench::WriteResults(figures, options.results) || !bench::WriteSamples(figures, options.samples)) {
      std::fprintf(stderr, "cannot write %s or %s\n", options.results.c_str(), options.samples.c_str());
      return 1;
    }
    return 0;
  } catch (const std::exception& error) {
    std::fprintf(stderr, "benchmark failed: %s\n", error.what());
    return 1;
  }
}
