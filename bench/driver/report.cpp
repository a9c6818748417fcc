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

double Minimum(const std::vector<double>& values) {
  return values.empty() ? 0 : *std::min_element(values.begin(), values.end());
}

double Spread(std::vector<double> values) {
  if (values.empty()) return 0;
  std::sort(values.begin(), values.end());
  const auto quartile = [&values](double share) {
    const double at = share * static_cast<double>(values.size() - 1);
    const auto below = static_cast<size_t>(at);
    const size_t above = std::min(below + 1, values.size() - 1);
    return values[below] + (values[above] - values[below]) * (at - static_cast<double>(below));
  };
  return quartile(0.75) - quartile(0.25);
}

std::string Figure::Result() const {
  if (!target) return "reference";
  const double ratio = Ratio();
  return (strict ? ratio < *target : ratio <= *target) ? "ok" : "MISSED";
}

// Each series as "min / median / spread" of its runs: one noisy run moves none of them much.
void PrintTable(const std::vector<Figure>& figures, std::FILE* out) {
  std::fprintf(out, "%-22s %-22s %-27s %-22s %-27s %7s %8s  %s\n", "figure", "subject", "min / median / spread",
               "baseline", "min / median / spread", "ratio", "target", "result");
  for (const Figure& figure : figures) {
    const int decimals = figure.unit == "B" ? 0 : 1;
    const auto series = [&](const Series& each) {
      return Number(Minimum(each.runs), decimals) + " / " + Number(Median(each.runs), decimals) + " / " +
             Number(Spread(each.runs), decimals) + " " + figure.unit;
    };
    std::fprintf(out, "%-22s %-22s %-27s %-22s %-27s %7s %8s  %s\n", figure.name.c_str(),
                 figure.subject.name.c_str(), series(figure.subject).c_str(), figure.baseline.name.c_str(),
                 series(figure.baseline).c_str(), Number(figure.Ratio(), 3).c_str(), TargetText(figure).c_str(),
                 figure.Result().c_str());
  }
  std::fprintf(out, "(ratio: of the medians; spread: the interquartile range of the runs)\n");
}

bool WriteResults(const std::vector<Figure>& figures, const std::string& path) {
  std::ofstream out(path, std::ios::trunc);
  out << "figure,subject,subject_min,subject_median,subject_spread,baseline,baseline_min,baseline_median,"
         "baseline_spread,unit,ratio,target,result,subject_runs,baseline_runs\n";
  for (const Figure& figure : figures) {
    out << figure.name << ',' << figure.subject.name << ',' << Number(Minimum(figure.subject.runs), 3) << ','
        << Number(Median(figure.subject.runs), 3) << ',' << Number(Spread(figure.subject.runs), 3) << ','
        << figure.baseline.name << ',' << Number(Minimum(figure.baseline.runs), 3) << ','
        << Number(Median(figure.baseline.runs), 3) << ',' << Number(Spread(figure.baseline.runs), 3) << ','
        << figure.unit << ',' << Number(figure.Ratio(), 4) << ',' << TargetText(figure) << ',' << figure.Result()
        << ',' << figure.subject.runs.size() << ',' << figure.baseline.runs.size() << '\n';
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
