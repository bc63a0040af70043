// SPDX-License-Identifier: GPL-3.0-or-later
// One redraw's computation of the live band chart: the 81-point start path by the fast eigen
// path, against the band run's Jacobi k-point calculation over the same points, and the Fermi
// level of a filling on the grid the live chart uses. Prints the ratios of the same run.

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdio>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "bands/dos_grid.h"
#include "bands/kpath.h"
#include "bands/path_bands.h"
#include "dense_model.h"
#include "numeric/kpoint_calc.h"
#include "ratio_reporter.h"

namespace {

using namespace quarnel;

// The dense model with names for its orbitals, half filled.
std::unique_ptr<ModelData> DenseModel(int n) {
  auto m = DenseBenchModel(n, 77 + n);
  for (int i = 1; i <= n; ++i) m->OrbName[i] = "o" + std::to_string(i);
  m->FillElectrons = n;
  return m;
}

void BM_LivePath(benchmark::State& state) {
  const auto model = DenseModel(static_cast<int>(state.range(0)));
  const std::vector<KPathPoint> points = PathPoints(StartKPathLines());
  BandTable table;
  for (auto _ : state) {
    benchmark::DoNotOptimize(FastPathBands(TableModel(*model), points, table));
    benchmark::DoNotOptimize(table.Energy(0, 1));
  }
  state.counters["points"] = static_cast<double>(points.size());
}

void BM_JacobiPath(benchmark::State& state) {
  const auto model = DenseModel(static_cast<int>(state.range(0)));
  const std::vector<KPathPoint> points = PathPoints(StartKPathLines());
  auto solver = std::make_unique<JacobiSolver>();
  solver->JacVerbose = false;
  static HamMatrix h;
  for (auto _ : state)
    for (const KPathPoint& p : points) {
      CalcKpoint(TableModel(*model), KPointFromNumerators(p.div, p.nx, p.ny, p.nz), h, *solver);
      benchmark::DoNotOptimize(solver->EigVal[1]);
    }
}

// The Fermi level of a redraw with a filling, on the grid the live chart takes after a DOS run
// on the 40 grid, on every core.
void BM_LiveFermi(benchmark::State& state) {
  const int n = static_cast<int>(state.range(0));
  const auto model = DenseModel(n);
  const int grid = LiveFillingGrid(40, n);
  for (auto _ : state)
    benchmark::DoNotOptimize(FastGridFilling(TableModel(*model), grid, DefaultDosThreads()));
  state.counters["grid"] = grid;
}

BENCHMARK(BM_LivePath)
    ->Arg(3)
    ->Arg(16)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(5)
    ->ComputeStatistics("min", Fastest);
BENCHMARK(BM_JacobiPath)
    ->Arg(3)
    ->Arg(16)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(5)
    ->ComputeStatistics("min", Fastest);
BENCHMARK(BM_LiveFermi)
    ->Arg(3)
    ->Arg(16)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(5)
    ->ComputeStatistics("min", Fastest);

// The fastest repetition of each run: a shared machine disturbs it least.
class MinReporter : public benchmark::ConsoleReporter {
 public:
  void ReportRuns(const std::vector<Run>& runs) override {
    for (const auto& r : runs)
      if (r.run_type == Run::RT_Aggregate && r.aggregate_name == "min")
        ms[r.run_name.function_name + "/" + r.run_name.args] = r.GetAdjustedRealTime();
    ConsoleReporter::ReportRuns(runs);
  }
  std::map<std::string, double> ms;
};

}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  MinReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  std::printf("\nlive redraw computation, fastest of 5 (same run):\n");
  for (int n : {3, 16}) {
    const std::string arg = "/" + std::to_string(n);
    const auto live = reporter.ms.find("BM_LivePath" + arg);
    const auto jac = reporter.ms.find("BM_JacobiPath" + arg);
    const auto fermi = reporter.ms.find("BM_LiveFermi" + arg);
    if (live == reporter.ms.end() || jac == reporter.ms.end()) continue;
    const double total = live->second + (fermi != reporter.ms.end() ? fermi->second : 0);
    std::printf(
        "  %2d orbitals: path %.2f ms = %.3fx the Jacobi path (%.2f ms); with E_F %.2f ms, "
        "%s the 50 ms budget\n",
        n, live->second, live->second / jac->second, jac->second, total,
        total <= 50 ? "within" : "OVER");
  }
  return 0;
}
