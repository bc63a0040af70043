// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What the benchmarks print their same-run ratios from.

#include <benchmark/benchmark.h>

#include <algorithm>
#include <map>
#include <set>
#include <string>
#include <vector>

// The fastest repetition: on a shared machine the other runs mostly measure the neighbours.
inline double Fastest(const std::vector<double>& v) {
  return v.empty() ? 0 : *std::min_element(v.begin(), v.end());
}

// Keeps the time per iteration of every run for the ratios at the end; with repetitions the
// fastest one, which a busy machine disturbs least.
class RatioReporter : public benchmark::ConsoleReporter {
 public:
  void ReportRuns(const std::vector<Run>& runs) override {
    for (const auto& r : runs) {
      const std::string name = r.run_name.str();
      if (r.run_type == Run::RT_Iteration && r.iterations > 0 && !fastest.count(name))
        times[name] = r.GetAdjustedRealTime();
      if (r.run_type == Run::RT_Aggregate && r.aggregate_name == "min") {
        times[name] = r.GetAdjustedRealTime();
        fastest.insert(name);
      }
    }
    ConsoleReporter::ReportRuns(runs);
  }
  // The kept time of a benchmark, 0 when it did not run.
  double Time(const std::string& name) const {
    const auto it = times.find(name);
    return it == times.end() ? 0.0 : it->second;
  }
  std::map<std::string, double> times;
  std::set<std::string> fastest;
};
