// SPDX-License-Identifier: GPL-3.0-or-later
#include "bands/dos_grid.h"

#include <algorithm>
#include <limits>
#include <memory>
#include <system_error>
#include <thread>
#include <vector>

#include "numeric/fast_eigen.h"
#include "numeric/kpoint_calc.h"

namespace quarnel {

namespace {

// About this many k points are computed before their samples are handed to the store in order;
// bounds the per-point storage to about a megabyte whatever the grid.
constexpr std::size_t kBlockPoints = 512;

struct Worker {
  DosSolver kind = DosSolver::Fast;
  JacobiSolver jacobi;
  FastEigenResult fast;
  HamMatrix hamK = {};

  // Energies and weights of one k point into energy[0..N-1] and weight rows of stride N + 1.
  void Compute(const RunModel& model, const KPoint& kp, double* energy, double* weight) {
    const int N = model.Orbitals(), stride = N + 1;
    if (kind == DosSolver::Jacobi) {
      CalcKpoint(model, kp, hamK, jacobi);
      for (int i = 1; i <= N; ++i) {
        energy[i - 1] = jacobi.EigVal[i];
        std::copy(jacobi.EigVecSq[i] + 1, jacobi.EigVecSq[i] + N + 1,
                  weight + (i - 1) * stride + 1);
      }
      return;
    }
    FastEigen(model, kp, hamK, fast);
    for (int i = 1; i <= N; ++i) {
      // A failed diagonalisation gives no samples: the store drops energies that are not numbers.
      energy[i - 1] = fast.ok ? fast.EigVal[i] : std::numeric_limits<double>::quiet_NaN();
      std::copy(fast.EigVecSq[i] + 1, fast.EigVecSq[i] + N + 1, weight + (i - 1) * stride + 1);
    }
  }
};

}  // namespace

int DefaultDosThreads() {
  const unsigned cores = std::thread::hardware_concurrency();
  return cores == 0 ? 1 : static_cast<int>(std::min<unsigned>(cores, kMaxDosThreads));
}

void SampleDosGrid(const RunModel& model, int n, int threads, DosSamples& samples, DosSolver solver,
                   DosGridControl* control) {
  const int N = model.Orbitals();
  const KGridShape grid = model.DosGrid(std::max(n, 1));
  const std::size_t side = static_cast<std::size_t>(std::max(grid.count[1], 1));  // a row
  const std::size_t points = n < 1 ? 1 : grid.Points();
  samples.Start(points * std::max(N, 0), N);
  if (control) control->rowsDone = 0;
  if (N <= 0 || N > kMaxOrb || n < 1) return;

  // Blocks of whole rows, so that a stop inside a block keeps whole rows of that block.
  const std::size_t blockPoints = std::max<std::size_t>(1, kBlockPoints / side) * side;
  threads = std::clamp(threads, 1, kMaxDosThreads);
  threads = static_cast<int>(std::min<std::size_t>(threads, std::min(points, blockPoints)));
  std::vector<std::unique_ptr<Worker>> workers;
  for (int t = 0; t < threads; ++t) {
    workers.push_back(std::make_unique<Worker>());
    workers.back()->kind = solver;
    workers.back()->jacobi.JacVerbose = false;
  }

  const std::size_t stride = static_cast<std::size_t>(N) + 1;  // weights [0] unused, as Add reads
  std::vector<double> energy(blockPoints * N);
  std::vector<double> weight(blockPoints * N * stride);
  const auto stopped = [control] { return control && control->stop.load(); };

  for (std::size_t start = 0; start < points && !stopped(); start += blockPoints) {
    const std::size_t count = std::min(blockPoints, points - start);
    std::atomic<std::size_t> next{0};
    // The stop is checked before a point is taken, so every point taken is computed and the
    // points done are always the first ones of the block.
    const auto work = [&](Worker& w) {
      while (!stopped()) {
        const std::size_t q = next.fetch_add(1);
        if (q >= count) break;
        w.Compute(model, grid.Point(start + q), &energy[q * N], &weight[q * N * stride]);
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

    std::size_t done = std::min(next.load(), count);
    if (done < count) done = done / side * side;  // stopped: whole rows only
    for (std::size_t q = 0; q < done; ++q)
      for (int i = 1; i <= N; ++i)
        samples.Add(energy[q * N + (i - 1)], &weight[(q * N + (i - 1)) * stride]);
    samples.AddKPoints(done);
    if (control) control->rowsDone = (start + done) / side;
  }
}

}  // namespace quarnel
