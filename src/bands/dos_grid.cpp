#include "bands/dos_grid.h"

#include <algorithm>
#include <atomic>
#include <memory>
#include <system_error>
#include <thread>
#include <vector>

#include "numeric/kpoint_calc.h"

namespace quarnel {

namespace {

// k points computed before their samples are handed to the store in order; bounds the
// per-point storage to a few megabytes whatever the grid.
constexpr std::size_t kBlockPoints = 2048;

struct Worker {
  JacobiSolver solver;
  HamMatrix hamK = {};
};

}  // namespace

void SampleDosGrid(const ModelData& model, int n, int threads, DosSamples& samples) {
  const int N = model.NOrb;
  const std::size_t side = static_cast<std::size_t>(std::max(n, 0)) + 1;
  const std::size_t points = side * side * side;
  samples.Start(points * std::max(N, 0), N);
  if (N <= 0 || n < 1) return;

  threads = std::clamp(threads, 1, kMaxDosThreads);
  threads = static_cast<int>(std::min<std::size_t>(threads, std::min(points, kBlockPoints)));
  std::vector<std::unique_ptr<Worker>> workers;
  for (int t = 0; t < threads; ++t) {
    workers.push_back(std::make_unique<Worker>());
    workers.back()->solver.JacVerbose = false;
  }

  const std::size_t stride = static_cast<std::size_t>(N) + 1;  // weights [0] unused, as Add reads
  std::vector<double> energy(kBlockPoints * N);
  std::vector<double> weight(kBlockPoints * N * stride);

  for (std::size_t start = 0; start < points; start += kBlockPoints) {
    const std::size_t count = std::min(kBlockPoints, points - start);
    std::atomic<std::size_t> next{0};
    const auto work = [&](Worker& w) {
      for (std::size_t q = next.fetch_add(1); q < count; q = next.fetch_add(1)) {
        const std::size_t index = start + q;
        const int ix = static_cast<int>(index % side);
        const int iy = static_cast<int>(index / side % side);
        const int iz = static_cast<int>(index / side / side);
        CalcKpoint(model, KPointFromNumerators(n, ix, iy, iz), w.hamK, w.solver);
        for (int i = 1; i <= N; ++i) {
          energy[q * N + (i - 1)] = w.solver.EigVal[i];
          double* row = &weight[(q * N + (i - 1)) * stride];
          for (int j = 1; j <= N; ++j) row[j] = w.solver.EigVecSq[i][j];
        }
      }
    };
    std::vector<std::thread> helpers;
    for (int t = 1; t < threads; ++t) {
      try {
        helpers.emplace_back(work, std::ref(*workers[t]));
      } catch (const std::system_error&) {
        break;  // the threads already running and this one share the points
      }
    }
    work(*workers[0]);
    for (std::thread& h : helpers) h.join();

    for (std::size_t q = 0; q < count; ++q)
      for (int i = 1; i <= N; ++i)
        samples.Add(energy[q * N + (i - 1)], &weight[(q * N + (i - 1)) * stride]);
  }
}

}  // namespace quarnel
