// SPDX-License-Identifier: GPL-3.0-or-later
// The Chern number of a 2-band model (Haldane's) by plaquettes on a 60 x 60 grid against the fast
// eigen path over the same 3,600 k points; prints the ratio of the same run. The Chern number
// should cost at most twice the eigenvalues, so that it can follow a slider.

#include <benchmark/benchmark.h>

#include <cstdio>
#include <memory>

#include "model/lattice_reader.h"
#include "numeric/fast_eigen.h"
#include "numeric/lattice_run_model.h"
#include "ratio_reporter.h"
#include "topology/chern_plaquettes.h"

namespace {

using namespace quarnel;

constexpr int kGrid = 60;

const char* const kHaldane =
    "Haldane model\n"
    "_cell  a1= 1 0 0  a2= 0.5 0.866025403784 0  a3= 0 0 3\n"
    "_orb   A  0.2   pos= 0 0 0\n"
    "_orb   B  -0.2  pos= 1/3 1/3 0\n"
    "_hop   A  B  R= 0 0 0   t= -1\n"
    "_hop   A  B  R= -1 0 0  t= -1\n"
    "_hop   A  B  R= 0 -1 0  t= -1\n"
    "_hop   A  A  R= 1 0 0   t= 0 0.1\n"
    "_hop   A  A  R= -1 1 0  t= 0 0.1\n"
    "_hop   A  A  R= 0 -1 0  t= 0 0.1\n"
    "_hop   B  B  R= 1 0 0   t= 0 -0.1\n"
    "_hop   B  B  R= -1 1 0  t= 0 -0.1\n"
    "_hop   B  B  R= 0 -1 0  t= 0 -0.1\n";

std::shared_ptr<const LatticeModel> Haldane() {
  static const std::shared_ptr<const LatticeModel> model = [] {
    auto m = std::make_shared<LatticeModel>();
    PendingMessages messages;
    ParseLatticeText(kHaldane, *m, messages);
    return m;
  }();
  return model;
}

void BM_ChernPlaquettes(benchmark::State& state) {
  for (auto _ : state) {
    // As a slider would: the model as it is now, its states, the whole grid.
    const OccupiedStates states(*Haldane(), 1);
    const ChernPlaquettes c = ComputeChernPlaquettes(states, 0, 1, kGrid);
    benchmark::DoNotOptimize(c.chern);
  }
}

void BM_FastEigen(benchmark::State& state) {
  HamMatrix hamK = {};
  FastEigenResult result;
  for (auto _ : state) {
    const LatticeRunModel model(Haldane());
    for (int j = 0; j < kGrid; ++j)
      for (int i = 0; i < kGrid; ++i) {
        KPoint kp;
        kp.k[1] = 2.0 * i / kGrid;
        kp.k[2] = 2.0 * j / kGrid;
        FastEigen(model, kp, hamK, result);
        benchmark::DoNotOptimize(result.EigVal[1]);
      }
  }
}

BENCHMARK(BM_ChernPlaquettes)->Unit(benchmark::kMillisecond)->ComputeStatistics("min", Fastest);
BENCHMARK(BM_FastEigen)->Unit(benchmark::kMillisecond)->ComputeStatistics("min", Fastest);

}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  RatioReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  const double chern = reporter.Time("BM_ChernPlaquettes"), fast = reporter.Time("BM_FastEigen");
  if (chern > 0 && fast > 0)
    std::printf(
        "\nChern number 60 x 60, 2 bands / fast eigen path over the same 3600 points: %.2f\n",
        chern / fast);
  benchmark::Shutdown();
  return 0;
}
