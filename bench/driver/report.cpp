#include "driver/report.h"

#include <algorithm>
#include <fstream>

namespace bench {
namespace {

std::string Number(double value, int decimals) {
  char text[64];
  std::snprintf(text, sizeof text, "%.*f", decimals, value);
  return text;
}

std::string TargetText(const Figure& figure) {
  if (!figure.target) return "-";
  return (figure.strict ? "<" : "<=") + Number(*figure.target, 2);
}

}  // namespace

double Median(std::vector<double> values) {
  if (values.empty()) return 0;
  std::sort(values.begin(), values.end());
  const size_t middle = values.size() / 2;
  return values.size() % 2 ? values[middle] : (values[middle - 1] + values[middle]) / 2;
}

std::string Figure::Result() const {
  if (!target) return "reference";
  const double ratio = Ratio();
  return (strict ? ratio < *target : ratio <= *target) ? "ok" : "MISSED";
}

void PrintTable(const std::vector<Figure>& figures, std::FILE* out) {
  std::fprintf(out, "%-22s %-18s %12s   %-20s %12s %7s %8s  %s\n", "figure", "subject", "median", "baseline",
               "median", "ratio", "target", "result");
  for (const Figure& figure : figures) {
    const int decimals = figure.unit == "B" ? 0 : 1;
    std::fprintf(out, "%-22s %-18s %9s %-2s   %-20s %9s %-2s %7s %8s  %s\n", figure.name.c_str(),
                 figure.subject.name.c_str(), Number(Median(figure.subject.runs), decimals).c_str(),
                 figure.unit.c_str(), figure.baseline.name.c_str(),
                 Number(Median(figure.baseline.runs), decimals).c_str(), figure.unit.c_str(),
                 Number(figure.Ratio(), 3).c_str(), TargetText(figure).c_str(), figure.Result().c_str());
  }
}

bool WriteResults(const std::vector<Figure>& figures, const std::string& path) {
  std::ofstream out(path, std::ios::trunc);
  out << "figure,subject,subject_median,baseline,baseline_median,unit,ratio,target,result,subject_runs,"
         "baseline_runs\n";
  for (const Figure& figure : figures) {
    out << figure.name << ',' << figure.subject.name << ',' << Number(Median(figure.subject.runs), 3) << ','
        << figure.baseline.name << ',' << Number(Median(figure.baseline.runs), 3) << ',' << figure.unit << ','
        << Number(figure.Ratio(), 4) << ',' << TargetText(figure) << ',' << figure.Result() << ','
        << figure.subject.runs.size() << ',' << figure.baseline.runs.size() << '\n';
  }
  return out.good();
}

bool WriteSamples(const std::vector<Figure>& figures, const std::string& path) {
  std::ofstream out(path, std::ios::trunc);
  out << "figure,series,run,value,unit\n";
  for (const Figure& figure : figures) {
    for (const Series* series : {&figure.subject, &figure.baseline}) {
      for (size_t run = 0; run < series->runs.size(); ++run) {
        out << figure.name << ',' << series->name << ',' << run + 1 << ',' << Number(series->runs[run], 3) << ','
            << figure.unit << '\n';
      }
    }
  }
  return out.good();
}

}  // namespace bench
