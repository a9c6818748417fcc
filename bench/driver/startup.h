#pragma once
// Start-up: from process start to the main window visible with its list filled, against the
// floor program's empty window visible and its thread taking messages, and against the bare
// program that makes the tool's window with bare API calls, timed as the tool is. At each
// density the prefix is set to it first, each program is started once untimed, and then the
// runs rotate (tool, floor, bare window, tool ...).

#include "driver/options.h"
#include "driver/report.h"

namespace bench {

struct StartupRuns {
  Series tool;
  Series floor;
  Series bareWindow;
  // The client area's width of the tool's window and of the bare one: the same when both are
  // made at the density of the runs.
  int toolWidth = 0;
  int bareWidth = 0;
};

// The client's download list must hold exactly `entries` entries. Leaves the prefix at
// `pixelsPerInch`.
StartupRuns MeasureStartup(const Options& options, int entries, int pixelsPerInch);

}  // namespace bench
