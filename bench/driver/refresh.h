#pragma once
// Refresh: the time of one press of the tool's Refresh until its list holds every entry,
// against the bare refresh program timed the same way. Both programs are started once with one
// entry less than measured; each run adds the missing entry and refreshes both (the order
// alternates), then removes it again and refreshes both untimed. So every timed refresh
// empties a full list and fills it with exactly `entries` names.

#include "driver/options.h"
#include "driver/report.h"

namespace bench {

struct RefreshRuns {
  Series tool;
  Series bare;
};

// The client's download list must hold exactly `entries - 1` entries, none named as the one
// the runs add.
RefreshRuns MeasureRefresh(const Options& options, int entries, int runs);

}  // namespace bench
