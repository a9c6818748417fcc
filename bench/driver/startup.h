#pragma once
// Start-up: from process start to the main window visible with its list filled, against the
// floor program's empty window visible and its thread taking messages. For reference, the bare
// program with the tool's window made by bare API calls is timed as the tool is. Runs rotate
// (tool, floor, bare window, tool ...) after one untimed start of each.

#include "driver/options.h"
#include "driver/report.h"

namespace bench {

struct StartupRuns {
  Series tool;
  Series floor;
  Series bareWindow;
};

// The client's download list must hold exactly `entries` entries.
StartupRuns MeasureStartup(const Options& options, int entries);

}  // namespace bench
