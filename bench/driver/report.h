#pragma once
// The figures of one benchmark run: each is the ratio of two medians measured in that run, with
// its target. Printed as a table, written as CSV (one line a figure) and as the single runs.

#include <cstdio>
#include <optional>
#include <string>
#include <vector>

namespace bench {

// The runs of one program or operation.
struct Series {
  std::string name;
  std::vector<double> runs;
};

double Median(std::vector<double> values);
double Minimum(const std::vector<double>& values);
// The interquartile range: how far the middle half of the runs lie apart.
double Spread(std::vector<double> values);

struct Figure {
  std::string name;
  Series subject;
  Series baseline;
  std::string unit;              // of the medians: "ms", "B"
  std::optional<double> target;  // the largest ratio allowed; none: shown for reference only
  bool strict = false;           // the ratio must stay under the target, not only reach it

  double Ratio() const { return Median(subject.runs) / Median(baseline.runs); }
  // "ok", "MISSED", or "reference".
  std::string Result() const;
};

void PrintTable(const std::vector<Figure>& figures, std::FILE* out);
// Returns false when the file cannot be written.
bool WriteResults(const std::vector<Figure>& figures, const std::string& path);
bool WriteSamples(const std::vector<Figure>& figures, const std::string& path);

}  // namespace bench
