#pragma once
// Resume of the 1 GiB damaged file: from OK in the tool's confirmation to the entry's "Offset"
// written, against one bare CopyFileA of the same file into the same folder. Runs alternate
// (tool, copy, copy, tool ...); each copy is deleted before the next run.

#include "driver/options.h"
#include "driver/report.h"

namespace bench {

inline constexpr char kResumeEntry[] = "holiday video.avi";
inline constexpr char kDamagedFile[] = "holiday video (damaged).avi";

struct ResumeRuns {
  Series tool;
  Series copy;
};

// The client's download folder must be options.data, holding kDamagedFile, and the download
// list must hold `entries` entries, kResumeEntry among them.
ResumeRuns MeasureResume(const Options& options, int entries);

}  // namespace bench
