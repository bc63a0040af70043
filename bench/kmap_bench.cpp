// SPDX-License-Identifier: GPL-3.0-or-later
// The 201 x 201 k map of a dense 16-orbital model on 1 and 2 threads, against the DOS grid of
// about as many points (34^3 = 39304) on the same threads; prints the ratios of the same run,
// per k point.

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdio>
#include <map>
#include <memory>
#include <string>

#include "bands/dos_grid.h"
#include "bands/kmap.h"
#include "dense_model.h"
#include "ratio_reporter.h"

namespace {

using namespace quarnel;

constexpr int kMapGrid = 200;  // 201^2 = 40401 points
constexpr int kDosGrid = 33;   // 34^3 = 39304 points
constexpr double kMapPoints = 201.0 * 201.0, kDosPoints = 34.0 * 34.0 * 34.0;

const ModelData& Dense16() {
  static const std::unique_ptr<ModelData> model = DenseBenchModel(16, 1234 + 16);
  return *model;
}

void BM_KMap(benchmark::State& state) {
  KMapGrid grid;
  for (auto _ : state) {
    ComputeKMap(TableModel(Dense16()), kMapGrid, 0.25, 1, static_cast<int>(state.range(0)), grid);
    benchmark::DoNotOptimize(grid.energy.data());
  }
}

void BM_DosGrid(benchmark::State& state) {
  DosSamples samples;
  for (auto _ : state) {
    SampleDosGrid(TableModel(Dense16()), kDosGrid, static_cast<int>(state.range(0)), samples);
    benchmark::DoNotOptimize(samples.Count());
  }
}

BENCHMARK(BM_KMap)
    ->Arg(1)
    ->Arg(2)
    ->Unit(benchmark::kMillisecond)
    ->ComputeStatistics("min", Fastest);
BENCHMARK(BM_DosGrid)
    ->Arg(1)
    ->Arg(2)
    ->Unit(benchmark::kMillisecond)
    ->ComputeStatistics("min", Fastest);

}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  RatioReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  const auto at = [&reporter](const char* name) { return reporter.Time(name); };
  const double map1 = at("BM_KMap/1"), map2 = at("BM_KMap/2");
  const double dos1 = at("BM_DosGrid/1"), dos2 = at("BM_DosGrid/2");
  if (map1 > 0 && map2 > 0)
    std::printf("\nk map 201 x 201, 16 orbitals: 1 thread / 2 threads = %.2f\n", map1 / map2);
  if (map1 > 0 && dos1 > 0)
    std::printf("k map / DOS grid per k point, 1 thread: %.2f\n",
                (map1 / kMapPoints) / (dos1 / kDosPoints));
  if (map2 > 0 && dos2 > 0)
    std::printf("k map / DOS grid per k point, 2 threads: %.2f\n",
                (map2 / kMapPoints) / (dos2 / kDosPoints));
  benchmark::Shutdown();
  return 0;
}
