// SPDX-License-Identifier: GPL-3.0-or-later
// The tetrahedron pass of a DOS run (curves, partial curves and integrated count from the samples)
// against the eigen pass that makes those samples, on the same grid and threads; prints the
// ratios of the same run. Models: the dense 16-orbital model, the square-lattice s band (its
// samples repeat along z) and the simple-cubic s band.

#include <benchmark/benchmark.h>

#include <cstdio>
#include <memory>
#include <string>

#include "bands/dos_grid.h"
#include "bands/tetrahedron_dos.h"
#include "dense_model.h"
#include "ratio_reporter.h"

namespace {

using namespace quarnel;

constexpr int kGrid = 20;  // the window's default
constexpr int kBins = 100;

const ModelData& Model(int which) {
  static const std::unique_ptr<ModelData> dense = DenseBenchModel(16, 1234 + 16);
  const auto sBand = [](int dims) {
    auto m = std::make_unique<ModelData>();
    m->NOrb = 1;
    m->OrbName[1] = "s";
    for (int d = 1; d <= dims; ++d) m->BetaPlus[1][1][d] = m->BetaMinus[1][1][d] = -1;
    NormalizeModel(*m);
    return m;
  };
  static const std::unique_ptr<ModelData> square = sBand(2), cubic = sBand(3);
  return which == 0 ? *dense : which == 1 ? *square : *cubic;
}

void BM_EigenPass(benchmark::State& state) {
  DosSamples samples;
  for (auto _ : state) {
    SampleDosGrid(TableModel(Model(static_cast<int>(state.range(0)))), kGrid,
                  static_cast<int>(state.range(1)), samples);
    benchmark::DoNotOptimize(samples.Count());
  }
}

void BM_TetraPass(benchmark::State& state) {
  DosSamples samples;
  const ModelData& model = Model(static_cast<int>(state.range(0)));
  SampleDosGrid(TableModel(model), kGrid, 2, samples);
  TetraDosResult result;
  for (auto _ : state) {
    TetraDos(TableModel(model).DosGrid(kGrid), samples, kBins, static_cast<int>(state.range(1)),
             result);
    benchmark::DoNotOptimize(result.curves.value.data());
  }
}

void Args(benchmark::internal::Benchmark* b) {
  for (int model : {0, 1, 2})
    for (int threads : {1, 2}) b->Args({model, threads});
  b->Unit(benchmark::kMillisecond)->ComputeStatistics("min", Fastest);
}

BENCHMARK(BM_EigenPass)->Apply(Args);
BENCHMARK(BM_TetraPass)->Apply(Args);

}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  RatioReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  std::printf("\ngrid %d, %d intervals: tetrahedron pass / eigen pass\n", kGrid, kBins);
  const char* names[] = {"16 orbitals,", "square s band,", "cubic s band,"};
  for (int model : {0, 1, 2})
    for (int threads : {1, 2}) {
      const std::string args = "/" + std::to_string(model) + "/" + std::to_string(threads);
      const double eigen = reporter.times["BM_EigenPass" + args];
      const double tetra = reporter.times["BM_TetraPass" + args];
      if (eigen > 0 && tetra > 0)
        std::printf("  %-18s %d thread%s: %.3f\n", names[model], threads, threads == 1 ? " " : "s",
                    tetra / eigen);
    }
  benchmark::Shutdown();
  return 0;
}
